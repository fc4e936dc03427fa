#include "host/formats/text_lines.h"

#include <string>

namespace qi::format {

bool LineReader::Next(Line &line)
{
    while (position_ < text_.size()) {
        size_t end = text_.find('\n', position_);
        if (end == std::string_view::npos)
            end = text_.size();
        std::string_view raw = text_.substr(position_, end - position_);
        position_ = end + 1;
        ++number_;
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);
        if (raw.size() > kMaxLineLength)
            return findings_.Fail(Fault::Limit, number_,
                                  "line longer than " + std::to_string(kMaxLineLength) +
                                      " characters");
        line.number = number_;
        line.words.clear();
        size_t i = 0;
        while (i < raw.size()) {
            const unsigned char c = static_cast<unsigned char>(raw[i]);
            if (c == ' ' || c == '\t') {
                ++i;
                continue;
            }
            if (c == '#')
                break;
            size_t start = i;
            while (i < raw.size() && raw[i] != ' ' && raw[i] != '\t') {
                const unsigned char d = static_cast<unsigned char>(raw[i]);
                if (d < 0x20 || d == 0x7F)
                    return findings_.Fail(Fault::Syntax, number_,
                                          "control character " + std::to_string(d) +
                                              " in the line");
                ++i;
            }
            line.words.push_back(raw.substr(start, i - start));
        }
        if (!line.words.empty())
            return true;
    }
    return false;
}

}  // namespace qi::format
