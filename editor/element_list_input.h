// The element list's own input: a click on a row's enable box switches its
// element; Space does so for the selected row; Delete removes, Alt+Up and
// Alt+Down move, Ctrl+C, Ctrl+V and Ctrl+D copy, paste and duplicate the
// selected element; a right click selects the row under it; a row dragged
// with the mouse (the common controls' drag list) moves its element there.
#ifndef EDITOR_ELEMENT_LIST_INPUT_H
#define EDITOR_ELEMENT_LIST_INPUT_H

#include <windows.h>

// At set-up: the list made a drag list and its input taken over.
void StartElementListInput(HWND dialog);

// The editor's handling of the drag list's registered message: true when
// `message` is it, with *result the answer to give (DWLP_MSGRESULT).
bool OnDragListMessage(HWND dialog, UINT message, LPARAM lParam, LRESULT *result);

#endif
