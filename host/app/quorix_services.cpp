#include "host/app/quorix_services.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct HelpTopic {
    const char *topic;
    const char *text;
};

const HelpTopic kHelpTopics[] = {
    {"lens flare effects",
     "Lens Flare Editor\n\n"
     "The preview shows the flare of the light being edited. Click or drag in the preview "
     "to move the light; right-click to copy a small picture to the clipboard.\n\n"
     "The element list holds the flare's elements in drawing order. Add, Remove, Move Up "
     "and Move Down change the list; Element Enabled switches the selected element on or "
     "off.\n\n"
     "The Element Parameters page shows the selected element's parameters; the Global "
     "Parameters and Global Fading Parameters pages hold the values of the whole flare.\n\n"
     "With Realtime Updates on, every change is shown at once; otherwise press Redraw Now. "
     "Library Load and Library Save read and write lens effect files (.lnz).\n\n"
     "Ok (or closing the window) keeps the flare as edited."},
};

void CreateFolders(const std::string &path)
{
    for (size_t i = 0; i < path.size(); ++i)
        if ((path[i] == '\\' || path[i] == '/') && i > 2)
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

}  // namespace

QuorixServices::QuorixServices(std::string iniPath) : iniPath_(std::move(iniPath))
{
    CreateFolders(iniPath_);
}

const char *QuorixServices::GetIniFilePath()
{
    return iniPath_.c_str();
}

void QuorixServices::ShowHelpTopic(HWND window, const char *topic)
{
    const char *text = HelpTextOf(topic);
    char missing[512];
    if (!text) {
        std::snprintf(missing, sizeof missing, "No help is available for the topic '%s'.",
                      topic ? topic : "");
        text = missing;
    }
    MessageBoxA(window, text, "Quorix Help", MB_OK | MB_ICONINFORMATION);
}

const char *HelpTextOf(const char *topic)
{
    if (!topic)
        return nullptr;
    for (const HelpTopic &entry : kHelpTopics)
        if (_stricmp(entry.topic, topic) == 0)
            return entry.text;
    return nullptr;
}

std::string SettingsFolder()
{
    if (const char *folder = std::getenv("QX_SETTINGS_DIR"); folder && *folder)
        return folder;
    if (const char *appData = std::getenv("APPDATA"); appData && *appData)
        return std::string(appData) + "\\Quorix";
    return ".";
}
