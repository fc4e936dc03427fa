#include "host/app/window_placement.h"

#include <climits>
#include <cstdio>

namespace {

constexpr int kCaptionHeight = 24;   // the strip at the top that must be on a monitor
constexpr int kCaptionMinWidth = 64;  // how much of it must show there to grab it
constexpr int kMissing = INT_MIN;

int ReadInt(const char *iniPath, const char *key)
{
    return static_cast<int>(
        GetPrivateProfileIntA(kWindowPlacementSection, key, kMissing, iniPath));
}

void WriteInt(const char *iniPath, const char *key, long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%ld", value);
    WritePrivateProfileStringA(kWindowPlacementSection, key, text, iniPath);
}

bool CaptionOnAMonitor(const RECT &window)
{
    RECT strip = {window.left, window.top, window.right, window.top + kCaptionHeight};
    HMONITOR monitor = MonitorFromRect(&strip, MONITOR_DEFAULTTONULL);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info))
        return false;
    RECT shown;
    return IntersectRect(&shown, &strip, &info.rcMonitor) &&
           shown.right - shown.left >= kCaptionMinWidth &&
           shown.bottom - shown.top == kCaptionHeight;
}

}  // namespace

bool ReadWindowPlacement(const char *iniPath, RECT &restored, bool &maximized)
{
    const int left = ReadInt(iniPath, "Left"), top = ReadInt(iniPath, "Top");
    const int width = ReadInt(iniPath, "Width"), height = ReadInt(iniPath, "Height");
    if (left == kMissing || top == kMissing || width < kMainWindowMinWidth ||
        height < kMainWindowMinHeight || width > SHRT_MAX || height > SHRT_MAX ||
        left < SHRT_MIN || left > SHRT_MAX || top < SHRT_MIN || top > SHRT_MAX)
        return false;
    const RECT window = {left, top, left + width, top + height};
    if (!CaptionOnAMonitor(window))
        return false;
    restored = window;
    maximized = ReadInt(iniPath, "Maximized") == 1;
    return true;
}

void WriteWindowPlacement(const char *iniPath, HWND window)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return;
    const RECT &r = placement.rcNormalPosition;
    const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                           (placement.showCmd == SW_SHOWMINIMIZED &&
                            (placement.flags & WPF_RESTORETOMAXIMIZED));
    WriteInt(iniPath, "Left", r.left);
    WriteInt(iniPath, "Top", r.top);
    WriteInt(iniPath, "Width", r.right - r.left);
    WriteInt(iniPath, "Height", r.bottom - r.top);
    WriteInt(iniPath, "Maximized", maximized ? 1 : 0);
}
