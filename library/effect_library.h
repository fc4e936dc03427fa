// Lens effect library files (".lnz") of the edited flare. The host writes and
// reads them; the plug-in chooses the file, keeps a backup of a file it
// replaces, asks before replacing, and loads through the previewing
// requester. The flare is the one currentInstance names.
#ifndef LIBRARY_EFFECT_LIBRARY_H
#define LIBRARY_EFFECT_LIBRARY_H

#include <windows.h>

#include <cstdint>

// "Library &Save": asks for the file (starting at lastLibraryFile), commits
// the pending edits and lets the host write the flare to a temporary file
// that replaces the file once it is complete. A replaced file is kept as
// its upper-case name with the extension ".BAK" when that can be made (a
// backup that cannot be made is told, and does not stop the save). Returns
// 1 when the flare was saved, 0 otherwise, with the cause shown and the
// former file as it was; lastLibraryFile names the chosen file in either
// case.
int16_t SaveEffectLibrary(HWND owner, HINSTANCE instance);

// "Library &Load": asks for the file in the requester; once the host has
// shown that it can load the file, deletes the flare's elements, reloads
// the (empty) working flare, refills the editor's list, redraws, and lets
// the host load the file. Returns 1 when a file was loaded; the editor then
// reads the flare back. A file that cannot be loaded leaves the flare as it
// was and is told in a message box, with the host's reason below.
int16_t LoadEffectLibrary(HWND owner, HINSTANCE instance);

// The requester: an open dialog in the working directory's subdirectory
// (null: "lensfx") with the previewing panel, offering currentPath without
// a leading subdirectory prefix. Returns 1 with the chosen path, lower-cased,
// in outPath (FILE_NAME_SIZE characters; it may be currentPath's buffer), or
// 0 when cancelled or the name does not end in ".lnz".
int16_t ChooseEffectFile(HWND owner, const char *subdirectory, const char *title,
                         const char *currentPath, char *outPath, HINSTANCE instance);

#endif
