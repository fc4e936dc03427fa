#include "library/preset_folders.h"

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "frame/bounded_text.h"
#include "frame/file_dialog.h"
#include "frame/file_replace.h"
#include "frame/ini_file.h"

namespace {

const char kSection[] = "Lens-Flare-UI";

// folder + "\" + name into out (FILE_NAME_SIZE characters); empty when it
// does not fit or the folder is empty.
void JoinPath(const char *folder, const char *name, char *out)
{
    size_t length = std::strlen(folder);
    bool separator = length > 0 && (folder[length - 1] == '\\' || folder[length - 1] == '/');
    int written = std::snprintf(out, FILE_NAME_SIZE, "%s%s%s", folder, separator ? "" : "\\",
                                name);
    if (length == 0 || written < 0 || written >= FILE_NAME_SIZE)
        out[0] = '\0';
}

uint64_t FileTimeValue(const FILETIME &time)
{
    return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

uint64_t FileSizeValue(DWORD high, DWORD low)
{
    return (uint64_t(high) << 32) | low;
}

bool NameBefore(const Preset &a, const Preset &b)
{
    return lstrcmpiA(a.name.c_str(), b.name.c_str()) < 0;
}

}  // namespace

void BundledPresetFolder(char *folder)
{
    const char *working = HostWorkingDirectory();
    if (*working)
        JoinPath(working, "lensfx", folder);
    else
        CopyText(folder, FILE_NAME_SIZE, "lensfx");
}

void PathBesideSettings(const char *name, char *path)
{
    char settings[FILE_NAME_SIZE];
    char *file = nullptr;
    DWORD length = GetFullPathNameA(PluginIniPath(), sizeof settings, settings, &file);
    // A bare settings name is a file of the Windows folder.
    if (std::strpbrk(PluginIniPath(), "\\/:") == nullptr) {
        length = GetWindowsDirectoryA(settings, sizeof settings);
        file = settings + (length < sizeof settings ? length : 0);
    }
    if (length == 0 || length >= sizeof settings || !file) {
        path[0] = '\0';
        return;
    }
    *file = '\0';
    JoinPath(settings, name, path);
}

void UserPresetFolder(char *folder)
{
    char setting[FILE_NAME_SIZE] = "";
    GetPrivateProfileStringA(kSection, PRESET_FOLDER_KEY, "", setting, sizeof setting,
                             PluginIniPath());
    if (setting[0])
        CopyText(folder, FILE_NAME_SIZE, setting);
    else
        PathBesideSettings("presets", folder);
}

void ListPresets(const char *folder, int section, std::vector<Preset> &presets)
{
    char pattern[FILE_NAME_SIZE];
    JoinPath(folder, "*.lnz", pattern);
    WIN32_FIND_DATAA found;
    HANDLE search = pattern[0] ? FindFirstFileA(pattern, &found) : INVALID_HANDLE_VALUE;
    if (search == INVALID_HANDLE_VALUE)
        return;
    const size_t first = presets.size();
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        Preset preset;
        preset.section = section;
        preset.name = found.cFileName;
        size_t dot = preset.name.find_last_of('.');
        if (dot != std::string::npos)
            preset.name.erase(dot);
        char path[FILE_NAME_SIZE];
        JoinPath(folder, found.cFileName, path);
        if (path[0]) {
            preset.file.path = path;
        } else {
            preset.file.path = std::string(folder) + "\\" + found.cFileName;
            preset.picture.state = PICTURE_DAMAGED;
            preset.picture.problem = "Its path is longer than 299 characters.";
        }
        preset.file.size = FileSizeValue(found.nFileSizeHigh, found.nFileSizeLow);
        preset.file.time = FileTimeValue(found.ftLastWriteTime);
        presets.push_back(std::move(preset));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(presets.begin() + long(first), presets.end(), NameBefore);
}

bool ReadPresetFile(const char *path, PresetFile *file)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    file->path = path;
    file->size = FileSizeValue(data.nFileSizeHigh, data.nFileSizeLow);
    file->time = FileTimeValue(data.ftLastWriteTime);
    return true;
}

bool MakeFolder(const char *folder, char *cause)
{
    DWORD attributes = GetFileAttributesA(folder);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return true;
        CopyText(cause, SAVE_CAUSE_SIZE, "A file of that name is in the way.");
        return false;
    }
    char parent[FILE_NAME_SIZE];
    CopyText(parent, sizeof parent, folder);
    char *end = parent + std::strlen(parent);
    while (end > parent && (end[-1] == '\\' || end[-1] == '/'))
        *--end = '\0';
    char *separator = std::max(std::strrchr(parent, '\\'), std::strrchr(parent, '/'));
    if (separator && separator > parent && separator[-1] != ':') {
        *separator = '\0';
        if (!MakeFolder(parent, cause))
            return false;
    }
    if (CreateDirectoryA(folder, nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        return true;
    DescribeFileError(GetLastError(), true, cause);
    return false;
}

bool MoveToRecycleBin(HWND owner, const char *path, char *cause)
{
    // The list of files ends with an empty name.
    char from[FILE_NAME_SIZE + 1] = "";
    CopyText(from, FILE_NAME_SIZE, path);
    from[std::strlen(from) + 1] = '\0';
    SHFILEOPSTRUCTA operation = {};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from;
    // Where no recycle bin takes the file, the system asks before it deletes
    // it for good.
    operation.fFlags =
        FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_WANTNUKEWARNING | FOF_SILENT | FOF_NOERRORUI;
    int result = SHFileOperationA(&operation);
    if (result == 0 && !operation.fAnyOperationsAborted &&
        GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
        return true;
    if (result != 0)
        DescribeFileError(DWORD(result), false, cause);
    else
        CopyText(cause, SAVE_CAUSE_SIZE, "The file is still there.");
    return false;
}
