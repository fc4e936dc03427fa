// The path rules of the file dialogs, apart from the dialogs themselves: the
// folder a dialog starts in, how a remembered name splits into that folder
// and the file it offers, and the names kept relative to the host's working
// directory. Every result is bounded to its buffer; a folder that does not
// fit is left out rather than cut, since a cut path names another folder.
#ifndef FRAME_FILE_PATHS_H
#define FRAME_FILE_PATHS_H

#include <cstddef>

// Size of every file name buffer the dialogs fill (terminating zero included)
// and of the initial-directory buffer.
enum { FILE_NAME_SIZE = 300, INITIAL_DIRECTORY_SIZE = 256 };

// Tells whether a file or folder of that path exists.
using PathExistsFn = bool (*)(const char *path);

// The folder a dialog starts in when the name gives none. working is the
// host's working directory (null counts as empty). Without one: the
// subdirectory, or "\" when there is none. Otherwise working + "\" +
// subdirectory when a subdirectory is given and exists, else working. A
// candidate that does not fit INITIAL_DIRECTORY_SIZE gives way to the next;
// out is empty (no initial folder) when none fits.
void ComposeInitialDirectory(const char *working, const char *subdirectory, PathExistsFn exists,
                             char *out);

// Where a dialog opens for a remembered name.
struct DialogStart {
    char file[FILE_NAME_SIZE];               // what the file field starts with
    char directory[INITIAL_DIRECTORY_SIZE];  // the initial folder; empty for none
};

// Splits name into the file field and the initial folder. An empty name, or
// one without a folder when a subdirectory is given, starts in the folder of
// ComposeInitialDirectory. A folder part drops its final "\" unless it is a
// root ("\", "C:\"), so that "C:\stars.lnz" opens in the root of C: and not
// in the drive's current folder. An absolute folder is taken as it is; a
// relative one is placed under the working directory. When the folder does
// not fit, the whole name goes into the file field and no folder is given.
void ComposeDialogStart(const char *name, const char *working, const char *subdirectory,
                        PathExistsFn exists, DialogStart *start);

// Copies path into out (FILE_NAME_SIZE characters) without a leading
// subdirectory + "/" or, failing that, subdirectory + "\" (the comparison is
// case-sensitive). A null path gives an empty name. Returns false when the
// rest did not fit and was cut.
bool DropSubdirectoryPrefix(const char *path, const char *subdirectory, char *out);

// Converts the ASCII letters of path to lower case in place.
void LowerCasePath(char *path);

// Whether the host's extension call (source made to end in an extension,
// written to destination) kept the name: destination must begin with source
// up to the extension of its file part. False means the host cut the name
// to make it fit its buffer, so the result names another file.
bool ExtensionKeptName(const char *source, const char *destination);

// The host's reason for a failed call about the file at path, as a
// sentence to show below a message, into out (size characters; cut when
// longer). A reason that begins with the path ("path: what is wrong",
// "path:12: what is wrong") loses it, its line becoming "Line 12: ";
// the first letter is raised and a final full stop added. An empty reason
// gives an empty sentence.
void HostReasonSentence(const char *reason, const char *path, char *out, size_t size);

#endif
