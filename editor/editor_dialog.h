// The modal "Lens Flare Editor" dialog (template "LensFlareDialogBox").
#ifndef EDITOR_EDITOR_DIALOG_H
#define EDITOR_EDITOR_DIALOG_H

#include <windows.h>

// The editor's dialog procedure; the dialog edits the flare named by
// currentInstance and ends with 1 through Ok or the close box, with 0
// through Cancel or Escape.
INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// After a library file was loaded into the host's flare: the working flare,
// the element list and page, the global controls and sliders read anew, and
// the preview redrawn.
void ReloadAfterLibraryLoad(HWND dialog);

#endif
