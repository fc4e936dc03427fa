// The --library option of quorix.exe: a library file loaded into a flare
// of the scene before the command runs.
#ifndef HOST_APP_LIBRARY_OPTION_H
#define HOST_APP_LIBRARY_OPTION_H

#include <string>

#include "host/api/qi_core.h"

// Loads the library file into the flare of the object (kind, name). A
// relative path that names no file is looked for in the "lensfx" folder of
// the host's working directory. False with a reason in error; the host's
// error channel has reported the details, and the flare is unchanged.
bool LoadLibraryFile(QiToken kind, const char *name, const std::string &path, std::string &error);

#endif
