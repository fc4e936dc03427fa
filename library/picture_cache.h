// The preset browser's pictures kept on disk, so that a folder seen before
// shows every picture at once. An entry belongs to one library file as it
// was: its path, size and time of last writing; a file that changed since
// has no entry. The cache is a convenience: any damage to it (a cut, a
// changed byte, another program's file) makes the whole of it count as
// empty, never as pictures of the wrong files.
#ifndef LIBRARY_PICTURE_CACHE_H
#define LIBRARY_PICTURE_CACHE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// What is known of a library file's flare once the host has loaded it.
enum PictureState : uint8_t { PICTURE_PENDING = 0, PICTURE_MADE = 1, PICTURE_DAMAGED = 2 };

struct PresetPicture {
    PictureState state = PICTURE_PENDING;
    std::vector<std::string> types;  // made: the element types in list order ("halo")
    std::vector<std::string> names;  // made: the elements' names in list order ("Halo Ring")
    std::string problem;             // damaged: the host's reason, or why the file was not read
    std::vector<uint8_t> pixels;     // made: width x height blue-green-red pixels, bottom row
                                     //   first, rows not padded
};

// A library file as it was found in its folder.
struct PresetFile {
    std::string path;      // full path
    uint64_t size = 0;     // bytes
    uint64_t time = 0;     // time of last writing, as the file system counts it
};

struct CachedPicture {
    PresetFile file;
    PresetPicture picture;
};

struct PictureCache {
    std::vector<CachedPicture> entries;
    std::unordered_map<std::string, size_t> byPath;  // lower-case path -> entry
};

// The cache's bytes for pictures of width x height pixels; entries whose
// picture is still pending, or whose pixels are not of that size, are left
// out.
struct PictureOfFile {
    const PresetFile *file;
    const PresetPicture *picture;
};
std::vector<uint8_t> EncodePictureCache(int32_t width, int32_t height,
                                        const std::vector<PictureOfFile> &entries);

// Reads a cache written for pictures of width x height pixels. Returns
// false, with the cache empty, for bytes that are not such a cache, in part
// or in whole.
bool DecodePictureCache(const uint8_t *bytes, size_t size, int32_t width, int32_t height,
                        PictureCache *cache);

// The entry that belongs to the file as it is now (the path compared
// without regard to case, the size and the time exactly), or null. Its
// picture may be taken away.
CachedPicture *FindCachedPicture(PictureCache &cache, const PresetFile &file);

#endif
