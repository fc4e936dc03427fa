// Creating and releasing the editor's preview with the editor dialog.
#include "preview/preview.h"

#include "resources/resource.h"

void SetUpPreview(HWND dialog)
{
    previewControl = GetDlgItem(dialog, IDC_PREVIEW);
    RECT client;
    GetClientRect(previewControl, &client);
    // One pixel larger than the client area in each direction: the bottom
    // row (buffer row 0) and the rightmost column fall outside the control.
    int16_t width = int16_t(client.right - client.left + 1);
    int16_t height = int16_t(client.bottom - client.top + 1);
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
