// The white outline a radius slider draws around the light on the preview
// while its thumb moves; the preview's next repaint removes it.
#include "editor/element_panel.h"

#include <cmath>

#include "controls/slider_math.h"
#include "editor/editor_state.h"
#include "preview/preview.h"

void DrawRadiusOverlay(QiToken phase, uint16_t, float value)
{
    static const QiToken update = Qi_Inquire_Token("update");
    const WorkingFlare *flare = currentInstance ? currentInstance->workingFlare : nullptr;
    if (phase != update || !flare || !previewControl)
        return;
    // The radius counts in half the preview's smaller side, times the global
    // scale; the anamorphic stretch squeezes it vertically.
    float h = value * flare->scale;
    float stretch = flare->anamorphicstretch;
    float v = (stretch == 1.0f || stretch == 0.0f || !std::isfinite(stretch)) ? h : h / stretch;

    InvalidateRect(previewControl, nullptr, FALSE);
    UpdateWindow(previewControl);

    RECT client;
    GetClientRect(previewControl, &client);
    int width = client.right - client.left + 1, height = client.bottom - client.top + 1;
    float r = float((width < height ? width : height) / 2);
    // The light lies in the preview, so an outline farther out than this is
    // out of sight or within a pixel of where it is drawn; the system draws
    // an ellipse point by point, so one of the host's largest radii at its
    // largest scale would take minutes.
    const float farthest = 32768.0f;
    float across = std::fmin(r * h, farthest), up = std::fmin(r * v, farthest);
    int left = TruncateToInt32(float(lightX) - across);
    int right = TruncateToInt32(float(lightX) + across);
    int low = TruncateToInt32(float(lightY) - up);
    int high = TruncateToInt32(float(lightY) + up);

    HDC dc = GetDC(previewControl);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(WHITE_PEN));
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HRGN clip = CreateRectRgn(0, 0, client.right, client.bottom);
    SelectClipRgn(dc, clip);
    // The light's y counts upward from the bottom row.
    int bottom = client.bottom;
    Ellipse(dc, left + 1, bottom - low - 1, right + 1, bottom - high - 1);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SelectClipRgn(dc, nullptr);
    ReleaseDC(previewControl, dc);
    DeleteObject(clip);
}

void OnRadiusSliderDrag(QiToken phase, uint16_t controlId, float value)
{
    OnSliderDrag(phase, controlId, value);
    DrawRadiusOverlay(phase, controlId, value);
}
