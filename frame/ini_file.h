// The host's settings file, where the editor keeps its INI sections.
#ifndef FRAME_INI_FILE_H
#define FRAME_INI_FILE_H

// The path the current instance's host service object names, or the bare
// name "quorix.ini" when there is no service object or it names none.
const char *PluginIniPath();

// The path the host service object names, or null when there is no service
// object or it names none (callers then neither read nor write).
const char *HostIniPath();

#endif
