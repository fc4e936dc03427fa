/* Resource names and command ids of quorix.exe (quorix.rc). */
#ifndef HOST_APP_QUORIX_RESOURCES_H
#define HOST_APP_QUORIX_RESOURCES_H

/* The main window's menu bar and its keyboard accelerators, by name. */
#define QUORIX_MENU_NAME         "QuorixMenu"
#define QUORIX_ACCELERATORS_NAME "QuorixAccelerators"

/* Menu commands (WM_COMMAND ids). */
#define IDM_LOAD_LIBRARY      40001
#define IDM_SAVE_LIBRARY      40002
#define IDM_RENDER_TO_FILE    40003
#define IDM_EXIT              40004
#define IDM_NEW_FLARE         40005
#define IDM_LENS_FLARE_EDITOR 40010

#endif
