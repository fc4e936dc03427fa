// Reading the host's error channel and memory count from tests. Links
// against whichever qicore the test uses (the DLL or the static library).
#ifndef TESTS_SUPPORT_HOST_CHANNEL_H
#define TESTS_SUPPORT_HOST_CHANNEL_H

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct HostReport {
    int32_t level;
    std::string name, origin, detail;
    bool operator==(const HostReport &other) const
    {
        return level == other.level && name == other.name && origin == other.origin &&
               detail == other.detail;
    }
};
std::ostream &operator<<(std::ostream &out, const HostReport &report);

// Every report the channel holds, oldest first.
std::vector<HostReport> HostReports();
void ClearHostReports();

// The reports, or only their names, since the channel was last cleared;
// the channel is then cleared.
std::vector<HostReport> TakeHostReports();
std::vector<std::string> TakeReportNames();

#endif
