// The folders the preset browser shows and what it does to their files:
// the host's bundled presets (the working directory's "lensfx" folder) and
// the user's own folder (setting "Preset-Folder", by default "presets"
// beside the host's settings file, made when a preset is first saved).
#ifndef LIBRARY_PRESET_FOLDERS_H
#define LIBRARY_PRESET_FOLDERS_H

#include <windows.h>

#include <vector>

#include "frame/file_paths.h"
#include "library/preset_grid.h"

// Setting of section "Lens-Flare-UI": the user's preset folder.
#define PRESET_FOLDER_KEY "Preset-Folder"

// The two folders, into buffers of FILE_NAME_SIZE characters; empty when
// the path does not fit.
void BundledPresetFolder(char *folder);
void UserPresetFolder(char *folder);

// The path of a file of that name beside the host's settings file, into a
// buffer of FILE_NAME_SIZE characters; empty when it does not fit.
void PathBesideSettings(const char *name, char *path);

// Appends the ".lnz" files of the folder to presets, in the order of their
// names (case aside), as presets of the section. A file whose path is too
// long to be loaded is listed damaged. A folder that does not exist, or
// cannot be read, adds nothing.
void ListPresets(const char *folder, int section, std::vector<Preset> &presets);

// The file's size and time of last writing, as it is now; false when there
// is no such file.
bool ReadPresetFile(const char *path, PresetFile *file);

// Makes the folder and every folder above it that is missing. On failure
// returns false with the cause as a sentence in cause (SAVE_CAUSE_SIZE
// characters).
bool MakeFolder(const char *folder, char *cause);

// Moves the file to the recycle bin (the user can restore it from there).
// On failure returns false with the cause in cause (SAVE_CAUSE_SIZE
// characters); the file is then where it was.
bool MoveToRecycleBin(HWND owner, const char *path, char *cause);

#endif
