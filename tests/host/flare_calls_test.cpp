// The lens flare calls through the exported variadic functions, with the
// keyword lists an editor sends: loading a flare, committing it, changing
// its element list, and lists with faults.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "host/core/flare_model.h"
#include "host/core/qi_host.h"
#include "tests/support/host_channel.h"
#include "tests/support/token.h"

namespace {

using ::testing::ElementsAre;

const char *const kLight = "EngineTestLight";

// The global values as an editor keeps them.
struct Globals {
    QiToken enabled;
    float intensity, scale, occlusionradius, anamorphicstretch;
    QiToken fastdrag;
    int32_t randomseed;
    float color[3];
    QiToken uselightparams;
    float angle;
    QiToken glowbehindobjects, fadeifnearborder, fadeifbehindobjects, fadeifapproachingobjects,
        fadewithdistance;
    float refdistance;
    QiToken scaleglowwithdistance, scalereflexeswithdistance;
    int32_t numelements;
};

// One parameter as an editor loads it.
struct Param {
    QiToken type;
    int64_t parameterid, guid;
    const char *description, *name;
    float absmin[3], absmax[3], uimin[3], uimax[3], defaultvalue[3], delta[3];
    int16_t precision;
    QiToken floatarg, displayaspercentage;
    float value[3];
    int32_t gradientCount;
    const float *colours, *offsets;
    int32_t dataSize;
    const char *data;
};

Globals LoadGlobals()
{
    Globals g;
    std::memset(&g, 0xCC, sizeof g);
    Qi_Inquire_LensFlare(T("light"), kLight, T("enabled"), &g.enabled, QI_GROUP, T("intensity"),
        &g.intensity, QI_GROUP, T("scale"), &g.scale, QI_GROUP, T("occlusionradius"),
        &g.occlusionradius, QI_GROUP, T("anamorphicstretch"), &g.anamorphicstretch, QI_GROUP,
        T("fastdrag"), T("enabled"), &g.fastdrag, QI_GROUP, T("randomseed"), &g.randomseed,
        QI_GROUP, T("color"), g.color, QI_GROUP, T("uselightparams"), T("enabled"),
        &g.uselightparams, QI_GROUP, T("angle"), &g.angle, QI_GROUP, T("glowbehindobjects"),
        T("enabled"), &g.glowbehindobjects, QI_GROUP, T("fadeifnearborder"), T("enabled"),
        &g.fadeifnearborder, QI_GROUP, T("fadeifbehindobjects"), T("enabled"),
        &g.fadeifbehindobjects, QI_GROUP, T("fadeifapproachingobjects"), T("enabled"),
        &g.fadeifapproachingobjects, QI_GROUP, T("fadewithdistance"), T("enabled"),
        &g.fadewithdistance, QI_GROUP, T("refdistance"), &g.refdistance, QI_GROUP,
        T("scaleglowwithdistance"), T("enabled"), &g.scaleglowwithdistance, QI_GROUP,
        T("scalereflexeswithdistance"), T("enabled"), &g.scalereflexeswithdistance, QI_GROUP,
        T("numelements"), &g.numelements, QI_GROUP, QI_END);
    return g;
}

Param LoadParam(int32_t e, int32_t p)
{
    Param r;
    std::memset(&r, 0xCC, sizeof r);
    Qi_Inquire_LensFlare(T("light"), kLight, T("element"), &e, QI_GROUP, T("parameter"), &p,
        T("parameterid"), &r.parameterid, T("definition"), T("type"), &r.type, T("definition"),
        T("guid"), &r.guid, T("definition"), T("description"), &r.description, T("definition"),
        T("name"), &r.name, T("definition"), T("absminrange"), r.absmin, T("definition"),
        T("absmaxrange"), r.absmax, T("definition"), T("uiminrange"), r.uimin, T("definition"),
        T("uimaxrange"), r.uimax, T("definition"), T("defaultvalue"), r.defaultvalue,
        T("definition"), T("delta"), r.delta, T("definition"), T("precision"), &r.precision,
        T("definition"), T("floatarg"), T("enabled"), &r.floatarg, T("definition"),
        T("displayaspercentage"), T("enabled"), &r.displayaspercentage, T("value"), r.value,
        T("gradientdata"), &r.gradientCount, &r.colours, &r.offsets, T("arbitrarydata"),
        &r.dataSize, &r.data, QI_GROUP, QI_END);
    return r;
}

void CommitParam(const char *guid, int32_t p, const float *value, int32_t gradientCount,
                 const float *colours, const float *offsets, int32_t dataSize, const void *data)
{
    Qi_LensFlare(T("light"), kLight, T("element"), guid, QI_GROUP, T("parameter"), &p,
                 T("value"), value, T("gradientdata"), &gradientCount, colours, offsets,
                 T("arbitrarydata"), &dataSize, data, QI_GROUP, QI_END);
}

int32_t NumElements()
{
    int32_t n = -1;
    Qi_Inquire_LensFlare(T("light"), kLight, T("numelements"), &n, QI_END);
    return n;
}

int32_t NumParams(int32_t e)
{
    int32_t n = -1;
    Qi_Inquire_LensFlare(T("light"), kLight, T("element"), &e, T("numparameterdefinitions"), &n,
                         QI_GROUP, QI_END);
    return n;
}

const char *ElementText(int32_t e, const char *keyword)
{
    const char *text = nullptr;
    Qi_Inquire_LensFlare(T("light"), kLight, T("element"), &e, T(keyword), &text, QI_GROUP,
                         QI_END);
    return text;
}

// The guids of the elements in order (the host's text pointers).
std::vector<const char *> Guids()
{
    std::vector<const char *> guids;
    for (int32_t e = 0; e < NumElements(); ++e)
        guids.push_back(ElementText(e, "guid"));
    return guids;
}

// Everything an editor can read of the flare, as text (floats exact); with
// `guids` false the elements' identities are left out.
std::string Dump(bool guids = true)
{
    std::ostringstream out;
    Globals g = LoadGlobals();
    out.write(reinterpret_cast<const char *>(&g), sizeof g);
    out << std::hexfloat;
    for (int32_t e = 0; e < g.numelements; ++e) {
        QiToken enabled = 0;
        Qi_Inquire_LensFlare(T("light"), kLight, T("element"), &e, T("enabled"), &enabled,
                             QI_GROUP, QI_END);
        out << ElementText(e, "name") << (guids ? ElementText(e, "guid") : "") << enabled << ":";
        for (int32_t p = 0; p < NumParams(e); ++p) {
            Param r = LoadParam(e, p);
            out << r.value[0] << ' ' << r.value[1] << ' ' << r.value[2] << ';';
            for (int32_t i = 0; i < 4 * r.gradientCount; ++i)
                out << (i < r.gradientCount ? r.offsets[i] : r.colours[i - r.gradientCount]) << ' ';
            out << std::string(r.data ? r.data : "", size_t(r.dataSize)) << "|";
        }
    }
    return out.str();
}

// The first parameter of the flare with that type keyword.
struct ParamAt {
    int32_t e = -1, p = -1;
    const char *guid() const { return ElementText(e, "guid"); }
};
ParamAt FindFirst(const char *type)
{
    for (int32_t e = 0; e < NumElements(); ++e)
        for (int32_t p = 0; p < NumParams(e); ++p)
            if (LoadParam(e, p).type == T(type))
                return {e, p};
    return {};
}

class FlareCalls : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearHostReports();
        Qi_Light(kLight, T("model"), T("point"), QI_GROUP, T("bdfsave"), T("enabled"), T("off"),
                 QI_END);
        ASSERT_THAT(TakeReportNames(), ElementsAre());
        ASSERT_GE(NumElements(), 6);
    }
    void TearDown() override
    {
        EXPECT_THAT(TakeReportNames(), ElementsAre()) << "no report the test did not expect";
        Qi_Remove(T("light"), kLight, QI_END);
    }
};

// (Every value going through and back is the working flare round trip's
// part.) Numbers are kept finite and within their limits, and the editor's
// "Faster Updates" switch may come without a group closer.
TEST_F(FlareCalls, GlobalValuesAreKeptFiniteAndWithinTheirLimits)
{
    Qi_LensFlare(T("light"), kLight, T("fastdrag"), T("enabled"), T("on"), QI_END);
    EXPECT_EQ(LoadGlobals().fastdrag, T("on"));
    float nan = NAN, huge = INFINITY, negative = -5.0f, wild[3] = {-1.0f, NAN, 7.0f};
    Qi_LensFlare(T("light"), kLight, T("intensity"), &nan, T("scale"), &negative,
                 T("refdistance"), &huge, T("color"), T("rgb"), wild, QI_END);
    Globals back = LoadGlobals();
    EXPECT_EQ(back.intensity, 0.0f);
    EXPECT_GT(back.scale, 0.0f);
    EXPECT_TRUE(std::isfinite(back.refdistance));
    EXPECT_EQ(back.color[0], 0.0f);
    EXPECT_EQ(back.color[1], 0.0f);
    EXPECT_EQ(back.color[2], 1.0f);
}

// (Each parameter's value going through and back is the working flare
// round trip's part.) Only gradients have entries, a list's entries end
// with a zero, and beyond its absolute limits a value is clamped.
TEST_F(FlareCalls, EveryParameterKeepsItsShapeAndLimits)
{
    const std::vector<const char *> guids = Guids();
    for (int32_t e = 0; e < int32_t(guids.size()); ++e)
        for (int32_t p = 0; p < NumParams(e); ++p) {
            Param r = LoadParam(e, p);
            SCOPED_TRACE(std::string(ElementText(e, "name")) + "." + r.name);
            EXPECT_EQ(r.type == T("gradient"), r.gradientCount >= 2)
                << "only gradients have entries";
            EXPECT_EQ(r.gradientCount == 0, r.colours == nullptr);
            if (r.type == T("list")) {
                EXPECT_EQ(std::strlen(r.data) + 1, size_t(r.dataSize)) << "entries with a zero";
            }
            float beyond[3] = {r.absmax[0] + 1000, r.absmax[1] + 1000, r.absmax[2] + 1000};
            CommitParam(guids[size_t(e)], p, beyond, 0, nullptr, nullptr, 0, nullptr);
            EXPECT_EQ(LoadParam(e, p).value[0], r.absmax[0]);
        }
}

TEST_F(FlareCalls, GradientsAreValidatedAndCopied)
{
    const auto [e, p] = FindFirst("gradient");
    ASSERT_GE(p, 0);
    const char *guid = ElementText(e, "guid");
    float colours[9] = {-1.0f, 0.5f, 2.0f, 0.1f, 0.2f, 0.3f, 1.0f, 1.0f, NAN};
    float offsets[3] = {-0.5f, 0.25f, 1.5f};
    float value[3] = {0, 0, 0};
    CommitParam(guid, p, value, 3, colours, offsets, 0, nullptr);
    colours[4] = 0.9f;  // the host keeps its own copy
    Param r = LoadParam(e, p);
    ASSERT_EQ(r.gradientCount, 3);
    EXPECT_THAT(std::vector<float>(r.offsets, r.offsets + 3), ElementsAre(0.0f, 0.25f, 1.0f));
    EXPECT_THAT(std::vector<float>(r.colours, r.colours + 9),
                ElementsAre(0.0f, 0.5f, 1.0f, 0.1f, 0.2f, 0.3f, 1.0f, 1.0f, 0.0f));

    // The host's arrays stay put while other parameters are read.
    const float *hostOffsets = r.offsets;
    LoadParam(e, 0);
    EXPECT_EQ(hostOffsets[1], 0.25f);

    const std::string before = Dump();
    float decreasing[3] = {0.0f, 0.6f, 0.5f}, notANumber[3] = {0.0f, NAN, 1.0f};
    CommitParam(guid, p, value, 3, colours, decreasing, 0, nullptr);
    CommitParam(guid, p, value, 3, colours, notANumber, 0, nullptr);
    CommitParam(guid, p, value, qi::kMaxGradientEntries + 1, colours, offsets, 0, nullptr);
    CommitParam(guid, p, value, -1, colours, offsets, 0, nullptr);
    CommitParam(guid, p, value, 2, nullptr, offsets, 0, nullptr);
    EXPECT_THAT(TakeReportNames(), ElementsAre("ERR_BAD_VALUE", "ERR_BAD_VALUE", "ERR_BAD_VALUE",
                                           "ERR_BAD_VALUE", "ERR_BAD_VALUE"));
    EXPECT_EQ(Dump(), before);

    // A parameter of another type takes nothing from its gradient arguments.
    const ParamAt slider = FindFirst("floatslider");
    ASSERT_GE(slider.p, 0);
    CommitParam(slider.guid(), slider.p, value, 9999, nullptr, nullptr, 0, nullptr);
}

TEST_F(FlareCalls, ArbitraryDataIsCopiedAndListEntriesBelongToTheDefinition)
{
    const ParamAt data = FindFirst("arbitrarydata"), list = FindFirst("list");
    ASSERT_GE(data.p, 0);
    ASSERT_GE(list.p, 0);
    float value[3] = {0, 0, 0};

    char block[5] = {1, 2, 3, 4, 5};
    CommitParam(data.guid(), data.p, value, 0, nullptr, nullptr, 5, block);
    block[0] = 9;
    Param r = LoadParam(data.e, data.p);
    ASSERT_EQ(r.dataSize, 5);
    EXPECT_EQ(std::vector<char>(r.data, r.data + 5), std::vector<char>({1, 2, 3, 4, 5}));
    CommitParam(data.guid(), data.p, value, 0, nullptr, nullptr, 1 << 20, block);
    CommitParam(data.guid(), data.p, value, 0, nullptr, nullptr, 3, nullptr);
    EXPECT_THAT(TakeReportNames(), ElementsAre("ERR_BAD_VALUE", "ERR_BAD_VALUE"));
    EXPECT_EQ(LoadParam(data.e, data.p).dataSize, 5);

    Param entries = LoadParam(list.e, list.p);
    CommitParam(list.guid(), list.p, entries.value, 0, nullptr, nullptr, 5, block);
    Param after = LoadParam(list.e, list.p);
    EXPECT_EQ(after.data, entries.data) << "the entry text keeps its address";
    EXPECT_EQ(after.dataSize, entries.dataSize);
}

// Inserts at the four placements, then deletes and moves (also at the
// ends): the order is the one the plug-in expects, and guids survive with
// their addresses.
TEST_F(FlareCalls, InsertDeleteAndMoveLeaveTheOrderAndKeepGuids)
{
    std::vector<const char *> old = Guids();
    const char *start = nullptr, *end = nullptr, *before = nullptr, *after = nullptr;
    Qi_LensFlare(T("light"), kLight, T("insert"), T("start"), "prflx", &start, QI_END);
    Qi_LensFlare(T("light"), kLight, T("insert"), T("end"), "halo", &end, QI_END);
    Qi_LensFlare(T("light"), kLight, T("insert"), T("before"), "rngflx", old[2], &before, QI_END);
    Qi_LensFlare(T("light"), kLight, T("insert"), T("after"), "glow", old[2], &after, QI_END);
    std::vector<const char *> expected = old;
    expected.insert(expected.begin() + 3, after);
    expected.insert(expected.begin() + 2, before);
    expected.insert(expected.begin(), start);
    expected.push_back(end);
    EXPECT_EQ(Guids(), expected) << "and every old guid keeps its address";
    EXPECT_STREQ(ElementText(0, "name"), "prflx");
    EXPECT_STREQ(ElementText(3, "name"), "rngflx");
    EXPECT_STREQ(ElementText(5, "name"), "glow");
    EXPECT_STREQ(ElementText(NumElements() - 1, "name"), "halo");
    std::vector<std::string> texts(expected.begin(), expected.end());
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(std::unique(texts.begin(), texts.end()), texts.end()) << "guids are unique";

    std::vector<const char *> g = Guids();
    const size_t n = g.size();
    const char *description = ElementText(1, "description");
    Qi_LensFlare(T("light"), kLight, T("move"), T("down"), g[1], QI_END);
    Qi_LensFlare(T("light"), kLight, T("move"), T("up"), g[0], QI_END);
    Qi_LensFlare(T("light"), kLight, T("move"), T("down"), g[n - 1], QI_END);
    Qi_LensFlare(T("light"), kLight, T("move"), T("up"), g[n - 1], QI_END);
    std::swap(g[1], g[2]);
    std::swap(g[n - 2], g[n - 1]);
    EXPECT_EQ(Guids(), g);
    EXPECT_EQ(ElementText(2, "description"), description);

    for (size_t i : {size_t(0), n - 1, size_t(3)})
        Qi_LensFlare(T("light"), kLight, T("delete"), g[i], QI_END);
    g.erase(g.end() - 1);
    g.erase(g.begin() + 3);
    g.erase(g.begin());
    EXPECT_EQ(Guids(), g);
}

// Commands that cannot run write a null guid; faulty lists are reported
// and change nothing, the commands' and the values' alike.
TEST_F(FlareCalls, FaultyListsAndCommandsThatCannotRunAreReportedAndChangeNothing)
{
    const std::string before = Dump();
    const char *guid = ElementText(0, "guid");
    float f = 3.0f;
    const char *result = "unset";
    Qi_LensFlare(T("light"), kLight, T("insert"), T("end"), "nosuchtype", &result, QI_END);
    EXPECT_EQ(result, nullptr);
    result = "unset";
    Qi_LensFlare(T("light"), kLight, T("insert"), T("before"), "glow", "{LF-none}", &result,
                 QI_END);
    EXPECT_EQ(result, nullptr);
    result = "unset";
    Qi_LensFlare(T("light"), kLight, T("insert"), T("start"), nullptr, &result, QI_END);
    EXPECT_EQ(result, nullptr);
    Qi_LensFlare(T("light"), kLight, T("delete"), "{LF-none}", QI_END);
    Qi_LensFlare(T("light"), kLight, T("move"), T("up"), nullptr, QI_END);
    Qi_LensFlare(T("light"), kLight, T("delete"), guid, QI_GROUP, QI_END);
    Qi_LensFlare(T("light"), kLight, T("intensity"), &f, T("delete"), guid, QI_END);
    // A faulty list creates no light; an absent one cannot be removed; the
    // catalogue has no entry past its end.
    int32_t count = 0, exists = -1;
    Qi_Light("FaultyLight", T("model"), T("spot"), QI_END);
    Qi_Handle_Name_Exists("FaultyLight", &exists, T("light"), QI_END);
    EXPECT_EQ(exists, 0);
    Qi_Remove(T("light"), "FaultyLight", QI_END);
    Qi_LensFlare_Enumerate_ElementInfo(T("numelements"), &count, QI_END);
    result = "unset";
    Qi_LensFlare_Enumerate_ElementInfo(T("element"), &count, T("name"), &result, QI_GROUP, QI_END);
    Qi_LensFlare_Enumerate_ElementInfo(T("name"), &result, QI_END);
    EXPECT_STREQ(result, "unset");
    EXPECT_THAT(TakeReportNames(),
                ElementsAre("ERR_UNKNOWN_TYPE", "ERR_NO_ELEMENT", "ERR_UNKNOWN_TYPE",
                            "ERR_NO_ELEMENT", "ERR_NO_ELEMENT", "ERR_BAD_LIST", "ERR_BAD_LIST",
                            "ERR_BAD_VALUE", "ERR_NO_OBJECT", "ERR_NO_ELEMENT",
                            "ERR_BAD_KEYWORD"));

    int32_t e = 0, beyond = 10000, negative = -1, p = 0;
    unsigned char out[3][16];
    std::memset(out, 0xCC, sizeof out);
    // Each list starts with a well-formed entry that must not take effect.
    Qi_LensFlare(T("light"), kLight, T("intensity"), &f, QI_GROUP, T("bogus"), &f, QI_END);
    Qi_LensFlare(T("light"), kLight, T("scale"), &f, T("enabled"), T("maybe"), QI_END);
    Qi_LensFlare(T("light"), kLight, T("scale"), &f, T("numelements"), out[0], QI_END);
    Qi_LensFlare(T("light"), kLight, T("element"), guid, T("enabled"), T("off"), T("value"),
                 &f, QI_END);
    Qi_LensFlare(T("light"), kLight, T("scale"), &f, T("element"), "{LF-none}", QI_END);
    Qi_LensFlare(T("light"), kLight, T("scale"), &f, T("parameter"), &p, QI_END);
    Qi_LensFlare(T("camera"), kLight, T("scale"), &f, QI_END);
    Qi_Inquire_LensFlare(T("light"), kLight, T("intensity"), out[0], T("color"), T("rgb"),
                         out[1], QI_END);
    Qi_Inquire_LensFlare(T("light"), kLight, T("numelements"), out[0], T("element"), &beyond,
                         T("name"), out[1], QI_END);
    Qi_Inquire_LensFlare(T("light"), kLight, T("element"), &negative, T("name"), out[1], QI_END);
    Qi_Inquire_LensFlare(T("light"), kLight, T("element"), &e, T("guid"), out[0], QI_GROUP,
                         T("parameter"), &beyond, T("value"), out[1], QI_END);
    Qi_Inquire_LensFlare(T("light"), kLight, T("element"), &e, T("parameter"), &p,
                         T("definition"), T("colour"), out[0], QI_END);
    Qi_Inquire_LensFlare(T("light"), kLight, T("element"), &e, T("intensity"), out[0], QI_END);
    Qi_Inquire_LensFlare(T("light"), kLight, T("intensity"), nullptr, QI_END);
    Qi_Inquire_LensFlare(T("light"), kLight, T("insert"), T("end"), "glow", out[0], QI_END);
    Qi_Inquire_LensFlare(T("light"), kLight, int64_t(42), out[0], QI_END);
    EXPECT_THAT(TakeReportNames(),
                ElementsAre("ERR_BAD_KEYWORD", "ERR_BAD_VALUE", "ERR_BAD_KEYWORD",
                            "ERR_BAD_KEYWORD", "ERR_NO_ELEMENT", "ERR_BAD_LIST", "ERR_NO_OBJECT",
                            "ERR_BAD_VALUE", "ERR_NO_ELEMENT", "ERR_NO_ELEMENT",
                            "ERR_NO_PARAMETER", "ERR_BAD_KEYWORD", "ERR_BAD_KEYWORD",
                            "ERR_BAD_VALUE", "ERR_BAD_KEYWORD", "ERR_BAD_KEYWORD"));
    for (const auto &bytes : out)
        for (unsigned char byte : bytes)
            ASSERT_EQ(byte, 0xCC) << "nothing was written";
    EXPECT_EQ(Dump(), before);
}

}  // namespace
