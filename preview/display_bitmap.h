// Displayable pictures of the host's render buffers: a 24-bit DIB on
// true-colour displays, or an 8-bit DIB whose pixels index a logical palette
// holding a 5 x 9 x 5 colour cube (entries 10..234) on palette displays.
// Shown in an owner-drawn button of the owning window.
#ifndef PREVIEW_DISPLAY_BITMAP_H
#define PREVIEW_DISPLAY_BITMAP_H

#include <windows.h>

#include "host/api/qi_core.h"

struct DisplayBitmap {
    int16_t valid;           // 1 once every buffer of the bitmap exists
    int16_t hasImage;        // 1 once a buffer has been converted into it; 0 blanks it
    int16_t buttonId;        // owner-drawn button (child of the owner) that shows it
    int16_t palettised;      // 1: 8-bit with a palette; 0: 24-bit
    LOGPALETTE *logPalette;  // 256-entry palette description (palettised only), owned
    HPALETTE palette;        // the logical palette (palettised only), owned
    BITMAPINFO *bitmapInfo;  // header, then (palettised) 256 16-bit palette indexes, owned
    uint8_t *bits;           // pixel rows, bottom row first, owned
    int16_t rowBytes;        // bytes per row, padded to 4
};

// The colour cube and where it sits in the palette.
enum { CUBE_RED = 5, CUBE_GREEN = 9, CUBE_BLUE = 5, CUBE_COLOURS = 225, CUBE_FIRST_ENTRY = 10 };

// 1 when the screen is a palette device, else 0.
int16_t IsPaletteDisplay();

// mode: bytes per pixel, 1 (palettised) or 3. Returns 0 on success, 1 when
// a buffer cannot be had or the size cannot be shown (then valid stays 0).
int16_t CreateDisplayBitmap(DisplayBitmap *bitmap, int16_t buttonId, int32_t width,
                            int32_t height, int16_t mode);

// Releases whatever the bitmap holds; also fine on a bitmap whose creation
// failed half-way and on one never created (all zero).
void FreeDisplayBitmap(DisplayBitmap *bitmap);

// Fills the bitmap from a buffer of the same size and sets hasImage.
void ConvertGBufferToDisplay(const QiGBuffer *buffer, DisplayBitmap *bitmap);

// Draws the bitmap on WM_DRAWITEM of its button and answers the palette
// messages of the owning window. *handled tells whether the owner must
// return the result at once (WM_DRAWITEM is drawn but left to the owner).
LRESULT HandleDisplayBitmapMessage(DisplayBitmap *bitmap, HWND window, UINT message,
                                   WPARAM wParam, LPARAM lParam, int16_t *handled);

// The palette steps of CreateDisplayBitmap; 0 on success, 1 on failure.
int16_t CreateDisplayPalette(LOGPALETTE **logPalette, HPALETTE *palette);
void FillDisplayPalette(int32_t count, const float *colours, int32_t first, float gamma,
                        LOGPALETTE *logPalette, HPALETTE palette);

// Allocates the header (width and height still 0) and, when palettised, the
// colour table of palette indexes 0..255; 0 on success, 1 on failure.
// The header of a bottom-up 24-bit DIB of that size (rows of blue, green,
// red bytes, each padded to four bytes).
BITMAPINFOHEADER TrueColourHeader(int32_t width, int32_t height);

int16_t CreateBitmapInfo(int16_t palettised, BITMAPINFO **bitmapInfo);

#endif
