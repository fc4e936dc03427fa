#include "editor/layout_rules.h"

#include <algorithm>
#include <cstdio>

#include "resources/resource.h"

namespace {

// Ok and Cancel (the system's ids) and the element list's caption, a
// static without an id of its own.
constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kListCaption = 0xFFFF;

}  // namespace

LayoutAnchor AnchorOfControl(int id)
{
    switch (id) {
    case IDC_PREVIEW:
    case IDC_PREVIEW_GROUP:
        return ANCHOR_GROW;
    case kOk: case IDC_HELP_BUTTON: case IDC_LIBRARY_LOAD: case IDC_LIBRARY_SAVE:
    case IDC_PRESETS: case kListCaption:
        return ANCHOR_RIGHT;
    case IDC_ELEMENT_LIST:
        return ANCHOR_RIGHT_TALLER;
    case IDC_ELEMENT_ENABLED: case IDC_ADD_ELEMENT: case IDC_COPY_ELEMENT:
    case IDC_REMOVE_ELEMENT: case IDC_MOVE_DOWN: case IDC_MOVE_UP: case IDC_SOLO: case kCancel:
        return ANCHOR_RIGHT_DOWN;
    }
    return ANCHOR_DOWN;
}

void LayoutGrowth(int templateWidth, int templateHeight, int width, int height, int *dx, int *dy)
{
    *dx = std::max(0, width - templateWidth);
    *dy = std::max(0, height - templateHeight);
}

LayoutBox PlaceControl(LayoutAnchor anchor, LayoutBox box, int dx, int dy)
{
    switch (anchor) {
    case ANCHOR_DOWN:
        return {box.left, box.top + dy, box.right, box.bottom + dy};
    case ANCHOR_GROW:
        return {box.left, box.top, box.right + dx, box.bottom + dy};
    case ANCHOR_RIGHT:
        return {box.left + dx, box.top, box.right + dx, box.bottom};
    case ANCHOR_RIGHT_TALLER:
        return {box.left + dx, box.top, box.right + dx, box.bottom + dy};
    case ANCHOR_RIGHT_DOWN:
        return {box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
    }
    return box;
}

int ScaleLightPosition(int position, int oldSize, int newSize)
{
    if (oldSize <= 0)
        return position;
    // Rounded to the nearest pixel, so that a round trip between two sizes
    // does not drift the light towards the origin.
    long long scaled = (2LL * position * newSize + oldSize) / (2LL * oldSize);
    return int(scaled);
}

bool ParseWindowPlacement(const char *text, WindowPlacementText *placement)
{
    int left = 0, top = 0, right = 0, bottom = 0, maximised = 0;
    char rest = 0;
    if (!text || std::sscanf(text, "%d,%d,%d,%d,%d%c", &left, &top, &right, &bottom, &maximised,
                             &rest) != 5)
        return false;
    // Far beyond any screen is garbage too, and would overflow the sizes.
    const int far = 1000000;
    for (int v : {left, top, right, bottom})
        if (v < -far || v > far)
            return false;
    if (right <= left || bottom <= top || (maximised != 0 && maximised != 1))
        return false;
    placement->box = {left, top, right, bottom};
    placement->maximised = maximised != 0;
    return true;
}

void FormatWindowPlacement(const WindowPlacementText &placement, char *text, size_t size)
{
    std::snprintf(text, size, "%d,%d,%d,%d,%d", placement.box.left, placement.box.top,
                  placement.box.right, placement.box.bottom, placement.maximised ? 1 : 0);
}

LayoutBox FitOnWorkArea(LayoutBox box, LayoutBox area, int minWidth, int minHeight)
{
    int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
    int width = std::clamp(box.right - box.left, minWidth, std::max(minWidth, areaWidth));
    int height = std::clamp(box.bottom - box.top, minHeight, std::max(minHeight, areaHeight));
    // Onto the area: the right and bottom edges first, so that a window
    // larger than the area keeps its top-left corner (and its caption) on it.
    int left = std::max(area.left, std::min(box.left, area.right - width));
    int top = std::max(area.top, std::min(box.top, area.bottom - height));
    return {left, top, left + width, top + height};
}
