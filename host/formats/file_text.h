// Whole files as text: read at once with a size limit, written at once.
#ifndef HOST_FORMATS_FILE_TEXT_H
#define HOST_FORMATS_FILE_TEXT_H

#include <cstddef>
#include <string>

namespace qi::format {

enum class ReadResult {
    Ok,
    CannotOpen,  // missing, a folder, unreadable, or a null or empty path
    TooLarge,    // more than the limit's bytes
};

ReadResult ReadTextFile(const char *path, size_t maxBytes, std::string &text);

// Writes the text as the file's whole content (bytes as they are). On
// failure, false with the cause in `reason` ("the disk is full", "the
// folder or the file cannot be written", ...), and no partly written file
// is left behind.
bool WriteTextFile(const char *path, const std::string &text, std::string &reason);

// For tests of what a failed write costs: the next `count` writes fail once
// their file is open, as on a full disk; 0 turns the failures off.
void FailTextFileWrites(int count);

}  // namespace qi::format

#endif
