// The "Named Color Selector": the host's colour names in a sorted list, the
// colour of the selected one in a swatch and as three numbers.
#ifndef COLOUR_NAMED_COLOUR_SELECTOR_H
#define COLOUR_NAMED_COLOUR_SELECTOR_H

#include <windows.h>

#include "host/api/qi_core.h"

// Runs the dialog modally over owner on colour. After OK colour is the
// chosen name's colour; after Cancel it is as it was.
void OpenNamedColourSelector(HWND owner, float colour[3]);

// The Qi_Enumerate callback: lists one colour name in the dialog given as
// the record's user data, and remembers it when its colour shows as the
// colour being chosen. Always returns 0 (go on).
int32_t ListColourName(QiEnumRecord *record);

INT_PTR CALLBACK NamedColourSelectorProc(HWND dialog, UINT message, WPARAM wParam,
                                         LPARAM lParam);

#endif
