// Display bitmaps: creation and release, conversion of render buffers on
// both kinds, drawing into the owner-drawn button, and the palette messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>

#include "host/core/qi_host.h"
#include "preview/display_bitmap.h"
#include "tests/support/dib_canvas.h"

namespace {

struct Buffer {
    QiGBuffer *g;
    Buffer(int w, int h) : g(Qi_Alloc_Global_GBuffer(w, h, h, 0)) {}
    ~Buffer() { Qi_Free_Global_GBuffer(g); }
    void Set(int x, int y, float r, float gr, float b)
    {
        size_t i = size_t(y * g->width + x);
        g->red[i] = r;
        g->green[i] = gr;
        g->blue[i] = b;
    }
};

TEST(DisplayBitmap, CreationDescribesABottomUpDib)
{
    DisplayBitmap bitmap = {};
    ASSERT_EQ(CreateDisplayBitmap(&bitmap, 1000, 218, 150, 1), 0);
    EXPECT_EQ(std::make_tuple(bitmap.valid, bitmap.hasImage, bitmap.buttonId, bitmap.palettised,
                              bitmap.rowBytes),
              std::make_tuple(1, 0, 1000, 1, 220));
    const BITMAPINFOHEADER &h = bitmap.bitmapInfo->bmiHeader;
    EXPECT_EQ(h.biHeight, 150) << "positive: rows run bottom-up";
    EXPECT_EQ(std::make_tuple(h.biSize, h.biWidth, h.biBitCount, h.biCompression, h.biClrUsed),
              std::make_tuple(DWORD(40), LONG(218), WORD(8), DWORD(BI_RGB), DWORD(256)));
    const WORD *indexes = reinterpret_cast<const WORD *>(bitmap.bitmapInfo->bmiColors);
    EXPECT_EQ(indexes[255], 255) << "colours by palette index";
    ASSERT_NE(bitmap.logPalette, nullptr);
    EXPECT_EQ(bitmap.logPalette->palNumEntries, 256);
    // Entry 10 is the cube's black, entry 234 its white (gamma leaves both).
    PALETTEENTRY entries[256];
    ASSERT_EQ(GetPaletteEntries(bitmap.palette, 0, 256, entries), 256u);
    EXPECT_EQ(RGB(entries[10].peRed, entries[10].peGreen, entries[10].peBlue), RGB(0, 0, 0));
    EXPECT_EQ(RGB(entries[234].peRed, entries[234].peGreen, entries[234].peBlue),
              RGB(255, 255, 255));
    FreeDisplayBitmap(&bitmap);
    EXPECT_EQ(std::make_tuple(bitmap.valid, bitmap.bits, bitmap.palette),
              std::make_tuple(int16_t(0), static_cast<uint8_t *>(nullptr), HPALETTE(nullptr)));

    ASSERT_EQ(CreateDisplayBitmap(&bitmap, 7, 218, 2, 3), 0);
    EXPECT_EQ(bitmap.rowBytes, 656);
    EXPECT_EQ(bitmap.bitmapInfo->bmiHeader.biBitCount, 24);
    EXPECT_EQ(bitmap.palette, nullptr);
    Buffer other(10, 10);
    QiHost_Clear_Errors();
    ConvertGBufferToDisplay(other.g, &bitmap);
    EXPECT_EQ(bitmap.hasImage, 0) << "a buffer of another size is refused";
    EXPECT_EQ(QiHost_Error_Count(), 1);
    FreeDisplayBitmap(&bitmap);

    // The pictures of the rows and presets: their first row is the bottom one.
    const uint8_t bits[8] = {0, 0, 255, 0, 255, 0, 0, 0};  // red, then blue; rows of 4 bytes
    BITMAPINFO info = {};
    info.bmiHeader = TrueColourHeader(1, 2);
    DibCanvas canvas(1, 2, RGB(0, 0, 0));
    SetDIBitsToDevice(canvas.dc(), 0, 0, 1, 2, 0, 0, 0, 2, bits, &info, DIB_RGB_COLORS);
    EXPECT_EQ(std::make_pair(canvas.Pixel(0, 1), canvas.Pixel(0, 0)),
              std::make_pair(RGB(255, 0, 0), RGB(0, 0, 255)));
}

TEST(DisplayBitmap, EveryFailedAllocationIsReportedAndReleasable)
{
    for (int16_t mode : {int16_t(1), int16_t(3)}) {
        for (int failing = 0; failing < 3; ++failing) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", allocation " << failing);
            int64_t before = QiHost_Live_Blocks();
            DisplayBitmap bitmap = {};
            QiHost_Fail_Allocations(failing, 1);
            int16_t result = CreateDisplayBitmap(&bitmap, 1, 64, 64, mode);
            QiHost_Fail_Allocations(0, 0);
            bool failed = failing < (mode == 1 ? 3 : 2);
            EXPECT_EQ(result, failed ? 1 : 0);
            EXPECT_EQ(bitmap.valid, failed ? 0 : 1);
            FreeDisplayBitmap(&bitmap);
            FreeDisplayBitmap(&bitmap);  // twice is harmless
            EXPECT_EQ(QiHost_Live_Blocks(), before);
        }
    }
    DisplayBitmap never = {};
    FreeDisplayBitmap(&never);

    DisplayBitmap huge = {};
    EXPECT_EQ(CreateDisplayBitmap(&huge, 1, 20000, 10, 3), 1) << "rows beyond 16-bit sizes";
    EXPECT_EQ(CreateDisplayBitmap(&huge, 1, 0, 10, 3), 1);
    FreeDisplayBitmap(&huge);
}

TEST(DisplayBitmap, PalettisedConversionOffsetsEveryPixelButNotThePadding)
{
    Buffer buffer(218, 3);
    for (int x = 0; x < 218; ++x)
        buffer.Set(x, 2, 1.0f, 1.0f, 1.0f);  // top row white
    buffer.Set(5, 1, 9.0f, 9.0f, 9.0f);      // far too bright: white too
    DisplayBitmap bitmap = {};
    ASSERT_EQ(CreateDisplayBitmap(&bitmap, 1, 218, 3, 1), 0);
    for (int y = 0; y < 3; ++y) {
        bitmap.bits[y * 220 + 218] = 0xCC;
        bitmap.bits[y * 220 + 219] = 0xCC;
    }
    ConvertGBufferToDisplay(buffer.g, &bitmap);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 218; ++x) {
            uint8_t v = bitmap.bits[y * 220 + x];
            ASSERT_GE(v, 10) << x << "," << y;
            ASSERT_LE(v, 234) << x << "," << y;
        }
        EXPECT_EQ(bitmap.bits[y * 220 + 218], 0xCC);
        EXPECT_EQ(bitmap.bits[y * 220 + 219], 0xCC);
    }
    EXPECT_EQ(bitmap.bits[0], 10) << "black is entry 10";
    EXPECT_EQ(bitmap.bits[2 * 220 + 100], 234) << "white is entry 234";
    EXPECT_EQ(bitmap.bits[2 * 220 + 217], 234) << "the last pixel of the last row";
    FreeDisplayBitmap(&bitmap);
}

// Draws the bitmap through WM_DRAWITEM into a canvas.
class DrawItem : public testing::Test {
protected:
    void SetUp() override
    {
        window_ = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    }
    void TearDown() override { DestroyWindow(window_); }
    LRESULT Send(DisplayBitmap &bitmap, UINT type, UINT id, int16_t *handled)
    {
        DRAWITEMSTRUCT item = {};
        item.CtlType = type;
        item.CtlID = id;
        item.hDC = canvas_.dc();
        item.rcItem = {0, 0, 16, 16};
        return HandleDisplayBitmapMessage(&bitmap, window_, WM_DRAWITEM, id,
                                          reinterpret_cast<LPARAM>(&item), handled);
    }
    const COLORREF kUntouched = RGB(1, 2, 3);
    DibCanvas canvas_{16, 16, kUntouched};
    HWND window_ = nullptr;
};

TEST_F(DrawItem, DrawsAtTheButtonsTopLeftOnlyWithAnImage)
{
    Buffer buffer(4, 2);
    buffer.Set(0, 1, 1.0f, 0.0f, 0.0f);  // top-left pixel of the picture: red
    buffer.Set(0, 0, 0.0f, 0.0f, 1.0f);  // bottom-left: blue
    DisplayBitmap bitmap = {};
    ASSERT_EQ(CreateDisplayBitmap(&bitmap, 1000, 4, 2, 3), 0);
    int16_t handled = 9;
    Send(bitmap, ODT_BUTTON, 1000, &handled);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(canvas_.Pixel(0, 0), kUntouched) << "no image yet: nothing drawn";

    ConvertGBufferToDisplay(buffer.g, &bitmap);
    Send(bitmap, ODT_BUTTON, 999, &handled);
    EXPECT_EQ(canvas_.Pixel(0, 0), kUntouched) << "another button";
    Send(bitmap, ODT_STATIC, 1000, &handled);
    EXPECT_EQ(canvas_.Pixel(0, 0), kUntouched) << "not a button";

    Send(bitmap, ODT_BUTTON, 1000, &handled);
    EXPECT_EQ(handled, 0) << "drawn, but the owner goes on";
    EXPECT_EQ(canvas_.Pixel(0, 0), RGB(255, 0, 0)) << "red on top";
    EXPECT_EQ(canvas_.Pixel(0, 1), RGB(0, 0, 255)) << "blue below it";
    EXPECT_EQ(canvas_.Pixel(4, 0), kUntouched) << "nothing beyond the picture";
    FreeDisplayBitmap(&bitmap);
}

TEST_F(DrawItem, PaletteMessagesDoNothingOnTrueColourOrForTheOwnerItself)
{
    DisplayBitmap bitmap = {};
    ASSERT_EQ(CreateDisplayBitmap(&bitmap, 1000, 4, 2, 3), 0);
    int16_t handled = 9;
    EXPECT_EQ(HandleDisplayBitmapMessage(&bitmap, window_, WM_QUERYNEWPALETTE, 0, 0, &handled), 0);
    EXPECT_EQ(handled, 0);
    HandleDisplayBitmapMessage(&bitmap, window_, WM_PALETTECHANGED, 0, 0, &handled);
    EXPECT_EQ(handled, 0);
    FreeDisplayBitmap(&bitmap);

    ASSERT_EQ(CreateDisplayBitmap(&bitmap, 1000, 4, 2, 1), 0);
    HandleDisplayBitmapMessage(&bitmap, window_, WM_PALETTECHANGED,
                               reinterpret_cast<WPARAM>(window_), 0, &handled);
    EXPECT_EQ(handled, 0) << "a change the owner made itself";
    HandleDisplayBitmapMessage(&bitmap, window_, WM_ACTIVATE, WA_INACTIVE, 0, &handled);
    EXPECT_EQ(handled, 0);
    HandleDisplayBitmapMessage(&bitmap, window_, WM_QUERYNEWPALETTE, 0, 0, &handled);
    EXPECT_EQ(handled, 1);
    FreeDisplayBitmap(&bitmap);

    DisplayBitmap invalid = {};
    EXPECT_EQ(HandleDisplayBitmapMessage(&invalid, window_, WM_QUERYNEWPALETTE, 0, 0, &handled), 0);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(HandleDisplayBitmapMessage(nullptr, window_, WM_QUERYNEWPALETTE, 0, 0, &handled), 0);
}

}  // namespace
