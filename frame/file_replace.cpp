#include "frame/file_replace.h"

#include <cstdio>
#include <cstring>

#include "frame/bounded_text.h"
#include "host/api/qi_core.h"

namespace {

// What a refused system call was about: the folder a file is made in, or
// the file itself.
enum class Subject { Folder, File };

// The system's error as a sentence naming the cause.
void DescribeSystemError(DWORD error, Subject subject, char *out)
{
    const char *text = nullptr;
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        text = subject == Subject::Folder
                   ? "The folder cannot be written."
                   : "The file cannot be written: it is read-only or in use.";
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        text = "The file is in use by another program.";
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        text = "The disk is full.";
        break;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        text = "The path is too long.";
        break;
    case ERROR_PATH_NOT_FOUND:
        text = "The folder does not exist.";
        break;
    }
    if (text) {
        CopyText(out, SAVE_CAUSE_SIZE, text);
        return;
    }
    char system[SAVE_CAUSE_SIZE] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, system, sizeof system, nullptr);
    while (length > 0 && (system[length - 1] == '\r' || system[length - 1] == '\n' ||
                          system[length - 1] == ' '))
        system[--length] = '\0';
    if (length > 0)
        CopyText(out, SAVE_CAUSE_SIZE, system);
    else
        std::snprintf(out, SAVE_CAUSE_SIZE, "The system refused the file (error %lu).", error);
}

bool IsSeparator(char c)
{
    return c == ':' || c == '/' || c == '\\';
}

// Makes a new empty file beside `beside`, named "~lf", four hexadecimal
// digits and the extension of `beside`, so that the host writes it as it
// would write `beside`. False with the cause when the folder takes none.
bool CreateTemporaryFile(const char *beside, char *temporary, char *cause)
{
    static DWORD counter = GetTickCount() ^ (GetCurrentProcessId() << 8);
    size_t file = std::strlen(beside);
    while (file > 0 && !IsSeparator(beside[file - 1]))
        --file;
    const char *dot = std::strrchr(beside + file, '.');
    for (int attempt = 0; attempt < 64; ++attempt) {
        unsigned number = unsigned(counter++ & 0xFFFF);
        int length = std::snprintf(temporary, FILE_NAME_SIZE, "%.*s~lf%04x%s", int(file), beside,
                                   number, dot ? dot : "");
        if (length < 0 || length >= FILE_NAME_SIZE) {
            CopyText(cause, SAVE_CAUSE_SIZE, "The path is too long.");
            return false;
        }
        HANDLE handle = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            CloseHandle(handle);
            return true;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            DescribeSystemError(error, Subject::Folder, cause);
            return false;
        }
    }
    CopyText(cause, SAVE_CAUSE_SIZE, "No temporary file can be made in the folder.");
    return false;
}

// The host writes the temporary file; its reason names the cause when it
// cannot.
bool HostWritesTemporaryFile(SafeSave *save, const char *temporary, HostWriteFn write,
                             void *context)
{
    char reason[SAVE_CAUSE_SIZE];
    Qi_Take_Last_Error(reason, sizeof reason);
    save->hostStatus = write(temporary, context);
    if (save->hostStatus == 0)
        return true;
    Qi_Take_Last_Error(reason, sizeof reason);
    HostReasonSentence(reason, temporary, save->cause, sizeof save->cause);
    if (!save->cause[0])
        CopyText(save->cause, sizeof save->cause, "The host could not write the file.");
    return false;
}

// A copy of the target, made before it is replaced, that becomes the backup
// once the replacement succeeded; false (and no copy) when none is wanted
// or it cannot be made. An older backup that is read-only is kept as it is.
bool CopyTargetForBackup(SafeSave *save, char *copy)
{
    if (!save->backup || !save->existed)
        return false;
    if (!save->backup[0]) {
        CopyText(save->backupCause, sizeof save->backupCause,
                 "The name of the backup would be too long.");
        return false;
    }
    DWORD attributes = GetFileAttributesA(save->backup);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        CopyText(save->backupCause, sizeof save->backupCause,
                 "The older backup is read-only and was kept.");
        return false;
    }
    if (!CreateTemporaryFile(save->backup, copy, save->backupCause))
        return false;
    if (CopyFileA(save->target, copy, FALSE))
        return true;
    DescribeSystemError(GetLastError(), Subject::File, save->backupCause);
    DeleteFileA(copy);
    return false;
}

}  // namespace

int16_t SaveThroughTemporaryFile(SafeSave *save, HostWriteFn write, void *context)
{
    save->hostStatus = 0;
    save->cause[0] = save->backupCause[0] = '\0';
    const DWORD attributes = GetFileAttributesA(save->target);
    save->existed =
        attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    char temporary[FILE_NAME_SIZE];
    if (!CreateTemporaryFile(save->target, temporary, save->cause))
        return 0;
    if (!HostWritesTemporaryFile(save, temporary, write, context)) {
        DeleteFileA(temporary);
        return 0;
    }
    char copy[FILE_NAME_SIZE];
    const bool copied = CopyTargetForBackup(save, copy);
    if (!MoveFileExA(temporary, save->target, MOVEFILE_REPLACE_EXISTING)) {
        DescribeSystemError(GetLastError(), Subject::File, save->cause);
        DeleteFileA(temporary);
        if (copied)
            DeleteFileA(copy);
        save->backupCause[0] = '\0';
        return 0;
    }
    if (copied && !MoveFileExA(copy, save->backup, MOVEFILE_REPLACE_EXISTING)) {
        DescribeSystemError(GetLastError(), Subject::File, save->backupCause);
        DeleteFileA(copy);
    }
    return 1;
}

void DescribeFileError(DWORD error, bool aboutFolder, char *out)
{
    DescribeSystemError(error, aboutFolder ? Subject::Folder : Subject::File, out);
}

void ShowSaveFailure(HWND owner, const char *headline, const SafeSave &save, const char *caption)
{
    char first[FILE_NAME_SIZE + 200];
    std::snprintf(first, sizeof first, headline, save.target);
    char text[sizeof first + 2 * SAVE_CAUSE_SIZE];
    std::snprintf(text, sizeof text, "%s\n\n%s\n\n%s", first, save.cause,
                  save.existed ? "The former file was left as it was." : "No file was written.");
    MessageBoxA(owner, text, caption, MB_OK);
}
