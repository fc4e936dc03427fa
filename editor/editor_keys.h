// The editor's own keys, taken before the control with the focus sees them:
// Ctrl+Z undoes, Ctrl+Y and Ctrl+Shift+Z redo, Ctrl+Tab and Ctrl+Shift+Tab
// show the next or the previous page. The dialog acts on the messages they
// post (WMU_UNDO_REDO, WMU_NEXT_PAGE).
#ifndef EDITOR_EDITOR_KEYS_H
#define EDITOR_EDITOR_KEYS_H

#include <windows.h>

// Sent to the editor by Ctrl+Tab: wParam 0 the next page, 1 the previous.
constexpr UINT WMU_NEXT_PAGE = WM_USER + 22;

// From the end of set-up to teardown.
void StartEditorKeys(HWND dialog);
void EndEditorKeys();

#endif
