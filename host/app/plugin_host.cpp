#include "host/app/plugin_host.h"

#include <cstdio>

namespace {

const char kEntryName[] = "Quorix_Plugin_EntryPoint";
const char kCommandName[] = "DLL_ExecuteLensFlareASCIICommand";

// Why LoadLibrary refused the file, in the user's terms.
std::string LoadFailure(const std::string &path, DWORD code)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return "no such file";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return "a folder, not a DLL";
    if (code == ERROR_BAD_EXE_FORMAT || code == ERROR_INVALID_EXE_SIGNATURE)
        return "not a Windows x64 DLL";
    if (code == ERROR_MOD_NOT_FOUND)
        return "a DLL it needs cannot be found";
    char text[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                   text, sizeof text, nullptr);
    std::string reason(text);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                               reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
    char number[32];
    std::snprintf(number, sizeof number, "error %lu", static_cast<unsigned long>(code));
    return "cannot be loaded (" + (reason.empty() ? std::string() : reason + ", ") + number + ")";
}

}  // namespace

PluginHost::~PluginHost()
{
    Stop();
}

bool PluginHost::Start(const std::string &modulePath, HostServices *services,
                       const char *initText, std::string &error)
{
    Stop();
    // No system error box for a damaged file: the caller reports it.
    DWORD oldMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    module_ = LoadLibraryA(modulePath.c_str());
    DWORD code = GetLastError();
    SetThreadErrorMode(oldMode, nullptr);
    if (!module_) {
        error = modulePath + ": " + LoadFailure(modulePath, code);
        return false;
    }
    entry_ = reinterpret_cast<QiPluginEntryFn>(GetProcAddress(module_, kEntryName));
    command_ = reinterpret_cast<QiPluginCommandFn>(GetProcAddress(module_, kCommandName));
    if (!entry_ || !command_) {
        std::string missing = !entry_ ? kEntryName : kCommandName;
        if (!entry_ && !command_)
            missing += std::string(" and ") + kCommandName;
        error = modulePath + ": not a lens flare plug-in (it does not export " + missing + ")";
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
        error = modulePath + ": the plug-in could not create its instance";
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
