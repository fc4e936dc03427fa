// The editor's resizing rules as plain arithmetic: where each control goes
// when the dialog's client area is larger than the template's, and where a
// kept window placement lands on the screen. No window calls here.
#ifndef EDITOR_LAYOUT_RULES_H
#define EDITOR_LAYOUT_RULES_H

#include <cstddef>

struct LayoutBox {
    int left, top, right, bottom;  // pixels, right and bottom exclusive
};

// How a control follows the growth (dx, dy) of the client area beyond the
// template's size.
enum LayoutAnchor {
    ANCHOR_DOWN,          // moves down by dy (the page area, its controls, the preview's switches)
    ANCHOR_GROW,          // grows by dx and dy (the preview and its frame)
    ANCHOR_RIGHT,         // moves right by dx (the right-hand column's top)
    ANCHOR_RIGHT_TALLER,  // moves right by dx and grows by dy (the element list)
    ANCHOR_RIGHT_DOWN     // moves right by dx and down by dy (the buttons under the list)
};

// The anchor of a control of the template by its id; ANCHOR_DOWN for
// everything else (the pages and whatever they hold).
LayoutAnchor AnchorOfControl(int id);

// The growth of the client area over the template's, never negative: the
// template's size is the smallest.
void LayoutGrowth(int templateWidth, int templateHeight, int width, int height, int *dx, int *dy);

// A control's box at growth (dx, dy) from its box at the template's size.
LayoutBox PlaceControl(LayoutAnchor anchor, LayoutBox atTemplate, int dx, int dy);

// A light position kept at its relative place when the preview changes
// from oldSize to newSize pixels along one axis.
int ScaleLightPosition(int position, int oldSize, int newSize);

// The kept window placement: the normal (restored) window box and whether
// the window was maximised. Text form "left,top,right,bottom,maximised".
struct WindowPlacementText {
    LayoutBox box;
    bool maximised;
};
bool ParseWindowPlacement(const char *text, WindowPlacementText *placement);
void FormatWindowPlacement(const WindowPlacementText &placement, char *text, size_t size);

// A window box made to fit on a work area: no smaller than the minimum, no
// larger than the work area, and moved wholly onto it.
LayoutBox FitOnWorkArea(LayoutBox box, LayoutBox workArea, int minWidth, int minHeight);

#endif
