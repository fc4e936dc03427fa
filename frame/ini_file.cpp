#include "frame/ini_file.h"

#include "frame/plugin_instance.h"

const char *HostIniPath()
{
    if (!currentInstance || !currentInstance->hostServices)
        return nullptr;
    const char *path = currentInstance->hostServices->GetIniFilePath();
    return path && *path ? path : nullptr;
}

const char *PluginIniPath()
{
    const char *path = HostIniPath();
    return path ? path : "quorix.ini";
}
