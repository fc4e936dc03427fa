// Switching the editor's page area between the element page and the two
// global pages.
#ifndef EDITOR_PARAMETER_PAGES_H
#define EDITOR_PARAMETER_PAGES_H

#include <windows.h>

#include <cstdint>

// Leaves the current page and enters pageId; nothing happens when it is the
// current page already. With firstCall set it only moves the two global
// groups from below the dialog into the page area and hides them.
void ShowParameterPage(HWND dialog, int16_t pageId, int16_t firstCall = 0);

// Shows (show nonzero) or hides every existing control with an id from
// firstId to lastId.
void ShowControlRange(HWND dialog, int firstId, int lastId, int16_t show);

// Moves every existing control with an id from firstId to lastId by the
// offset from the top-left corner of control fromRefId to that of toRefId.
void MoveControlGroup(HWND dialog, int firstId, int lastId, int fromRefId, int toRefId);

// The page area's client rectangle in dialog coordinates.
RECT PageAreaRect(HWND dialog);

#endif
