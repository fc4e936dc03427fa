// The DPI a window is shown at, for the controls that scale their pixel
// constants with it.
#ifndef CONTROLS_WINDOW_DPI_H
#define CONTROLS_WINDOW_DPI_H

#include <windows.h>

#include <cstdint>

#include "controls/dpi_scale.h"

// The window's DPI: GetDpiForWindow where user32 has it (per monitor),
// else the vertical LOGPIXELS of the screen. Never below 1.
int WindowDpi(HWND window);

// Takes the window's DPI into *dpi: true when it differs from what *dpi
// held, that is when the window's pixel constants must be scaled anew.
bool TakeWindowDpi(HWND window, int16_t *dpi);

// Messages that tell a window its DPI may have changed (per-monitor
// awareness): the top-level window's WM_DPICHANGED and its children's
// WM_DPICHANGED_AFTERPARENT, which older headers do not name.
constexpr UINT kDpiChangedMessage = 0x02E0;
constexpr UINT kDpiChangedAfterParentMessage = 0x02E3;

#endif
