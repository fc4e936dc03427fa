// Converting float planes into DIB rows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "preview/pixel_conversion.h"

namespace {

struct Planes {
    int32_t width, height;
    std::vector<float> red, green, blue;
    Planes(int32_t w, int32_t h)
        : width(w), height(h), red(size_t(w * h)), green(size_t(w * h)), blue(size_t(w * h)) {}
    void Set(int32_t x, int32_t y, float r, float g, float b)
    {
        size_t i = size_t(y * width + x);
        red[i] = r;
        green[i] = g;
        blue[i] = b;
    }
};

TEST(PixelConversion, RowsArePaddedToFourBytes)
{
    EXPECT_EQ(DibRowBytes(1, 218), 220);
    EXPECT_EQ(DibRowBytes(3, 218), 656);
    EXPECT_EQ(DibRowBytes(3, 120), 360);
    EXPECT_EQ(DibRowBytes(1, 1), 4);
    EXPECT_EQ(DibRowBytes(3, 1), 4);
}

TEST(PixelConversion, TrueColourRowsAreBottomUpBlueGreenRed)
{
    Planes p(218, 3);
    p.Set(0, 0, 1.0f, 0.5f, 0.25f);       // bottom row, left
    p.Set(217, 2, 0.0f, 0.0f, 1.0f);      // top row, right
    const int32_t rowBytes = DibRowBytes(3, p.width);
    std::vector<uint8_t> bits(size_t(rowBytes * p.height), 0xCC);
    ConvertPlanesTo24Bit(p.red.data(), p.green.data(), p.blue.data(), p.width, p.height,
                         bits.data(), rowBytes);
    EXPECT_EQ(bits[0], 63);    // blue 0.25
    EXPECT_EQ(bits[1], 127);   // green 0.5
    EXPECT_EQ(bits[2], 255);   // red 1.0
    const size_t topRight = size_t(2 * rowBytes + 3 * 217);
    EXPECT_EQ(bits[topRight], 255);
    EXPECT_EQ(bits[topRight + 1], 0);
    EXPECT_EQ(bits[topRight + 2], 0);
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t i = 3 * p.width; i < rowBytes; ++i)
            ASSERT_EQ(bits[size_t(y * rowBytes + i)], 0xCC) << "padding of row " << y;
}

TEST(PixelConversion, ValuesOutsideTheUnitRangeAreClampedNotWrapped)
{
    Planes p(4, 1);
    p.Set(0, 0, 1.5f, 37.0f, 1.0001f);
    p.Set(1, 0, -0.5f, NAN, INFINITY);
    p.Set(2, 0, 0.999f, 0.0f, -INFINITY);
    std::vector<uint8_t> bits(16, 0xCC);
    ConvertPlanesTo24Bit(p.red.data(), p.green.data(), p.blue.data(), 4, 1, bits.data(), 12);
    EXPECT_EQ(bits[0], 255);
    EXPECT_EQ(bits[1], 255);
    EXPECT_EQ(bits[2], 255);
    EXPECT_EQ(bits[3], 255);  // blue +inf
    EXPECT_EQ(bits[4], 0);    // green NaN
    EXPECT_EQ(bits[5], 0);    // red -0.5
    EXPECT_EQ(bits[6], 0);
    EXPECT_EQ(bits[8], 254);  // 0.999 x 255 = 254.7, truncated
}

TEST(PixelConversion, CubeIndexesTruncateAndStopAtTheLastLevel)
{
    Planes p(218, 2);
    p.Set(0, 0, 1.0f, 1.0f, 1.0f);        // white: levels 4, 8, 4
    p.Set(1, 0, 0.0f, 0.0f, 0.0f);        // black
    p.Set(2, 0, 0.39f, 0.5f, 0.99f);      // levels 1, 4, 4
    p.Set(3, 0, 7.0f, -2.0f, NAN);        // clamped: 4, 0, 0
    p.Set(217, 1, 0.2f, 0.0f, 0.0f);      // level 1 exactly
    const int32_t rowBytes = DibRowBytes(1, p.width);
    std::vector<uint8_t> bits(size_t(rowBytes * p.height), 0xCC);
    ConvertPlanesToCubeIndexes(p.red.data(), p.green.data(), p.blue.data(), p.width, p.height,
                               5, 9, 5, bits.data(), rowBytes);
    EXPECT_EQ(bits[0], 224);
    EXPECT_EQ(bits[1], 0);
    EXPECT_EQ(bits[2], (1 * 9 + 4) * 5 + 4);
    EXPECT_EQ(bits[3], (4 * 9 + 0) * 5 + 0);
    EXPECT_EQ(bits[size_t(rowBytes + 217)], (1 * 9) * 5);
    EXPECT_EQ(bits[218], 0xCC);
    EXPECT_EQ(bits[219], 0xCC);

    OffsetPixelBytes(bits.data(), p.width, p.height, rowBytes, 10);
    EXPECT_EQ(bits[0], 234);
    EXPECT_EQ(bits[1], 10);
    EXPECT_EQ(bits[size_t(rowBytes + 217)], 55) << "the last pixel of the last row too";
    for (int32_t y = 0; y < p.height; ++y) {
        EXPECT_EQ(bits[size_t(y * rowBytes + 218)], 0xCC);
        EXPECT_EQ(bits[size_t(y * rowBytes + 219)], 0xCC);
    }
}

}  // namespace
