// The plug-in's two entry points called with keyword lists as the host calls
// them: either lensflare.dll's exports or the functions linked into the test.
#ifndef TESTS_SUPPORT_PLUGIN_CALLS_H
#define TESTS_SUPPORT_PLUGIN_CALLS_H

#include <windows.h>

#include <vector>

#include "frame/plugin_entry.h"
#include "host/api/qi_plugin.h"

struct PluginCalls {
    QiPluginEntryFn entry = nullptr;
    QiPluginCommandFn command = nullptr;

    // Runs the entry point on the keywords (the end marker is added) and
    // expects status 0; returns the value slots afterwards.
    std::vector<int64_t> Entry(std::vector<const char *> keywords, std::vector<int64_t> values,
                               PluginInstance *instance = nullptr) const;
    int64_t Command(PluginInstance *instance, std::vector<const char *> keywords,
                    std::vector<int64_t> values) const;
    // "parent_hInstance" and "initialize" when given, then "new_instance".
    PluginInstance *NewInstance(HostServices *services, const char *initText = nullptr) const;
    void Destroy(PluginInstance *instance) const;
};

// The entry points linked into the test.
inline PluginCalls LinkedPlugin()
{
    return {[](const char **keywords, int64_t *values, int32_t *status, void *instance) {
                Quorix_Plugin_EntryPoint(keywords, values, status,
                                         static_cast<PluginInstance *>(instance));
            },
            [](void *instance, HWND owner, const char **keywords, int64_t *values) {
                return DLL_ExecuteLensFlareASCIICommand(static_cast<PluginInstance *>(instance),
                                                        owner, keywords, values);
            }};
}

// lensflare.dll loaded as the host loads it, found by name; freed again with
// the object.
class PluginDll {
public:
    PluginDll();
    ~PluginDll();
    PluginDll(const PluginDll &) = delete;
    PluginDll &operator=(const PluginDll &) = delete;

    HMODULE module() const { return module_; }
    // Null entry points when the DLL or an export is missing.
    const PluginCalls &calls() const { return calls_; }

private:
    HMODULE module_ = nullptr;
    PluginCalls calls_;
};

#endif
