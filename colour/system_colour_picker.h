// The system colour dialog on a colour, with its sixteen custom colours kept
// in the host's settings file (section "Saved-Custom-Colors").
#ifndef COLOUR_SYSTEM_COLOUR_PICKER_H
#define COLOUR_SYSTEM_COLOUR_PICKER_H

#include <windows.h>

#include <cstdint>

// Runs ChooseColorA over owner on colour. Returns 1 when the user chose a
// colour: colour is replaced and the custom colours are saved. Returns 0
// when the dialog was cancelled: nothing changes and nothing is written.
int16_t PickSystemColour(HWND owner, float colour[3]);

#endif
