#include "tests/support/dib_canvas.h"

#include <algorithm>

DibCanvas::DibCanvas(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    Create(client.right, client.bottom);
    SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc_), 0);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    GdiFlush();
}

DibCanvas::DibCanvas(int width, int height, COLORREF fill)
{
    Create(width, height);
    std::fill(bits_, bits_ + width * height,
              uint32_t(GetRValue(fill)) << 16 | GetGValue(fill) << 8 | GetBValue(fill));
}

void DibCanvas::Create(int width, int height)
{
    width_ = width;
    height_ = height;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<uint32_t *>(bits);
    oldBitmap_ = SelectObject(dc_, bitmap_);
}

DibCanvas::~DibCanvas()
{
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF DibCanvas::Pixel(int x, int y) const
{
    if (!bits_ || x < 0 || y < 0 || x >= width_ || y >= height_)
        return CLR_INVALID;
    GdiFlush();
    uint32_t pixel = bits_[y * width_ + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int DibCanvas::Count(int left, int top, int right, int bottom, COLORREF colour) const
{
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x)
            count += Pixel(x, y) == colour;
    }
    return count;
}

int CountShownPixels(HWND window, const RECT &area, const std::function<bool(COLORREF)> &match)
{
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += match(GetPixel(dc, x, y)) ? 1 : 0;
    ReleaseDC(window, dc);
    return count;
}
