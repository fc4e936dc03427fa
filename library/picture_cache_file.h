// The preset browser's picture cache on disk: the file PRESET_CACHE_NAME
// beside the host's settings file.
#ifndef LIBRARY_PICTURE_CACHE_FILE_H
#define LIBRARY_PICTURE_CACHE_FILE_H

#include <vector>

#include "library/picture_cache.h"
#include "library/preset_grid.h"

#define PRESET_CACHE_NAME "lensflare-preset-pictures.cache"

// Reads the cache; a missing, unreadable or damaged one gives an empty
// cache.
void ReadPictureCacheFile(PictureCache *cache);

// Writes the presets' pictures to a temporary file that then replaces the
// cache, so that a cache is always whole; a cache that cannot be written
// only makes the next opening slower.
void WritePictureCacheFile(const std::vector<Preset> &presets);

#endif
