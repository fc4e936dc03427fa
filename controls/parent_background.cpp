#include "controls/parent_background.h"

namespace {

// Window property holding the brush the control made and must delete.
const char kOwnBrushProperty[] = "LensFlareOwnBrush";

HBRUSH OwnBrush(HWND control)
{
    return static_cast<HBRUSH>(GetPropA(control, kOwnBrushProperty));
}

}  // namespace

void KeepOwnBackground(HWND control, HBRUSH brush)
{
    SetPropA(control, kOwnBrushProperty, brush);
}

HBRUSH AdoptParentBrush(HWND parent, HWND control, HBRUSH current)
{
    if (current && current == OwnBrush(control)) {
        RemovePropA(control, kOwnBrushProperty);
        DeleteObject(current);
    }
    HDC dc = GetDC(parent);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(parent, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(parent)));
    ReleaseDC(parent, dc);
    if (brush)
        return brush;
    brush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    KeepOwnBackground(control, brush);
    return brush;
}

void ReleaseOwnBackground(HWND control, HBRUSH *inUse)
{
    HBRUSH own = static_cast<HBRUSH>(RemovePropA(control, kOwnBrushProperty));
    if (!own)
        return;
    DeleteObject(own);
    if (*inUse == own)
        *inUse = nullptr;
}
