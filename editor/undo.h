// Undo and redo in the editor: every change to the flare is a step of the
// session's history; Ctrl+Z undoes one, Ctrl+Y and Ctrl+Shift+Z redo one,
// wherever the focus is in the editor (editor_keys), and so do the two
// entries the editor adds to its system menu. Cancel gives back the flare
// as the session opened.
#ifndef EDITOR_UNDO_H
#define EDITOR_UNDO_H

#include <windows.h>

#include <cstddef>
#include <cstdint>

// System menu commands (low four bits clear, as the system menu requires).
enum { SC_UNDO_STEP = 0x0110, SC_REDO_STEP = 0x0120 };

// Sent to the editor by its keys: wParam 0 undo, 1 redo.
constexpr UINT WMU_UNDO_REDO = WM_USER + 21;

// At the end of set-up: the history starts at the flare as it opened and
// the system menu gets its two entries.
void StartUndoHistory(HWND dialog);

// At teardown: the history is gone.
void EndUndoHistory();

// After a change to the working flare: records it as a step. A change typed
// into a field (`field`, its control id) joins the field's step until the
// field is left or another change comes.
void RecordUndoStep(int32_t field = 0);

// The field typed into lost the focus: its typing is one step, complete.
void EndUndoTyping();

// Restores the flare one step back or forward: in the working flare and,
// unless realtime updates are off and only values differ, at the host (the
// switches that commit in either mode commit when restored too); then the
// list, the page and the sliders show it. Ignored while a restore runs.
void UndoEditorStep(HWND dialog);
void RedoEditorStep(HWND dialog);

// Whether the flare differs from the flare as the session opened (values,
// elements, order and switches).
bool FlareChangedSinceOpening();

// Gives the flare back as the session opened, in the working flare and at
// the host, whatever the realtime switch says (Cancel).
void RestoreOpenedFlare(HWND dialog);

// Gives the host and the editor the flare as the current step holds it, as
// an undo does: after a change that failed half-way at the host.
void RestoreCurrentStep(HWND dialog);

// Bytes the history holds (for the benchmark's report of a step's cost).
size_t UndoHistoryBytes();

// The control id a change comes from when it is being typed into that
// control's edit field (or the slider's edit box), else 0.
int32_t TypingField(uint32_t controlId);

#endif
