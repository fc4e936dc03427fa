// Host environment entries ("QX_WORKING_DIR" and friends): set by the host
// application, falling back to the process environment.
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>

#include "host/core/qi_host.h"

namespace {

struct Environment {
    std::mutex lock;
    std::map<std::string, std::string> entries;
};

Environment &environment()
{
    static Environment *e = new Environment;  // lives for the process
    return *e;
}

}  // namespace

extern "C" void QiHost_Set_Environment(const char *variable, const char *value)
{
    if (!variable)
        return;
    Environment &e = environment();
    std::lock_guard<std::mutex> guard(e.lock);
    if (value)
        e.entries[variable] = value;
    else
        e.entries.erase(variable);
}

// The returned text stays valid until the entry is set again; entries are
// set by the host at start-up, before plug-ins run.
extern "C" void Qi_Inquire_Environment(const char *variable, const char **value)
{
    if (!value)
        return;
    *value = nullptr;
    if (!variable)
        return;
    Environment &e = environment();
    std::lock_guard<std::mutex> guard(e.lock);
    auto it = e.entries.find(variable);
    *value = it != e.entries.end() ? it->second.c_str() : std::getenv(variable);
}
