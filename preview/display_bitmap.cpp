#include "preview/display_bitmap.h"

#include <cmath>

#include "preview/pixel_conversion.h"

namespace {

// The colour cube, RGB triplets in the cube's index order; filled by the
// host for every palettised bitmap (its content never changes).
float colourCube[CUBE_COLOURS * 3];

constexpr float kPaletteGamma = 1.7f;

BYTE PaletteByte(float component)
{
    return BYTE(std::fmin(std::fmax(component * 255.0f, 0.0f), 255.0f));
}

HWND BitmapButton(const DisplayBitmap *bitmap, HWND window)
{
    return GetDlgItem(window, bitmap->buttonId);
}

void DrawBitmapItem(const DisplayBitmap *bitmap, const DRAWITEMSTRUCT *item)
{
    if (!bitmap->hasImage)
        return;
    HPALETTE previous = nullptr;
    if (bitmap->logPalette) {
        previous = SelectPalette(item->hDC, bitmap->palette, TRUE);
        RealizePalette(item->hDC);
    }
    if (bitmap->bits) {
        const BITMAPINFOHEADER &header = bitmap->bitmapInfo->bmiHeader;
        StretchDIBits(item->hDC, 0, 0, header.biWidth, header.biHeight, 0, 0, header.biWidth,
                      header.biHeight, bitmap->bits, bitmap->bitmapInfo,
                      bitmap->palettised ? DIB_PAL_COLORS : DIB_RGB_COLORS, SRCCOPY);
    }
    if (previous)
        SelectPalette(item->hDC, previous, TRUE);
}

// Realises the palette in the button; returns the number of entries mapped.
UINT RealizeInButton(const DisplayBitmap *bitmap, HWND window, BOOL background)
{
    HWND button = BitmapButton(bitmap, window);
    HDC dc = GetDC(button);
    HPALETTE previous = SelectPalette(dc, bitmap->palette, background);
    UINT mapped = RealizePalette(dc);
    SelectPalette(dc, previous, TRUE);
    ReleaseDC(button, dc);
    if (mapped > 0 && mapped != GDI_ERROR)
        InvalidateRect(button, nullptr, FALSE);
    return mapped == GDI_ERROR ? 0 : mapped;
}

}  // namespace

int16_t IsPaletteDisplay()
{
    HDC screen = GetDC(nullptr);
    int caps = GetDeviceCaps(screen, RASTERCAPS);
    ReleaseDC(nullptr, screen);
    return (caps & RC_PALETTE) ? 1 : 0;
}

int16_t CreateDisplayPalette(LOGPALETTE **logPalette, HPALETTE *palette)
{
    size_t size = sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY);
    *logPalette = static_cast<LOGPALETTE *>(Qi_Alloc_Memory(0, 1, size));
    if (!*logPalette)
        return 1;
    (*logPalette)->palVersion = 0x300;
    (*logPalette)->palNumEntries = 256;
    *palette = CreatePalette(*logPalette);
    return *palette ? 0 : 1;
}

void FillDisplayPalette(int32_t count, const float *colours, int32_t first, float gamma,
                        LOGPALETTE *logPalette, HPALETTE palette)
{
    if (count < 0 || first < 0 || first + count > 256)
        return;
    float corrected[256 * 3];
    if (gamma != 1.0f) {
        Qi_Gamma_Correct(colours, corrected, count, gamma);
        colours = corrected;
    }
    PALETTEENTRY *entries = logPalette->palPalEntry;
    if (IsPaletteDisplay()) {
        HDC screen = GetDC(nullptr);
        GetSystemPaletteEntries(screen, 0, 256, entries);
        ReleaseDC(nullptr, screen);
    }
    for (int32_t i = 0; i < count; ++i) {
        PALETTEENTRY &entry = entries[first + i];
        const float *c = colours + 3 * i;
        entry.peRed = PaletteByte(c[0]);
        entry.peGreen = PaletteByte(c[1]);
        entry.peBlue = PaletteByte(c[2]);
        entry.peFlags = 0;
    }
    SetPaletteEntries(palette, 0, 256, entries);
}

BITMAPINFOHEADER TrueColourHeader(int32_t width, int32_t height)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}

int16_t CreateBitmapInfo(int16_t palettised, BITMAPINFO **bitmapInfo)
{
    size_t size = sizeof(BITMAPINFOHEADER) + (palettised ? 256 * sizeof(WORD) : 0);
    *bitmapInfo = static_cast<BITMAPINFO *>(Qi_Alloc_Memory(0, 1, size));
    if (!*bitmapInfo)
        return 1;
    BITMAPINFOHEADER &header = (*bitmapInfo)->bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biPlanes = 1;
    header.biBitCount = palettised ? 8 : 24;
    header.biCompression = BI_RGB;
    header.biClrUsed = palettised ? 256 : 0;
    if (palettised) {
        // DIB_PAL_COLORS: pixel value v shows entry v of the selected palette.
        WORD *indexes = reinterpret_cast<WORD *>((*bitmapInfo)->bmiColors);
        for (WORD i = 0; i < 256; ++i)
            indexes[i] = i;
    }
    return 0;
}

int16_t CreateDisplayBitmap(DisplayBitmap *bitmap, int16_t buttonId, int32_t width,
                            int32_t height, int16_t mode)
{
    bitmap->palettised = mode == 1 ? 1 : 0;
    bitmap->valid = 0;
    bitmap->buttonId = buttonId;
    bitmap->hasImage = 0;
    if (bitmap->palettised) {
        if (CreateDisplayPalette(&bitmap->logPalette, &bitmap->palette))
            return 1;
        Qi_Compute_Colormap(0, CUBE_RED, CUBE_GREEN, CUBE_BLUE, colourCube);
        FillDisplayPalette(CUBE_COLOURS, colourCube, CUBE_FIRST_ENTRY, kPaletteGamma,
                           bitmap->logPalette, bitmap->palette);
    }
    if (CreateBitmapInfo(bitmap->palettised, &bitmap->bitmapInfo))
        return 1;
    bitmap->bitmapInfo->bmiHeader.biWidth = width;
    bitmap->bitmapInfo->bmiHeader.biHeight = height;
    // Rows are counted in 16 bits: refuse sizes whose rows do not fit.
    int32_t rowBytes = DibRowBytes(mode, width);
    if (width <= 0 || height <= 0 || rowBytes > INT16_MAX)
        return 1;
    bitmap->rowBytes = int16_t(rowBytes);
    bitmap->bits = static_cast<uint8_t *>(Qi_Alloc_Memory(0, 1, size_t(rowBytes) * size_t(height)));
    if (!bitmap->bits)
        return 1;
    bitmap->valid = 1;
    return 0;
}

void FreeDisplayBitmap(DisplayBitmap *bitmap)
{
    bitmap->valid = 0;
    Qi_Free_Memory(bitmap->bits);
    bitmap->bits = nullptr;
    Qi_Free_Memory(bitmap->bitmapInfo);
    bitmap->bitmapInfo = nullptr;
    if (bitmap->palettised) {
        if (bitmap->palette)
            DeleteObject(bitmap->palette);
        bitmap->palette = nullptr;
        Qi_Free_Memory(bitmap->logPalette);
        bitmap->logPalette = nullptr;
    }
    bitmap->hasImage = 0;
}

void ConvertGBufferToDisplay(const QiGBuffer *buffer, DisplayBitmap *bitmap)
{
    if (!buffer || !bitmap->valid || buffer->width != bitmap->bitmapInfo->bmiHeader.biWidth ||
        buffer->height != bitmap->bitmapInfo->bmiHeader.biHeight) {
        Qi_Report_Error(3, "ERR_BITMAP_SIZE", "ConvertGBufferToDisplay()",
                        "the buffer and the bitmap differ in size");
        return;
    }
    const int32_t width = buffer->width, height = buffer->height;
    if (bitmap->palettised) {
        ConvertPlanesToCubeIndexes(buffer->red, buffer->green, buffer->blue, width, height,
                                   CUBE_RED, CUBE_GREEN, CUBE_BLUE, bitmap->bits,
                                   bitmap->rowBytes);
        int32_t options = 0;
        Qi_Dither_Image(bitmap->bits, colourCube, width, height, CUBE_RED, CUBE_GREEN, CUBE_BLUE,
                        &options);
        OffsetPixelBytes(bitmap->bits, width, height, bitmap->rowBytes, CUBE_FIRST_ENTRY);
    } else {
        ConvertPlanesTo24Bit(buffer->red, buffer->green, buffer->blue, width, height,
                             bitmap->bits, bitmap->rowBytes);
    }
    bitmap->hasImage = 1;
}

LRESULT HandleDisplayBitmapMessage(DisplayBitmap *bitmap, HWND window, UINT message,
                                   WPARAM wParam, LPARAM lParam, int16_t *handled)
{
    *handled = 0;
    if (!bitmap || !bitmap->valid)
        return 0;
    switch (message) {
    case WM_DRAWITEM: {
        auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(lParam);
        if (item->CtlType == ODT_BUTTON && int(item->CtlID) == bitmap->buttonId)
            DrawBitmapItem(bitmap, item);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            return 0;
        [[fallthrough]];
    case WM_QUERYNEWPALETTE:
        if (IsIconic(window) || !bitmap->palettised)
            return 0;
        *handled = 1;
        return RealizeInButton(bitmap, window, FALSE) > 0 ? 1 : 0;
    case WM_PALETTECHANGED:
        if (IsIconic(window) || !bitmap->palettised || reinterpret_cast<HWND>(wParam) == window)
            return 0;
        *handled = 1;
        RealizeInButton(bitmap, window, TRUE);
        return 0;
    }
    return 0;
}
