/*
 * What the host calls in a lens flare plug-in module, by name
 * (GetProcAddress). Keyword arrays end with a null pointer; value arrays
 * hold one 64-bit slot per keyword.
 */
#ifndef QI_PLUGIN_H
#define QI_PLUGIN_H

#include <windows.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* "Quorix_Plugin_EntryPoint": "parent_hInstance" (HostServices *),
   "initialize" (text), "new_instance" (receives the instance),
   "destroy_instance" (acts on the instance argument), "shutdown", "execute". */
typedef void (*QiPluginEntryFn)(const char **keywords, int64_t *values, int32_t *status,
                                void *instance);

/* "DLL_ExecuteLensFlareASCIICommand": "handle_type" (token of the object's
   kind), "execute_lens_flare_dialog_box" (the object's name) opens the modal
   editor and returns when it has closed. */
typedef int64_t (*QiPluginCommandFn)(void *instance, HWND ownerWindow, const char **keywords,
                                     int64_t *values);

#ifdef __cplusplus
}
#endif

#endif
