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

// True when the path ends in ".png" or ".bmp" (any case).
bool IsImageFileName(const std::string &path);

// Writes the image in the format its extension names; false with a reason
// in error when it cannot.
bool WriteImageFile(const std::string &path, const RgbImage &image, std::string &error);

#endif
