// Lens flare library files in quorix.exe: the --library option, which loads
// one into a flare of the scene before a command runs, and the main window's
// Load Library and Save Library.
#ifndef HOST_APP_LIBRARY_OPTION_H
#define HOST_APP_LIBRARY_OPTION_H

#include <string>

#include "host/api/qi_core.h"

// Loads the library file into the flare of the object (kind, name). A
// relative path that names no file is looked for in the "lensfx" folder of
// the host's working directory. False with the file and the reason in
// error, followed by the host's reason in parentheses (for a damaged file,
// its line and what is wrong there); the flare is unchanged.
bool LoadLibraryFile(QiToken kind, const char *name, const std::string &path, std::string &error);

// Saves the flare of the object (kind, name) to the library file, through a
// temporary file beside it: a failure leaves the former file as it was.
// False with the file and the cause in error (the folder or the file cannot
// be written, the disk is full, ...).
bool SaveLibraryFile(QiToken kind, const char *name, const std::string &path, std::string &error);

#endif
