// State of the single open editor dialog, shared by its pages, the element
// list and panel, and the library commands.
#ifndef EDITOR_EDITOR_STATE_H
#define EDITOR_EDITOR_STATE_H

#include <windows.h>

#include <cstdint>

#include "host/api/qi_core.h"

// Page ids: the tab strip lists them as Element, Global, Fading.
enum { PAGE_NONE = 0, PAGE_GLOBAL = 1500, PAGE_FADING = 1501, PAGE_ELEMENT = 1502 };

// Sent by the dialog to itself (and by the library load) to refill the
// element list from the working flare; wParam and lParam 0.
constexpr UINT WMU_REFILL_ELEMENT_LIST = WM_USER + 20;

extern int16_t updatingControls;  // 1 while the dialog sets its own controls or rebuilds the
                                  // working flare: change notifications do nothing
extern int16_t currentPage;       // the page shown, PAGE_NONE before the first

// Every control calls this after it stored a changed value in the working
// flare. With realtime updates on (and no render or rebuild under way) the
// element panel is saved, the flare committed and the preview redrawn.
void OnParameterChanged(uint32_t controlId);

// A change still under way in a dialog over the editor (the colour
// selector's bars and fields): with realtime updates on (and no render or
// rebuild under way) the panel is saved, the flare committed and the preview
// redrawn, but no undo step is recorded; the dialog's caller calls
// OnParameterChanged once when the dialog ends with a change.
void CommitLiveEdit();

// Drag callback of every slider of the editor. With realtime updates on,
// each step of a drag commits the flare and redraws the preview at once,
// unless a later pointer move already waits (the preview follows the
// pointer as fast as it can, never behind it); no step is an undo step, the
// drag's end is (OnParameterChanged). A drag that ends where a step left
// the host otherwise (back at its start value) commits once more at its end.
void OnSliderDrag(QiToken phase, uint16_t controlId, float value);

// Saves the element panel when the element page shows one, then commits
// the whole working flare to the host: what every command that needs the
// host to hold the user's edits does first, whatever the realtime switch.
void CommitPendingEdits();

// Sends the working flare's "fastdrag" alone to the host: Faster Updates
// takes effect whatever the realtime switch says.
void CommitFasterUpdates();

#endif
