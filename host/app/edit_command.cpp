#include "host/app/edit_command.h"

#include <cstdio>

#include "host/app/library_option.h"
#include "host/app/plugin_host.h"
#include "host/app/quorix_services.h"
#include "host/core/qi_host.h"

namespace {

struct EditOptions {
    std::string library;
    bool camera = false;
};

bool ParseEditOptions(const std::vector<std::string> &args, EditOptions &options)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--camera") {
            options.camera = true;
        } else if (args[i] == "--library" && i + 1 < args.size()) {
            options.library = args[++i];
        } else {
            std::fprintf(stderr, "quorix: unknown option '%s'\n", args[i].c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int RunEditCommand(const std::vector<std::string> &args, const std::string &pluginPath)
{
    EditOptions options;
    if (!ParseEditOptions(args, options))
        return 2;
    const QiToken kind = Qi_Inquire_Token(options.camera ? "camera" : "light");
    const char *name = options.camera ? QIHOST_DEFAULT_CAMERA : QIHOST_DEFAULT_LIGHT;
    std::string error;
    if (!options.library.empty() && !LoadLibraryFile(kind, name, options.library, error)) {
        std::fprintf(stderr, "quorix: edit: %s\n", error.c_str());
        return 1;
    }
    QuorixServices services(SettingsFolder() + "\\quorix.ini");
    PluginHost plugin;
    if (!plugin.Start(pluginPath, &services, kQuorixInitText, error)) {
        std::fprintf(stderr, "quorix: cannot start the Lens Flare Editor: %s\n", error.c_str());
        std::fflush(stderr);
        return 1;
    }
    plugin.EditFlare(nullptr, kind, name);
    plugin.Stop();
    return 0;
}
