// "Solo" (1030): while it is on, the preview shows the selected element
// alone. Only the preview changes: it is rendered from the scratch light,
// which gets the host's globals and the host's copy of the selected element
// before each render; the edited flare is never touched. Off at every
// opening, and not stored.
#ifndef EDITOR_ELEMENT_SOLO_H
#define EDITOR_ELEMENT_SOLO_H

#include <windows.h>

// At set-up: off, and the preview asks it what to render.
void StartSolo(HWND dialog);

// At teardown: the preview renders the edited flare again.
void EndSolo();

// A click on the switch: the preview follows it at once.
void OnSoloSwitch(HWND dialog);

// Whether the preview shows the selected element alone, so that a new
// selection needs a new render.
bool SoloShowsSelection();

#endif
