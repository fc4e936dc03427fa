// The "TABBEDLF" tab strip. The window keeps a pointer to its TabbedPanel
// record in extra word 0; the layout arithmetic is in tab_layout.
#include "controls/tabbed_panel.h"

#include "controls/parent_background.h"
#include "controls/window_dpi.h"
#include "frame/bounded_text.h"
#include "frame/plugin_instance.h"

namespace {

const char kClassName[] = "TABBEDLF";
const COLORREF kSelectedLabelColour = RGB(191, 0, 0);
// Pixels at 96 DPI, scaled to the strip's DPI: a tab is kTabPadding longer
// than its label, which starts kLabelInset into it; the strip is kStripGap
// higher than the label font twice over (the tab, then the room above it).
const int kTabPadding = 13;
const int kLabelInset = 7;
const int kStripGap = 7;
const int kHitTop = 4;

// Label fonts shared by every strip: made at registration, deleted by
// DeleteTabbedPanelFonts.
HFONT horizontalFont;
HFONT verticalFont;
// The strip that holds the mouse capture since a press on one of its tabs,
// or null.
HWND capturingStrip;

struct TabPens {
    HGDIOBJ highlight;  // COLOR_BTNHIGHLIGHT, made for one paint
    HGDIOBJ shadow;     // COLOR_BTNSHADOW, made for one paint
    HGDIOBJ black;      // the stock black pen
};

// One line of a tab's outline, from its first point up to its second.
struct Segment {
    HGDIOBJ pen;
    int x1, y1, x2, y2;
};

int TabbedPanel_Px(const TabbedPanel *panel, int pixels)
{
    return ScalePixels(pixels, panel->dpi);
}

TabbedPanel *TabbedPanel_Get(HWND window)
{
    return reinterpret_cast<TabbedPanel *>(GetWindowLongPtrA(window, 0));
}

HFONT TabbedPanel_LabelFont(const TabbedPanel *panel)
{
    return panel->vertical ? verticalFont : horizontalFont;
}

int TabbedPanel_ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// Bold Arial running downwards, for labels of a vertical strip at `dpi`.
HFONT TabbedPanel_CreateVerticalFont(int dpi)
{
    int size = TabFontPointSize(GetSystemMetrics(SM_CXSCREEN));
    LOGFONTA font = {};
    font.lfHeight = -MulDiv(size - 1, dpi, 72);
    font.lfEscapement = -900;
    font.lfOrientation = -900;
    font.lfWeight = FW_BOLD;
    font.lfClipPrecision = CLIP_LH_ANGLES | CLIP_STROKE_PRECIS;
    font.lfQuality = PROOF_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    CopyText(font.lfFaceName, sizeof font.lfFaceName, "Arial");
    return CreateFontIndirectA(&font);
}

// Measures every label with the strip's font and places the tabs one after
// another; returns the font's text height.
int TabbedPanel_MeasureTabs(TabbedPanel *panel)
{
    HDC screen = GetDC(nullptr);
    HFONT font = TabbedPanel_LabelFont(panel);
    HGDIOBJ oldFont = font ? SelectObject(screen, font) : nullptr;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(screen, &metrics);
    int16_t running = 0;
    for (int i = 0; panel->tabs && i < panel->tabCount; ++i) {
        TabEntry &tab = panel->tabs[i];
        if (!tab.text)
            continue;
        SIZE size = {0, 0};
        GetTextExtentPoint32A(screen, tab.text, lstrlenA(tab.text), &size);
        running = PlaceTab(&tab, running, size.cx, TabbedPanel_Px(panel, kTabPadding));
    }
    panel->tabsExtent = running;
    if (oldFont)
        SelectObject(screen, oldFont);
    ReleaseDC(nullptr, screen);
    return metrics.tmHeight;
}

HFONT TabbedPanel_CreateHorizontalFont(int dpi)
{
    int size = TabFontPointSize(GetSystemMetrics(SM_CXSCREEN));
    return CreateFontA(MulDiv(size, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, 0, 0, 0, 0,
                       VARIABLE_PITCH | FF_SWISS, "Helv");
}

// Both label fonts anew, for `dpi`; those made before are deleted.
void TabbedPanel_CreateFonts(int dpi)
{
    DeleteTabbedPanelFonts();
    horizontalFont = TabbedPanel_CreateHorizontalFont(dpi);
    verticalFont = TabbedPanel_CreateVerticalFont(dpi);
}

void TabbedPanel_StrokeSegments(HDC dc, const Segment *segments, int count)
{
    for (int i = 0; i < count; ++i) {
        SelectObject(dc, segments[i].pen);
        MoveToEx(dc, segments[i].x1, segments[i].y1, nullptr);
        LineTo(dc, segments[i].x2, segments[i].y2);
    }
}

void TabbedPanel_DrawLabel(HDC dc, const TabEntry &tab, int x, int y, const RECT &clip)
{
    COLORREF colour = (tab.flags & kTabDisabled)   ? GetSysColor(COLOR_GRAYTEXT)
                      : (tab.flags & kTabSelected) ? kSelectedLabelColour
                                                   : GetSysColor(COLOR_WINDOWTEXT);
    COLORREF oldColour = SetTextColor(dc, colour);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    ExtTextOutA(dc, x, y, ETO_CLIPPED, &clip, tab.text, lstrlenA(tab.text), nullptr);
    SetBkMode(dc, oldMode);
    SetTextColor(dc, oldColour);
}

// A horizontal tab at x; the selected one stands 3 pixels higher and 2
// wider, over the next tab's left edge, and its foot merges with the panel.
void TabbedPanel_DrawHorizontalTab(const TabbedPanel *panel, HDC dc, const TabEntry &tab, int x,
                                   int textHeight, const TabPens &pens, bool previousSelected)
{
    bool selected = (tab.flags & kTabSelected) != 0;
    int h = panel->height;
    int inset = panel->insetEdges ? 1 : 0;
    int top = h - textHeight - TabbedPanel_Px(panel, selected ? 6 : 3);
    int right = x + tab.extent + (selected ? TabbedPanel_Px(panel, 2) : 0) - 1;
    const int foot = h - TabbedPanel_Px(panel, 2);
    TabbedPanel_DrawLabel(dc, tab, x + TabbedPanel_Px(panel, kLabelInset),
                          selected ? h - TabbedPanel_Px(panel, 4) : foot, {x, top, x + tab.extent, h});
    if (selected && GetFocus() == panel->hwnd) {
        RECT focus = {x + 3, top + 1, x + tab.extent - 3, foot};
        DrawFocusRect(dc, &focus);
    }
    if (selected) {
        RECT footBox = {x, foot, x + tab.extent, h};
        FillRect(dc, &footBox, panel->selectedBrush);
    }
    const Segment outline[] = {
        {pens.highlight, x, h - 1, x, top - 1},
        {pens.highlight, x + 1, top - 1, x + 2, top - 1},
        {pens.highlight, x + 2, top - 2, right - 1, top - 2},
        {pens.black, right, h - inset, right, top - 1},
        {pens.black, right - 1, top - 1, right, top - 1},
        {pens.shadow, right - 1, h - inset, right - 1, top - 1},
    };
    int first = previousSelected ? 2 : 0;
    TabbedPanel_StrokeSegments(dc, outline + first, 6 - first);
}

// A vertical tab at y; its label is drawn only with a font that can turn.
void TabbedPanel_DrawVerticalTab(const TabbedPanel *panel, HDC dc, const TabEntry &tab, int y,
                                 const TEXTMETRICA &metrics, const TabPens &pens, bool previousSelected)
{
    bool selected = (tab.flags & kTabSelected) != 0;
    int r = metrics.tmHeight + TabbedPanel_Px(panel, selected ? 11 : 8);
    int o = selected ? -1 : 0;
    int end = y + tab.extent + (selected ? TabbedPanel_Px(panel, 2) : 0);
    if (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE))
        TabbedPanel_DrawLabel(dc, tab, TabbedPanel_Px(panel, selected ? 6 : 4),
                              y + TabbedPanel_Px(panel, kLabelInset), {1, y, r, y + tab.extent});
    const Segment outline[] = {
        {pens.highlight, 1, y, r - 1, y},
        {pens.black, r, y + 2, r, end - 2},
        {pens.shadow, r - 1, y + 1, r - 1, end - 2},
        {pens.shadow, r - 2, end - 3, r - 1, end - 3},
        {pens.black, 1 + o, end - 1, r - 1, end - 1},
        {pens.black, r - 1 + o, end - 2, r, end - 2},
        {pens.shadow, 1 + o, end - 2, r - 1, end - 2},
    };
    int first = previousSelected ? 1 : 0;
    TabbedPanel_StrokeSegments(dc, outline + first, 7 - first);
}

void TabbedPanel_Draw(const TabbedPanel *panel, HWND window, HDC dc)
{
    TabPens pens = {CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT)),
                    CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)), GetStockObject(BLACK_PEN)};
    UINT oldAlign = SetTextAlign(dc, TA_BOTTOM);
    HFONT font = TabbedPanel_LabelFont(panel);
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    HGDIOBJ oldPen = SelectObject(dc, pens.black);
    if (panel->vertical) {
        RECT client;
        GetClientRect(window, &client);
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 0, client.bottom);
    }
    int position = panel->vertical ? panel->firstTabY : panel->firstTabX;
    bool previousSelected = false;
    for (int i = 0; panel->tabs && i < panel->tabCount; ++i) {
        const TabEntry &tab = panel->tabs[i];
        if (!tab.text)
            continue;
        if (panel->vertical)
            TabbedPanel_DrawVerticalTab(panel, dc, tab, position, metrics, pens, previousSelected);
        else
            TabbedPanel_DrawHorizontalTab(panel, dc, tab, position, metrics.tmHeight, pens, previousSelected);
        previousSelected = (tab.flags & kTabSelected) != 0;
        position += tab.extent;
    }
    SelectObject(dc, oldPen);
    if (oldFont)
        SelectObject(dc, oldFont);
    SetTextAlign(dc, oldAlign);
    DeleteObject(pens.highlight);
    DeleteObject(pens.shadow);
}

LRESULT TabbedPanel_OnEraseBackground(const TabbedPanel *panel, HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, panel->backgroundBrush);
    return 1;
}

void TabbedPanel_Report(TabbedPanel *panel, int16_t id, int16_t rightButton)
{
    if (panel->onClick)
        panel->onClick(id, panel, rightButton);
    else if (!rightButton)
        SendMessageA(panel->parent, TPN_CLICKED, static_cast<WPARAM>(id),
                     reinterpret_cast<LPARAM>(panel));
}

// A press on an enabled tab takes the capture and reports the click; the
// selection waits for the parent's TPM_SELECT.
void TabbedPanel_OnButtonDown(TabbedPanel *panel, HWND window, int16_t x, int16_t y, int16_t rightButton)
{
    int16_t id = HitTestTab(panel, x, y);
    if (id < 0)
        return;
    SetCapture(window);
    capturingStrip = window;
    TabbedPanel_Report(panel, id, rightButton);
}

// With the focus, Left and Right report the tab beside the selected one as
// a click on it would.
void TabbedPanel_OnKeyDown(TabbedPanel *panel, UINT key)
{
    if (key != VK_LEFT && key != VK_RIGHT)
        return;
    int16_t id = NeighbourTab(panel->tabs, panel->tabCount, key == VK_RIGHT ? 1 : -1, false);
    if (id >= 0)
        TabbedPanel_Report(panel, id, 0);
}

// Either button's release ends the capture that either button's press took;
// a capture another window has taken since is left to it. The strip's
// destruction ends it too: not every system tells a window that it loses
// the capture by its destruction.
void TabbedPanel_EndCapture(HWND window)
{
    if (capturingStrip != window)
        return;
    capturingStrip = nullptr;
    if (GetCapture() == window)
        ReleaseCapture();
}

void TabbedPanel_OnCaptureLost(HWND window, HWND newCapture)
{
    if (capturingStrip == window && newCapture != window)
        capturingStrip = nullptr;
}

void TabbedPanel_Repaint(HWND window)
{
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void TabbedPanel_OnSelect(TabbedPanel *panel, int16_t id)
{
    if (!panel->hwnd)
        return;
    SelectTabEntry(panel->tabs, panel->tabCount, id);
    TabbedPanel_Repaint(panel->hwnd);
}

void TabbedPanel_OnLayout(TabbedPanel *panel, HWND window)
{
    if (panel->vertical)
        panel->firstTabY = FirstTabPosition(panel->height, panel->tabsExtent, panel->centreTabs != 0);
    else
        panel->firstTabX = FirstTabPosition(panel->width, panel->tabsExtent, panel->centreTabs != 0);
    TabbedPanel_Repaint(window);
}

void TabbedPanel_OnNcDestroy(TabbedPanel *panel, HWND window)
{
    ReleaseOwnBackground(window, &panel->backgroundBrush);
    if (panel->selectedBrush)
        DeleteObject(panel->selectedBrush);
    panel->selectedBrush = nullptr;
    panel->hwnd = nullptr;
    SetWindowLongPtrA(window, 0, 0);
}

}  // namespace

HFONT CreateTabbedPanelFont()
{
    return TabbedPanel_CreateHorizontalFont(TabbedPanel_ScreenDpi());
}

void RegisterTabbedPanelClass()
{
    // The fonts are made anew at every registration; those of the last one are deleted first.
    TabbedPanel_CreateFonts(TabbedPanel_ScreenDpi());
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = TabbedPanelWndProc;
    windowClass.cbWndExtra = sizeof(TabbedPanel *);
    windowClass.hInstance = moduleHandle;
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
}

HWND CreateTabbedPanel(HWND parent, TabbedPanel *record, TabEntry *tabs, int16_t count, int width, int height,
                       int16_t centreTabs, int16_t vertical, float scale)
{
    record->parent = parent;
    record->centreTabs = centreTabs;
    record->tabCount = count;
    record->tabs = tabs;
    record->vertical = vertical;
    record->firstTabX = 0;
    record->firstTabY = 0;
    record->onClick = nullptr;
    record->backgroundBrush = CreateSolidBrush(GetSysColor(COLOR_WINDOW));
    record->selectedBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    record->dpi = int16_t(WindowDpi(parent));
    const int gap = TabbedPanel_Px(record, kStripGap);
    record->stripHeight = static_cast<uint16_t>(TabbedPanel_MeasureTabs(record) + gap);
    int16_t across = static_cast<int16_t>(record->stripHeight + gap);
    if (vertical) {
        record->width = across;
        record->height = StripLength(height, GetSystemMetrics(SM_CYSCREEN), scale);
    } else {
        record->width = StripLength(width, GetSystemMetrics(SM_CXSCREEN), scale);
        record->height = across;
    }
    record->hwnd = CreateWindowExA(0, kClassName, nullptr, WS_CHILD, 0, 0, record->width, record->height,
                                   parent, nullptr, moduleHandle, nullptr);
    if (!record->hwnd) {
        DeleteObject(record->backgroundBrush);
        DeleteObject(record->selectedBrush);
        record->backgroundBrush = nullptr;
        record->selectedBrush = nullptr;
        return nullptr;
    }
    // Owner: the window deletes both brushes it made at WM_NCDESTROY, never one the parent gave.
    KeepOwnBackground(record->hwnd, record->backgroundBrush);
    SetWindowLongPtrA(record->hwnd, 0, reinterpret_cast<LONG_PTR>(record));
    SendMessageA(record->hwnd, TPM_LAYOUT, 0, 0);
    return record->hwnd;
}

void AdoptTabbedPanelBackground(HWND parent, TabbedPanel *record)
{
    if (record->hwnd)
        record->backgroundBrush = AdoptParentBrush(parent, record->hwnd, record->backgroundBrush);
}

void UpdateTabbedPanelDpi(TabbedPanel *record)
{
    if (!record->hwnd || !TakeWindowDpi(record->hwnd, &record->dpi))
        return;
    const int dpi = record->dpi;
    // The label fonts, shared by the strips of the one editor, follow it.
    TabbedPanel_CreateFonts(dpi);
    const int gap = TabbedPanel_Px(record, kStripGap);
    record->stripHeight = static_cast<uint16_t>(TabbedPanel_MeasureTabs(record) + gap);
    if (record->vertical)
        record->width = static_cast<int16_t>(record->stripHeight + gap);
    else
        record->height = static_cast<int16_t>(record->stripHeight + gap);
    SetWindowPos(record->hwnd, nullptr, 0, 0, record->width, record->height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(record->hwnd, TPM_LAYOUT, 0, 0);
}

void DestroyTabbedPanel(TabbedPanel *record)
{
    if (record->hwnd)
        DestroyWindow(record->hwnd);
    record->hwnd = nullptr;
}

void DeleteTabbedPanelFonts()
{
    if (!horizontalFont)
        return;
    DeleteObject(horizontalFont);
    DeleteObject(verticalFont);
    horizontalFont = nullptr;
    verticalFont = nullptr;
}

int16_t HitTestTab(const TabbedPanel *record, int16_t x, int16_t y)
{
    if (!record)
        return -1;
    if (record->vertical)
        return HitTestTabEntries(record->tabs, record->tabCount, record->firstTabY, y, x, 0,
                                 record->width - TabbedPanel_Px(record, kHitTop));
    return HitTestTabEntries(record->tabs, record->tabCount, record->firstTabX, x, y,
                             TabbedPanel_Px(record, kHitTop), record->height);
}

void PaintTabbedPanel(HWND window, const TabbedPanel *record)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (record)
        TabbedPanel_Draw(record, window, dc);
    EndPaint(window, &paint);
}

LRESULT CALLBACK TabbedPanelWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TabbedPanel *panel = TabbedPanel_Get(window);
    if (!panel)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        PaintTabbedPanel(window, panel);
        return 0;
    case WM_PRINTCLIENT:
        TabbedPanel_Draw(panel, window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return TabbedPanel_OnEraseBackground(panel, window, reinterpret_cast<HDC>(wParam));
    case WM_LBUTTONDOWN:
        TabbedPanel_OnButtonDown(panel, window, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam), 0);
        return 0;
    case WM_RBUTTONDOWN:
        TabbedPanel_OnButtonDown(panel, window, (SHORT)LOWORD(lParam), (SHORT)HIWORD(lParam), 1);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        TabbedPanel_EndCapture(window);
        return 0;
    case WM_CAPTURECHANGED:
        TabbedPanel_OnCaptureLost(window, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DESTROY:
        TabbedPanel_EndCapture(window);
        break;
    case WM_MOUSEMOVE:
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_KEYDOWN:
        TabbedPanel_OnKeyDown(panel, UINT(wParam));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TabbedPanel_Repaint(window);
        return 0;
    case TPM_SELECT:
        TabbedPanel_OnSelect(panel, (int16_t)LOWORD(wParam));
        return 0;
    case TPM_LAYOUT:
        TabbedPanel_OnLayout(panel, window);
        return 0;
    case kDpiChangedAfterParentMessage:
        UpdateTabbedPanelDpi(panel);
        return 0;
    case WM_NCDESTROY:
        TabbedPanel_OnNcDestroy(panel, window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
