// The host's service object for plug-ins: settings file and help.
#ifndef HOST_APP_QUORIX_SERVICES_H
#define HOST_APP_QUORIX_SERVICES_H

#include <string>

#include "host/api/host_services.h"

class QuorixServices : public HostServices {
public:
    // iniPath: full path of the settings file; its folder is created when
    // missing.
    explicit QuorixServices(std::string iniPath);

    void Reserved0() override {}
    void Reserved1() override {}
    void Reserved2() override {}
    const char *GetIniFilePath() override;
    void ShowHelpTopic(HWND window, const char *topic) override;

private:
    std::string iniPath_;
};

// The settings folder: QX_SETTINGS_DIR when set, else %APPDATA%\Quorix
// (the working directory when there is no APPDATA).
std::string SettingsFolder();

// The help text of a topic, or null when there is none.
const char *HelpTextOf(const char *topic);

#endif
