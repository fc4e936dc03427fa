// The first line of the host's text formats: the format's name and its
// version, "quorix-lensflare 1.0". Files of the same major version are read
// whatever their minor version (a newer minor version only adds keys, which
// readers skip); another major version is refused.
#ifndef HOST_FORMATS_HEADER_LINE_H
#define HOST_FORMATS_HEADER_LINE_H

#include <string>

#include "host/formats/findings.h"
#include "host/formats/text_lines.h"

namespace qi::format {

struct FormatVersion {
    const char *magic;        // "quorix-lensflare"
    const char *description;  // "lens flare library", for messages
    int major, minor;         // what this host writes
};

std::string HeaderLine(const FormatVersion &format);

// Checks the first line of a file against the format.
bool ReadHeader(const Line &line, const FormatVersion &format, Findings &findings);

}  // namespace qi::format

#endif
