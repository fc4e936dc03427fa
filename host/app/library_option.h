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
// error; the host's error channel has reported the details, and the flare
// is unchanged.
bool LoadLibraryFile(QiToken kind, const char *name, const std::string &path, std::string &error);

// Saves the flare of the object (kind, name) to the library file. False
// with the file and the reason in error.
bool SaveLibraryFile(QiToken kind, const char *name, const std::string &path, std::string &error);

#endif
