// The flare renderer judged by the pictures it makes: where light lands, how
// shapes turn and stretch, and what every switch changes. (That the core
// sits at the light is the render command's and the preview's part.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "host/core/qi_host.h"
#include "tests/render/flare_picture.h"

namespace {

// The centre of a RenderSetup's picture and the point at axis position t.
void AxisPoint(const RenderSetup &s, double t, double &x, double &y)
{
    double cx = (s.width - 1) / 2.0, cy = (s.height - 1) / 2.0;
    x = s.lightX + t * (cx - s.lightX);
    y = s.lightY + t * (cy - s.lightY);
}

double WidthToHeight(const Moments &m) { return std::sqrt(m.xx / m.yy); }

TEST(FlareRender, ReflexesLieOnTheAxisThroughTheCentre)
{
    RenderSetup s;
    for (const char *type : {"dscflx", "rngflx", "prflx"}) {
        TestLight light;
        qi::Element &reflex = light.Only(type);
        for (float t : {0.4f, 1.0f, 1.6f, 2.0f}) {
            SCOPED_TRACE(std::string(type) + " at " + std::to_string(t));
            SetParam(reflex, "position", t);
            SetParam(reflex, "radius", 0.08f);
            Moments m = MomentsOf(Render(light, s));
            double ax, ay;
            AxisPoint(s, t, ax, ay);
            ASSERT_GT(m.total, 0);
            EXPECT_NEAR(m.x, ax, 0.75);
            EXPECT_NEAR(m.y, ay, 0.75);
        }
    }
}

TEST(FlareRender, ReflexChainFollowsTheAxisFromStartToEnd)
{
    TestLight light;
    light.KeepOnly({"inter"});
    qi::Element &chain = light.Find("inter");
    SetParam(chain, "count", 12);
    SetParam(chain, "start", 0.2f);
    SetParam(chain, "spread", 1.6f);
    SetParam(chain, "radius", 0.03f);
    RenderSetup s;
    Picture p = Render(light, s);
    double cx = (s.width - 1) / 2.0, cy = (s.height - 1) / 2.0;
    double ux = cx - s.lightX, uy = cy - s.lightY, length = std::hypot(ux, uy);
    double reach = 0.03 * 80 + 1.5;  // largest disc radius in pixels, and its edge
    double lowest = 10, highest = -10;
    for (int32_t y = 0; y < p.height; ++y)
        for (int32_t x = 0; x < p.width; ++x) {
            if (p.Luminance(x, y) <= 0)
                continue;
            double dx = x - s.lightX, dy = y - s.lightY;
            EXPECT_LE(std::fabs(dx * uy - dy * ux) / length, reach) << x << "," << y;
            double t = (dx * ux + dy * uy) / (length * length);
            lowest = std::min(lowest, t);
            highest = std::max(highest, t);
        }
    EXPECT_NEAR(lowest, 0.2, 0.15);
    EXPECT_NEAR(highest, 1.8, 0.15);
}

TEST(FlareRender, AnamorphicStretchWidensHorizontally)
{
    TestLight light;
    SetParam(light.Only("dscflx"), "position", 1.0f);
    SetParam(light.Find("dscflx"), "radius", 0.2f);
    RenderSetup s;
    std::vector<double> ratios;
    for (float stretch : {0.5f, 1.0f, 2.0f, 3.0f}) {
        light.globals().anamorphicStretch = stretch;
        ratios.push_back(WidthToHeight(MomentsOf(Render(light, s))));
        EXPECT_NEAR(ratios.back(), stretch, 0.08 * stretch) << stretch;
    }
    EXPECT_TRUE(std::is_sorted(ratios.begin(), ratios.end()));

    // The glow around the light widens in the same way.
    TestLight glow;
    glow.KeepOnly({"glow"});
    double plain = WidthToHeight(MomentsOf(Render(glow, s)));
    glow.globals().anamorphicStretch = 2.0f;
    EXPECT_NEAR(WidthToHeight(MomentsOf(Render(glow, s))), 2 * plain, 0.2);
}

TEST(FlareRender, RotationTurnsStreaks)
{
    TestLight light;
    light.KeepOnly({"streaks"});
    qi::Element &streaks = light.Find("streaks");
    SetParam(streaks, "count", 2);
    SetParam(streaks, "randomlengths", 0);
    SetParam(streaks, "thickness", 0.01f);
    RenderSetup s = RenderSetup().LightAt(120, 80);
    struct Case {
        float element, global, expected;
    };
    for (Case c :
         {Case{0, 0, 0}, Case{30, 0, 30}, Case{0, 45, 45}, Case{30, 30, 60}, Case{-20, 0, -20}}) {
        SetParam(streaks, "angle", c.element);
        light.globals().angle = c.global;
        Moments m = MomentsOf(Render(light, s));
        EXPECT_NEAR(m.Orientation(), c.expected, 1.5) << c.element << " + " << c.global;
        EXPECT_NEAR(m.x, s.lightX, 0.5);
        EXPECT_NEAR(m.y, s.lightY, 0.5);
    }

    TestLight tilted;
    tilted.KeepOnly({"anamorph"});
    SetParam(tilted.Find("anamorph"), "angle", 25);
    EXPECT_NEAR(MomentsOf(Render(tilted, s)).Orientation(), 25, 1.5);
}

TEST(FlareRender, DisabledElementsAndFlaresAddNothing)
{
    RenderSetup s;
    for (const char *type :
         {"glow", "streaks", "halo", "anamorph", "inter", "dscflx", "rngflx", "prflx"}) {
        TestLight full, without, disabled, silent;
        without.RemoveFirst(type);
        disabled.Find(type).enabled = false;
        SetParam(silent.Find(type), "intensity", 0);
        Picture reference = Render(without, s);
        EXPECT_FALSE(Render(full, s).SameAs(reference)) << type;
        EXPECT_TRUE(Render(disabled, s).SameAs(reference)) << type;
        EXPECT_TRUE(Render(silent, s).SameAs(reference)) << type;
    }

    TestLight off;
    off.globals().enabled = false;
    s.prepare = [](QiGBuffer &b) {
        for (int32_t i = 0; i < b.width * b.height; ++i)
            b.red[i] = b.green[i] = b.blue[i] = 0.25f;
    };
    Picture p = Render(off, s);
    for (size_t i = 0; i < p.red.size(); ++i)
        ASSERT_TRUE(p.red[i] == 0.25f && p.green[i] == 0.25f && p.blue[i] == 0.25f) << i;
}

}  // namespace
