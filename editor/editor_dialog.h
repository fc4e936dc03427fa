// The modal "Lens Flare Editor" dialog (template "LensFlareDialogBox").
#ifndef EDITOR_EDITOR_DIALOG_H
#define EDITOR_EDITOR_DIALOG_H

#include <windows.h>

// The editor's dialog procedure; the dialog edits the flare named by
// currentInstance and ends with 1 through Ok or the close box.
INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
