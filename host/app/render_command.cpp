#include "host/app/render_command.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "host/app/library_option.h"
#include "host/app/scene_picture.h"
#include "host/core/qi_host.h"

namespace {

constexpr int32_t kMaxSide = 16384;
constexpr int kBarWidth = 40;

// A whole decimal number in low..high, nothing else.
bool ParseNumber(const std::string &text, int32_t low, int32_t high, int32_t &value)
{
    if (text.empty())
        return false;
    char *end = nullptr;
    errno = 0;
    long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high)
        return false;
    value = int32_t(v);
    return true;
}

// "AxB" or "A,B" split at the separator into two numbers.
bool ParsePair(const std::string &text, char separator, int32_t low, int32_t high, int32_t &a,
               int32_t &b)
{
    size_t at = text.find(separator);
    return at != std::string::npos && ParseNumber(text.substr(0, at), low, high, a) &&
           ParseNumber(text.substr(at + 1), low, high, b);
}

struct FreeBuffer {
    void operator()(QiGBuffer *buffer) const { Qi_Free_Global_GBuffer(buffer); }
};

struct Bar {
    int drawn = -1;
};
Bar bar;

int16_t PrintProgress(QiToken phase, float fraction)
{
    if (phase == Qi_Inquire_Token("start")) {
        bar.drawn = -1;
    } else if (phase == Qi_Inquire_Token("update")) {
        int filled = int(fraction * kBarWidth);
        if (filled != bar.drawn) {
            bar.drawn = filled;
            std::fprintf(stderr, "\rrendering [%-*.*s] %3d%%", kBarWidth, filled,
                         "########################################", int(fraction * 100));
            std::fflush(stderr);
        }
    } else if (phase == Qi_Inquire_Token("end")) {
        std::fputc('\n', stderr);
    }
    return 0;
}

}  // namespace

bool ParseRenderOptions(const std::vector<std::string> &args, RenderOptions &options,
                        std::string &error)
{
    for (size_t i = 0; i < args.size(); i += 2) {
        const std::string &option = args[i];
        bool hasValue = i + 1 < args.size();
        const std::string value = hasValue ? args[i + 1] : std::string();
        if (option == "--library" && hasValue) {
            options.library = value;
        } else if (option == "--size" && hasValue) {
            if (!ParsePair(value, 'x', 1, kMaxSide, options.width, options.height)) {
                error = "--size takes WIDTHxHEIGHT, each 1 to 16384: '" + value + "'";
                return false;
            }
        } else if (option == "--light" && hasValue) {
            if (!ParsePair(value, ',', -1000000, 1000000, options.lightX, options.lightY)) {
                error = "--light takes X,Y in pixels: '" + value + "'";
                return false;
            }
            options.lightGiven = true;
        } else if (option == "--out" && hasValue) {
            options.out = value;
        } else {
            error = "unknown option or missing value: '" + option + "'";
            return false;
        }
    }
    if (options.out.empty()) {
        error = "--out FILE.png (or .bmp) is needed";
        return false;
    }
    if (!IsImageFileName(options.out)) {
        error = "the output file must end in .png or .bmp: '" + options.out + "'";
        return false;
    }
    return true;
}

void DrawFlareScene(QiGBuffer &buffer, const RenderOptions &options, QiToken kind,
                    const char *name, QiProgressFn progress)
{
    int32_t w = buffer.width, h = buffer.height;
    if (options.scene) {
        PaintScene(buffer);
    } else {
        size_t pixels = size_t(w) * size_t(h);
        std::fill(buffer.red, buffer.red + pixels, 0.0f);
        std::fill(buffer.green, buffer.green + pixels, 0.0f);
        std::fill(buffer.blue, buffer.blue + pixels, 0.0f);
        std::fill(buffer.plane4, buffer.plane4 + pixels, 1.0f);
    }
    int32_t x = options.lightGiven ? options.lightX : w / 4;
    int32_t y = options.lightGiven ? options.lightY : h / 3;
    Qi_LensFlareApplyToGBuffer(&buffer, kind, name, x, h - 1 - y, progress);
}

void ConvertToImage(const QiGBuffer &buffer, RgbImage &image)
{
    int32_t w = buffer.width, h = buffer.height;
    image.width = w;
    image.height = h;
    image.pixels.resize(size_t(w) * size_t(h) * 3);
    uint8_t *out = image.pixels.data();
    for (int32_t row = h - 1; row >= 0; --row) {
        size_t at = size_t(row) * size_t(w);
        for (int32_t col = 0; col < w; ++col) {
            *out++ = ChannelByte(buffer.red[at + size_t(col)]);
            *out++ = ChannelByte(buffer.green[at + size_t(col)]);
            *out++ = ChannelByte(buffer.blue[at + size_t(col)]);
        }
    }
}

bool RenderFlarePicture(const RenderOptions &options, QiToken kind, const char *name,
                        QiProgressFn progress, RgbImage &image, std::string &error)
{
    int32_t w = options.width, h = options.height;
    std::unique_ptr<QiGBuffer, FreeBuffer> buffer(Qi_Alloc_Global_GBuffer(w, h, h, 0));
    if (!buffer) {
        error = "no memory for a picture of that size";
        return false;
    }
    DrawFlareScene(*buffer, options, kind, name, progress);
    ConvertToImage(*buffer, image);
    return true;
}

bool WriteFlarePicture(const RenderOptions &options, QiToken kind, const char *name,
                       QiProgressFn progress, std::string &error)
{
    RgbImage image;
    return RenderFlarePicture(options, kind, name, progress, image, error) &&
           WriteImageFile(options.out, image, error);
}

int RunRenderCommand(const std::vector<std::string> &args)
{
    RenderOptions options;
    std::string error;
    if (!ParseRenderOptions(args, options, error)) {
        std::fprintf(stderr, "quorix: render: %s\n", error.c_str());
        return 2;
    }
    if (!options.library.empty() &&
        !LoadLibraryFile(Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, options.library, error)) {
        std::fprintf(stderr, "quorix: render: %s\n", error.c_str());
        return 1;
    }
    if (!WriteFlarePicture(options, Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, PrintProgress,
                           error)) {
        std::fprintf(stderr, "quorix: render: %s\n", error.c_str());
        return 1;
    }
    std::fprintf(stderr, "quorix: wrote %s (%dx%d)\n", options.out.c_str(), int(options.width),
                 int(options.height));
    return 0;
}
