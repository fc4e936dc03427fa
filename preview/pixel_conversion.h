// Conversion of the host's floating-point planes into the bytes of a
// bottom-up device-independent bitmap. Rows are written in the planes'
// order (row 0, the bottom row, first) and padded to rowBytes; padding bytes
// are never written. Channel values are clamped to 0..1 first, so that the
// bright values a flare routinely renders above 1.0 show as full white.
#ifndef PREVIEW_PIXEL_CONVERSION_H
#define PREVIEW_PIXEL_CONVERSION_H

#include <cstdint>

// Bytes per row of a DIB: rows are padded to multiples of 4 bytes.
int32_t DibRowBytes(int32_t bytesPerPixel, int32_t width);

// 24-bit pixels: blue, green, red, each truncate(value x 255).
void ConvertPlanesTo24Bit(const float *red, const float *green, const float *blue,
                          int32_t width, int32_t height, uint8_t *bits, int32_t rowBytes);

// 8-bit indexes of a colour cube of levelsR x levelsG x levelsB colours:
// level = truncate(value x levels), at most levels - 1; index =
// (r x levelsG + g) x levelsB + b.
void ConvertPlanesToCubeIndexes(const float *red, const float *green, const float *blue,
                                int32_t width, int32_t height, int32_t levelsR, int32_t levelsG,
                                int32_t levelsB, uint8_t *bits, int32_t rowBytes);

// Adds offset to every pixel byte of an 8-bit image, leaving the padding.
void OffsetPixelBytes(uint8_t *bits, int32_t width, int32_t height, int32_t rowBytes,
                      uint8_t offset);

#endif
