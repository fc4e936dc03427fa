// Numbers in the text formats: floats read back to the same bits, and words
// that are no finite number in decimal notation are refused.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "host/formats/number_text.h"

namespace qi::format {
namespace {

uint32_t BitsOf(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

TEST(NumberText, EveryFiniteFloatReadsBackToTheSameBits)
{
    std::mt19937 random(7);
    std::vector<float> values = {0.0f, -0.0f, 1.0f, 0.1f, 0.35f, 1.0f / 3.0f, 1e-45f, -1e-45f,
                                 std::numeric_limits<float>::min(),
                                 std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::lowest(),
                                 std::nextafter(1.0f, 2.0f), std::nextafter(1.0f, 0.0f)};
    for (int i = 0; i < 300000; ++i) {
        uint32_t bits = random();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (int i = 0; i < 100000; ++i)
        values.push_back(std::uniform_real_distribution<float>(-100.0f, 100.0f)(random));
    size_t failures = 0;
    for (float value : values) {
        float back = -12345.0f;
        const std::string text = FormatFloat(value);
        if (!ParseFloat(text, back) || BitsOf(back) != BitsOf(value)) {
            EXPECT_LT(++failures, 5u) << text << " read back as " << back;
        }
    }
    EXPECT_EQ(failures, 0u);
    EXPECT_EQ(FormatFloat(0.35f), "0.35") << "the shortest text that reads back";
    EXPECT_EQ(FormatFloat(-0.0f), "-0");
}

TEST(NumberText, OnlyFiniteDecimalNumbersAreFloats)
{
    for (const char *word : {"", "+1", "inf", "-inf", "nan", "-nan", "1e39", "-1e39", "0x10",
                             "1.5x", "1,5", " 1", "1 ", "e5", "--1", "."}) {
        float value = 7.0f;
        EXPECT_FALSE(ParseFloat(word, value)) << "\"" << word << "\"";
        EXPECT_EQ(value, 7.0f) << "a refused word leaves the value as it was";
    }
    float value;
    ASSERT_TRUE(ParseFloat("-2.5e-3", value));
    EXPECT_EQ(value, -2.5e-3f);
    ASSERT_TRUE(ParseFloat(".5", value));
    EXPECT_EQ(value, 0.5f);
}

TEST(NumberText, IntegersAreWholeDecimalWords)
{
    int64_t value = 0;
    EXPECT_TRUE(ParseInteger("-2147483648", value));
    EXPECT_EQ(value, -2147483648LL);
    for (const char *word : {"", "1.0", "+3", "12a", "0x1F", "99999999999999999999"})
        EXPECT_FALSE(ParseInteger(word, value)) << word;
}

}  // namespace
}  // namespace qi::format
