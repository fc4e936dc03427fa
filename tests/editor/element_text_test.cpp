// The element text on its own: what is written reads back to the same bits,
// and every kind of faulty text is refused with the line at fault.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editor/element_text.h"

namespace {

TextElement EveryKindOfValue()
{
    TextElement e;
    e.type = "glow";
    e.enabled = false;
    TextParameter scalar, colour, gradient, data;
    scalar.name = "radius";
    scalar.valueCount = 1;
    scalar.value[0] = 0.1f;
    colour.name = "color";
    colour.valueCount = 3;
    colour.value[0] = 1e-7f;
    colour.value[1] = -0.0f;
    colour.value[2] = 3.4e38f;
    gradient.name = "colors";
    gradient.valueCount = 1;
    gradient.value[0] = 0.25f;
    gradient.hasGradient = true;
    gradient.offsets = {0.0f, 1.0f / 3.0f, 1.0f};
    gradient.colours = {1, 0.5f, 0.2f, 0, 0, 0, 0.999f, 1, 1};
    data.name = "profile";
    data.hasData = true;
    for (int i = 0; i < 70; ++i)
        data.data.push_back(uint8_t(i * 37));
    e.parameters = {scalar, colour, gradient, data};
    return e;
}

bool SameBits(const std::vector<float> &a, const std::vector<float> &b)
{
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0);
}

TEST(ElementText, WhatIsWrittenReadsBackToTheSameBits)
{
    const TextElement written = EveryKindOfValue();
    const std::string text = WriteElementText(written);
    TextElement read;
    std::string error;
    ASSERT_TRUE(ReadElementText(text.data(), text.size(), &read, &error)) << error << "\n" << text;
    EXPECT_EQ(read.type, "glow");
    EXPECT_FALSE(read.enabled);
    ASSERT_EQ(read.parameters.size(), written.parameters.size());
    for (size_t i = 0; i < read.parameters.size(); ++i) {
        const TextParameter &a = written.parameters[i], &b = read.parameters[i];
        SCOPED_TRACE(a.name);
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.valueCount, a.valueCount);
        EXPECT_EQ(std::memcmp(a.value, b.value, sizeof a.value), 0);
        EXPECT_EQ(b.hasGradient, a.hasGradient);
        EXPECT_TRUE(SameBits(a.offsets, b.offsets) && SameBits(a.colours, b.colours));
        EXPECT_EQ(b.hasData, a.hasData);
        EXPECT_EQ(b.data, a.data);
    }
    EXPECT_EQ(WriteElementText(read), text);
    EXPECT_NE(text.find("    radius 0.1\r\n"), std::string::npos) << "short numbers:\n" << text;
}

TEST(ElementText, FaultyTextIsRefusedWithTheLineAtFault)
{
    const std::string head = "quorix-lensflare-element 1.0\nelement glow\n";
    const struct {
        const char *what;
        std::string text;
        const char *error;
    } cases[] = {
        {"empty", "", "empty"},
        {"comments only", "# nothing\n\n", "empty"},
        {"other text", "Hello world\n", "Line 1: this is no lens flare element"},
        {"a library file", "quorix-lensflare 1.0\nglobals\n", "Line 1: this is no"},
        {"a newer major version", "quorix-lensflare-element 2.0\n", "Line 1: version 2.0"},
        {"no version", "quorix-lensflare-element\n", "Line 1: the version"},
        {"no element line", "quorix-lensflare-element 1.0\nradius 1\n", "Line 2: \"element TYPE\""},
        {"no end", head + "radius 1\n", "ends before"},
        {"a second element", head + "element halo\n", "Line 3: \"end\" is missing"},
        {"text after end", head + "end\nradius 1\n", "Line 4: only comments"},
        {"a word for a number", head + "radius big\nend\n", "Line 3: \"big\" is not a number"},
        {"hexadecimal", head + "radius 0x10\nend\n", "not a number"},
        {"infinity", head + "radius 1e39\nend\n", "not a number"},
        {"nan", head + "radius nan\nend\n", "not a number"},
        {"a plus sign", head + "radius +1\nend\n", "not a number"},
        {"four numbers", head + "color 1 2 3 4\nend\n", "at most three"},
        {"no value", head + "radius\nend\n", "Line 3: the parameter radius has no value"},
        {"given twice", head + "radius 1\nradius 2\nend\n", "Line 4: the parameter radius is given"},
        {"short gradient", head + "c gradient 2\n0 1 1 1\nend\n", "Line 5: a gradient entry"},
        {"large gradient", head + "c gradient 1025\n", "at most 1024"},
        {"two blocks", head + "c data 0\nc gradient 0\nend\n", "has a block already"},
        {"odd hex", head + "d data 2\nabc\nend\n", "pairs of hexadecimal"},
        {"too much data", head + "d data 1\nabcd\nend\n", "more data than"},
        {"large data", head + "d data 65537\n", "at most 65536"},
        {"a control character", head + "radius 1\x01\nend\n", "Line 3: a control character"},
        {"a zero byte", head + std::string("radius 1\0\nend\n", 13), "Line 3: a control"},
        {"a long line", head + std::string(1025, ' ') + "\nend\n", "Line 3: longer than 1024"},
        {"a long name", head + std::string(65, 'n') + " 1\nend\n", "longer than 64"},
    };
    for (const auto &c : cases) {
        TextElement element;
        element.type = "untouched";
        std::string error;
        EXPECT_FALSE(ReadElementText(c.text.data(), c.text.size(), &element, &error)) << c.what;
        EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(element.type, "untouched") << c.what;
    }
}

TEST(ElementText, HandWrittenTextWithCommentsAndBlankLinesReads)
{
    const std::string text =
        "\n# from a note\nquorix-lensflare-element 1.3   # a newer minor version\n"
        "element   dscflx\r\n\n  enabled off\n  enabled on\n  count 3\n"
        "  p data 3\n  0a\n  0B0c\nend\n# done\n";
    TextElement e;
    std::string error;
    ASSERT_TRUE(ReadElementText(text.data(), text.size(), &e, &error)) << error;
    EXPECT_EQ(e.type, "dscflx");
    EXPECT_TRUE(e.enabled);
    ASSERT_EQ(e.parameters.size(), 2u);
    EXPECT_EQ(e.parameters[0].value[0], 3.0f);
    EXPECT_EQ(e.parameters[1].data, (std::vector<uint8_t>{0x0a, 0x0b, 0x0c}));
}

}  // namespace
