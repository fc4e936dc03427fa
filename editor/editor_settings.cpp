#include "editor/editor_settings.h"

#include <windows.h>

#include <cstdio>

#include "editor/editor_state.h"
#include "frame/ini_file.h"
#include "library/effect_library.h"
#include "host/api/qi_importio.h"

namespace {

const char kSection[] = "Lens-Flare-UI";
const char kRealtimeKey[] = "Realtime-Updates";
const char kLastLibraryKey[] = "Last-Library-SaveTo-Filename";
const char kKeepPagesKey[] = "Keep-Element-Pages";

void ReleaseLastLibraryFile()
{
    Qi_Free_Memory(lastLibraryFile);
    lastLibraryFile = nullptr;
}

}  // namespace

int16_t ReadRealtimeSetting()
{
    return int16_t(GetPrivateProfileIntA(kSection, kRealtimeKey, -1, PluginIniPath()));
}

void WriteRealtimeSetting(int16_t realtime)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", realtime);
    WritePrivateProfileStringA(kSection, kRealtimeKey, text, PluginIniPath());
}

bool ReadKeepPagesSetting()
{
    return GetPrivateProfileIntA(kSection, kKeepPagesKey, 1, PluginIniPath()) != 0;
}

void ReadLastLibraryFile()
{
    ReleaseLastLibraryFile();
    char path[300] = "";
    GetPrivateProfileStringA(kSection, kLastLibraryKey, "", path, sizeof path, PluginIniPath());
    if (path[0])
        Import_IO_Copy_String(&lastLibraryFile, path);
}

void StoreLastLibraryFile()
{
    if (!lastLibraryFile)
        return;
    WritePrivateProfileStringA(kSection, kLastLibraryKey, lastLibraryFile, PluginIniPath());
    ReleaseLastLibraryFile();
}
