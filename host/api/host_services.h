/*
 * The host's service object, handed to a plug-in with the keyword
 * "parent_hInstance". Pure virtual functions and no virtual destructor, so
 * that the vtable layout is the same for every Windows compiler: three
 * reserved slots, then the two operations plug-ins call.
 */
#ifndef HOST_SERVICES_H
#define HOST_SERVICES_H

#include <windows.h>

class HostServices {
public:
    virtual void Reserved0() = 0;
    virtual void Reserved1() = 0;
    virtual void Reserved2() = 0;
    /* Full path of the host's settings (INI) file; owned by the host. */
    virtual const char *GetIniFilePath() = 0;
    /* Opens the manual at a topic ("lens flare sliders"); a problem is shown
       in a message box owned by window. */
    virtual void ShowHelpTopic(HWND window, const char *topic) = 0;
};

#endif
