#include "library/picture_cache_file.h"

#include <windows.h>

#include <cstdio>

#include "frame/file_paths.h"
#include "library/preset_folders.h"
#include "library/preset_pictures.h"

namespace {

void ReadWholeFile(const char *path, std::vector<uint8_t> *bytes)
{
    bytes->clear();
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER size;
    // A cache of more than 1 GB is no cache of ours.
    if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (1 << 30)) {
        bytes->resize(size_t(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, bytes->data(), DWORD(bytes->size()), &read, nullptr) ||
            read != bytes->size())
            bytes->clear();
    }
    CloseHandle(file);
}

}  // namespace

void ReadPictureCacheFile(PictureCache *cache)
{
    char path[FILE_NAME_SIZE];
    PathBesideSettings(PRESET_CACHE_NAME, path);
    std::vector<uint8_t> bytes;
    if (path[0])
        ReadWholeFile(path, &bytes);
    DecodePictureCache(bytes.data(), bytes.size(), PICTURE_WIDTH, PICTURE_HEIGHT, cache);
}

void WritePictureCacheFile(const std::vector<Preset> &presets)
{
    char path[FILE_NAME_SIZE], temporary[FILE_NAME_SIZE + 8];
    PathBesideSettings(PRESET_CACHE_NAME, path);
    if (!path[0])
        return;
    std::snprintf(temporary, sizeof temporary, "%s.new", path);
    std::vector<PictureOfFile> entries;
    for (const Preset &preset : presets)
        entries.push_back({&preset.file, &preset.picture});
    std::vector<uint8_t> bytes = EncodePictureCache(PICTURE_WIDTH, PICTURE_HEIGHT, entries);
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    BOOL complete = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    if (!complete || !MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING))
        DeleteFileA(temporary);
}
