// Qi_Dither_Image: error diffusion of an image of colour cube indices.
//
// Each index was made by truncating every component times its level count
// (limited to the last level), so it only tells in which of `levels` equal
// bands the component lay. The dither takes the middle of that band as the
// component's value, except that the bottom band counts as 0 and the top
// band as 1 (black backgrounds stay black, saturated light stays white),
// picks the nearest cube level (levels evenly spaced from 0 to 1, as
// Qi_Compute_Colormap makes them) and passes the error on to the pixels not
// yet visited (Floyd-Steinberg, rows in alternating directions). The colour
// table is not read; padding bytes at the end of each row are not touched.
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "host/core/qi_host.h"

namespace {

constexpr int32_t kMaxCubeColours = 256;
constexpr int32_t kMaxWidth = 1 << 20;

struct Channel {
    int32_t levels;
    int32_t divisor;  // index = sum of level * divisor
};

float BandValue(int32_t level, int32_t levels)
{
    if (level <= 0)
        return 0.0f;
    if (level >= levels - 1)
        return 1.0f;
    return (float(level) + 0.5f) / float(levels);
}

int32_t Nearest(float value, int32_t levels)
{
    float scaled = std::floor(value * float(levels - 1) + 0.5f);
    if (!(scaled > 0))
        return 0;
    return scaled < float(levels - 1) ? int32_t(scaled) : levels - 1;
}

float Clamp(float v, float lo, float hi) { return v > lo ? (v < hi ? v : hi) : lo; }

}  // namespace

extern "C" void Qi_Dither_Image(uint8_t *pixels, const float *, int32_t width, int32_t height,
                                int32_t levelsR, int32_t levelsG, int32_t levelsB, int32_t *)
{
    if (!pixels || width <= 0 || height <= 0 || width > kMaxWidth || levelsR < 1 || levelsG < 1 ||
        levelsB < 1 || levelsR > kMaxCubeColours || levelsG > kMaxCubeColours ||
        levelsB > kMaxCubeColours || levelsR * levelsG * levelsB > kMaxCubeColours) {
        Qi_Report_Error(4, "ERR_BAD_DITHER", "Qi_Dither_Image()",
                        "an image and a cube of at most 256 colours are needed");
        return;
    }
    const Channel channels[3] = {{levelsR, levelsG * levelsB}, {levelsG, levelsB}, {levelsB, 1}};
    const int32_t last = levelsR * levelsG * levelsB - 1;
    const size_t rowBytes = (size_t(width) + 3) & ~size_t(3);
    // Error carried to the current and the next row, one slot of margin on
    // each side, three channels per pixel.
    std::vector<float> current(3 * (size_t(width) + 2), 0.0f), next(current.size(), 0.0f);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t *row = pixels + size_t(y) * rowBytes;
        bool forward = y % 2 == 0;
        int dir = forward ? 1 : -1;
        for (int32_t i = 0; i < width; ++i) {
            int32_t x = forward ? i : width - 1 - i;
            int32_t index = row[x] < last ? row[x] : last;
            int32_t out = 0;
            for (int c = 0; c < 3; ++c) {
                const Channel &ch = channels[c];
                int32_t level = (index / ch.divisor) % ch.levels;
                size_t at = 3 * size_t(x + 1) + size_t(c);
                float value = Clamp(BandValue(level, ch.levels) + current[at], -0.5f, 1.5f);
                int32_t chosen = Nearest(value, ch.levels);
                float shown = ch.levels > 1 ? float(chosen) / float(ch.levels - 1) : 0.0f;
                float error = value - shown;
                current[at + 3 * dir] += error * (7.0f / 16);
                next[at - 3 * dir] += error * (3.0f / 16);
                next[at] += error * (5.0f / 16);
                next[at + 3 * dir] += error * (1.0f / 16);
                out += chosen * ch.divisor;
            }
            row[x] = uint8_t(out);
        }
        std::swap(current, next);
        std::fill(next.begin(), next.end(), 0.0f);
    }
}
