// The element list's context menu (a right click on the list, Shift+F10 or
// the menu key): Copy, Paste, Duplicate, Remove, Move Up, Move Down, each
// greyed when it cannot act. Its commands reach the editor as WM_COMMAND.
#ifndef EDITOR_ELEMENT_MENU_H
#define EDITOR_ELEMENT_MENU_H

#include <windows.h>

// Commands of the menu and the list's keys that no button has; Duplicate,
// Remove and the moves are the buttons' own ids.
enum { IDM_COPY_ELEMENT = 1040, IDM_PASTE_ELEMENT = 1041 };

// WM_CONTEXTMENU of the editor for the list; screenPoint as the message
// gives it (-1, -1 from the keyboard: the menu opens at the selected row).
void ShowElementMenu(HWND dialog, HWND list, LPARAM screenPoint);

#endif
