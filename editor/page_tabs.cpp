#include "editor/page_tabs.h"

#include "controls/tabbed_panel.h"
#include "controls/window_dpi.h"
#include "editor/editor_state.h"
#include "editor/parameter_pages.h"
#include "host/api/qi_core.h"
#include "resources/resource.h"

TabbedPanel *pageTabControl = nullptr;
TabEntry *pageTabList = nullptr;

namespace {

const TabEntry kPageTabs[] = {
    {0, 0, 0, "Element Parameters", PAGE_ELEMENT},
    {0, 0, 0, "Global Parameters", PAGE_GLOBAL},
    {0, 0, 0, "Global Fading Parameters", PAGE_FADING},
};
constexpr int16_t kPageTabCount = int16_t(sizeof kPageTabs / sizeof kPageTabs[0]);

void ReleasePageTabRecords()
{
    Qi_Free_Memory(pageTabControl);
    Qi_Free_Memory(pageTabList);
    pageTabControl = nullptr;
    pageTabList = nullptr;
}

RECT ChildRect(HWND dialog, HWND child)
{
    RECT rect = {0, 0, 0, 0};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

// The tab labels grow with the DPI, the dialog with its font's size, which
// need not keep pace: where the tabs would reach Solo, beside them on the
// strip's row, Solo moves right to clear them, and narrows so as not to
// reach Cancel beside it (never at 96 DPI).
void KeepSoloClearOfTabs(HWND dialog, HWND strip)
{
    HWND solo = GetDlgItem(dialog, IDC_SOLO);
    if (!solo)
        return;
    const int dpi = WindowDpi(dialog);
    const RECT tabs = ChildRect(dialog, strip);
    const int tabsEnd =
        tabs.left + pageTabControl->firstTabX + pageTabControl->tabsExtent + ScalePixels(2, dpi);
    const RECT box = ChildRect(dialog, solo);
    const int clear = tabsEnd + ScalePixels(4, dpi);
    if (box.left >= clear || box.bottom <= tabs.top)
        return;
    int right = clear + (box.right - box.left);
    if (HWND cancel = GetDlgItem(dialog, IDCANCEL)) {
        const RECT next = ChildRect(dialog, cancel);
        if (next.left >= box.left && next.top < box.bottom && next.bottom > box.top && right > next.left - 1)
            right = next.left - 1;
    }
    SetWindowPos(solo, nullptr, clear, box.top, right - clear, box.bottom - box.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool CreatePageTabs(HWND dialog)
{
    pageTabControl = static_cast<TabbedPanel *>(Qi_Alloc_Memory(0, 1, sizeof(TabbedPanel)));
    pageTabList = static_cast<TabEntry *>(Qi_Alloc_Memory(0, 1, sizeof kPageTabs));
    if (!pageTabControl || !pageTabList) {
        ReleasePageTabRecords();
        return false;
    }
    for (int16_t i = 0; i < kPageTabCount; ++i) {
        pageTabList[i].text = kPageTabs[i].text;
        pageTabList[i].id = kPageTabs[i].id;
    }
    pageTabControl->insetEdges = 1;
    RECT area = PageAreaRect(dialog);
    HWND strip = CreateTabbedPanel(dialog, pageTabControl, pageTabList, kPageTabCount,
                                   area.right - area.left - 2, 0, 0, 0, 0.0f);
    if (!strip) {
        ReleasePageTabRecords();
        return false;
    }
    MoveWindow(strip, area.left + 1, area.top - pageTabControl->height, pageTabControl->width,
               pageTabControl->height, TRUE);
    // The strip spans the area's width, but its tabs end long before: the
    // controls in its empty part (Solo, Cancel) lie above it and are never
    // painted over. In Tab's order it follows Redraw Now.
    SetWindowLongPtrA(strip, GWL_STYLE,
                      GetWindowLongPtrA(strip, GWL_STYLE) | WS_TABSTOP | WS_CLIPSIBLINGS);
    SetWindowPos(strip, GetDlgItem(dialog, IDC_REDRAW_NOW), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    KeepSoloClearOfTabs(dialog, strip);
    return true;
}

void SelectPageTab(int16_t pageId)
{
    if (pageTabControl && pageTabControl->hwnd)
        SendMessageA(pageTabControl->hwnd, TPM_SELECT, WPARAM(uint16_t(pageId)), 0);
}

void SwitchToPage(HWND dialog, int16_t pageId)
{
    HWND focus = GetFocus();
    const bool inDialog = focus && (focus == dialog || IsChild(dialog, focus));
    SelectPageTab(pageId);
    if (pageId != currentPage)
        ShowParameterPage(dialog, pageId);
    // A control of the page left (hidden or destroyed) had the focus.
    if (pageTabControl && pageTabControl->hwnd && inDialog &&
        (focus == dialog || !IsWindow(focus) || !IsWindowVisible(focus)))
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pageTabControl->hwnd), TRUE);
}

void ShowNeighbourPage(HWND dialog, int step)
{
    if (!pageTabControl || !pageTabControl->hwnd)
        return;
    int16_t page = NeighbourTab(pageTabList, pageTabControl->tabCount, step, true);
    if (page >= 0)
        SwitchToPage(dialog, page);
}

void DestroyPageTabs()
{
    if (pageTabControl)
        DestroyTabbedPanel(pageTabControl);
    ReleasePageTabRecords();
    DeleteTabbedPanelFonts();
}
