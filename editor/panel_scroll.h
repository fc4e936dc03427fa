// An element panel taller than its two columns: a thin scroll bar at the
// page area's right edge moves the panel's controls through the area, so
// that every parameter stays reachable.
#ifndef EDITOR_PANEL_SCROLL_H
#define EDITOR_PANEL_SCROLL_H

#include <windows.h>

#include "model/working_flare.h"

// After a panel was built: adds the scroll bar when the element's controls
// reach past the page area, and hides those outside it.
void FitPanelInPageArea(HWND dialog, FlareElement *element);

// WM_VSCROLL of the dialog: scrolls the current panel when it comes from
// the panel's scroll bar; false otherwise.
bool ScrollElementPanel(HWND dialog, HWND bar, int code);

// Moves a scrolled panel's controls back to where they were built.
void ScrollPanelHome(HWND dialog, const FlareElement *element);

// Destroys the scroll bar, if there is one (with its panel).
void RemovePanelScrollBar();

#endif
