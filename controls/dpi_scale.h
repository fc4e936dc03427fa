// Pixel constants drawn at 96 DPI (100 %), scaled to another DPI.
#ifndef CONTROLS_DPI_SCALE_H
#define CONTROLS_DPI_SCALE_H

// The DPI at which every pixel constant of the controls is given.
constexpr int kDefaultDpi = 96;

// value pixels at 96 DPI as pixels at `dpi`, rounded half away from zero as
// MulDiv rounds; a dpi that is not positive counts as 96.
int ScalePixels(int value, int dpi);

#endif
