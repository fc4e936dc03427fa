// "LargeGradientEditDialog": a gradient control's table edited on a much
// wider control, copied back on Ok and discarded on Cancel.
#ifndef GRADIENT_LARGE_GRADIENT_DIALOG_H
#define GRADIENT_LARGE_GRADIENT_DIALOG_H

#include <windows.h>

#include <cstdint>

class CColourSlider;

// While the dialog is open (one at a time): the wide control on control
// 1000, and the control that opened the dialog. Null otherwise.
extern CColourSlider *largeGradientControl;
extern CColourSlider *largeGradientSource;

// Runs the dialog over the source control's window. Returns 1 after Ok (the
// source holds the edited table), 0 after Cancel (the source is unchanged).
int16_t OpenLargeGradientDialog(CColourSlider *source);

// lParam of WM_INITDIALOG: the source control.
INT_PTR CALLBACK LargeGradientDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
