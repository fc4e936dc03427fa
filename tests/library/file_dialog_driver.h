// Drives the system's open and save dialogs from inside a test, as a user
// would: reads the folder and file they show, types a file name and presses
// the button.
#ifndef TESTS_LIBRARY_FILE_DIALOG_DRIVER_H
#define TESTS_LIBRARY_FILE_DIALOG_DRIVER_H

#include <windows.h>

#include <string>

// The folder the dialog shows, the text of its file name field and the
// file type it offers.
std::string DialogFolder(HWND fileDialog);
std::string DialogFileField(HWND fileDialog);
std::string DialogFileType(HWND fileDialog);

// Types name into the file name field and presses Open or Save.
void ChooseFile(HWND fileDialog, const std::string &name);

// Selects the file of that name in the dialog's file list, as a click does;
// false when the list does not show it.
bool SelectInFileList(HWND fileDialog, const std::string &fileName);

// Presses Cancel.
void CancelFileDialog(HWND fileDialog);

// The control of that id anywhere inside the dialog, as in its hook's panel.
HWND FindDialogControl(HWND fileDialog, int id);

// Whether the window is a system file dialog (it has a file name field).
bool IsFileDialog(HWND window);

#endif
