#include "frame/file_paths.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "frame/bounded_text.h"

namespace {

bool IsSeparator(char c)
{
    return c == ':' || c == '/' || c == '\\';
}

bool IsEmpty(const char *text)
{
    return !text || !*text;
}

// Whether text begins with the n characters of path, letters in any case.
bool StartsWithPath(const char *text, const char *path, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(path[i])))
            return false;
    return true;
}

// Appends text to the zero-terminated text in out (size bytes); false, with
// out unchanged, when the result would not fit.
bool Append(char *out, size_t size, const char *text)
{
    size_t used = std::strlen(out), length = std::strlen(text);
    if (used + length >= size)
        return false;
    std::memcpy(out + used, text, length + 1);
    return true;
}

// Start of the file part of a name of length > 0. The scan begins one
// character before the end, so a final separator belongs to the file part.
size_t FilePartStart(const char *name, size_t length)
{
    size_t i = length - 1;
    while (i > 0 && !IsSeparator(name[i - 1]))
        --i;
    return i;
}

// "\" or a drive's root such as "C:\": dropping the separator would leave
// "" or "C:", the drive's current folder.
bool IsRoot(const char *directory, size_t length)
{
    return (length == 1 && directory[0] == '\\') ||
           (length == 3 && directory[1] == ':' && directory[2] == '\\');
}

bool IsAbsolute(const char *directory)
{
    return directory[0] == '/' || directory[0] == '\\' || (directory[0] && directory[1] == ':');
}

// The relative folder placed under the working directory, with one
// separator between them.
bool AppendUnderWorking(char *out, const char *working, const char *directory)
{
    if (!Append(out, INITIAL_DIRECTORY_SIZE, working))
        return false;
    char last = working[std::strlen(working) - 1];
    if (last != '\\' && last != '/' && !Append(out, INITIAL_DIRECTORY_SIZE, "\\"))
        return false;
    return Append(out, INITIAL_DIRECTORY_SIZE, directory);
}

}  // namespace

void ComposeInitialDirectory(const char *working, const char *subdirectory, PathExistsFn exists,
                             char *out)
{
    out[0] = '\0';
    if (IsEmpty(working)) {
        Append(out, INITIAL_DIRECTORY_SIZE, subdirectory ? subdirectory : "\\");
        return;
    }
    if (subdirectory) {
        // The separator goes in even when the working directory ends in one.
        char candidate[INITIAL_DIRECTORY_SIZE] = "";
        if (Append(candidate, sizeof candidate, working) &&
            Append(candidate, sizeof candidate, "\\") &&
            Append(candidate, sizeof candidate, subdirectory) && exists(candidate)) {
            std::memcpy(out, candidate, sizeof candidate);
            return;
        }
    }
    Append(out, INITIAL_DIRECTORY_SIZE, working);
}

void ComposeDialogStart(const char *name, const char *working, const char *subdirectory,
                        PathExistsFn exists, DialogStart *start)
{
    start->file[0] = '\0';
    start->directory[0] = '\0';
    if (IsEmpty(name)) {
        ComposeInitialDirectory(working, subdirectory, exists, start->directory);
        return;
    }
    char copy[FILE_NAME_SIZE];
    CopyText(copy, sizeof copy, name);
    size_t length = std::strlen(copy);
    size_t split = FilePartStart(copy, length);
    CopyText(start->file, sizeof start->file, copy + split);
    if (split == 0) {
        if (subdirectory)
            ComposeInitialDirectory(working, subdirectory, exists, start->directory);
        return;
    }

    char directory[FILE_NAME_SIZE];
    std::memcpy(directory, copy, split);
    directory[split] = '\0';
    if (directory[split - 1] == '\\' && !IsRoot(directory, split))
        directory[split - 1] = '\0';
    bool fits = IsAbsolute(directory) || IsEmpty(working)
                    ? Append(start->directory, INITIAL_DIRECTORY_SIZE, directory)
                    : AppendUnderWorking(start->directory, working, directory);
    if (!fits) {
        // The dialog finds the folder from a full name in its file field.
        start->directory[0] = '\0';
        CopyText(start->file, sizeof start->file, copy);
    }
}

bool DropSubdirectoryPrefix(const char *path, const char *subdirectory, char *out)
{
    if (!path)
        path = "";
    if (!IsEmpty(subdirectory)) {
        size_t n = std::strlen(subdirectory);
        if (std::strncmp(path, subdirectory, n) == 0 && (path[n] == '/' || path[n] == '\\'))
            path += n + 1;
    }
    return CopyText(out, FILE_NAME_SIZE, path);
}

void LowerCasePath(char *path)
{
    for (; *path; ++path)
        if (*path >= 'A' && *path <= 'Z')
            *path = char(*path - 'A' + 'a');
}

bool ExtensionKeptName(const char *source, const char *destination)
{
    size_t length = std::strlen(source);
    size_t file = 0;
    for (size_t i = 0; i < length; ++i)
        if (IsSeparator(source[i]))
            file = i + 1;
    // A dot that opens the file part starts no extension.
    const char *dot = file < length ? std::strrchr(source + file + 1, '.') : nullptr;
    size_t stem = dot ? size_t(dot - source) : length;
    return std::strncmp(source, destination, stem) == 0;
}

void HostReasonSentence(const char *reason, const char *path, char *out, size_t size)
{
    if (size == 0)
        return;
    out[0] = '\0';
    if (IsEmpty(reason))
        return;
    const char *rest = reason;
    const size_t pathLength = IsEmpty(path) ? 0 : std::strlen(path);
    if (pathLength && StartsWithPath(reason, path, pathLength) && reason[pathLength] == ':')
        rest = reason + pathLength + 1;
    const char *digits = rest;
    while (std::isdigit(static_cast<unsigned char>(*digits)))
        ++digits;
    const bool line = rest != reason && digits != rest && *digits == ':';
    while (*rest == ' ')
        ++rest;
    if (line)
        std::snprintf(out, size, "Line %s", rest);
    else
        CopyText(out, size, rest);
    out[0] = char(std::toupper(static_cast<unsigned char>(out[0])));
    const size_t length = std::strlen(out);
    if (length > 0 && length + 1 < size && !std::strchr(".!?", out[length - 1])) {
        out[length] = '.';
        out[length + 1] = '\0';
    }
}
