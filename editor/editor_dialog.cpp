// The editor dialog: set-up, message and command dispatch, teardown, and the
// way out (Ok, or the close box, which acts as Ok; there is no cancel).
#include "editor/editor_dialog.h"

#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"
#include "preview/preview.h"
#include "resources/resource.h"

namespace {

BOOL Editor_OnInitDialog(HWND dialog)
{
    LoadPreviewCursors();
    Import_IO_Center_Window(GetParent(dialog), dialog);
    currentInstance->dialogWindow = dialog;
    currentInstance->currentElement = nullptr;
    SetUpPreview(dialog);
    StartPreviewAtQuarter();
    return FALSE;
}

// Ok acts only when the focus is on the Ok button itself, so that Enter
// typed into an edit field does not close the dialog.
void Editor_OnOk(HWND dialog)
{
    if (GetFocus() != GetDlgItem(dialog, IDOK))
        return;
    EndDialog(dialog, 1);
}

BOOL Editor_OnCommand(HWND dialog, int id, int notification)
{
    if (previewBusy)
        return FALSE;
    switch (id) {
    case IDOK:
        Editor_OnOk(dialog);
        break;
    }
    return TRUE;
}

BOOL Editor_OnSysCommand(HWND dialog, WPARAM command)
{
    if ((command & 0xFFF0) != SC_CLOSE)
        return FALSE;
    SetFocus(GetDlgItem(dialog, IDOK));
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    return TRUE;
}

// While a render runs the cursor chosen last stays (the hourglass once the
// preview timer has fired); otherwise the arrow.
BOOL Editor_OnSetCursor()
{
    if (previewBusy)
        SetCursor(CurrentPreviewCursor());
    else
        SetArrowCursor();
    return FALSE;
}

void Editor_OnTimer(UINT_PTR timer)
{
    if (timer == PREVIEW_TIMER)
        SetWaitCursor();
}

void Editor_OnDestroy(HWND dialog)
{
    previewBusy = 0;
    TearDownPreview();
    currentInstance->dialogWindow = nullptr;
}

}  // namespace

INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    int16_t handled = 0;
    LRESULT result = HandleDisplayBitmapMessage(&previewBitmap, dialog, message, wParam, lParam,
                                                &handled);
    if (handled)
        return result;
    switch (message) {
    case WM_INITDIALOG: return Editor_OnInitDialog(dialog);
    case WM_COMMAND: return Editor_OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_SYSCOMMAND: return Editor_OnSysCommand(dialog, wParam);
    case WM_SETCURSOR: return Editor_OnSetCursor();
    case WM_TIMER: Editor_OnTimer(wParam); return FALSE;
    case WM_DESTROY: Editor_OnDestroy(dialog); return FALSE;
    }
    return FALSE;
}
