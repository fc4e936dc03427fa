// The text of library files: what is written reads back to the same flare,
// value for value; keys of a newer version are passed over; values a file
// leaves out keep their defaults.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "host/formats/library_text.h"
#include "tests/formats/flare_digest.h"

namespace qi::format {
namespace {

// A value in min..max: one of the limits, a value near zero, or any float
// between them.
float AnyWithin(std::mt19937 &random, float min, float max)
{
    switch (random() % 6) {
    case 0:
        return min;
    case 1:
        return max;
    case 2:
        if (min <= 1e-45f && max >= 1e-45f)
            return 1e-45f;
        return min;
    default:
        return std::uniform_real_distribution<float>(min, max)(random);
    }
}

// Every element type twice, every number, gradient and data block changed.
Flare RandomFlare(uint32_t seed)
{
    std::mt19937 random(seed);
    Flare flare;
    FlareGlobals &g = flare.globals;
    for (const GlobalField &field : GlobalFields()) {
        if (field.toggle)
            g.*field.toggle = random() & 1;
        else if (field.number)
            g.*field.number = AnyWithin(random, field.min, field.max);
        else if (field.integer)
            g.*field.integer = int32_t(random());
        else
            for (float &component : g.*field.rgb)
                component = AnyWithin(random, field.min, field.max);
    }
    g.randomSeed = seed == 1 ? INT32_MIN : g.randomSeed;
    for (int round = 0; round < 2; ++round)
        for (const ElementType &type : Catalogue()) {
            std::unique_ptr<Element> element = NewElement(type);
            element->enabled = random() & 1;
            for (size_t p = 0; p < type.params.size(); ++p) {
                const ParamDef &def = type.params[p];
                ParamValue &value = element->values[p];
                // Gradients and data blocks have no number of their own;
                // other types one, colours and points three.
                const int components = def.type == ParamType::Gradient ||
                                               def.type == ParamType::ArbitraryData
                                           ? 0
                                       : def.type == ParamType::Color ||
                                               def.type == ParamType::Point
                                           ? 3
                                           : 1;
                for (int i = 0; i < components; ++i)
                    value.value[i] = AnyWithin(random, def.absMin[i], def.absMax[i]);
                if (def.type == ParamType::Gradient) {
                    value.gradient.resize(random() % (round ? 3 : size_t(kMaxGradientEntries) + 1));
                    std::vector<float> offsets;
                    for (GradientStop &stop : value.gradient) {
                        offsets.push_back(AnyWithin(random, 0.0f, 1.0f));
                        for (float &c : stop.rgb)
                            c = AnyWithin(random, 0.0f, 1.0f);
                    }
                    std::sort(offsets.begin(), offsets.end());
                    for (size_t i = 0; i < offsets.size(); ++i)
                        value.gradient[i].offset = offsets[i];
                }
                if (def.type == ParamType::ArbitraryData) {
                    value.data.resize(round ? 0 : random() % 3000);
                    for (uint8_t &byte : value.data)
                        byte = uint8_t(random());
                }
            }
            flare.elements.push_back(std::move(element));
        }
    std::shuffle(flare.elements.begin(), flare.elements.end(), random);
    return flare;
}

Flare ReadOrFail(const std::string &text)
{
    Flare flare;
    Findings findings;
    EXPECT_TRUE(ReadLibraryText(text, flare, findings))
        << findings.error.line << ": " << findings.error.message;
    EXPECT_TRUE(findings.skipped.empty());
    return flare;
}

TEST(LibraryText, WrittenFlaresReadBackValueForValue)
{
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        const Flare original = RandomFlare(seed);
        const std::string text = WriteLibraryText(original);
        const Flare loaded = ReadOrFail(text);
        EXPECT_EQ(FlareDigest(loaded, false), FlareDigest(original, false));
        EXPECT_EQ(WriteLibraryText(loaded), text) << "writing again gives the same text";
        std::set<std::string> guids;
        for (size_t i = 0; i < loaded.elements.size(); ++i) {
            EXPECT_NE(loaded.elements[i]->guid, original.elements[i]->guid)
                << "elements are new on load";
            guids.insert(loaded.elements[i]->guid);
        }
        EXPECT_EQ(guids.size(), loaded.elements.size());
    }
    Flare standard;
    MakeDefaultFlare(standard);
    EXPECT_EQ(FlareDigest(ReadOrFail(WriteLibraryText(standard)), false),
              FlareDigest(standard, false));
    EXPECT_EQ(ReadOrFail(WriteLibraryText(Flare{})).elements.size(), 0u);
}

TEST(LibraryText, LeftOutValuesKeepTheirDefaultsAndLayoutIsFree)
{
    const Flare loaded = ReadOrFail(
        "quorix-lensflare 1.0\r\n"
        "# a hand-written library\r\n"
        "globals\r\n"
        "\tintensity\t2   # brighter\r\n"
        "end\r\n"
        "elements 1\r\n"
        "element dscflx\r\n"
        "radius 0.5\r\n"
        "end");
    Flare expected;
    expected.globals.intensity = 2.0f;
    const ElementType &disc = *FindElementType("dscflx");
    expected.elements.push_back(NewElement(disc));
    const size_t r = size_t(disc.ParamIndex("radius"));
    const float radius[3] = {0.5f, 0, 0};
    SetParamValue(disc.params[r], expected.elements[0]->values[r], radius);
    EXPECT_EQ(FlareDigest(loaded, false), FlareDigest(expected, false));
}

TEST(LibraryText, KeysOfANewerVersionArePassedOverWithTheirBlocks)
{
    Flare loaded;
    Findings findings;
    ASSERT_TRUE(ReadLibraryText("quorix-lensflare 1.7\n"
                                "globals\n"
                                "    bloom 0.3\n"
                                "    lenstint gradient 2\n"
                                "        0 1 1 1\n"
                                "        1 0 0 0\n"
                                "    intensity 0.5\n"
                                "end\n"
                                "elements 1\n"
                                "element anamorph\n"
                                "    dust data 40\n"
                                "        00112233445566778899aabbccddeeff"
                                "00112233445566778899aabbccddeeff\n"
                                "        0011223344556677\n"
                                "    length 3\n"
                                "    chromatic 1 2 3 4\n"
                                "end\n",
                                loaded, findings))
        << findings.error.message;
    ASSERT_EQ(findings.skipped.size(), 4u);
    EXPECT_EQ(findings.skipped[0].line, 3);
    EXPECT_NE(findings.skipped[0].message.find("\"bloom\""), std::string::npos);
    EXPECT_EQ(findings.skipped[1].line, 4);
    EXPECT_EQ(findings.skipped[2].line, 11);
    EXPECT_EQ(findings.skipped[3].line, 15);
    EXPECT_EQ(loaded.globals.intensity, 0.5f);
    ASSERT_EQ(loaded.elements.size(), 1u);
    EXPECT_EQ(loaded.elements[0]->Scalar("length", 0), 3.0f);
}

}  // namespace
}  // namespace qi::format
