// "Save Current Flare as Preset": the name of a preset to save.
#ifndef LIBRARY_PRESET_NAME_DIALOG_H
#define LIBRARY_PRESET_NAME_DIALOG_H

#include <windows.h>

#include <cstdint>

// Asks for a name and makes it the path of a ".lnz" file in folder, into
// path (FILE_NAME_SIZE characters). A name that no file can take (one of
// \ / : * ? " < > |, or a path that does not fit) is told and asked again.
// Returns 1 with the path, 0 when cancelled.
int16_t AskPresetName(HWND owner, HINSTANCE instance, const char *folder, char *path);

#endif
