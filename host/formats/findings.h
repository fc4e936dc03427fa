// What reading a file found: the fault that stopped it and the keys that
// were passed over, each with its line, ready to be reported.
#ifndef HOST_FORMATS_FINDINGS_H
#define HOST_FORMATS_FINDINGS_H

#include <string>
#include <vector>

namespace qi::format {

enum class Fault {
    Syntax,       // a line that does not read as the format says
    Truncated,    // the text ends inside a section or before a required one
    Magic,        // the first line does not name the format
    Version,      // a major version this host does not read
    UnknownType,  // an element type the catalogue does not have
    Range,        // a value outside its limits
    Limit,        // a line, name, count or file larger than the format allows
};

// The error name a fault is reported under.
const char *FaultName(Fault fault);

struct Finding {
    Fault fault;
    int line;  // 1-based; 0 for the file as a whole
    std::string message;
};

struct Findings {
    bool failed = false;
    Finding error{Fault::Syntax, 0, {}};
    std::vector<Finding> skipped;  // unknown keys of a newer version

    // Records the first fault and returns false, so that readers can
    // `return findings.Fail(...)`.
    bool Fail(Fault fault, int line, std::string message);
    void Skip(int line, std::string message);
};

// Reports the skipped keys (warnings, at most a few and then their number)
// and the fault (an error) through Qi_Report_Error, each detail starting
// with "path:line: ".
void ReportFindings(const Findings &findings, const char *origin, const char *path);

}  // namespace qi::format

#endif
