// Creating and releasing the editor's preview with the editor dialog.
#include "preview/preview.h"

#include <algorithm>
#include <cstdint>

#include "editor/layout_rules.h"
#include "resources/resource.h"

namespace {

// One pixel larger than the client area in each direction: the bottom row
// (buffer row 0) and the rightmost column fall outside the control.
void PreviewSizeOfControl(int16_t *width, int16_t *height)
{
    RECT client;
    GetClientRect(previewControl, &client);
    *width = int16_t(std::min<LONG>(client.right - client.left + 1, INT16_MAX));
    *height = int16_t(std::min<LONG>(client.bottom - client.top + 1, INT16_MAX));
}

}  // namespace

void SetUpPreview(HWND dialog)
{
    previewControl = GetDlgItem(dialog, IDC_PREVIEW);
    int16_t width = 0, height = 0;
    PreviewSizeOfControl(&width, &height);
    CreateDisplayBitmap(&previewBitmap, IDC_PREVIEW, width, height, IsPaletteDisplay() ? 1 : 3);
    AllocatePreviewGBuffer(width, height);
    previousPreviewProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        previewControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviewControlProc)));
}

void TearDownPreview()
{
    EndPreviewDrag();
    if (previewControl && previousPreviewProc)
        SetWindowLongPtrA(previewControl, GWLP_WNDPROC,
                          reinterpret_cast<LONG_PTR>(previousPreviewProc));
    previousPreviewProc = nullptr;
    FreeDisplayBitmap(&previewBitmap);
    FreePreviewGBuffer();
    previewControl = nullptr;
}

void LoadPreviewCursors()
{
    arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
    waitCursor = LoadCursorA(nullptr, IDC_WAIT);
    previewBusy = 0;
    SetArrowCursor();
}

void StartPreviewAtQuarter()
{
    lightX = int16_t(previewSize[0] / 4);
    lightY = int16_t(previewSize[1] / 4);
    RequestPreviewRedraw(-1, -1);
}

int16_t ResizePreviewToControl()
{
    if (!previewControl || previewBusy || !previewBitmap.valid)
        return 0;
    int16_t width = 0, height = 0;
    PreviewSizeOfControl(&width, &height);
    if (width == previewSize[0] && height == previewSize[1])
        return 0;
    DisplayBitmap fresh = {};
    if (CreateDisplayBitmap(&fresh, IDC_PREVIEW, width, height,
                            previewBitmap.palettised ? 1 : 3) != 0) {
        FreeDisplayBitmap(&fresh);
        return 0;
    }
    int16_t oldWidth = previewSize[0], oldHeight = previewSize[1];
    if (!ReplacePreviewGBuffer(width, height)) {
        FreeDisplayBitmap(&fresh);
        return 0;
    }
    FreeDisplayBitmap(&previewBitmap);
    previewBitmap = fresh;
    lightX = int16_t(ScaleLightPosition(lightX, oldWidth, width));
    lightY = int16_t(ScaleLightPosition(lightY, oldHeight, height));
    return 1;
}

void FillPreviewMargins(const DRAWITEMSTRUCT *item)
{
    if (!previewBitmap.hasImage)
        return;
    int width = previewSize[0], height = previewSize[1];
    const RECT &all = item->rcItem;
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT right = {all.left + width, all.top, all.right, all.bottom};
    RECT below = {all.left, all.top + height, std::min<LONG>(all.right, all.left + width),
                  all.bottom};
    if (right.left < right.right)
        FillRect(item->hDC, &right, black);
    if (below.top < below.bottom && below.left < below.right)
        FillRect(item->hDC, &below, black);
}
