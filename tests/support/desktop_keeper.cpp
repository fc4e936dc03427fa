// Holds the desktop of its Wine prefix open while a test run lasts. Wine
// closes a desktop a moment after its last program has ended, and the next
// program that opens a window starts a new desktop process, which inherits
// that program's output and keeps it open for a second after the program
// has ended; CTest waits out that second for every test. This program owns
// one hidden window and waits until the prefix's wineserver is stopped.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    HWND window = CreateWindowA("STATIC", "desktop keeper", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, instance, nullptr);
    if (!window)
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
