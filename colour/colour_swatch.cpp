// Colour swatches: owner-drawn buttons that show a colour in a black frame.
#include "colour/colour_math.h"
#include "colour/colour_selector.h"

void DrawColourSwatch(HDC dc, const RECT *rect, const float colour[3])
{
    FrameRect(dc, rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    RECT inside = *rect;
    InflateRect(&inside, -1, -1);
    HBRUSH brush = CreateSolidBrush(ColourToColorref(colour));
    if (!brush)
        return;
    FillRect(dc, &inside, brush);
    DeleteObject(brush);
}

int16_t HandleSwatchDrawItem(const DRAWITEMSTRUCT *item, const float colour[3])
{
    if (item->CtlType != ODT_BUTTON)
        return 0;
    DrawColourSwatch(item->hDC, &item->rcItem, colour);
    return 1;
}

void RefreshControl(HWND dialog, int id)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control)  // a null window would invalidate every window
        return;
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
}
