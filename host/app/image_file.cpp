#include "host/app/image_file.h"

#include <cctype>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

std::string Extension(const std::string &path)
{
    size_t dot = path.find_last_of('.');
    size_t slash = path.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return "";
    std::string ext = path.substr(dot);
    for (char &c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

}  // namespace

bool IsImageFileName(const std::string &path)
{
    std::string ext = Extension(path);
    return ext == ".png" || ext == ".bmp";
}

bool WriteImageFile(const std::string &path, const RgbImage &image, std::string &error)
{
    if (image.width <= 0 || image.height <= 0 ||
        image.pixels.size() != size_t(image.width) * size_t(image.height) * 3) {
        error = "no picture to write";
        return false;
    }
    std::string ext = Extension(path);
    int written = 0;
    if (ext == ".png")
        written = stbi_write_png(path.c_str(), image.width, image.height, 3, image.pixels.data(),
                                 image.width * 3);
    else if (ext == ".bmp")
        written = stbi_write_bmp(path.c_str(), image.width, image.height, 3, image.pixels.data());
    else {
        error = "the file name must end in .png or .bmp";
        return false;
    }
    if (!written) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
