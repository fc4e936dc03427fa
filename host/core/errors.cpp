// The host's error channel: reports are kept in a small ring for readers
// (tests, the host's own log) and passed to an optional sink (the host
// application prints them).
#include <cstdio>
#include <deque>
#include <mutex>
#include <string>

#include "host/core/qi_host.h"

namespace {

struct Report {
    int32_t level;
    std::string name, origin, detail;
};

struct Channel {
    std::mutex lock;
    std::deque<Report> reports;
    QiHostErrorSink sink = nullptr;
    void *context = nullptr;
    int32_t lastLevel = 0;   // the latest error not yet taken: its level (0: none)
    std::string lastDetail;  //   and its detail
};

constexpr int32_t kErrorLevel = 3;

Channel &channel()
{
    static Channel *c = new Channel;  // lives for the process
    return *c;
}

void CopyBounded(char *out, size_t size, const std::string &text)
{
    if (out && size > 0)
        std::snprintf(out, size, "%s", text.c_str());
}

}  // namespace

extern "C" void Qi_Report_Error(int32_t level, const char *errorName, const char *origin,
                                const char *detail)
{
    Channel &c = channel();
    QiHostErrorSink sink;
    void *context;
    {
        std::lock_guard<std::mutex> guard(c.lock);
        if (c.reports.size() == QIHOST_ERROR_LOG_SIZE)
            c.reports.pop_front();
        c.reports.push_back({level, errorName ? errorName : "", origin ? origin : "",
                             detail ? detail : ""});
        if (level >= kErrorLevel) {
            c.lastLevel = level;
            c.lastDetail = detail ? detail : "";
        }
        sink = c.sink;
        context = c.context;
    }
    if (sink)
        sink(level, errorName ? errorName : "", origin ? origin : "", detail ? detail : "",
             context);
}

extern "C" int16_t Qi_Take_Last_Error(char *detail, int32_t size)
{
    Channel &c = channel();
    std::lock_guard<std::mutex> guard(c.lock);
    const int32_t level = c.lastLevel;
    if (size > 0)
        CopyBounded(detail, size_t(size), c.lastDetail);
    c.lastLevel = 0;
    c.lastDetail.clear();
    return int16_t(level);
}

extern "C" void QiHost_Set_Error_Sink(QiHostErrorSink sink, void *context)
{
    Channel &c = channel();
    std::lock_guard<std::mutex> guard(c.lock);
    c.sink = sink;
    c.context = context;
}

extern "C" int32_t QiHost_Error_Count(void)
{
    Channel &c = channel();
    std::lock_guard<std::mutex> guard(c.lock);
    return int32_t(c.reports.size());
}

extern "C" int32_t QiHost_Error_At(int32_t index, int32_t *level, char *errorName,
                                   size_t nameSize, char *origin, size_t originSize,
                                   char *detail, size_t detailSize)
{
    Channel &c = channel();
    std::lock_guard<std::mutex> guard(c.lock);
    if (index < 0 || size_t(index) >= c.reports.size())
        return 0;
    const Report &r = c.reports[size_t(index)];
    if (level)
        *level = r.level;
    CopyBounded(errorName, nameSize, r.name);
    CopyBounded(origin, originSize, r.origin);
    CopyBounded(detail, detailSize, r.detail);
    return 1;
}

extern "C" void QiHost_Clear_Errors(void)
{
    Channel &c = channel();
    std::lock_guard<std::mutex> guard(c.lock);
    c.reports.clear();
}
