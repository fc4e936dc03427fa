// The preview button's subclass procedure: the left button places and drags
// the light, a right click copies a small picture to the clipboard.
#include "preview/preview.h"

namespace {

int16_t dragging = 0;  // 1 while the left button drags the light

// The light under the mouse: the buffer's rows count upwards from the
// bottom, and the buffer is one row taller than the client area.
void RedrawAtMouse(LPARAM position)
{
    int16_t x = int16_t(LOWORD(position));
    int16_t y = int16_t(previewSize[1] - int16_t(HIWORD(position)) - 1);
    RequestPreviewRedraw(x, y);
}

void Preview_OnLButtonDown(HWND window, LPARAM position)
{
    if (dragging)
        return;
    dragging = 1;
    SetCapture(window);
    RedrawAtMouse(position);
}

void Preview_OnMouseMove(LPARAM position)
{
    if (dragging)
        RedrawAtMouse(position);
}

void Preview_OnDragEnd()
{
    if (!dragging)
        return;
    ReleaseCapture();
    dragging = 0;
}

// Another window took the capture: the pointer no longer drags the light.
void Preview_OnCaptureLost(HWND window, HWND newCapture)
{
    if (newCapture != window)
        dragging = 0;
}

}  // namespace

void EndPreviewDrag()
{
    if (!dragging)
        return;
    dragging = 0;
    if (previewControl && GetCapture() == previewControl)
        ReleaseCapture();
}

LRESULT CALLBACK PreviewControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: Preview_OnLButtonDown(window, lParam); break;
    case WM_MOUSEMOVE: Preview_OnMouseMove(lParam); break;
    case WM_LBUTTONUP:
    case WM_CANCELMODE: Preview_OnDragEnd(); break;
    case WM_CAPTURECHANGED: Preview_OnCaptureLost(window, reinterpret_cast<HWND>(lParam)); break;
    case WM_RBUTTONUP: CopySmallPreviewToClipboard(); break;
    }
    return CallWindowProcA(previousPreviewProc, window, message, wParam, lParam);
}
