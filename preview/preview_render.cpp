// Rendering the preview: the buffer, the synchronous render with its
// progress bar, and the wait cursor.
#include "preview/preview.h"

#include "frame/plugin_instance.h"

HWND previewControl = nullptr;
int16_t previewSize[2] = {0, 0};
DisplayBitmap previewBitmap = {};
int16_t lightX = 0, lightY = 0;
int16_t previewBusy = 0;
HCURSOR arrowCursor = nullptr, waitCursor = nullptr;
WNDPROC previousPreviewProc = nullptr;
PreviewSourceFn previewSource = nullptr;
PreviewShownFn previewShown = nullptr;

namespace {

QiGBuffer *previewBuffer = nullptr;
int16_t progressLength = 0;      // pixels of the progress bar drawn so far
HCURSOR currentCursor = nullptr; // re-established on WM_SETCURSOR while busy
HCURSOR savedCursor = nullptr;   // the cursor before the last change

// The preview's client rectangle in the dialog's client coordinates.
RECT PreviewRectInDialog(HWND dialog)
{
    RECT r;
    GetClientRect(previewControl, &r);
    MapWindowPoints(previewControl, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

void EraseProgressBar(HWND dialog)
{
    RECT preview = PreviewRectInDialog(dialog);
    RECT bar = {preview.left, preview.bottom, preview.right, preview.bottom + 3};
    InvalidateRect(dialog, &bar, TRUE);
    UpdateWindow(dialog);
    progressLength = 0;
}

// Draws only the part of the two-pixel bar that is new.
void ExtendProgressBar(HWND dialog, float fraction)
{
    RECT preview = PreviewRectInDialog(dialog);
    int16_t length = int16_t(float(preview.right - preview.left) * fraction);
    HDC dc = GetDC(dialog);
    HGDIOBJ previous = SelectObject(dc, GetStockObject(WHITE_PEN));
    for (int row = 0; row < 2; ++row) {
        MoveToEx(dc, preview.left + progressLength, preview.bottom + row, nullptr);
        LineTo(dc, preview.left + length, preview.bottom + row);
    }
    SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    progressLength = length;
    if (length % 25 == 0)
        PumpTimerMessages();
}

}  // namespace

void ClearRenderBuffer(QiGBuffer *buffer)
{
    size_t pixels = size_t(buffer->width) * size_t(buffer->height);
    for (size_t i = 0; i < pixels; ++i) {
        buffer->red[i] = 0.0f;
        buffer->green[i] = 0.0f;
        buffer->blue[i] = 0.0f;
        buffer->plane4[i] = 1.0f;
    }
}

int16_t AllocatePreviewGBuffer(int16_t width, int16_t height)
{
    previewSize[0] = width;
    previewSize[1] = height;
    previewBuffer = Qi_Alloc_Global_GBuffer(width, height, height, 0);
    return previewBuffer ? 1 : 0;
}

int16_t ReplacePreviewGBuffer(int16_t width, int16_t height)
{
    QiGBuffer *fresh = Qi_Alloc_Global_GBuffer(width, height, height, 0);
    if (!fresh)
        return 0;
    FreePreviewGBuffer();
    previewBuffer = fresh;
    previewSize[0] = width;
    previewSize[1] = height;
    return 1;
}

void FreePreviewGBuffer()
{
    if (previewBuffer)
        Qi_Free_Global_GBuffer(previewBuffer);
    previewBuffer = nullptr;
}

int16_t RenderPreview(int16_t x, int16_t y, DisplayBitmap *bitmap)
{
    if (previewBusy || !previewBuffer)
        return 0;
    previewBusy = 1;
    ClearRenderBuffer(previewBuffer);
    QiToken kind = currentInstance->handleType;
    const char *name = currentInstance->flareName;
    if (previewSource && !previewSource(&kind, &name)) {
        kind = currentInstance->handleType;
        name = currentInstance->flareName;
    }
    Qi_LensFlareApplyToGBuffer(previewBuffer, kind, name, x, y, RenderProgress);
    ConvertGBufferToDisplay(previewBuffer, bitmap);
    previewBusy = 0;
    return 1;
}

void RequestPreviewRedraw(int16_t x, int16_t y)
{
    if (x == -1) {
        x = lightX;
        y = lightY;
    }
    HWND dialog = currentInstance->dialogWindow;
    SetTimer(dialog, PREVIEW_TIMER, PREVIEW_TIMER_PERIOD, nullptr);
    SetArrowCursor();
    bool shown = RenderPreview(x, y, &previewBitmap) != 0;
    if (shown)
        InvalidateRect(previewControl, nullptr, FALSE);
    KillTimer(dialog, PREVIEW_TIMER);
    SetArrowCursor();
    lightX = x;
    lightY = y;
    if (shown && previewShown)
        previewShown();
}

int16_t RenderProgress(QiToken phase, float fraction)
{
    static const QiToken start = Qi_Inquire_Token("start");
    static const QiToken update = Qi_Inquire_Token("update");
    static const QiToken end = Qi_Inquire_Token("end");
    HWND dialog = currentInstance ? currentInstance->dialogWindow : nullptr;
    if (!dialog || !previewControl)
        return 0;
    // A render starts with no bar on screen unless the last one never ended;
    // erasing costs a repaint of the dialog, so it is done only when a bar
    // is there.
    if ((phase == start && progressLength > 0) || phase == end)
        EraseProgressBar(dialog);
    else if (phase == update)
        ExtendProgressBar(dialog, fraction);
    return 0;
}

int16_t PumpTimerMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 1;
}

void SetArrowCursor()
{
    currentCursor = arrowCursor;
    savedCursor = SetCursor(arrowCursor);
}

void SetWaitCursor()
{
    currentCursor = waitCursor;
    savedCursor = SetCursor(waitCursor);
}

void RestoreCursor()
{
    currentCursor = savedCursor;
    SetCursor(savedCursor);
}

HCURSOR CurrentPreviewCursor()
{
    return currentCursor;
}
