#include "tests/support/host_channel.h"

#include "host/core/qi_host.h"

std::ostream &operator<<(std::ostream &out, const HostReport &report)
{
    return out << "{" << report.level << ", " << report.name << ", " << report.origin << ", "
               << report.detail << "}";
}

std::vector<HostReport> HostReports()
{
    std::vector<HostReport> reports;
    for (int32_t i = 0; i < QiHost_Error_Count(); ++i) {
        HostReport r{};
        char name[128], origin[128], detail[2048];
        if (QiHost_Error_At(i, &r.level, name, sizeof name, origin, sizeof origin, detail,
                            sizeof detail)) {
            r.name = name;
            r.origin = origin;
            r.detail = detail;
            reports.push_back(r);
        }
    }
    return reports;
}

void ClearHostReports()
{
    QiHost_Clear_Errors();
}

std::vector<HostReport> TakeHostReports()
{
    std::vector<HostReport> reports = HostReports();
    ClearHostReports();
    return reports;
}

std::vector<std::string> TakeReportNames()
{
    std::vector<std::string> names;
    for (const HostReport &report : TakeHostReports())
        names.push_back(report.name);
    return names;
}
