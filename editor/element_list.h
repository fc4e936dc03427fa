// The element list box of the editor and the element commands beside it.
// The host owns the order and membership of elements: every change is a
// host command, after which the working flare is loaded anew and the
// element acted on is found again by its guid.
#ifndef EDITOR_ELEMENT_LIST_H
#define EDITOR_ELEMENT_LIST_H

#include <windows.h>

// Fills the list from the working flare and selects its first element,
// which becomes currentElement; an empty flare leaves the list empty.
void RefillElementList(HWND dialog);

// LBN_SELCHANGE of the list: the selected element becomes current, with its
// panel when the element page is shown.
void OnElementSelected(HWND dialog);

// "Element Enabled": flips the current element's switch, commits and
// redraws, whether realtime updates are on or off.
void ToggleElementEnabled(HWND dialog);

// Shows the current element's switch in "Element Enabled" (off without one).
void ShowElementEnabled(HWND dialog);

// Releases the working flare and loads it anew from the host; the global
// sliders write into the new one from then on. currentElement is null.
void ReloadWorkingFlare();

#endif
