// Loading the lens flare plug-in and driving it through its keyword
// protocol: start-up, the editor command, shut-down.
#ifndef HOST_APP_PLUGIN_HOST_H
#define HOST_APP_PLUGIN_HOST_H

#include <windows.h>

#include <string>

#include "host/api/host_services.h"
#include "host/api/qi_core.h"
#include "host/api/qi_plugin.h"

// The text the host hands every plug-in with "initialize".
constexpr char kQuorixInitText[] = "Quorix 1.0";

class PluginHost {
public:
    ~PluginHost();

    // Loads the module and creates its instance ("parent_hInstance",
    // "initialize", "new_instance"); a plug-in started before is stopped
    // first. On failure `error` names the file and says why: no such file,
    // not a Windows x64 DLL, a DLL without the plug-in's two exports, or no
    // instance.
    bool Start(const std::string &modulePath, HostServices *services, const char *initText,
               std::string &error);

    bool started() const { return instance_ != nullptr; }

    // Opens the editor on the lens flare of the object (kind, name), owned by
    // `owner`; returns when the user has closed it. Does nothing unless
    // started.
    void EditFlare(HWND owner, QiToken kind, const char *name);

    // Destroys the instance ("destroy_instance") and unloads the module.
    void Stop();

private:
    HMODULE module_ = nullptr;
    QiPluginEntryFn entry_ = nullptr;
    QiPluginCommandFn command_ = nullptr;
    void *instance_ = nullptr;
};

#endif
