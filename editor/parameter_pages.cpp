// The page area of the editor holds one page at a time: the element panel,
// or one of the two global groups that the dialog template keeps below the
// visible dialog until set-up moves them into the area.
#include "editor/parameter_pages.h"

#include "editor/editor_state.h"
#include "editor/element_panel.h"
#include "editor/global_sliders.h"
#include "frame/plugin_instance.h"
#include "resources/resource.h"

namespace {

enum { GLOBAL_FIRST = 1800, GLOBAL_LAST = 1809, FADING_FIRST = 1900, FADING_LAST = 1909 };

// The top-left corner of a control in the dialog's client coordinates.
POINT ControlOrigin(HWND dialog, int id)
{
    RECT r = {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    POINT origin = {r.left, r.top};
    ScreenToClient(dialog, &origin);
    return origin;
}

void LeavePage(HWND dialog, int16_t page)
{
    PluginInstance *instance = currentInstance;
    switch (page) {
    case PAGE_GLOBAL:
        ShowGlobalSliders(PAGE_GLOBAL, 0);
        ShowControlRange(dialog, GLOBAL_FIRST, GLOBAL_LAST, 0);
        break;
    case PAGE_FADING:
        ShowGlobalSliders(PAGE_FADING, 0);
        ShowControlRange(dialog, FADING_FIRST, FADING_LAST, 0);
        break;
    case PAGE_ELEMENT:
        if (instance->currentElement) {
            SaveElementPanel(instance, dialog, instance->currentElement);
            DestroyElementPanel(instance, instance->currentElement);
        }
        break;
    }
}

// Fills the page area inside its frame with the dialog's own background.
void ClearPageArea(HWND dialog)
{
    RECT area = PageAreaRect(dialog);
    InflateRect(&area, -1, -1);
    HDC dc = GetDC(dialog);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(dialog)));
    FillRect(dc, &area, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
    ReleaseDC(dialog, dc);
}

void EnterPage(HWND dialog, int16_t page)
{
    PluginInstance *instance = currentInstance;
    switch (page) {
    case PAGE_GLOBAL:
        ShowGlobalSliders(PAGE_GLOBAL, 1);
        ShowControlRange(dialog, GLOBAL_FIRST, GLOBAL_LAST, 1);
        // The random seed is kept in the flare but never offered.
        ShowControlRange(dialog, IDC_SEED_LABEL, IDC_RANDOM_SEED, 0);
        break;
    case PAGE_FADING:
        ShowGlobalSliders(PAGE_FADING, 1);
        ShowControlRange(dialog, FADING_FIRST, FADING_LAST, 1);
        break;
    case PAGE_ELEMENT:
        BuildElementPanel(instance, dialog, instance->currentElement);
        break;
    }
}

}  // namespace

RECT PageAreaRect(HWND dialog)
{
    HWND area = GetDlgItem(dialog, IDC_PAGE_AREA);
    RECT r = {};
    GetClientRect(area, &r);
    MapWindowPoints(area, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

void ShowControlRange(HWND dialog, int firstId, int lastId, int16_t show)
{
    for (int id = firstId; id <= lastId; ++id)
        if (HWND control = GetDlgItem(dialog, id))
            ShowWindow(control, show ? SW_SHOW : SW_HIDE);
}

void MoveControlGroup(HWND dialog, int firstId, int lastId, int fromRefId, int toRefId)
{
    POINT from = ControlOrigin(dialog, fromRefId), to = ControlOrigin(dialog, toRefId);
    for (int id = firstId; id <= lastId; ++id) {
        HWND control = GetDlgItem(dialog, id);
        if (!control)
            continue;
        POINT origin = ControlOrigin(dialog, id);
        SetWindowPos(control, nullptr, origin.x + to.x - from.x, origin.y + to.y - from.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ShowParameterPage(HWND dialog, int16_t pageId, int16_t firstCall)
{
    if (firstCall) {
        MoveControlGroup(dialog, GLOBAL_FIRST, GLOBAL_LAST, IDC_GLOBAL_REFERENCE, IDC_PAGE_AREA);
        MoveControlGroup(dialog, FADING_FIRST, FADING_LAST, IDC_FADING_REFERENCE, IDC_PAGE_AREA);
        ShowControlRange(dialog, GLOBAL_FIRST, GLOBAL_LAST, 0);
        ShowControlRange(dialog, FADING_FIRST, FADING_LAST, 0);
        return;
    }
    if (pageId == currentPage)
        return;
    LeavePage(dialog, currentPage);
    ClearPageArea(dialog);
    currentPage = pageId;
    EnterPage(dialog, pageId);
}
