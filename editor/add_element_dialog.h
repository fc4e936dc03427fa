// The "Select Element" dialog: the host's element types and where a new
// element goes.
#ifndef EDITOR_ADD_ELEMENT_DIALOG_H
#define EDITOR_ADD_ELEMENT_DIALOG_H

#include <windows.h>

#include <cstdint>

// Placements of a new element (the ids of their radio buttons).
enum {
    PLACE_BEFORE_SELECTED = 2001,
    PLACE_AFTER_SELECTED = 2002,
    PLACE_AT_START = 2003,
    PLACE_AT_END = 2004
};

extern const char *newElementType;   // host name of the chosen type (host text), or null
extern int32_t newElementPlacement;  // the chosen placement; kept from one use to the next

// Runs the dialog over owner. 1 after OK with a type chosen, 0 after Cancel
// or when the dialog could not be shown.
int16_t RunAddElementDialog(HWND owner);

INT_PTR CALLBACK AddElementDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
