// Writing rendered pictures to PNG or BMP files.
#ifndef HOST_APP_IMAGE_FILE_H
#define HOST_APP_IMAGE_FILE_H

#include <cstdint>
#include <string>
#include <vector>

// Rows of 8-bit red, green, blue, the top row first.
struct RgbImage {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;
};

// A linear channel value as a byte: limited to 0..1 (NaN counts as 0), so
// that light brighter than 1.0 is white, never wrapped; then times 255,
// rounded. Free of branches, so that loops over whole pictures vectorise.
inline uint8_t ChannelByte(float value)
{
    float limited = value > 0.0f ? value : 0.0f;
    limited = limited < 1.0f ? limited : 1.0f;
    return uint8_t(int32_t(limited * 255.0f + 0.5f));
}

// True when the path ends in ".png" or ".bmp" (any case).
bool IsImageFileName(const std::string &path);

// Writes the image in the format its extension names; false with a reason
// in error when it cannot.
bool WriteImageFile(const std::string &path, const RgbImage &image, std::string &error);

#endif
