// The editor as a window that grows: the controls laid out anew for each
// client size (the rules are in editor/layout_rules.h), the smallest size
// the template's, the preview rendered at its own size, and the window's
// place, size and maximised state kept in the settings file.
#ifndef EDITOR_EDITOR_LAYOUT_H
#define EDITOR_EDITOR_LAYOUT_H

#include <windows.h>

// Posted to the editor to resize and redraw the preview once a run of
// sizes during a live resize has been laid out.
constexpr UINT WMU_RESIZE_PREVIEW = WM_USER + 30;

// At set-up, before the dialog is centred: makes the frame resizable with
// the template's client size and records every control's place at that
// size.
void StartEditorLayout(HWND dialog);

// With the other settings at set-up: reads the kept place, size and
// maximised state. Near the end of set-up, before the first preview,
// RestoreEditorPlacement applies them, fitted to the work area of a monitor that exists.
void ReadEditorPlacement();
void RestoreEditorPlacement(HWND dialog);

// At teardown: writes the window's normal place and size and whether it
// is maximised to the settings file.
void StoreEditorPlacement(HWND dialog);
void EndEditorLayout();

// The editor's messages about its size, or false when the message is not
// one of them: WM_SIZE, WM_GETMINMAXINFO, WM_ENTERSIZEMOVE,
// WM_EXITSIZEMOVE, WM_DPICHANGED and WMU_RESIZE_PREVIEW (WM_SHOWWINDOW is
// looked at and left to the dialog).
bool HandleEditorLayoutMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Lays the controls out for the dialog's client size now.
void LayOutEditor(HWND dialog);

#endif
