// Loading the lens flare plug-in and driving it through its keyword
// protocol: start-up, the editor command, shut-down.
#ifndef HOST_APP_PLUGIN_HOST_H
#define HOST_APP_PLUGIN_HOST_H

#include <windows.h>

#include <string>

#include "host/api/host_services.h"
#include "host/api/qi_core.h"
#include "host/api/qi_plugin.h"

class PluginHost {
public:
    ~PluginHost();

    // Loads the module and creates its instance ("parent_hInstance",
    // "initialize", "new_instance"). On failure `error` says why.
    bool Start(const std::string &modulePath, HostServices *services, const char *initText,
               std::string &error);

    // Opens the editor on the lens flare of the object (kind, name); returns
    // when the user has closed it.
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
