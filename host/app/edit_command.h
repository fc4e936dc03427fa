// quorix.exe edit [--library FILE.lnz] [--camera] opens the Lens Flare Editor
// at once on the default light's flare (or the default camera's).
#ifndef HOST_APP_EDIT_COMMAND_H
#define HOST_APP_EDIT_COMMAND_H

#include <string>
#include <vector>

// The whole command (arguments after "edit"): loads the library file (if
// one is given) into the flare, starts the plug-in at pluginPath, opens the
// editor without an owner and stops the plug-in once it has closed. Errors
// go to stderr. Returns the process exit code: 0, 1 when the library or the
// plug-in cannot be loaded, 2 for bad arguments.
int RunEditCommand(const std::vector<std::string> &args, const std::string &pluginPath);

#endif
