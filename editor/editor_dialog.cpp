// The editor dialog: set-up, command dispatch and the way out (Ok, or the
// close box, which acts as Ok; there is no cancel).
#include "editor/editor_dialog.h"

#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"
#include "resources/resource.h"

namespace {

BOOL Editor_OnInitDialog(HWND dialog)
{
    Import_IO_Center_Window(GetParent(dialog), dialog);
    currentInstance->dialogWindow = dialog;
    currentInstance->currentElement = nullptr;
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

void Editor_OnDestroy(HWND dialog)
{
    currentInstance->dialogWindow = nullptr;
}

}  // namespace

INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return Editor_OnInitDialog(dialog);
    case WM_COMMAND:
        return Editor_OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_SYSCOMMAND:
        return Editor_OnSysCommand(dialog, wParam);
    case WM_DESTROY:
        Editor_OnDestroy(dialog);
        return FALSE;
    }
    return FALSE;
}
