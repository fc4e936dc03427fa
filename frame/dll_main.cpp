// lensflare.dll: records the module handle; everything else is in
// lensflare_lib and exported through lensflare.def.
#include "frame/plugin_instance.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        moduleHandle = instance;
    return TRUE;
}
