// Reading a text file line by line as words: blank lines and comments (from
// a word that starts with '#' to the end of its line) are passed over, words
// are separated by spaces and tabs, lines may end in "\n" or "\r\n".
#ifndef HOST_FORMATS_TEXT_LINES_H
#define HOST_FORMATS_TEXT_LINES_H

#include <cstddef>
#include <string_view>
#include <vector>

#include "host/formats/findings.h"

namespace qi::format {

// Longest line a file may hold, line ending excluded.
constexpr size_t kMaxLineLength = 1024;

struct Line {
    int number = 0;
    std::vector<std::string_view> words;  // views into the reader's text

    size_t size() const { return words.size(); }
    std::string_view operator[](size_t i) const { return words[i]; }
};

class LineReader {
public:
    LineReader(std::string_view text, Findings &findings) : text_(text), findings_(findings) {}

    // Stores the next line that holds words. False at the end of the text,
    // or after a line longer than kMaxLineLength or holding a control
    // character (recorded in the findings).
    bool Next(Line &line);
    // Number of the last line read, or of the last line of the text at its end.
    int lineNumber() const { return number_; }
    bool AtEnd() const { return position_ >= text_.size(); }

private:
    std::string_view text_;
    Findings &findings_;
    size_t position_ = 0;
    int number_ = 0;
};

}  // namespace qi::format

#endif
