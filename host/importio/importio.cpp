// The host dialog library: small helpers that plug-in dialogs share.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "host/api/qi_importio.h"

namespace {

QiToken OnToken()
{
    static const QiToken on = Qi_Inquire_Token("on");
    return on;
}

QiToken OffToken()
{
    static const QiToken off = Qi_Inquire_Token("off");
    return off;
}

}  // namespace

extern "C" void Import_IO_Center_Window(HWND parent, HWND window)
{
    if (!window)
        return;
    RECT area, frame, anchor;
    HMONITOR monitor = MonitorFromWindow(parent ? parent : window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {sizeof(info)};
    if (monitor && GetMonitorInfoA(monitor, &info))
        area = info.rcWork;
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    if (!parent || !IsWindowVisible(parent) || IsIconic(parent) || !GetWindowRect(parent, &anchor))
        anchor = area;
    GetWindowRect(window, &frame);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    int x = (anchor.left + anchor.right - width) / 2;
    int y = (anchor.top + anchor.bottom - height) / 2;
    // Keep the whole window, and above all its caption, on the work area.
    if (x + width > area.right)
        x = area.right - width;
    if (y + height > area.bottom)
        y = area.bottom - height;
    if (x < area.left)
        x = area.left;
    if (y < area.top)
        y = area.top;
    if (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) {
        POINT origin = {x, y};
        ScreenToClient(GetParent(window), &origin);
        x = origin.x;
        y = origin.y;
    }
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

extern "C" void Import_IO_Copy_String(char **target, const char *text)
{
    if (!target)
        return;
    char *copy = nullptr;
    if (text) {
        size_t size = std::strlen(text) + 1;
        copy = static_cast<char *>(Qi_Alloc_Memory(0, 1, size));
        if (!copy) {
            Qi_Report_Error(3, "ERR_OUT_OF_MEMORY", "Import_IO_Copy_String()", text);
            return;  // the previous text stays
        }
        std::memcpy(copy, text, size);
    }
    Qi_Free_Memory(*target);
    *target = copy;
}

extern "C" void Import_IO_Set_Quorix_Toggle(HWND dialog, int16_t id, QiToken value)
{
    CheckDlgButton(dialog, id, value == OnToken() ? BST_CHECKED : BST_UNCHECKED);
}

extern "C" void Import_IO_Flip_Quorix_Toggle(HWND dialog, int16_t id, QiToken *value)
{
    if (!value)
        return;
    *value = *value == OnToken() ? OffToken() : OnToken();
    CheckDlgButton(dialog, id, *value == OnToken() ? BST_CHECKED : BST_UNCHECKED);
}

extern "C" void Import_IO_QdInt_To_Dialog(HWND dialog, int16_t id, int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%ld", long(value));
    SetDlgItemTextA(dialog, id, text);
}

extern "C" void Import_IO_QdFloat_To_Dialog(HWND dialog, int16_t id, float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", double(value));
    SetDlgItemTextA(dialog, id, text);
}

extern "C" void Import_IO_Set_Control_Enable(HWND dialog, int16_t id, int16_t flag)
{
    EnableWindow(GetDlgItem(dialog, id), flag != 0);
}
