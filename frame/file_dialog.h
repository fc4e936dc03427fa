// The open and save common dialogs as the editor uses them, for library
// files and gradient files alike, and the folder they start in.
#ifndef FRAME_FILE_DIALOG_H
#define FRAME_FILE_DIALOG_H

#include <windows.h>
#include <commdlg.h>

#include <cstdint>

#include "frame/file_paths.h"

// The folder a dialog starts in when no other folder is known: the host's
// working directory ("QX_WORKING_DIR"), or its `subdirectory` when that
// exists; "\" (or the subdirectory itself) when there is no working
// directory. out holds INITIAL_DIRECTORY_SIZE characters.
void GetInitialDirectory(const char *subdirectory, char *out);

// Runs the open dialog (open nonzero) or the save dialog over owner.
// name (FILE_NAME_SIZE characters) gives the file and folder to start at and
// receives the chosen file's full path. filter is a writable text whose parts
// are separated and ended by "|"; every "|" is turned into a terminating zero.
// extraFlags are added to the OFN_ flags; hook and templateName (a child
// template of instance) extend an Explorer-style open dialog. Returns 1 when
// the user confirmed a file, 0 when the dialog was cancelled or failed (name
// unchanged).
int16_t ShowFileDialog(HWND owner, int16_t open, const char *subdirectory, char *filter,
                       const char *title, char *name, DWORD extraFlags,
                       LPOFNHOOKPROC hook, const char *templateName, HINSTANCE instance);

// The host's working directory ("QX_WORKING_DIR"); "" when it has none.
const char *HostWorkingDirectory();

// Makes the host's working directory the process's current directory when
// there is one, so that relative names are found under it.
void EnterWorkingDirectory();

// Reads the selection of an Explorer-style open dialog from its hook dialog
// (the child of the template): the file name (CDM_GETSPEC), then its full
// path (CDM_GETFILEPATH), into path (FILE_NAME_SIZE characters). A message
// whose result is 0, negative or larger than the buffer counts as no
// selection. Returns 1 with the full path, else 0 with path empty.
int16_t GetOpenDialogSelection(HWND hookDialog, char *path);

// Centres the open dialog a requester's hook dialog belongs to over the
// dialog's owner and keeps it on the work area: at CDN_INITDONE, once the
// open dialog has grown to hold the requester's own controls (centring the
// hook dialog itself when it is made only moves a child).
void PlaceOpenDialog(HWND hookDialog);

// Shows a message box whose text is format with its one "%s" filled with
// path; a text that does not fit its buffer is cut, never overflows.
// Returns the button that closed the box.
int ShowPathMessage(HWND owner, const char *format, const char *path, const char *caption,
                    UINT type);

#endif
