// The common open and save dialogs of quorix.exe's main window.
#ifndef HOST_APP_FILE_DIALOGS_H
#define HOST_APP_FILE_DIALOGS_H

#include <windows.h>

#include <string>

struct FileDialogRequest {
    const char *title;      // the dialog's caption
    const char *filter;     // description and pattern pairs, each ended by a zero, then a zero
    const char *extension;  // added (without the dot) when the user types none
    std::string folder;     // where the dialog starts; empty: the system's choice
    std::string name;       // the file name it proposes; may be empty
};

// Shows the dialog owned by `owner`. True with the chosen path when the user
// pressed Open or Save; the file must exist to be opened, and saving over an
// existing file is confirmed first.
bool AskFileToOpen(HWND owner, const FileDialogRequest &request, std::string &path);
bool AskFileToSave(HWND owner, const FileDialogRequest &request, std::string &path);

#endif
