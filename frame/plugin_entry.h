// The two functions lensflare.dll exports (see host/api/qi_plugin.h for the
// host's view of them).
#ifndef FRAME_PLUGIN_ENTRY_H
#define FRAME_PLUGIN_ENTRY_H

#include "frame/plugin_instance.h"

extern "C" {

// Creates and destroys instances and takes the host's start-up values.
// keywords ends with a null pointer or an empty text; values holds one 64-bit
// slot per keyword; *status is always set to 0.
void Quorix_Plugin_EntryPoint(const char **keywords, int64_t *values, int32_t *status,
                              PluginInstance *instance);

// The scripted command of an instance: "handle_type" and
// "execute_lens_flare_dialog_box" open the editor on a host object.
// Returns 0 for a null instance, else 1.
int64_t DLL_ExecuteLensFlareASCIICommand(PluginInstance *instance, HWND ownerWindow,
                                         const char **keywords, int64_t *values);
}

#endif
