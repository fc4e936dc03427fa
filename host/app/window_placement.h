// The main window's place on the screen, kept in the host's settings file
// (section "Quorix-Window": "Left", "Top", "Width", "Height" of the restored
// window in workspace pixels, and "Maximized").
#ifndef HOST_APP_WINDOW_PLACEMENT_H
#define HOST_APP_WINDOW_PLACEMENT_H

#include <windows.h>

constexpr char kWindowPlacementSection[] = "Quorix-Window";

// The smallest window the placement accepts and the window allows.
constexpr int kMainWindowMinWidth = 320;
constexpr int kMainWindowMinHeight = 240;

// Reads the remembered placement into the restored rectangle and the
// maximized switch. False, and both untouched, when nothing is stored or
// when the stored window would be smaller than the minimum or its caption
// would not lie on a monitor (a screen that has gone, a damaged file).
bool ReadWindowPlacement(const char *iniPath, RECT &restored, bool &maximized);

// Writes the window's restored rectangle and whether it is maximized (or was,
// before it was minimized).
void WriteWindowPlacement(const char *iniPath, HWND window);

#endif
