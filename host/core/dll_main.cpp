// qicore.dll: the core library is linked in whole; its functions export
// themselves (QI_API).
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
