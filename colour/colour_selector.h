// Choosing colours: the interactive RGB/HSV selector "ColorSelectorDialog"
// (with the named colour selector and the system colour dialog behind its
// buttons) and the colour swatches the editor draws in owner-drawn buttons.
// A colour is three floats red, green, blue in 0..1.
#ifndef COLOUR_COLOUR_SELECTOR_H
#define COLOUR_COLOUR_SELECTOR_H

#include <windows.h>

#include <cstdint>

// Hands a colour the selector is changing over to its caller while it runs.
using SelectorLiveChange = void (*)();

// Runs the selector modally over owner with `caption` as the title of its
// colour frame, editing colour in place while it runs. Returns 1 after OK
// (colour as edited) and 0 after Cancel or when the dialog could not be
// shown (colour as it was). Callers compare before and after to see a change.
// With liveChange, every change the dialog makes to the colour (bars, fields,
// pickers, Undo) is followed by a call, one call for all the changes made
// before the dialog's queue gets round to it, so that calls never pile up
// behind a slow one. When a colour was handed over and the dialog ends
// (Cancel included) with another one, liveChange is called once more, so
// that the caller ends at the colour the dialog ends with.
int16_t OpenColourSelector(HWND owner, const char *caption, float colour[3],
                           SelectorLiveChange liveChange = nullptr);

// Frames rect with the stock black brush and fills it, inset by one pixel,
// with the colour.
void DrawColourSwatch(HDC dc, const RECT *rect, const float colour[3]);

// WM_DRAWITEM of a swatch: draws it and returns 1 when the item is an
// owner-drawn button, else draws nothing and returns 0.
int16_t HandleSwatchDrawItem(const DRAWITEMSTRUCT *item, const float colour[3]);

// Invalidates the control (erasing its background) and repaints it at once.
void RefreshControl(HWND dialog, int id);

// The selector's message handling, for any dialog with the selector's
// controls (bars, number and hex fields, letters, mode buttons, the ">>"
// buttons) and a swatch of id swatchId: swatch repaints, the scroll bars, the
// typed fields, the mode switch (*mode: 0 RGB, 1 HSV) and the named and
// system colour pickers, all editing colour in place. Sets *handled when the
// caller must return the result.
LRESULT ColourSelectorMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                              float colour[3], int16_t *mode, int swatchId, int16_t *handled);

// Shows the colour in the swatch and, unless the first scroll bar is missing
// or disabled, in the bars, fields, channel letters and mode buttons. A field
// being typed into keeps its text until it loses the focus.
void ShowColourInControls(HWND dialog, const float colour[3], int16_t mode, int swatchId);

#endif
