// Drawing of the gradient control: the whole picture (bar, caps, markers,
// menu button) is built in an off-screen bitmap and copied in one
// operation, so that a pivot dragged across the bar does not flicker; the
// label row above the control is drawn on the control's own context.
#include <cstdio>

#include "gradient/colour_slider.h"

namespace {

const COLORREF kSelectedMarker = RGB(0, 192, 0);
const COLORREF kMenuButton = RGB(255, 255, 0);
// Markers span these rows of the picture.
const int32_t kMarkerTop = 7;
const int32_t kMarkerShoulder = 12;
const int32_t kMarkerBottom = 22;
const int32_t kMarkerHalfWidth = 3;

int32_t ClampPosition(int32_t position)
{
    if (position < 0)
        return 0;
    return position > GRADIENT_LAST_POSITION ? GRADIENT_LAST_POSITION : position;
}

uint32_t Mix(uint32_t left, uint32_t right, double t)
{
    uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        double a = double((left >> shift) & 0xFF);
        double b = double((right >> shift) & 0xFF);
        mixed |= (uint32_t(int32_t(a * (1.0 - t) + b * t)) & 0xFF) << shift;
    }
    return mixed;
}

// One segment of the bar, a column at a time in the column's colour (the
// DC pen is selected). Columns stop at the bar's end.
void DrawBand(HDC dc, int32_t h, int32_t w, double scale, int32_t from, int32_t to,
              uint32_t left, uint32_t right)
{
    int32_t x1 = int32_t(ClampPosition(from) * scale);
    int32_t x2 = int32_t(ClampPosition(to) * scale);
    for (int32_t x = x1; x < x2 && x < w + h; ++x) {
        SetDCPenColor(dc, Mix(left, right, double(x - x1) / double(x2 - x1)));
        MoveToEx(dc, h + x, 0, nullptr);
        LineTo(dc, h + x, h);
    }
}

void DrawLine(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The colour bands between the pivots, then the bar's black top and bottom
// edges. The bar always shows linear interpolation, whatever the table says.
void DrawBar(HDC dc, int32_t h, int32_t w, const GradientPivots &table, int32_t count)
{
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(DC_PEN));
    const double scale = w / 99.0;
    if (count == 1)
        DrawBand(dc, h, w, scale, table.position[0], GRADIENT_LAST_POSITION, table.colour[0],
                 table.colour[0]);
    for (int32_t i = 1; i < count; ++i)
        DrawBand(dc, h, w, scale, table.position[i - 1], table.position[i],
                 table.colour[i - 1], table.colour[i]);
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DrawLine(dc, h, 0, h + w, 0);
    DrawLine(dc, h, h, h + w, h);
    SelectObject(dc, oldPen);
}

// A triangle outlined in black and filled with `colour`, then a line of
// `lineWidth` pixels in that colour over its side along the bar at x.
void DrawCap(HDC dc, const POINT corners[3], int x, int h, uint32_t colour, int lineWidth)
{
    HBRUSH fill = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    SetPolyFillMode(dc, WINDING);
    Polygon(dc, corners, 3);
    SelectObject(dc, oldBrush);
    DeleteObject(fill);
    HPEN side = CreatePen(PS_SOLID, lineWidth, colour);
    SelectObject(dc, side);
    DrawLine(dc, x, 1, x, h - 1);
    SelectObject(dc, oldPen);
    DeleteObject(side);
}

}  // namespace

uint32_t CColourSlider::Shown(uint32_t colour) const
{
    return intensityOnly ? GreyOf(colour) : colour;
}

// The label row lies above the window, in the parent's client area: it is
// drawn through a context of the parent whose origin is the control's, so
// that it shows whether or not the system lets a child with CS_PARENTDC draw
// outside itself (Wine clips it to the child).
void CColourSlider::DrawGradient(const GradientPivots *source)
{
    HDC controlDc = GetDC(hwndControl);
    if (!controlDc)
        return;
    HDC labelDc = GetDC(hwndParent);
    if (labelDc) {
        RECT rect = ControlRectInParent();
        SetViewportOrgEx(labelDc, rect.left, rect.top, nullptr);
    }
    PaintGradient(controlDc, labelDc ? labelDc : controlDc, source);
    if (labelDc)
        ReleaseDC(hwndParent, labelDc);
    ReleaseDC(hwndControl, controlDc);
}

// The picture on the control's context (or on a context that stands for
// it), the label row on labelDc, whose origin is the control's too.
void CColourSlider::PaintGradient(HDC controlDc, HDC labelDc, const GradientPivots *source)
{
    const GradientPivots table = *source;
    GradientPivots shown = table;
    for (uint32_t &colour : shown.colour)
        colour = Shown(colour);
    const int32_t h = barHeight;
    const int32_t w = barWidth;
    const int32_t width = 2 * h + w;
    const int32_t count = table.count < 0 ? 0
                          : table.count > GRADIENT_CAPACITY ? GRADIENT_CAPACITY : table.count;
    HDC dc = CreateCompatibleDC(controlDc);
    HBITMAP bitmap = dc ? CreateCompatibleBitmap(controlDc, width, 2 * h) : nullptr;
    if (!bitmap) {
        if (dc)
            DeleteDC(dc);
        return;
    }
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    SetMapMode(dc, GetMapMode(controlDc));
    RECT all = {0, 0, width, 2 * h};
    FillRect(dc, &all, backgroundBrush);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));

    DrawBar(dc, h, w, shown, count);
    // A table without pivots has caps without colour.
    if (count > 0) {
        const POINT left[3] = {{h, 0}, {0, 0}, {h, h}};
        DrawCap(dc, left, h, h, shown.colour[0], 1);
        const POINT right[3] = {{h + w, 0}, {2 * h + w, 0}, {h + w, h}};
        DrawCap(dc, right, h + w, h, shown.colour[count - 1], 2);
    }

    if (!closing)
        ClearLabelRow(labelDc);
    for (int32_t i = 0; i < count; ++i)
        DrawPivotMarker(dc, labelDc, POINT{h, 0}, SIZE{w, h}, table.position[i],
                        table.colour[i], table.selected[i]);
    if (hasMenuButton)
        DrawMenuButton(dc);

    BitBlt(controlDc, barLeft - h, barTop, width, 2 * h, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

void CColourSlider::DrawPivotMarker(HDC dc, HDC controlDc, POINT origin, SIZE bar,
                                    int32_t position, uint32_t colour, uint8_t selected)
{
    if (closing)
        return;
    position = ClampPosition(position);
    const int x = origin.x + bar.cx * position / 99;
    const int32_t top = Px(kMarkerTop), shoulder = Px(kMarkerShoulder), bottom = Px(kMarkerBottom);
    const int32_t half = Px(kMarkerHalfWidth);
    const POINT outline[5] = {{x, top},             {x + half, shoulder}, {x + half, bottom},
                              {x - half, bottom},   {x - half, shoulder}};
    HBRUSH fill = selected ? CreateSolidBrush(kSelectedMarker) : GetSysColorBrush(COLOR_BTNFACE);
    HGDIOBJ oldBrush = SelectObject(dc, fill);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    SetPolyFillMode(dc, WINDING);
    Polygon(dc, outline, 5);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    if (!selected)
        return;
    DeleteObject(fill);
    DrawLabelRow(controlDc, position, colour);
}

// Clears the row above the control, where the selected pivot's values
// stand, with the parent's own background; drawn afresh every time, so
// that no text outlives its selection.
void CColourSlider::ClearLabelRow(HDC controlDc)
{
    HGDIOBJ oldFont = SelectObject(controlDc, GetStockObject(ANSI_VAR_FONT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(controlDc, &metrics);
    SelectObject(controlDc, oldFont);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(hwndParent, WM_CTLCOLORDLG,
                                                       reinterpret_cast<WPARAM>(controlDc),
                                                       reinterpret_cast<LPARAM>(hwndParent)));
    RECT row = {0, -metrics.tmHeight, 2 * barHeight + barWidth, 0};
    FillRect(controlDc, &row, brush ? brush : backgroundBrush);
}

void CColourSlider::DrawLabelRow(HDC dc, int32_t position, uint32_t colour)
{
    char text[64];
    if (intensityOnly)
        std::snprintf(text, sizeof text, "Intensity=%d,Pos=%d", int(IntensityOf(colour)),
                      int(position));
    else
        std::snprintf(text, sizeof text, "R=%d,G=%d,B=%d,Pos=%d", int(colour & 0xFF),
                      int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF), int(position));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    UINT oldAlign = SetTextAlign(dc, TA_RIGHT | TA_BOTTOM);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColour = SetTextColor(dc, RGB(0, 0, 0));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    // The text ends at the right edge, a sixth of its height above the control.
    const int16_t y = int16_t(-(size.cy / 6));
    TextOutA(dc, int16_t(2 * barHeight + barWidth), y, text, lstrlenA(text));
    // The label's letter after "&" is underlined; the focus frames the label.
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    RECT box = {0, 0, 0, 0};
    DrawTextA(dc, label ? label : "", -1, &box, DT_CALCRECT | DT_SINGLELINE);
    OffsetRect(&box, 0, y - box.bottom);
    DrawTextA(dc, label ? label : "", -1, &box, DT_SINGLELINE | DT_NOCLIP);
    if (hwndControl && GetFocus() == hwndControl) {
        // Within the row that every drawing clears first.
        RECT focus = {0, -size.cy, box.right + 1, y + 1};
        DrawFocusRect(dc, &focus);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
    SetTextAlign(dc, oldAlign);
    SelectObject(dc, oldFont);
}

// A small yellow triangle pointing right at the right end, at mid height.
void CColourSlider::DrawMenuButton(HDC dc)
{
    const int32_t r = int16_t(2 * barHeight + barWidth);
    const int32_t h = barHeight;
    const int32_t left = r - Px(6);
    const POINT fill[3] = {{r - 1, h}, {left, h - Px(3)}, {left, h + Px(5)}};
    HRGN region = CreatePolygonRgn(fill, 3, ALTERNATE);
    HBRUSH yellow = CreateSolidBrush(kMenuButton);
    FillRgn(dc, region, yellow);
    DeleteObject(yellow);
    DeleteObject(region);
    const POINT outline[4] = {{r - 1, h}, {left, h - Px(5)}, {left, h + Px(5)}, {r - 1, h}};
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Polyline(dc, outline, 4);
    SelectObject(dc, oldPen);
}

void GradientControlLayout(int32_t barHeight, int32_t *windowHeight, int32_t *labelOffset)
{
    HDC screen = GetDC(nullptr);
    HGDIOBJ oldFont = SelectObject(screen, GetStockObject(ANSI_VAR_FONT));
    SIZE size = {0, 0};
    GetTextExtentPoint32A(screen, "M", 1, &size);
    SelectObject(screen, oldFont);
    ReleaseDC(nullptr, screen);
    *windowHeight = barHeight + size.cy + 7;
    *labelOffset = -size.cy;
}
