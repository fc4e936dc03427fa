#include "host/formats/findings.h"

#include <utility>

#include "host/api/qi_core.h"

namespace qi::format {

namespace {

constexpr size_t kMostSkipsReported = 8;

std::string Where(const char *path, int line)
{
    std::string where = path ? path : "(no file)";
    if (line > 0)
        where += ":" + std::to_string(line);
    return where + ": ";
}

}  // namespace

const char *FaultName(Fault fault)
{
    switch (fault) {
    case Fault::Syntax:
        return "ERR_FILE_SYNTAX";
    case Fault::Truncated:
        return "ERR_FILE_TRUNCATED";
    case Fault::Magic:
        return "ERR_FILE_NOT_THIS_FORMAT";
    case Fault::Version:
        return "ERR_FILE_VERSION";
    case Fault::UnknownType:
        return "ERR_FILE_UNKNOWN_TYPE";
    case Fault::Range:
        return "ERR_FILE_VALUE_RANGE";
    case Fault::Limit:
        return "ERR_FILE_TOO_LARGE";
    }
    return "ERR_FILE_SYNTAX";
}

bool Findings::Fail(Fault fault, int line, std::string message)
{
    if (!failed) {
        failed = true;
        error = {fault, line, std::move(message)};
    }
    return false;
}

void Findings::Skip(int line, std::string message)
{
    skipped.push_back({Fault::Syntax, line, std::move(message)});
}

void ReportFindings(const Findings &findings, const char *origin, const char *path)
{
    for (size_t i = 0; i < findings.skipped.size() && i < kMostSkipsReported; ++i) {
        const Finding &skip = findings.skipped[i];
        Qi_Report_Error(2, "ERR_FILE_UNKNOWN_KEY", origin,
                        (Where(path, skip.line) + skip.message).c_str());
    }
    if (findings.skipped.size() > kMostSkipsReported)
        Qi_Report_Error(2, "ERR_FILE_UNKNOWN_KEY", origin,
                        (Where(path, 0) + std::to_string(findings.skipped.size() -
                                                         kMostSkipsReported) +
                         " more unknown keys skipped")
                            .c_str());
    if (findings.failed)
        Qi_Report_Error(3, FaultName(findings.error.fault), origin,
                        (Where(path, findings.error.line) + findings.error.message).c_str());
}

}  // namespace qi::format
