// Saving a file without risking the one it replaces, for library and
// gradient files alike: the host writes a temporary file in the target's
// folder, and only a complete file takes the target's place. A save that
// fails leaves the target, and its backup, exactly as they were.
#ifndef FRAME_FILE_REPLACE_H
#define FRAME_FILE_REPLACE_H

#include <windows.h>

#include <cstdint>

#include "frame/file_paths.h"

// Size of the sentences that name why a step failed.
enum { SAVE_CAUSE_SIZE = 400 };

// Has the host write the file at path; returns the host's status, 0 for
// success.
using HostWriteFn = int32_t (*)(const char *path, void *context);

// One save: what the caller gives and what it learns.
struct SafeSave {
    const char *target;           // the file to write
    const char *backup;           // where a replaced target is copied first; null: no backup,
                                  //   "": one is wanted but cannot be named
    int32_t hostStatus;           // out: the host's status for the write (0 when not reached)
    bool existed;                 // out: the target was a file before
    char cause[SAVE_CAUSE_SIZE];  // out: why the save failed, as a sentence, else empty
    char backupCause[SAVE_CAUSE_SIZE];  // out: why no backup was made although one was
                                        //   wanted, else empty
};

// Writes save->target through a temporary file. Once the host has written
// that file completely, a target that exists is copied to the backup (an
// existing backup that is read-only is left alone), and the temporary file
// replaces the target. Returns 1 when the target holds the new content; a
// backup that could not be made does not stop the save (backupCause says
// why). Returns 0 otherwise, with nothing changed and the cause given.
int16_t SaveThroughTemporaryFile(SafeSave *save, HostWriteFn write, void *context);

// The system's error code as a sentence naming the cause, into out
// (SAVE_CAUSE_SIZE characters); aboutFolder when the refused action was on
// a folder rather than a file.
void DescribeFileError(DWORD error, bool aboutFolder, char *out);

// Shows the failure of a save: `headline` (its one "%s", if any, filled with
// the target), the cause, and whether the former file was kept.
void ShowSaveFailure(HWND owner, const char *headline, const SafeSave &save, const char *caption);

#endif
