#include "host/app/quorix_services.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kHelpCaption[] = "Quorix Help";

void CreateFolders(const std::string &path)
{
    for (size_t i = 0; i < path.size(); ++i)
        if ((path[i] == '\\' || path[i] == '/') && i > 2)
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
}

bool FileExists(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The file URL of a path: UTF-8, every byte but letters, digits and "-._~/:"
// percent-encoded, so that spaces, "#" and "%" in folder names survive.
std::string FileUrl(const std::string &path)
{
    wchar_t wide[MAX_PATH * 2];
    char utf8[MAX_PATH * 6];
    int wideLength = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
    int length = wideLength ? WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, sizeof utf8,
                                                  nullptr, nullptr)
                            : 0;
    const std::string text = length ? std::string(utf8) : path;
    std::string url = "file:///";
    for (unsigned char c : text) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     (c && std::strchr("-._~/:", c));
        if (c == '\\') {
            url += '/';
        } else if (plain) {
            url += char(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            url += escaped;
        }
    }
    return url;
}

void ShowHelpProblem(HWND window, const char *problem, const std::string &what)
{
    std::string text = std::string(problem) + "\n\n" + what;
    MessageBoxA(window, text.c_str(), kHelpCaption, MB_OK | MB_ICONERROR);
}

}  // namespace

QuorixServices::QuorixServices(std::string iniPath, std::string manualFolder, BrowserOpener open)
    : iniPath_(std::move(iniPath)), manualFolder_(std::move(manualFolder)), open_(open)
{
    CreateFolders(iniPath_);
}

const char *QuorixServices::GetIniFilePath()
{
    return iniPath_.c_str();
}

// A topic's page forwards to its place in index.html: a file URL's "#place"
// is lost on the way to the browser, a page's own forward is not.
void QuorixServices::ShowHelpTopic(HWND window, const char *topic)
{
    const std::string index = manualFolder_ + "\\index.html";
    if (!FileExists(index)) {
        ShowHelpProblem(window, "The manual was not found. It should be here:", index);
        return;
    }
    std::string page = index;
    if (const char *anchor = HelpAnchorOf(topic)) {
        std::string topicPage = manualFolder_ + "\\topics\\" + anchor + ".html";
        if (FileExists(topicPage))
            page = topicPage;
    }
    const std::string url = FileUrl(page);
    if (!open_(window, url))
        ShowHelpProblem(window, "No web browser could open the manual:", url);
}

std::string QuorixServices::ManualFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string program(path, length < sizeof path ? length : 0);
    size_t slash = program.find_last_of("\\/");
    return (slash == std::string::npos ? std::string(".") : program.substr(0, slash)) +
           "\\manual";
}

bool QuorixServices::OpenInBrowser(HWND window, const std::string &url)
{
    char browser[MAX_PATH];
    DWORD size = sizeof browser;
    if (SUCCEEDED(AssocQueryStringA(0, ASSOCSTR_EXECUTABLE, "http", "open", browser, &size))) {
        std::string quoted = "\"" + url + "\"";
        if (INT_PTR(ShellExecuteA(window, "open", browser, quoted.c_str(), nullptr,
                                  SW_SHOWNORMAL)) > 32)
            return true;
    }
    return INT_PTR(ShellExecuteA(window, "open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) >
           32;
}

const std::vector<HelpAnchor> &HelpAnchors()
{
    static const std::vector<HelpAnchor> anchors = {
        {"lens flare effects", "lens-flare-editor"},
        {"lens flare preview", "the-preview"},
        {"lens flare element list", "the-element-list"},
        {"lens flare select element", "adding-an-element"},
        {"lens flare element parameters", "element-parameters"},
        {"lens flare global parameters", "global-parameters"},
        {"lens flare global fading parameters", "global-fading-parameters"},
        {"lens flare sliders", "sliders"},
        {"lens flare colours", "colours"},
        {"lens flare gradients", "gradients"},
        {"lens flare libraries", "libraries"},
        {"lens flare presets", "the-preset-browser"},
        {"lens flare undo", "undo-redo-and-cancel"},
    };
    return anchors;
}

const char *HelpAnchorOf(const char *topic)
{
    if (!topic)
        return nullptr;
    for (const HelpAnchor &entry : HelpAnchors())
        if (_stricmp(entry.topic, topic) == 0)
            return entry.anchor;
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
