// Element pages kept once built: when the element page leaves an element,
// its controls are hidden and kept for its element type instead of being
// destroyed, and the next element of that type takes them over and has its
// values shown in them. One page is kept per type, for the editor's life.
#ifndef EDITOR_PANEL_CACHE_H
#define EDITOR_PANEL_CACHE_H

#include <windows.h>

#include "model/working_flare.h"

// At set-up: whether pages are kept (the "Keep-Element-Pages" setting).
void StartPanelCache(bool keep);

// The element's controls, hidden and with their control ids taken away (so
// that only the page shown answers to them), go to the cache; the
// parameters' control fields are cleared and the sliders no longer write
// into them. False, with nothing changed, when pages are not kept, the
// element has no controls or its type's page is kept already.
bool KeepElementPanel(HWND dialog, FlareElement *element);

// Gives the element the kept page of its type, its controls still hidden
// and with their ids back; the caller shows the values and the controls.
// False when no page of its type is kept.
bool TakeKeptPanel(FlareElement *element);

// Shows the controls of a page taken over, as a batch; the caller has them
// painted (they are shown with the dialog's drawing off).
void ShowKeptControls(HWND dialog, const FlareElement *element);

// At teardown: every kept page destroyed.
void ReleasePanelCache();

#endif
