#include "editor/editor_keys.h"

#include "editor/undo.h"

namespace {

HWND keysDialog = nullptr;  // the editor the keys belong to
HHOOK keyHook = nullptr;    // sees the editor's keys before its controls do

// The message a key pressed with Ctrl (and no Alt) posts to the editor, or 0.
UINT EditorKeyMessage(WPARAM key, WPARAM *wParam)
{
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    if (key == 'Z' || key == 'Y') {
        *wParam = key == 'Y' || shift ? 1 : 0;
        return WMU_UNDO_REDO;
    }
    if (key == VK_TAB) {
        *wParam = shift ? 1 : 0;
        return WMU_NEXT_PAGE;
    }
    return 0;
}

// Taken from the queue before an edit field undoes its own typing or the
// dialog takes Ctrl+Tab for Tab; the editor acts on the message posted.
LRESULT CALLBACK EditorKeyHook(int code, WPARAM removed, LPARAM lParam)
{
    auto *msg = reinterpret_cast<MSG *>(lParam);
    if (code == HC_ACTION && removed == PM_REMOVE && msg->message == WM_KEYDOWN && keysDialog &&
        (msg->hwnd == keysDialog || IsChild(keysDialog, msg->hwnd)) &&
        GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0) {
        WPARAM wParam = 0;
        if (UINT message = EditorKeyMessage(msg->wParam, &wParam)) {
            PostMessageA(keysDialog, message, wParam, 0);
            msg->message = WM_NULL;
        }
    }
    return CallNextHookEx(nullptr, code, removed, lParam);
}

}  // namespace

void StartEditorKeys(HWND dialog)
{
    keysDialog = dialog;
    keyHook = SetWindowsHookExA(WH_GETMESSAGE, EditorKeyHook, nullptr, GetCurrentThreadId());
}

void EndEditorKeys()
{
    if (keyHook)
        UnhookWindowsHookEx(keyHook);
    keyHook = nullptr;
    keysDialog = nullptr;
}
