// The tab strip "TABBEDLF": a row (or column) of raised, labelled tabs. It
// holds no pages: a click is reported to the parent, which answers with
// TPM_SELECT to show the tab as selected.
#ifndef CONTROLS_TABBED_PANEL_H
#define CONTROLS_TABBED_PANEL_H

#include <windows.h>

#include <cstdint>

#include "controls/tab_layout.h"

struct TabbedPanel;

// Called on a click instead of notifying the parent: the tab id, the strip,
// and 1 for the right button, 0 for the left.
typedef void (*TabClickFn)(int16_t id, TabbedPanel *panel, int16_t rightButton);

// Strip to parent: a tab was clicked; wParam the tab id, lParam the TabbedPanel.
constexpr UINT TPN_CLICKED = WM_USER + 39;
// Owner to strip: show the tab whose id is the low word of wParam as selected.
constexpr UINT TPM_SELECT = WM_USER + 40;
// Owner to strip: place the tabs anew after a change of size or centring.
constexpr UINT TPM_LAYOUT = WM_USER + 41;

// One strip; the owner allocates it zero-filled, may set insetEdges before
// creation, and keeps it until the strip is destroyed.
struct TabbedPanel {
    HWND hwnd;               // the strip window; null when creation failed or after destruction
    int16_t width;           // window width in pixels
    int16_t height;          // window height in pixels
    int16_t tabCount;        // number of entries in tabs
    uint16_t stripHeight;    // label font's text height + 7
    int16_t tabsExtent;      // end of the last tab: the sum of all extents
    int16_t firstTabX;       // horizontal strip: x of the first tab
    int16_t firstTabY;       // vertical strip: y of the first tab
    int16_t centreTabs;      // nonzero: the tabs are centred along the strip
    int16_t insetEdges;      // nonzero: right edges of horizontal tabs stop one pixel above the bottom
    int16_t vertical;        // 0: tabs side by side; nonzero: tabs stacked in a column
    TabClickFn onClick;      // click callback replacing TPN_CLICKED, or null
    HWND parent;             // receives TPN_CLICKED
    HBRUSH backgroundBrush;  // fills the strip's background
    HBRUSH selectedBrush;    // fills the foot of the selected horizontal tab
    TabEntry *tabs;          // the tabs, not owned
    int16_t dpi;             // DPI its pixel constants are scaled to, from the parent at creation
};

// Makes the label fonts anew and registers the window class with the
// plug-in module; registering again fails harmlessly.
void RegisterTabbedPanelClass();

// A new horizontal label font sized for the screen; the caller deletes it.
HFONT CreateTabbedPanelFont();

// Measures and places the tabs and creates the strip (hidden) under
// `parent`. A width or height of 0 takes the screen's; a nonzero scale
// multiplies the length along the strip. Returns the window or null.
HWND CreateTabbedPanel(HWND parent, TabbedPanel *record, TabEntry *tabs, int16_t count, int width, int height,
                       int16_t centreTabs, int16_t vertical, float scale);

// Fills the background from now on with the brush `parent` uses for itself.
void AdoptTabbedPanelBackground(HWND parent, TabbedPanel *record);

// Takes the window's DPI anew (after a move to a monitor with another one):
// the tabs are measured and placed again and the strip's height follows;
// the owner places the strip. The strip does this itself on
// WM_DPICHANGED_AFTERPARENT.
void UpdateTabbedPanelDpi(TabbedPanel *record);

// Destroys the strip window; the owner frees the record and the tabs.
void DestroyTabbedPanel(TabbedPanel *record);

// Deletes the label fonts; once the last strip is gone.
void DeleteTabbedPanelFonts();

// The id of the enabled tab at client point (x, y), or -1.
int16_t HitTestTab(const TabbedPanel *record, int16_t x, int16_t y);

// Draws the tabs in WM_PAINT; the background is left to WM_ERASEBKGND.
void PaintTabbedPanel(HWND window, const TabbedPanel *record);

LRESULT CALLBACK TabbedPanelWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
