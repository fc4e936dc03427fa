#include "editor/panel_scroll.h"

#include "editor/parameter_pages.h"
#include "gradient/colour_slider.h"
#include "frame/plugin_instance.h"
#include "resources/resource.h"

namespace {

constexpr int kBarWidth = 9;   // fits the margin right of the second column
constexpr int kLineStep = 31;  // one slider row

HWND panelScrollBar = nullptr;  // the bar of the current panel, or null
int panelScrollOffset = 0;      // pixels the panel is scrolled up

RECT ControlRect(HWND dialog, HWND control)
{
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

template <typename Action>
void ForEachControl(const FlareElement *element, Action action)
{
    for (FlareParameter *p = element->firstParameter; p; p = p->next) {
        if (p->controlWindow)
            action(p, p->controlWindow);
        if (p->labelWindow)
            action(p, p->labelWindow);
    }
}

// Where the panel's content ends, in dialog coordinates.
int ContentBottom(HWND dialog, const FlareElement *element)
{
    int bottom = 0;
    ForEachControl(element, [&](FlareParameter *, HWND control) {
        RECT r = ControlRect(dialog, control);
        if (r.bottom > bottom)
            bottom = r.bottom;
    });
    return bottom;
}

// Moves every control by dy and shows only those wholly inside the area
// (a gradient's label row above its bar included).
void MoveControls(HWND dialog, const FlareElement *element, int dy)
{
    RECT area = PageAreaRect(dialog);
    ForEachControl(element, [&](FlareParameter *p, HWND control) {
        RECT r = ControlRect(dialog, control);
        OffsetRect(&r, 0, dy);
        SetWindowPos(control, nullptr, r.left, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        int top = r.top;
        if (p->gradientSlider) {
            int height = 0, labelOffset = 0;
            GradientControlLayout(15, &height, &labelOffset);
            top += labelOffset;
        }
        bool inside = top > area.top && r.bottom < area.bottom;
        ShowWindow(control, inside ? SW_SHOWNA : SW_HIDE);
    });
    InflateRect(&area, -1, -1);
    area.right -= kBarWidth;
    InvalidateRect(dialog, &area, TRUE);
}

}  // namespace

void FitPanelInPageArea(HWND dialog, FlareElement *element)
{
    RemovePanelScrollBar();
    RECT area = PageAreaRect(dialog);
    int overflow = ContentBottom(dialog, element) - (area.bottom - 7);
    if (overflow <= 0)
        return;
    panelScrollBar = CreateWindowExA(
        0, "scrollbar", nullptr, WS_CHILD | WS_VISIBLE | SBS_VERT, area.right - kBarWidth - 1,
        area.top + 1, kBarWidth, area.bottom - area.top - 2, dialog,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PANEL_SCROLL)),
        currentInstance->moduleInstance, nullptr);
    if (!panelScrollBar)
        return;
    SCROLLINFO info = {sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS};
    info.nMax = overflow + (area.bottom - area.top) - 1;
    info.nPage = UINT(area.bottom - area.top);
    SetScrollInfo(panelScrollBar, SB_CTL, &info, TRUE);
    MoveControls(dialog, element, 0);
}

bool ScrollElementPanel(HWND dialog, HWND bar, int code)
{
    const FlareElement *element = currentInstance ? currentInstance->currentElement : nullptr;
    if (!panelScrollBar || bar != panelScrollBar || !element)
        return false;
    SCROLLINFO info = {sizeof info, SIF_ALL};
    GetScrollInfo(bar, SB_CTL, &info);
    int position = info.nPos;
    int last = info.nMax - int(info.nPage) + 1;
    switch (code) {
    case SB_LINEUP: position -= kLineStep; break;
    case SB_LINEDOWN: position += kLineStep; break;
    case SB_PAGEUP: position -= int(info.nPage); break;
    case SB_PAGEDOWN: position += int(info.nPage); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = last; break;
    default: return true;
    }
    position = position < 0 ? 0 : position > last ? last : position;
    if (position == panelScrollOffset)
        return true;
    MoveControls(dialog, element, panelScrollOffset - position);
    panelScrollOffset = position;
    SetScrollPos(bar, SB_CTL, position, TRUE);
    return true;
}

void ScrollPanelHome(HWND dialog, const FlareElement *element)
{
    if (dialog && element && panelScrollOffset != 0)
        MoveControls(dialog, element, panelScrollOffset);
    panelScrollOffset = 0;
}

void RemovePanelScrollBar()
{
    if (panelScrollBar)
        DestroyWindow(panelScrollBar);
    panelScrollBar = nullptr;
    panelScrollOffset = 0;
}
