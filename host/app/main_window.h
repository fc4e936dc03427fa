// quorix.exe's main window: the scene view with the default light's flare,
// a menu (File: New Flare, Load Library, Save Library, Render to File, Exit;
// Edit: Lens Flare Editor, Ctrl+E), a status bar with the light's position
// and the last render's time, and its place on the screen kept in the
// host's settings file. The light's flare and position can be kept from
// one session to the next (kept_flare.h).
#ifndef HOST_APP_MAIN_WINDOW_H
#define HOST_APP_MAIN_WINDOW_H

#include <windows.h>

#include <string>

#include "host/api/host_services.h"

#define MAIN_WINDOW_CLASS "QuorixMainWindow"

// Child ids of the main window.
constexpr int kSceneViewId = 1;
constexpr int kStatusBarId = 2;

struct MainWindowSetup {
    std::string iniPath;     // the host's settings file; the window's placement is kept there
    std::string pluginPath;  // the lens flare plug-in module
    HostServices *services;  // handed to the plug-in
    std::string keptFlare;   // the light's flare is kept in this file between sessions, its
                             //   position in iniPath; empty: nothing is kept
};

// Registers the window classes and creates the main window, hidden, at its
// remembered place. It starts the plug-in; when that fails, the window
// posts itself a message box naming the file and the reason and works on
// without the editor, whose menu item is disabled. Null on failure.
HWND CreateMainWindow(HINSTANCE instance, const MainWindowSetup &setup);

// Shows the window: maximized when it was closed maximized and the show
// command is an ordinary one, else as the command says; then the light
// goes to its kept position, now that the view has its size.
void ShowMainWindow(HWND window, int showCommand);

// The message loop with the window's accelerators; returns the exit code
// once the window has been destroyed (WM_QUIT).
int RunMainWindow(HWND window);

#endif
