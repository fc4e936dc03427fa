// The plug-in instance and the module-wide state of the plug-in frame.
#ifndef FRAME_PLUGIN_INSTANCE_H
#define FRAME_PLUGIN_INSTANCE_H

#include <windows.h>

#include "host/api/host_services.h"
#include "host/api/qi_core.h"

struct WorkingFlare;
struct FlareElement;

// Size of PluginInstance::flareName, the terminating zero included.
#define FLARE_NAME_SIZE 1024

// One plug-in instance; created by "new_instance", destroyed by
// "destroy_instance". Allocated zero-filled from the host.
struct PluginInstance {
    WorkingFlare *workingFlare;     // the editor's copy of the flare; null when none is loaded
    HWND dialogWindow;              // the editor dialog while it is open
    HINSTANCE moduleInstance;       // the plug-in module: dialog templates, child windows
    char *initText;                 // own copy of the host's "initialize" text, or null
    char flareName[FLARE_NAME_SIZE];  // name of the host object whose flare is edited
    QiToken handleType;             // kind of that host object ("light", "camera")
    int16_t realtimeUpdates;        // nonzero: every edit is committed and previewed at once
    FlareElement *currentElement;   // element whose panel is shown, or null
    HostServices *hostServices;     // the host's service object, or null when none was given
};

extern HINSTANCE moduleHandle;           // this module, recorded at process attach
extern char *hostInitText;               // the text last given with "initialize", or null
extern PluginInstance *currentInstance;  // the instance the editor works on, or null

#endif
