// The display colour cube, gamma correction and dithering onto the cube.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "host/core/qi_host.h"
#include "tests/support/host_channel.h"

namespace {

constexpr int kR = 5, kG = 9, kB = 5, kColours = kR * kG * kB;

size_t RowBytes(int width)
{
    return (size_t(width) + 3) & ~size_t(3);
}

int Level(float v, int levels)
{
    int l = int(v * float(levels));
    return l < levels - 1 ? (l < 0 ? 0 : l) : levels - 1;
}

// An 8-bit index image as a display makes it from a flat colour: every
// component truncated to its level, rows padded to 4 bytes with `pad`.
std::vector<uint8_t> IndexImage(int width, int height, float r, float g, float b, uint8_t pad)
{
    const size_t rowBytes = RowBytes(width);
    std::vector<uint8_t> image(rowBytes * size_t(height), pad);
    uint8_t index = uint8_t((Level(r, kR) * kG + Level(g, kG)) * kB + Level(b, kB));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image[size_t(y) * rowBytes + size_t(x)] = index;
    return image;
}

std::vector<float> Cube()
{
    std::vector<float> cube(3 * kColours, -1.0f);
    Qi_Compute_Colormap(0, kR, kG, kB, cube.data());
    return cube;
}

// Mean displayed colour of the pixels (padding left out).
void Mean(const std::vector<uint8_t> &image, int width, int height, double mean[3])
{
    std::vector<float> cube = Cube();
    const size_t rowBytes = RowBytes(width);
    mean[0] = mean[1] = mean[2] = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                mean[c] += cube[3 * image[size_t(y) * rowBytes + size_t(x)] + size_t(c)];
    for (int c = 0; c < 3; ++c)
        mean[c] /= double(width) * height;
}

int32_t zero = 0;

TEST(ColourCube, IndexOrderIsRedGreenBlueWithEvenLevels)
{
    std::vector<float> cube = Cube();
    for (int r = 0; r < kR; ++r)
        for (int g = 0; g < kG; ++g)
            for (int b = 0; b < kB; ++b) {
                const float *c = &cube[3 * size_t((r * kG + g) * kB + b)];
                EXPECT_FLOAT_EQ(c[0], r / 4.0f);
                EXPECT_FLOAT_EQ(c[1], g / 8.0f);
                EXPECT_FLOAT_EQ(c[2], b / 4.0f);
            }
    EXPECT_EQ(cube[3 * 224], 1.0f);
    EXPECT_EQ(cube[3 * 224 + 1], 1.0f);
    EXPECT_EQ(cube[3 * 224 + 2], 1.0f);
}

TEST(GammaCorrect, LiftsMiddleTonesKeepsEndsAndWorksInPlace)
{
    std::vector<float> colours = {0.0f, 0.5f, 1.0f, 0.25f, 2.0f, -1.0f};
    std::vector<float> out(colours.size());
    Qi_Gamma_Correct(colours.data(), out.data(), 2, 1.7f);
    EXPECT_EQ(out[0], 0.0f);
    EXPECT_NEAR(out[1], std::pow(0.5f, 1 / 1.7f), 1e-6f);
    EXPECT_EQ(out[2], 1.0f);
    EXPECT_GT(out[3], 0.25f);
    EXPECT_EQ(out[4], 1.0f);
    EXPECT_EQ(out[5], 0.0f);
    Qi_Gamma_Correct(colours.data(), colours.data(), 2, 1.7f);
    EXPECT_EQ(colours, out);
    Qi_Gamma_Correct(colours.data(), out.data(), 2, 1.0f);
    EXPECT_EQ(colours, out);
}

TEST(Dither, LeavesCubeIndicesInEveryPixelAndPaddingUntouched)
{
    std::vector<float> cube = Cube();
    for (int width : {218, 1, 2, 3, 5}) {
        const int height = 37;
        const size_t rowBytes = RowBytes(width);
        std::mt19937 random(width);
        std::vector<uint8_t> image(rowBytes * height, 0xEE);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image[size_t(y) * rowBytes + size_t(x)] = uint8_t(random() % 256);
        Qi_Dither_Image(image.data(), cube.data(), width, height, kR, kG, kB, &zero);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                ASSERT_LE(image[size_t(y) * rowBytes + size_t(x)], 224)
                    << width << ": " << x << "," << y;
            for (size_t x = size_t(width); x < rowBytes; ++x)
                ASSERT_EQ(image[size_t(y) * rowBytes + x], 0xEE) << width << ": " << x << "," << y;
        }
    }
}

TEST(Dither, FlatFieldsKeepTheirAverageBlackAndWhiteStayPure)
{
    std::vector<float> cube = Cube();
    const int width = 66, height = 50;
    for (float v : {0.3f, 0.45f, 0.5f, 0.62f, 0.7f}) {
        std::vector<uint8_t> image = IndexImage(width, height, v, v, 1 - v, 0);
        Qi_Dither_Image(image.data(), cube.data(), width, height, kR, kG, kB, &zero);
        double mean[3];
        Mean(image, width, height, mean);
        // The index keeps only the band each component lay in; the average
        // lands within that band's middle.
        EXPECT_NEAR(mean[0], v, 0.1) << v;
        EXPECT_NEAR(mean[0], (Level(v, kR) + 0.5) / kR, 0.01) << v;
        EXPECT_NEAR(mean[1], (Level(v, kG) + 0.5) / kG, 0.01) << v;
        EXPECT_NEAR(mean[2], (Level(1 - v, kB) + 0.5) / kB, 0.01) << v;
    }
    for (float v : {0.0f, 0.1f, 1.0f, 1.5f}) {
        std::vector<uint8_t> image = IndexImage(width, height, v, v, v, 0);
        uint8_t expected = image[0];
        Qi_Dither_Image(image.data(), cube.data(), width, height, kR, kG, kB, &zero);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(image[size_t(y) * RowBytes(width) + size_t(x)], expected) << v;
    }
}

TEST(ColourCube, BadRequestsAreReportedAndChangeNothing)
{
    ClearHostReports();
    std::vector<float> table(3 * 300, -1.0f);
    Qi_Compute_Colormap(1, kR, kG, kB, table.data());
    Qi_Compute_Colormap(0, 0, kG, kB, table.data());
    Qi_Compute_Colormap(0, 7, 7, 7, table.data());
    Qi_Compute_Colormap(0, kR, kG, kB, nullptr);
    for (float v : table)
        ASSERT_EQ(v, -1.0f);
    std::vector<uint8_t> image(16, 7);
    Qi_Dither_Image(nullptr, nullptr, 4, 4, kR, kG, kB, &zero);
    Qi_Dither_Image(image.data(), nullptr, 0, 4, kR, kG, kB, &zero);
    Qi_Dither_Image(image.data(), nullptr, 4, 4, 8, 8, 8, &zero);
    EXPECT_EQ(image, std::vector<uint8_t>(16, 7));
    EXPECT_EQ(HostReports().size(), 7u);
}

}  // namespace
