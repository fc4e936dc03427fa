// The gradient control's popup menu and the commands it sends the control:
// gradient files, interpolation, presets and the large gradient dialog.
#ifndef GRADIENT_GRADIENT_MENU_H
#define GRADIENT_GRADIENT_MENU_H

#include <windows.h>

#include <cstdint>

class CColourSlider;

// Shows "COLOR_SLIDER_POPUP_MENU" at the cursor, owned by `window` (the
// control's), while a mouse button is still down; the chosen command
// arrives at the control as WM_COMMAND.
void ShowGradientMenu(CColourSlider *control, HWND window);

// Carries out command `command` (IDM_GRADIENT_LOAD .. IDM_GRADIENT_LARGE_DIALOG)
// on the control's table. Returns 0 when the user cancelled a load or the
// large dialog (the table is unchanged), else 1; any other command counts
// as done.
int16_t GradientCommand(CColourSlider *control, uint16_t command);

#endif
