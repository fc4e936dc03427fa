// What a control draws, read back in pixels: a 32-bit top-down DIB section
// selected into a memory DC, filled by the control's WM_ERASEBKGND and
// WM_PRINTCLIENT.
#ifndef TESTS_CONTROLS_DIB_CANVAS_H
#define TESTS_CONTROLS_DIB_CANVAS_H

#include <windows.h>

#include <cstdint>

class DibCanvas {
public:
    // A canvas as large as the client area of `window`, with the window's
    // background and drawing rendered into it.
    explicit DibCanvas(HWND window);
    ~DibCanvas();
    DibCanvas(const DibCanvas &) = delete;
    DibCanvas &operator=(const DibCanvas &) = delete;

    int width() const { return width_; }
    int height() const { return height_; }

    // The pixel at (x, y) as a COLORREF (0x00BBGGRR).
    COLORREF Pixel(int x, int y) const;
    // How many pixels of the rectangle left..right-1, top..bottom-1 have `colour`.
    int Count(int left, int top, int right, int bottom, COLORREF colour) const;

private:
    int width_ = 0;
    int height_ = 0;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    const uint32_t *bits_ = nullptr;
};

#endif
