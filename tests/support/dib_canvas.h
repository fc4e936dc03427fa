// What a window draws, read back in pixels: a 32-bit top-down DIB section
// selected into a memory DC.
#ifndef TESTS_SUPPORT_DIB_CANVAS_H
#define TESTS_SUPPORT_DIB_CANVAS_H

#include <windows.h>

#include <cstdint>
#include <functional>

class DibCanvas {
public:
    // A canvas as large as the client area of `window`, filled by its
    // WM_ERASEBKGND and WM_PRINTCLIENT.
    explicit DibCanvas(HWND window);
    // A canvas of that size with every pixel `fill`, to draw into through dc().
    DibCanvas(int width, int height, COLORREF fill);
    ~DibCanvas();
    DibCanvas(const DibCanvas &) = delete;
    DibCanvas &operator=(const DibCanvas &) = delete;

    HDC dc() const { return dc_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // The pixel at (x, y) as a COLORREF (0x00BBGGRR), once GDI has drawn.
    COLORREF Pixel(int x, int y) const;
    // How many pixels of the rectangle left..right-1, top..bottom-1 have `colour`.
    int Count(int left, int top, int right, int bottom, COLORREF colour) const;

private:
    void Create(int width, int height);

    int width_ = 0;
    int height_ = 0;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t *bits_ = nullptr;
};

// How many pixels of the rectangle, as the window's own DC shows them (what
// was drawn straight onto the screen included), match.
int CountShownPixels(HWND window, const RECT &area, const std::function<bool(COLORREF)> &match);

#endif
