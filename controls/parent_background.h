// Background brushes of the custom controls: a control fills its background
// with the brush its parent dialog uses, or with one of its own. A control
// deletes only the brush it made itself; a brush the parent handed out stays
// the parent's.
#ifndef CONTROLS_PARENT_BACKGROUND_H
#define CONTROLS_PARENT_BACKGROUND_H

#include <windows.h>

// Records `brush`, made by the control, as the control window's own brush.
void KeepOwnBackground(HWND control, HBRUSH brush);

// Asks `parent` for its background brush (WM_CTLCOLORDLG with a device
// context of the parent) and returns the brush the control is to fill with
// from now on: the parent's, or, when the parent gives none, a new
// COLOR_BTNFACE brush owned by the control. `current` is deleted when the
// control owns it.
HBRUSH AdoptParentBrush(HWND parent, HWND control, HBRUSH current);

// Deletes the control's own brush, if it still has one, at its destruction,
// and clears *inUse when that brush was the one in use.
void ReleaseOwnBackground(HWND control, HBRUSH *inUse);

#endif
