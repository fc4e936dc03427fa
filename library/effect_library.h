// Lens effect library files (".lnz") of the edited flare. The host writes and
// reads them; the plug-in chooses the file, keeps a backup of a file it
// replaces, asks before replacing, and offers files in the previewing
// requester. The flare is the one currentInstance names. The editor drives
// these steps and shows their results: nothing here reaches into it.
#ifndef LIBRARY_EFFECT_LIBRARY_H
#define LIBRARY_EFFECT_LIBRARY_H

#include <windows.h>

#include <cstdint>

extern char *lastLibraryFile;  // library file last loaded or saved (host text), or null

// "Library &Save"'s dialog, started at lastLibraryFile, until the user picks
// a new file or agrees to replace an existing one (No reopens the dialog at
// lastLibraryFile). Returns 1 with the name, ending in ".lnz", in name
// (FILE_NAME_SIZE characters); 0 when cancelled or the name cannot take the
// extension (which is told).
int16_t ChooseLibrarySaveTarget(HWND owner, HINSTANCE instance, char *name);

// Asks whether the existing file at path may be replaced; true for Yes.
bool AskToReplaceFile(HWND owner, const char *path);

// Remembers path as lastLibraryFile and lets the host write the flare, as
// the host holds it, to a temporary file that replaces the file once it is
// complete. A replaced file is kept as its upper-case name with the
// extension ".BAK" when that can be made (a backup that cannot be made is
// told, and does not stop the save). Returns 1 when the flare was saved, 0
// otherwise, with the cause shown and the former file as it was.
int16_t SaveFlareToLibrary(HWND owner, const char *path);

// The requester: an open dialog in the working directory's subdirectory
// (null: "lensfx") with the previewing panel, offering currentPath without
// a leading subdirectory prefix. Returns 1 with the chosen path, lower-cased,
// in outPath (FILE_NAME_SIZE characters; it may be currentPath's buffer), or
// 0 when cancelled or the name does not end in ".lnz".
int16_t ChooseEffectFile(HWND owner, const char *subdirectory, const char *title,
                         const char *currentPath, char *outPath, HINSTANCE instance);

// Size of the host's reason for a failed load.
enum { LOAD_REASON_SIZE = 400 };

// Whether the host can load the file, tried on the requester's temporary
// light so that the flare loses nothing to a file that does not load. On
// false, reason (LOAD_REASON_SIZE characters) holds the host's reason.
bool LibraryFileLoads(const char *path, char *reason);

// Deletes the elements of the working flare at the host, in list order.
// The caller has destroyed any panel that edits them and reloads the
// working flare afterwards.
void DeleteFlareElementsAtHost();

// Lets the host load the file into the flare; 1 when the host reports
// success. On 0 the host kept the flare as it was before the call, and
// reason (LOAD_REASON_SIZE characters) holds the host's reason.
int16_t HostLoadsLibrary(const char *path, char *reason);

// Says that the file could not be loaded, with the host's reason below, so
// that a person can mend the file; `restored` adds that the flare was given
// back as it was.
void TellLibraryLoadFailed(HWND owner, const char *path, const char *reason, bool restored);

#endif
