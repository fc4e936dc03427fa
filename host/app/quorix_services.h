// The host's service object for plug-ins: settings file and help.
#ifndef HOST_APP_QUORIX_SERVICES_H
#define HOST_APP_QUORIX_SERVICES_H

#include <string>
#include <vector>

#include "host/api/host_services.h"

// Opens a URL in the system's web browser; returns whether a browser took it.
using BrowserOpener = bool (*)(HWND window, const std::string &url);

class QuorixServices : public HostServices {
public:
    // iniPath: full path of the settings file; its folder is created when
    // missing. manualFolder: the folder of the manual's index.html and its
    // topics/ pages. open: how a page of it is shown.
    explicit QuorixServices(std::string iniPath, std::string manualFolder = ManualFolder(),
                            BrowserOpener open = OpenInBrowser);

    void Reserved0() override {}
    void Reserved1() override {}
    void Reserved2() override {}
    const char *GetIniFilePath() override;
    // Opens the manual at the topic's place (at its start for a topic it
    // has no place for); a manual that is missing or that no browser takes
    // is named in a message box owned by window.
    void ShowHelpTopic(HWND window, const char *topic) override;

    // The manual beside the program: its folder's "manual" folder.
    static std::string ManualFolder();
    // The browser that opens http URLs (so that a file URL reaches a browser
    // even where .html files open elsewhere), else the URL's own handler.
    static bool OpenInBrowser(HWND window, const std::string &url);

private:
    std::string iniPath_;
    std::string manualFolder_;
    BrowserOpener open_;
};

// The settings folder: QX_SETTINGS_DIR when set, else %APPDATA%\Quorix
// (the working directory when there is no APPDATA).
std::string SettingsFolder();

// A help topic and the id of its heading in the manual.
struct HelpAnchor {
    const char *topic;
    const char *anchor;
};

// Every topic the manual has a place for.
const std::vector<HelpAnchor> &HelpAnchors();

// The anchor of a topic (compared without regard to case), or null.
const char *HelpAnchorOf(const char *topic);

#endif
