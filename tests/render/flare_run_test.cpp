// How a render runs: threads, progress reports, and what it
// does with bad arguments and far-away lights.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "host/core/qi_host.h"
#include "tests/render/flare_picture.h"
#include "tests/support/host_channel.h"

namespace {

// Restores the host's number of render threads when a test ends.
struct RenderSwitches {
    ~RenderSwitches() { QiHost_Set_Render_Threads(0); }
};

struct Call {
    QiToken phase;
    float fraction;
    std::thread::id thread;
};
std::vector<Call> calls;

int16_t Record(QiToken phase, float fraction)
{
    calls.push_back({phase, fraction, std::this_thread::get_id()});
    return 0;
}

void RenderRecorded(TestLight &light, int32_t width, int32_t height)
{
    calls.clear();
    BufferOwner b = NewBuffer(width, height);
    ASSERT_NE(b, nullptr);
    Qi_LensFlareApplyToGBuffer(b.get(), Qi_Inquire_Token("light"), light.name(), width / 4,
                               height / 2, Record);
}

// start, then updates from 0 to 1 that never go back, then end, all on
// this thread.
void ExpectProgressSequence()
{
    ASSERT_GE(calls.size(), 4u);
    EXPECT_EQ(calls.front().phase, Qi_Inquire_Token("start"));
    EXPECT_EQ(calls.back().phase, Qi_Inquire_Token("end"));
    EXPECT_EQ(calls[1].fraction, 0.0f);
    EXPECT_EQ(calls[calls.size() - 2].fraction, 1.0f);
    for (size_t i = 1; i + 1 < calls.size(); ++i) {
        EXPECT_EQ(calls[i].phase, Qi_Inquire_Token("update")) << i;
        if (i > 1) {
            EXPECT_GE(calls[i].fraction, calls[i - 1].fraction) << i;
        }
    }
    for (const Call &c : calls)
        EXPECT_EQ(c.thread, std::this_thread::get_id());
}

TEST(FlareRun, PlanesAreIdenticalWhateverTheNumberOfThreads)
{
    RenderSwitches restore;
    RenderSetup s = RenderSetup().LightAt(90, 200);
    s.width = 403, s.height = 301;
    for (bool fast : {false, true}) {
        TestLight light;
        light.globals().fastDrag = fast;
        light.globals().anamorphicStretch = 1.3f;
        QiHost_Set_Render_Threads(1);
        Picture one = Render(light, s);
        for (int threads : {2, 3, 8, 0}) {
            QiHost_Set_Render_Threads(threads);
            EXPECT_TRUE(Render(light, s).SameAs(one)) << threads << " threads, fast " << fast;
        }
    }
}

TEST(FlareRun, ProgressGoesStartUpdatesEndOnTheCallingThread)
{
    RenderSwitches restore;
    TestLight light;
    for (int threads : {1, 2}) {
        QiHost_Set_Render_Threads(threads);
        RenderRecorded(light, 320, 240);
        SCOPED_TRACE(threads);
        ExpectProgressSequence();
    }
    // One thread reports after each chunk of rows. (With helpers the calling
    // thread may find all rows done when a loaded machine lets it run again.)
    QiHost_Set_Render_Threads(1);
    RenderRecorded(light, 320, 240);
    EXPECT_GE(calls.size(), 6u);
    RenderRecorded(light, 1, 1);
    ExpectProgressSequence();
    light.globals().enabled = false;
    RenderRecorded(light, 64, 48);
    ExpectProgressSequence();
}

// A render started from the progress callback of another, as a timer
// handler pumped by the callback might: it runs on the calling thread while
// the outer render's helpers go on, and both come out whole.
TestLight *nestedLight;
Picture nested;
int16_t RenderWithin(QiToken phase, float fraction)
{
    if (phase == Qi_Inquire_Token("update") && fraction > 0 && nested.width == 0) {
        RenderSetup s;
        nested = Render(*nestedLight, s);
    }
    return 0;
}

TEST(FlareRun, ARenderStartedFromTheProgressCallbackCompletes)
{
    RenderSwitches restore;
    QiHost_Set_Render_Threads(2);
    TestLight outer, inner;
    SetParam(inner.Find("glow"), "radius", 0.3f);
    Picture alone = Render(inner, RenderSetup{});
    RenderSetup big;
    big.width = 640;
    big.height = 480;
    Picture expected = Render(outer, big);

    nestedLight = &inner;
    nested = Picture{};
    BufferOwner b = NewBuffer(big.width, big.height);
    ASSERT_NE(b, nullptr);
    Qi_LensFlareApplyToGBuffer(b.get(), Qi_Inquire_Token("light"), outer.name(),
                               int32_t(big.lightX), int32_t(big.lightY), RenderWithin);
    EXPECT_TRUE(nested.SameAs(alone));
    size_t pixels = size_t(big.width) * size_t(big.height);
    EXPECT_TRUE(std::equal(b->red, b->red + pixels, expected.red.begin()));
    EXPECT_TRUE(std::equal(b->blue, b->blue + pixels, expected.blue.begin()));
}

TEST(FlareRun, BadBuffersAndUnknownObjectsAreReportedAndDrawNothing)
{
    TestLight light;
    QiToken kind = Qi_Inquire_Token("light");
    ClearHostReports();
    calls.clear();
    Qi_LensFlareApplyToGBuffer(nullptr, kind, light.name(), 0, 0, Record);
    QiGBuffer empty{};
    Qi_LensFlareApplyToGBuffer(&empty, kind, light.name(), 0, 0, Record);
    BufferOwner b = NewBuffer(16, 16);
    ASSERT_NE(b, nullptr);
    Qi_LensFlareApplyToGBuffer(b.get(), kind, "NoSuchLight", 8, 8, Record);
    Qi_LensFlareApplyToGBuffer(b.get(), Qi_Inquire_Token("camera"), light.name(), 8, 8, Record);
    Qi_LensFlareApplyToGBuffer(b.get(), kind, nullptr, 8, 8, Record);
    EXPECT_TRUE(calls.empty());
    for (int i = 0; i < 16 * 16; ++i)
        ASSERT_EQ(b->red[i] + b->green[i] + b->blue[i], 0.0f);
    std::vector<HostReport> reports = HostReports();
    ASSERT_EQ(reports.size(), 5u);
    EXPECT_EQ(reports[0].name, "ERR_BAD_GBUFFER");
    EXPECT_EQ(reports[2].name, "ERR_NO_SUCH_OBJECT");
    EXPECT_EQ(reports[2].detail, "NoSuchLight");
    for (const HostReport &r : reports)
        EXPECT_EQ(r.level, 4);
}

TEST(FlareRun, FarLightsAndExtremeValuesGiveFiniteValues)
{
    TestLight light;
    light.globals().scale = 100;
    light.globals().anamorphicStretch = 20;
    light.globals().angle = 1e6f;
    RenderSetup s;
    s.width = 64, s.height = 48;
    for (int32_t x : {INT32_MIN, -100000, 32, 100000, INT32_MAX}) {
        s.LightAt(x, x == 32 ? 24 : -double(x) / 2);
        EXPECT_TRUE(Render(light, s).Finite()) << x;
    }
    light.globals().scale = 0;
    s.lightX = 32;
    EXPECT_EQ(Render(light, s).Total(), 0.0);
}

// Any values the catalogue's limits allow, at random: pictures stay finite
// (and the sanitizers see every path the values open).
TEST(FlareRun, RandomValuesWithinTheLimitsRenderFinitePictures)
{
    std::mt19937 random(4);
    auto pick = [&](float low, float high) {
        return std::uniform_real_distribution<float>(low, high)(random);
    };
    RenderSetup s;
    s.width = 48, s.height = 32;
    for (int round = 0; round < 300; ++round) {
        TestLight light;
        qi::FlareGlobals &g = light.globals();
        g.scale = pick(0, 3);
        g.anamorphicStretch = pick(0.1f, 5);
        g.angle = pick(-720, 720);
        g.occlusionRadius = pick(0, 2);
        g.fastDrag = round % 2;
        g.glowBehindObjects = round % 3 == 0;
        g.fadeIfApproachingObjects = round % 5 == 0;
        for (auto &element : light.object().flare.elements) {
            const qi::ElementType &type = *element->type;
            for (size_t i = 0; i < type.params.size(); ++i) {
                const qi::ParamDef &def = type.params[i];
                float v[3];
                for (int c = 0; c < 3; ++c)
                    v[c] = pick(def.absMin[c], def.absMax[c] > 50 ? 50 : def.absMax[c]);
                qi::SetParamValue(def, element->values[i], v);
            }
        }
        s.lightX = pick(-100, 150);
        s.lightY = pick(-100, 130);
        ASSERT_TRUE(Render(light, s).Finite()) << "round " << round;
    }
}

}  // namespace
