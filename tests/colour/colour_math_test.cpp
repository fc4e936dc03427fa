// The colour arithmetic: RGB/HSV conversions over a grid of colours, hues
// that are no angle, the swatch bytes, and the HSV readings of the selector
// after every thumb position and every typed number (the dialog tests take
// single steps).
#include <gtest/gtest.h>

#include <limits>

#include "colour/colour_math.h"
#include "colour/selector_fields.h"
#include "colour/selector_scroll.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

TEST(ColourMath, HsvRoundTripsAGridOfColours)
{
    for (int r = 0; r < 256; r += 17) {
        for (int g = 0; g < 256; g += 17) {
            for (int b = 0; b < 256; b += 17) {
                const float rgb[3] = {r / 255.0f, g / 255.0f, b / 255.0f};
                const Hsv hsv = RgbToHsv(rgb);
                const bool grey = r == g && g == b;
                EXPECT_EQ(hsv.h == kUndefinedHue, grey) << r << " " << g << " " << b;
                EXPECT_TRUE(grey || (hsv.h >= 0.0f && hsv.h < 360.0f)) << hsv.h;
                float back[3];
                HsvToRgb(grey ? 0.0f : hsv.h, hsv.s, hsv.v, back);
                for (int k = 0; k < 3; ++k)
                    ASSERT_NEAR(back[k], rgb[k], 1e-5f) << r << " " << g << " " << b;
            }
        }
    }
    const float magenta[3] = {1, 0, 1};
    EXPECT_FLOAT_EQ(RgbToHsv(magenta).h, 300.0f) << "a negative hue is brought up by 360";
}

TEST(ColourMath, HuesOutsideOneTurnWrapAndNonNumbersCountAsRed)
{
    float rgb[3];
    HsvToRgb(-240.0f, 1.0f, 1.0f, rgb);
    EXPECT_EQ(rgb[1], 1.0f) << "green";
    HsvToRgb(3e38f, 1.0f, 1.0f, rgb);  // would take forever in steps of 360
    for (int k = 0; k < 3; ++k)
        EXPECT_TRUE(rgb[k] >= 0.0f && rgb[k] <= 1.0f) << rgb[k];
    for (float h : {kNaN, kInf, -kInf, -1e-7f}) {
        HsvToRgb(h, 1.0f, 1.0f, rgb);
        EXPECT_EQ(rgb[0], 1.0f) << h;
        EXPECT_NEAR(rgb[1], 0.0f, 1e-6f) << h;
        EXPECT_EQ(rgb[2], 0.0f) << h;
    }
}

TEST(ColourMath, SwatchBytesClampBeforeTruncating)
{
    const struct {
        float channel;
        uint8_t byte;
    } cases[] = {{0.0f, 0},   {0.5f, 127},   {1.0f, 255},  {1.004f, 255},
                 {7.0f, 255}, {-0.2f, 0},    {kNaN, 0},    {kInf, 255}};
    for (const auto &c : cases)
        EXPECT_EQ(ColourByte(c.channel), c.byte) << c.channel;
}

// Every thumb position of every HSV bar shows the degrees or position it set,
// and every number typed into a field of either mode shows again, so that no
// line step or typed number is lost to float noise.
TEST(SelectorScroll, BarsAndFieldsShowWhatTheySet)
{
    const float starts[][3] = {{0.2f, 0.6f, 0.9f}, {0.3f, 0.1f, 0.05f}, {1, 0.5f, 0}};
    for (const auto &start : starts) {
        for (int bar = 0; bar < 3; ++bar) {
            for (int thumb = 1; thumb <= 255; ++thumb) {
                float colour[3] = {start[0], start[1], start[2]};
                ScrollColourChannel(colour, kColourModeHsv, bar, kScrollThumbTrack, thumb);
                const ChannelDisplay shown = ChannelDisplayOf(colour, kColourModeHsv);
                ASSERT_EQ(bar == 0 ? shown.number[0] : shown.position[bar],
                          bar == 0 ? int32_t(thumb / 255.0f * 359) : thumb)
                    << "bar " << bar << " thumb " << thumb;
            }
            for (int16_t mode : {kColourModeRgb, kColourModeHsv}) {
                for (int32_t typed = 1; typed <= FieldLimit(mode, bar); ++typed) {
                    float colour[3] = {start[0], start[1], start[2]};
                    TypeColourChannel(colour, mode, bar, typed);
                    ASSERT_EQ(ChannelDisplayOf(colour, mode).number[bar], typed)
                        << "mode " << mode << " field " << bar << " typed " << typed;
                }
            }
        }
    }
}

}  // namespace
