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

// Shows the current element's switch in "Element Enabled" (off without one)
// and greys the buttons that cannot act on it.
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

// A click on a row's enable box: switches that row's element as "Element
// Enabled" does (the current element's through it): committed and redrawn
// in either realtime mode, one undo step.
void ToggleRowElement(HWND dialog, int index);

// Moves the element of row `from` to row `to` at the host (one place at a
// time), as one step: pending edits committed first, then the list
// reloaded with the moved element selected.
void MoveElementTo(HWND dialog, int from, int to);

// Before a host command that changes the element list, whatever the page:
// every pending edit, the panel's included, goes to the host first, since
// the reload that follows replaces the working flare. The panel is gone.
void CommitBeforeListChange();

// After such a command: the working flare and the list reloaded, the
// element with that guid (the first without one or a match) selected with
// its page, one undo step recorded and the preview redrawn.
void FinishListChange(HWND dialog, const char *guid);

// Selects the element with that guid after a reload and makes it current,
// scrolled into view and with its panel on the element page. Without a
// match the first element stays current.
void SelectElementByGuid(HWND dialog, const char *guid);

// Releases the working flare and loads it anew from the host; the global
// sliders write into the new one from then on. currentElement is null.
void ReloadWorkingFlare();

#endif
