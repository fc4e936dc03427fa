#include "host/formats/header_line.h"

#include "host/formats/number_text.h"

namespace qi::format {

std::string HeaderLine(const FormatVersion &format)
{
    return std::string(format.magic) + " " + std::to_string(format.major) + "." +
           std::to_string(format.minor) + "\n";
}

bool ReadHeader(const Line &line, const FormatVersion &format, Findings &findings)
{
    if (line[0] != format.magic)
        return findings.Fail(Fault::Magic, line.number,
                             std::string("not a ") + format.description +
                                 " (it does not begin with \"" + format.magic + "\")");
    if (line.size() != 2)
        return findings.Fail(Fault::Syntax, line.number,
                             std::string("expected \"") + format.magic + " MAJOR.MINOR\"");
    std::string_view version = line[1];
    size_t dot = version.find('.');
    int64_t major, minor;
    if (dot == std::string_view::npos || !ParseInteger(version.substr(0, dot), major) ||
        !ParseInteger(version.substr(dot + 1), minor) || major < 0 || minor < 0)
        return findings.Fail(Fault::Syntax, line.number,
                             "version \"" + std::string(version) + "\" is not MAJOR.MINOR");
    if (major != format.major)
        return findings.Fail(Fault::Version, line.number,
                             "version " + std::string(version) + " (this host reads " +
                                 std::to_string(format.major) + ".x)");
    return true;
}

}  // namespace qi::format
