// The switches, edit fields and base colour of the two global pages.
#ifndef EDITOR_GLOBAL_PAGES_H
#define EDITOR_GLOBAL_PAGES_H

#include <windows.h>

// Sets the global switches and edit fields from the working flare. A flare
// that does not belong to a light cannot multiply by the light's colour:
// its "uselightparams" is switched off and the box disabled.
void RefreshGlobalControls(HWND dialog);

// The commands of the global pages' controls (ids 1800..1909).
void GlobalPageCommand(HWND dialog, int controlId, int notification);

// Rewrites the random seed and reference distance fields to the values
// they stand for when what was typed is below their minimum or no number
// (which changed nothing); done when a field loses the focus and at Ok,
// never while the user types.
void ShowGlobalFieldMinimums(HWND dialog);

#endif
