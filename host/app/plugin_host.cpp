#include "host/app/plugin_host.h"

PluginHost::~PluginHost()
{
    Stop();
}

bool PluginHost::Start(const std::string &modulePath, HostServices *services,
                       const char *initText, std::string &error)
{
    module_ = LoadLibraryA(modulePath.c_str());
    if (!module_) {
        error = "cannot load " + modulePath;
        return false;
    }
    entry_ = reinterpret_cast<QiPluginEntryFn>(GetProcAddress(module_, "Quorix_Plugin_EntryPoint"));
    command_ = reinterpret_cast<QiPluginCommandFn>(
        GetProcAddress(module_, "DLL_ExecuteLensFlareASCIICommand"));
    if (!entry_ || !command_) {
        error = modulePath + " is not a lens flare plug-in";
        Stop();
        return false;
    }
    const char *keywords[] = {"parent_hInstance", "initialize", "new_instance", nullptr};
    int64_t values[] = {reinterpret_cast<int64_t>(services), reinterpret_cast<int64_t>(initText),
                        0, 0};
    int32_t status = 0;
    entry_(keywords, values, &status, nullptr);
    instance_ = reinterpret_cast<void *>(values[2]);
    if (!instance_) {
        error = "the plug-in could not create its instance";
        Stop();
        return false;
    }
    return true;
}

void PluginHost::EditFlare(HWND owner, QiToken kind, const char *name)
{
    if (!instance_)
        return;
    const char *keywords[] = {"handle_type", "execute_lens_flare_dialog_box", nullptr};
    int64_t values[] = {kind, reinterpret_cast<int64_t>(name), 0};
    command_(instance_, owner, keywords, values);
}

void PluginHost::Stop()
{
    if (instance_) {
        const char *keywords[] = {"destroy_instance", nullptr};
        int64_t values[] = {0, 0};
        int32_t status = 0;
        entry_(keywords, values, &status, instance_);
        instance_ = nullptr;
    }
    if (module_) {
        FreeLibrary(module_);
        module_ = nullptr;
    }
    entry_ = nullptr;
    command_ = nullptr;
}
