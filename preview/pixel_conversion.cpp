#include "preview/pixel_conversion.h"

#include <cstddef>

namespace {

// value x scale, truncated toward zero, limited to 0..limit; NaN gives 0.
// Real is the precision of the product: double for 24-bit channels, float
// for cube levels.
template <typename Real>
inline int32_t Level(float value, Real scale, int32_t limit)
{
    Real v = Real(value) * scale;
    v = v > Real(0) ? v : Real(0);  // negatives and NaN
    v = v < Real(limit) ? v : Real(limit);
    return int32_t(v);
}

}  // namespace

int32_t DibRowBytes(int32_t bytesPerPixel, int32_t width)
{
    return (bytesPerPixel * width * 8 + 31) / 32 * 4;
}

void ConvertPlanesTo24Bit(const float *red, const float *green, const float *blue,
                          int32_t width, int32_t height, uint8_t *bits, int32_t rowBytes)
{
    for (int32_t y = 0; y < height; ++y) {
        const size_t row = size_t(y) * size_t(width);
        uint8_t *out = bits + size_t(y) * size_t(rowBytes);
        for (int32_t x = 0; x < width; ++x) {
            out[3 * x + 0] = uint8_t(Level(blue[row + x], 255.0, 255));
            out[3 * x + 1] = uint8_t(Level(green[row + x], 255.0, 255));
            out[3 * x + 2] = uint8_t(Level(red[row + x], 255.0, 255));
        }
    }
}

void ConvertPlanesToCubeIndexes(const float *red, const float *green, const float *blue,
                                int32_t width, int32_t height, int32_t levelsR, int32_t levelsG,
                                int32_t levelsB, uint8_t *bits, int32_t rowBytes)
{
    for (int32_t y = 0; y < height; ++y) {
        const size_t row = size_t(y) * size_t(width);
        uint8_t *out = bits + size_t(y) * size_t(rowBytes);
        for (int32_t x = 0; x < width; ++x) {
            int32_t r = Level(red[row + x], float(levelsR), levelsR - 1);
            int32_t g = Level(green[row + x], float(levelsG), levelsG - 1);
            int32_t b = Level(blue[row + x], float(levelsB), levelsB - 1);
            out[x] = uint8_t((r * levelsG + g) * levelsB + b);
        }
    }
}

void OffsetPixelBytes(uint8_t *bits, int32_t width, int32_t height, int32_t rowBytes,
                      uint8_t offset)
{
    for (int32_t y = 0; y < height; ++y) {
        uint8_t *out = bits + size_t(y) * size_t(rowBytes);
        for (int32_t x = 0; x < width; ++x)
            out[x] = uint8_t(out[x] + offset);
    }
}
