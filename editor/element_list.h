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

// Asks for a type and a placement (the "Select Element" dialog), inserts
// the element at the host, reloads and selects it.
void AddElement(HWND dialog);

// Deletes the current element at the host and reloads; the first element
// becomes current.
void RemoveCurrentElement(HWND dialog);

// Moves the current element one place down (or up) at the host, reloads and
// selects it again.
void MoveCurrentElement(HWND dialog, bool down);

// Selects the element with that guid after a reload and makes it current,
// scrolled into view and with its panel on the element page. Without a
// match the first element stays current.
void SelectElementByGuid(HWND dialog, const char *guid);

// Releases the working flare and loads it anew from the host; the global
// sliders write into the new one from then on. currentElement is null.
void ReloadWorkingFlare();

#endif
