#include "controls/window_dpi.h"

namespace {

typedef UINT(WINAPI *DpiForWindowFn)(HWND);

// Looked up once: systems before Windows 10 1607 lack the function.
DpiForWindowFn DpiForWindow()
{
    static bool looked = false;
    static DpiForWindowFn function = nullptr;
    if (!looked) {
        looked = true;
        if (HMODULE user = GetModuleHandleA("user32.dll"))
            function = reinterpret_cast<DpiForWindowFn>(
                reinterpret_cast<void *>(GetProcAddress(user, "GetDpiForWindow")));
    }
    return function;
}

}  // namespace

int WindowDpi(HWND window)
{
    if (DpiForWindowFn function = DpiForWindow()) {
        if (window) {
            UINT dpi = function(window);
            if (dpi > 0)
                return int(dpi);
        }
    }
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDefaultDpi;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDefaultDpi;
}

bool TakeWindowDpi(HWND window, int16_t *dpi)
{
    const int16_t now = int16_t(WindowDpi(window));
    if (now == *dpi)
        return false;
    *dpi = now;
    return true;
}
