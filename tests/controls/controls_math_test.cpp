// The custom controls' arithmetic at the edges the windows never reach in
// their own tests: empty and inverted ranges, NaN, infinities and values
// beyond 32 bits. Built natively with the sanitizers, so that an
// out-of-range conversion fails here.
#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <string>

#include "controls/slider_math.h"
#include "controls/tab_layout.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInfinity = std::numeric_limits<float>::infinity();

TEST(SliderThumb, StaysOnTheTrackForAnyRangeAndTrack)
{
    EXPECT_EQ(SliderThumbFromValue(-5.0f, -10.0f, 0.0f, 296), 147);
    EXPECT_EQ(SliderThumbFromValue(5.0f, 5.0f, 5.0f, 296), 6);
    EXPECT_EQ(SliderThumbFromValue(kNaN, 0.0f, 1.0f, 296), 6);
    EXPECT_EQ(SliderThumbFromValue(1.0f, 0.0f, 1e-38f, 296), 6);
    EXPECT_EQ(SliderValueFromThumb(100, 5.0f, 5.0f, 296), 5.0f);
    EXPECT_EQ(SliderValueFromThumb(100, 0.0f, 1.0f, 13), 0.0f);
    EXPECT_EQ(SliderValueFromThumb(100, 0.0f, 1.0f, 0), 0.0f);
    // Margins of 9 and 11 pixels at 144 DPI (7 × 1.5 rounds up), 12 and 14 at 192; a DPI of 0 is 96.
    EXPECT_EQ(SliderThumbFromValue(1.0f, 0.0f, 1.0f, 444, 144), 433);
    EXPECT_EQ(ClampSliderThumb(-50, 592, 192) + ClampSliderThumb(9999, 592, 192), 12 + 578);
    EXPECT_EQ(SliderThumbFromValue(0.5f, 0.0f, 1.0f, 296, 0), 147);
}

TEST(SliderValue, TruncationSaturatesAndClampingTakesLowForNaN)
{
    EXPECT_EQ(TruncateToInt32(-1.7f), -1);
    EXPECT_EQ(TruncateToInt32(3e9f), INT_MAX);
    EXPECT_EQ(TruncateToInt32(-3e9f), INT_MIN);
    EXPECT_EQ(TruncateToInt32(kNaN), 0);
    EXPECT_EQ(TruncateToInt32(-kInfinity), INT_MIN);
    EXPECT_EQ(ClampToRange(kNaN, 1.0f, 2.0f), 1.0f);
    EXPECT_EQ(ClampToRange(-kInfinity, 1.0f, 2.0f), 1.0f);
    EXPECT_EQ(ClampToRange(5.0f, 1.0f, 2.0f), 2.0f);
}

TEST(SliderValue, IntegerModeAcceptsUntruncatedValuesWithinLimits)
{
    EXPECT_EQ(AcceptedIntegerValue(-3.5f, 0.0f, 10.0f), 0.0f);
    EXPECT_EQ(AcceptedIntegerValue(10.5f, 0.0f, 10.0f), 10.5f);
    EXPECT_EQ(AcceptedIntegerValue(11.0f, 0.0f, 10.0f), 10.0f);
    EXPECT_EQ(AcceptedIntegerValue(kNaN, 2.0f, 10.0f), 2.0f);
    EXPECT_EQ(AcceptedIntegerValue(5e9f, 0.0f, 1e10f), 5e9f);
}

TEST(SliderValue, TicksOnlyForRangesOfAtMostTenSteps)
{
    EXPECT_TRUE(SliderShowsTicks(3, 3));
    EXPECT_FALSE(SliderShowsTicks(10, 0));
    EXPECT_FALSE(SliderShowsTicks(INT_MIN, INT_MAX));
    EXPECT_FALSE(SliderShowsTicks(INT_MAX, INT_MIN));
}

std::string Float(float value, int16_t precision, bool percent, size_t size = 64)
{
    char text[64];
    FormatSliderFloat(text, size, value, precision, percent);
    return text;
}

TEST(SliderText, DecimalsFollowPrecisionAndPercentShowsHundredfold)
{
    EXPECT_EQ(Float(1.23456f, 4, false), "1.2346");
    EXPECT_EQ(Float(-2.9f, 0, false), "-2");
    EXPECT_EQ(Float(0.29f, 0, true), "29");
    EXPECT_EQ(Float(1.5f, -3, false), "1");
    EXPECT_EQ(Float(1.5f, 9, false), "1.5000");
    EXPECT_EQ(Float(1e30f, 0, true), "2147483647");
    EXPECT_EQ(Float(123456.0f, 3, false, 5), "1234");
    char text[8];
    FormatSliderInt(text, sizeof text, INT_MIN);
    EXPECT_STREQ(text, "-214748");
}

// Only numbers are entries: half-typed, emptied or other text is none.
TEST(SliderText, TypedEntriesAreNumbersWithinTheFloatRange)
{
    float value = 7.0f;
    EXPECT_TRUE(ParseSliderEntry(" -1.5 ", false, &value) && value == -1.5f);
    EXPECT_TRUE(ParseSliderEntry("25", true, &value) && value == 0.25f);
    EXPECT_TRUE(ParseSliderEntry("-1e300", true, &value) && value == -kInfinity);
    for (const char *none : {"-1.5abc", "abc", "", "-", "1e", "nan"})
        EXPECT_FALSE(ParseSliderEntry(none, false, &value)) << none;
    EXPECT_FALSE(ParseSliderEntry(nullptr, false, &value));
    EXPECT_EQ(value, -kInfinity) << "text that is none writes nothing";
}

// The keys step on the grid of what the text shows (a hundredth of it in
// percent), a page is a tenth of the range, the range's ends hold.
TEST(SliderKeys, StepsFollowTheShownDecimalsAndStopAtTheEnds)
{
    const struct {
        float value, min, max;
        SliderKey key;
        bool integer, percent;
        float expected;
    } rows[] = {
        {1.234f, 0, 4, SLIDER_STEP_UP, false, false, 1.24f},
        {1.234f, 0, 4, SLIDER_STEP_DOWN, false, false, 1.23f},
        {0.1f, 0.01f, 2, SLIDER_STEP_UP, false, true, 0.1001f},
        {5, 2, 16, SLIDER_PAGE_DOWN, true, false, 4},
        {3.95f, 0, 4, SLIDER_PAGE_UP, false, false, 4},
        {2, 0.5f, 2, SLIDER_HOME, false, false, 0.5f},
    };
    for (const auto &row : rows)
        EXPECT_FLOAT_EQ(SliderKeyValue(row.value, row.min, row.max, row.key, row.integer, 2,
                                       row.percent), row.expected) << row.value << " " << row.key;
}

TEST(TabLayout, StripLengthSaturatesAndFontFollowsScreenWidth)
{
    EXPECT_EQ(StripLength(0, 1024, 0.0f), 1024);
    EXPECT_EQ(StripLength(300, 1024, 1e9f), INT16_MAX);
    EXPECT_EQ(StripLength(300, 1024, kNaN), 0);
    EXPECT_EQ(FirstTabPosition(100, 300, true), 0);
    EXPECT_EQ(TabFontPointSize(799), -8);
    EXPECT_EQ(TabFontPointSize(800), -9);
}

TEST(TabLayout, HitsSpanEachExtentAndSkipAbsentAndDisabledTabs)
{
    // Tabs at 10..59 and 60..89 with an absent entry between them.
    TabEntry tabs[3] = {
        {0, 50, 0, "a", 7}, {0, 999, 0, nullptr, 8}, {50, 30, kTabDisabled, "c", 9}};
    EXPECT_EQ(HitTestTabEntries(tabs, 3, 10, 10, 4, 4, 20), 7);
    EXPECT_EQ(HitTestTabEntries(tabs, 3, 10, 59, 20, 4, 20), 7);
    EXPECT_EQ(HitTestTabEntries(tabs, 3, 10, 9, 10, 4, 20), -1);
    EXPECT_EQ(HitTestTabEntries(tabs, 3, 10, 30, 3, 4, 20), -1);
    EXPECT_EQ(HitTestTabEntries(tabs, 3, 10, 30, 21, 4, 20), -1);
    EXPECT_EQ(HitTestTabEntries(tabs, 3, 10, 60, 10, 4, 20), -1);
    EXPECT_EQ(HitTestTabEntries(nullptr, 3, 10, 30, 10, 4, 20), -1);
    SelectTabEntry(tabs, 3, 9);
    EXPECT_EQ(tabs[2].flags, kTabDisabled | kTabSelected) << "other flags are kept";
    tabs[2].flags = 0;
    EXPECT_EQ(HitTestTabEntries(tabs, 3, 10, 89, 10, 4, 20), 9);
    EXPECT_EQ(HitTestTabEntries(tabs, 3, 10, 90, 10, 4, 20), -1);
}

}  // namespace
