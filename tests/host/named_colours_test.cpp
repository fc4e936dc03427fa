// The named colours through Qi_Enumerate, Qi_Inquire_Colorname and Qi_Copy,
// with the enumeration record read at the byte offsets a plug-in uses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "host/core/qi_host.h"
#include "tests/support/host_channel.h"
#include "tests/support/token.h"

namespace {

using ::testing::ElementsAre;

struct Entry {
    std::string name;
    float rgb[3];
};

struct Seen {
    std::vector<Entry> entries;
    int32_t stopAfter = -1;
};

// Reads the record as raw bytes at the offsets a plug-in relies on.
int32_t Collect(QiEnumRecord *record)
{
    const char *bytes = reinterpret_cast<const char *>(record);
    int32_t valid;
    const char *name;
    const float *rgb;
    Seen *seen;
    std::memcpy(&valid, bytes + 4, sizeof valid);
    std::memcpy(&name, bytes + 24, sizeof name);
    std::memcpy(&rgb, bytes + 64, sizeof rgb);
    std::memcpy(&seen, bytes + 72, sizeof seen);
    EXPECT_EQ(valid, 1);
    Entry entry{name, {rgb[0], rgb[1], rgb[2]}};
    seen->entries.push_back(entry);
    return int32_t(seen->entries.size()) == seen->stopAfter ? 1 : 0;
}

std::vector<std::string> Names(const char *pattern)
{
    Seen seen;
    Qi_Enumerate(0, pattern, 1, &seen, 0, Collect, T("colorname"), QI_END);
    std::vector<std::string> names;
    for (const Entry &entry : seen.entries)
        names.push_back(entry.name);
    return names;
}

TEST(NamedColours, EveryNameIsListedWithItsColourUntilTheCallbackStops)
{
    ClearHostReports();
    Seen seen;
    Qi_Enumerate(0, "*", 1, &seen, 0, Collect, T("colorname"), QI_END);
    ASSERT_GE(seen.entries.size(), 140u);
    std::set<std::string> lower;
    for (const Entry &entry : seen.entries) {
        std::string name = entry.name;
        for (char &c : name)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(lower.insert(name).second) << entry.name << " is listed once";
        float rgb[3] = {-1, -1, -1};
        ASSERT_EQ(Qi_Inquire_Colorname(name.c_str(), rgb, QI_END), 1) << name;
        EXPECT_EQ(std::vector<float>(rgb, rgb + 3),
                  std::vector<float>(entry.rgb, entry.rgb + 3))
            << name;
    }
    for (const char *name : {"aliceblue", "rebeccapurple", "gray", "grey", "darkslategrey"})
        EXPECT_EQ(lower.count(name), 1u) << name;
    EXPECT_THAT(TakeReportNames(), ElementsAre());

    Seen stopped;
    stopped.stopAfter = 3;
    Qi_Enumerate(0, "*", 1, &stopped, 0, Collect, T("colorname"), QI_END);
    EXPECT_EQ(stopped.entries.size(), 3u) << "a callback stops the list by returning nonzero";
}

TEST(NamedColours, PatternsMatchWithWildcardsInAnyCase)
{
    EXPECT_THAT(Names("*GREY"), ElementsAre("DarkGrey", "DarkSlateGrey", "DimGrey", "Grey",
                                            "LightGrey", "LightSlateGrey", "SlateGrey"));
    EXPECT_THAT(Names("gr?y"), ElementsAre("Gray", "Grey"));
    EXPECT_THAT(Names("*sea*green"), ElementsAre("DarkSeaGreen", "LightSeaGreen",
                                                 "MediumSeaGreen", "SeaGreen"));
    EXPECT_THAT(Names("red"), ElementsAre("Red"));
    EXPECT_THAT(Names("T**n"), ElementsAre("Tan")) << "stars may stand together";
    EXPECT_THAT(Names("?"), ElementsAre());
    EXPECT_THAT(Names(""), ElementsAre());
}

TEST(NamedColours, FaultyCallsAreReportedAndListNothing)
{
    ClearHostReports();
    Seen seen;
    Qi_Enumerate(0, "*", 1, &seen, 0, Collect, T("light"), QI_END);
    Qi_Enumerate(0, "*", 1, &seen, 0, Collect, T("colorname"), T("extra"), QI_END);
    Qi_Enumerate(0, "*", 2, &seen, 0, Collect, T("colorname"), QI_END);
    Qi_Enumerate(0, nullptr, 1, &seen, 0, Collect, T("colorname"), QI_END);
    Qi_Enumerate(0, "*", 1, &seen, 0, nullptr, T("colorname"), QI_END);
    EXPECT_TRUE(seen.entries.empty());
    float rgb[3] = {0.5f, 0.5f, 0.5f};
    EXPECT_EQ(Qi_Inquire_Colorname("red", nullptr, QI_END), 0);
    EXPECT_EQ(Qi_Inquire_Colorname("red", rgb, T("extra"), QI_END), 0);
    for (const char *unknown : {"Blurple", "Red ", static_cast<const char *>(nullptr)})
        EXPECT_EQ(Qi_Inquire_Colorname(unknown, rgb, QI_END), 0);
    EXPECT_EQ(rgb[0], 0.5f) << "an unknown name leaves the colour as it was";
    EXPECT_THAT(TakeReportNames(), ElementsAre("ERR_BAD_KEYWORD", "ERR_BAD_LIST", "ERR_BAD_VALUE",
                                           "ERR_BAD_VALUE", "ERR_BAD_VALUE", "ERR_BAD_VALUE",
                                           "ERR_BAD_LIST"));
}

TEST(Copy, ColoursAreThreeFloatsAndOtherTypesAreRefused)
{
    ClearHostReports();
    const float from[4] = {0.25f, 0.5f, 0.75f, 9.0f};
    float to[4] = {0, 0, 0, -1.0f};
    Qi_Copy(T("color"), from, to, QI_END);
    EXPECT_EQ(std::vector<float>(to, to + 4), (std::vector<float>{0.25f, 0.5f, 0.75f, -1.0f}));
    float same[3] = {0.1f, 0.2f, 0.3f};
    Qi_Copy(T("color"), same, same, QI_END);
    EXPECT_EQ(same[2], 0.3f);

    float untouched[3] = {7, 7, 7};
    Qi_Copy(T("point"), from, untouched, QI_END);
    Qi_Copy(T("color"), nullptr, untouched, QI_END);
    Qi_Copy(T("color"), from, nullptr, QI_END);
    Qi_Copy(T("color"), from, untouched, T("color"), QI_END);
    EXPECT_EQ(untouched[0], 7.0f);
    EXPECT_THAT(TakeReportNames(),
                ElementsAre("ERR_BAD_KEYWORD", "ERR_BAD_VALUE", "ERR_BAD_VALUE", "ERR_BAD_LIST"));
}

}  // namespace
