#include "editor/editor_layout.h"

#include <cstdio>

#include "editor/editor_state.h"
#include "editor/layout_rules.h"
#include "frame/ini_file.h"
#include "preview/preview.h"
#include "resources/resource.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

const char kSection[] = "Lens-Flare-UI";
const char kPlacementKey[] = "Window-Placement";

// The template's controls that follow the size by a rule of their own;
// every other child (the pages, the tab strip, the sliders, the element
// panel) moves down with the page area.
const int kAnchoredIds[] = {
    IDOK, IDCANCEL, IDC_HELP_BUTTON, IDC_LIBRARY_LOAD, IDC_LIBRARY_SAVE, IDC_PRESETS, 0xFFFF,
    IDC_ELEMENT_LIST, IDC_ELEMENT_ENABLED, IDC_ADD_ELEMENT, IDC_COPY_ELEMENT, IDC_REMOVE_ELEMENT,
    IDC_MOVE_DOWN, IDC_MOVE_UP, IDC_SOLO, IDC_PREVIEW_GROUP, IDC_PREVIEW, IDC_REALTIME_UPDATES,
    IDC_FASTER_UPDATES, IDC_REDRAW_NOW};
constexpr int kAnchoredCount = int(sizeof kAnchoredIds / sizeof kAnchoredIds[0]);

struct AnchoredControl {
    HWND window;          // the control, or null when the template lacks it
    LayoutAnchor anchor;  // how it follows the size
    LayoutBox atTemplate; // its place at the template's size, client pixels
};

AnchoredControl anchored[kAnchoredCount] = {};
SIZE templateClient = {};  // the client size at the template's size
SIZE smallestWindow = {};  // the window's size then: the smallest it may take
int appliedDx = 0;         // the growth the controls are laid out for
int appliedDy = 0;         // (and how far the other controls have been moved down)
UINT layoutDpi = 96;       // the DPI the recorded places are for
bool layoutStarted = false;
bool inSizeMove = false;       // between WM_ENTERSIZEMOVE and WM_EXITSIZEMOVE
bool resizePending = false;    // a WMU_RESIZE_PREVIEW is on its way
WindowPlacementText keptPlacement = {};  // read with the other settings
bool placementKept = false;              // keptPlacement holds a sound value
char placementText[96] = "";             // the setting as read, not written again unchanged
bool maximiseWhenShown = false;          // the kept state was maximised

LayoutBox ChildBox(HWND dialog, HWND child)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
    return {r.left, r.top, r.right, r.bottom};
}

void PlaceChild(HWND child, const LayoutBox &box)
{
    SetWindowPos(child, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

const AnchoredControl *FindAnchored(HWND child)
{
    for (const AnchoredControl &a : anchored)
        if (a.window == child)
            return &a;
    return nullptr;
}

void RecordTemplatePlaces(HWND dialog)
{
    for (int i = 0; i < kAnchoredCount; ++i) {
        HWND child = GetDlgItem(dialog, kAnchoredIds[i]);
        anchored[i] = {child, AnchorOfControl(kAnchoredIds[i]), {}};
        if (child)
            anchored[i].atTemplate = ChildBox(dialog, child);
    }
}

// The window size that gives the client size, with the dialog's frame.
SIZE WindowSizeFor(HWND dialog, SIZE client)
{
    RECT r = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    return {r.right - r.left, r.bottom - r.top};
}

// A drag that holds the capture in a control about to move (a slider's
// thumb, a gradient's pivot) ends here, with what it had reached, before
// its rectangle moves under the pointer. The light's drag goes on: the
// preview's corner stays where it is.
void EndDragsOfMovingControls(HWND dialog)
{
    HWND capture = GetCapture();
    if (capture && capture != previewControl && IsChild(dialog, capture))
        ReleaseCapture();
}

void ResizeAndRedrawPreview()
{
    if (ResizePreviewToControl() && !updatingControls)
        RequestPreviewRedraw(-1, -1);
}

// During a live resize the preview is made anew once the sizes queued so
// far have been laid out: one render however many sizes went by.
void SchedulePreviewResize(HWND dialog)
{
    if (!inSizeMove) {
        ResizeAndRedrawPreview();
        return;
    }
    if (!resizePending && PostMessageA(dialog, WMU_RESIZE_PREVIEW, 0, 0))
        resizePending = true;
}

void LayOutAtGrowth(HWND dialog, int dx, int dy)
{
    if (dx == appliedDx && dy == appliedDy)
        return;
    int shift = dy - appliedDy;
    if (shift)
        EndDragsOfMovingControls(dialog);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (const AnchoredControl *a = FindAnchored(child)) {
            PlaceChild(child, PlaceControl(a->anchor, a->atTemplate, dx, dy));
        } else if (shift) {
            LayoutBox box = ChildBox(dialog, child);
            PlaceChild(child, {box.left, box.top + shift, box.right, box.bottom + shift});
        }
    }
    appliedDx = dx;
    appliedDy = dy;
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

UINT WindowDpi(HWND dialog)
{
    HDC dc = GetDC(dialog);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc)
        ReleaseDC(dialog, dc);
    return dpi > 0 ? UINT(dpi) : 96;
}

int ScaleBy(int value, UINT to, UINT from)
{
    return MulDiv(value, int(to), int(from));
}

LayoutBox ScaleBox(const LayoutBox &b, UINT to, UINT from)
{
    return {ScaleBy(b.left, to, from), ScaleBy(b.top, to, from), ScaleBy(b.right, to, from),
            ScaleBy(b.bottom, to, from)};
}

// A move to a monitor of another DPI: every control goes back to its place
// at the template's size, the places are scaled to the new DPI (the
// controls scale what they draw themselves), and the window takes the
// rectangle the system suggests, whose WM_SIZE lays them out again.
void Layout_OnDpiChanged(HWND dialog, UINT dpi, const RECT *suggested)
{
    if (!layoutStarted || dpi == 0 || dpi == layoutDpi) {
        layoutDpi = dpi ? dpi : layoutDpi;
        return;
    }
    LayOutAtGrowth(dialog, 0, 0);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (!FindAnchored(child))
            PlaceChild(child, ScaleBox(ChildBox(dialog, child), dpi, layoutDpi));
    for (AnchoredControl &a : anchored) {
        a.atTemplate = ScaleBox(a.atTemplate, dpi, layoutDpi);
        if (a.window)
            PlaceChild(a.window, a.atTemplate);
    }
    templateClient = {ScaleBy(templateClient.cx, dpi, layoutDpi),
                      ScaleBy(templateClient.cy, dpi, layoutDpi)};
    layoutDpi = dpi;
    smallestWindow = WindowSizeFor(dialog, templateClient);
    SetWindowPos(dialog, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    LayOutEditor(dialog);
}

// The offset of workspace coordinates (those of window placements) from
// the screen's: the primary monitor's work area.
POINT WorkspaceOrigin()
{
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return {work.left, work.top};
}

LayoutBox WorkAreaNear(const LayoutBox &box)
{
    RECT r = {box.left, box.top, box.right, box.bottom};
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
}

}  // namespace

void StartEditorLayout(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    templateClient = {client.right, client.bottom};
    LONG_PTR style = GetWindowLongPtrA(dialog, GWL_STYLE) | WS_THICKFRAME | WS_MAXIMIZEBOX;
    SetWindowLongPtrA(dialog, GWL_STYLE, style);
    smallestWindow = WindowSizeFor(dialog, templateClient);
    SetWindowPos(dialog, nullptr, 0, 0, smallestWindow.cx, smallestWindow.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RecordTemplatePlaces(dialog);
    appliedDx = 0;
    appliedDy = 0;
    layoutDpi = WindowDpi(dialog);
    inSizeMove = false;
    resizePending = false;
    maximiseWhenShown = false;
    layoutStarted = true;
}

void EndEditorLayout()
{
    layoutStarted = false;
    for (AnchoredControl &a : anchored)
        a = {};
}

void LayOutEditor(HWND dialog)
{
    if (!layoutStarted || IsIconic(dialog))
        return;
    RECT client;
    GetClientRect(dialog, &client);
    int dx = 0, dy = 0;
    LayoutGrowth(templateClient.cx, templateClient.cy, client.right, client.bottom, &dx, &dy);
    LayOutAtGrowth(dialog, dx, dy);
    SchedulePreviewResize(dialog);
}

void ReadEditorPlacement()
{
    GetPrivateProfileStringA(kSection, kPlacementKey, "", placementText, sizeof placementText,
                             PluginIniPath());
    placementKept = ParseWindowPlacement(placementText, &keptPlacement);
}

void RestoreEditorPlacement(HWND dialog)
{
    if (!placementKept)
        return;
    placementKept = false;
    const WindowPlacementText &kept = keptPlacement;
    POINT origin = WorkspaceOrigin();
    LayoutBox box = {kept.box.left + origin.x, kept.box.top + origin.y,
                     kept.box.right + origin.x, kept.box.bottom + origin.y};
    box = FitOnWorkArea(box, WorkAreaNear(box), smallestWindow.cx, smallestWindow.cy);
    SetWindowPos(dialog, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Maximised once the dialog is on the screen: the dialog manager shows
    // a modal dialog in its normal state after set-up.
    maximiseWhenShown = kept.maximised;
}

void StoreEditorPlacement(HWND dialog)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!layoutStarted || !GetWindowPlacement(dialog, &placement))
        return;
    const RECT &r = placement.rcNormalPosition;
    WindowPlacementText kept = {{r.left, r.top, r.right, r.bottom}, false};
    kept.maximised = placement.showCmd == SW_SHOWMAXIMIZED ||
                     (placement.showCmd == SW_SHOWMINIMIZED &&
                      (placement.flags & WPF_RESTORETOMAXIMIZED));
    char text[96];
    FormatWindowPlacement(kept, text, sizeof text);
    if (lstrcmpA(text, placementText) != 0)
        WritePrivateProfileStringA(kSection, kPlacementKey, text, PluginIniPath());
}

bool HandleEditorLayoutMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED)
            LayOutEditor(dialog);
        return true;
    case WM_GETMINMAXINFO:
        if (layoutStarted)
            reinterpret_cast<MINMAXINFO *>(lParam)->ptMinTrackSize = {smallestWindow.cx,
                                                                      smallestWindow.cy};
        return true;
    case WM_SHOWWINDOW:
        if (wParam && maximiseWhenShown)
            PostMessageA(dialog, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        maximiseWhenShown = false;
        return false;
    case WM_ENTERSIZEMOVE:
        inSizeMove = true;
        return true;
    case WM_EXITSIZEMOVE:
        inSizeMove = false;
        return true;
    case WMU_RESIZE_PREVIEW:
        resizePending = false;
        ResizeAndRedrawPreview();
        return true;
    case WM_DPICHANGED:
        Layout_OnDpiChanged(dialog, HIWORD(wParam), reinterpret_cast<const RECT *>(lParam));
        return true;
    }
    return false;
}
