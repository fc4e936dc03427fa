// What the flare's global values, its elements' parameters, plane 4 and the
// light's position do to the picture.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "host/core/qi_host.h"
#include "tests/render/flare_picture.h"

namespace {

double Spread(const Picture &p)
{
    Moments m = MomentsOf(p);
    return std::sqrt(m.xx + m.yy);
}

// A value of the parameter that differs from its current one.
void ChangeParam(const qi::ParamDef &def, qi::ParamValue &value)
{
    float v[3] = {value.value[0], value.value[1], value.value[2]};
    switch (def.type) {
    case qi::ParamType::FloatSlider:
    case qi::ParamType::IntSlider:
    case qi::ParamType::Angle: {
        float step = 0.3f * (def.uiMax[0] - def.uiMin[0]);
        v[0] = v[0] + step <= def.uiMax[0] ? v[0] + step : v[0] - step;
        if (def.type == qi::ParamType::IntSlider)
            v[0] = std::round(v[0]);
        break;
    }
    case qi::ParamType::Checkbox:
        v[0] = 1 - v[0];
        break;
    case qi::ParamType::Color:
        v[0] = 0.9f;
        v[1] = v[1] > 0.5f ? 0.2f : 0.8f;
        v[2] = 0.1f;
        break;
    case qi::ParamType::List:
        v[0] = v[0] == def.uiMin[0] ? def.uiMax[0] : def.uiMin[0];
        break;
    case qi::ParamType::Point:
        v[0] += 0.1f;
        v[1] -= 0.05f;
        break;
    case qi::ParamType::Gradient:
        value.gradient = {{0.0f, {1.0f, 0.1f, 0.1f}}, {1.0f, {0.1f, 0.2f, 1.0f}}};
        return;
    case qi::ParamType::ArbitraryData:
        value.data = {255, 40};
        return;
    }
    qi::SetParamValue(def, value, v);
}

TEST(FlareValues, EveryElementParameterChangesThePicture)
{
    RenderSetup s;
    for (const qi::ElementType &type : qi::Catalogue()) {
        TestLight light;
        light.KeepOnly({});
        light.object().flare.elements.push_back(qi::NewElement(type));
        qi::Element &element = *light.object().flare.elements.back();
        Picture base = Render(light, s);
        EXPECT_GT(base.Total(), 0) << type.name;
        for (size_t i = 0; i < type.params.size(); ++i) {
            SCOPED_TRACE(std::string(type.name) + "." + type.params[i].name);
            qi::ParamValue saved = element.values[i];
            ChangeParam(type.params[i], element.values[i]);
            EXPECT_FALSE(Render(light, s).SameAs(base));
            element.values[i] = saved;
        }
    }
}

TEST(FlareValues, IntensityTintAndTheLightsOwnColourScaleTheLight)
{
    RenderSetup s;
    TestLight light;
    Picture base = Render(light, s);
    light.globals().intensity = 2.0f;
    EXPECT_NEAR(Render(light, s).Total() / base.Total(), 2.0, 1e-3);
    light.globals().intensity = 1.0f;

    light.globals().color[1] = light.globals().color[2] = 0.0f;
    Picture red = Render(light, s);
    EXPECT_EQ(red.red, base.red);
    EXPECT_EQ(*std::max_element(red.green.begin(), red.green.end()), 0.0f);
    EXPECT_EQ(*std::max_element(red.blue.begin(), red.blue.end()), 0.0f);
    light.globals().color[1] = light.globals().color[2] = 1.0f;

    qi::HostObject &o = light.object();
    o.lightColor[0] = o.lightColor[1] = 0.0f;
    o.lightIntensity = 0.5f;
    Picture blue = Render(light, s);
    EXPECT_EQ(*std::max_element(blue.red.begin(), blue.red.end()), 0.0f);
    for (size_t i = 0; i < base.blue.size(); i += 97)
        EXPECT_NEAR(blue.blue[i], base.blue[i] * 0.5f, 1e-5f) << i;
    light.globals().useLightParams = false;
    EXPECT_TRUE(Render(light, s).SameAs(base));
}

TEST(FlareValues, ScaleAndDistanceScalingResizeTheirElements)
{
    RenderSetup s = RenderSetup().LightAt(120, 80);
    TestLight glow;
    glow.KeepOnly({"glow"});
    Picture plainPicture = Render(glow, s);
    double plain = Spread(plainPicture);
    glow.globals().scale = 0.5f;
    EXPECT_NEAR(Spread(Render(glow, s)) / plain, 0.5, 0.05);
    glow.globals().scale = 1.0f;

    // Twice the reference distance: glows may halve, reflexes keep their size.
    glow.object().distance = 2 * glow.globals().refDistance;
    EXPECT_TRUE(Render(glow, s).SameAs(plainPicture));
    glow.globals().scaleReflexesWithDistance = true;
    EXPECT_NEAR(Spread(Render(glow, s)) / plain, 1.0, 1e-6);
    glow.globals().scaleGlowWithDistance = true;
    EXPECT_NEAR(Spread(Render(glow, s)) / plain, 0.5, 0.05);

    TestLight disc;
    SetParam(disc.Only("dscflx"), "position", 1.0f);
    SetParam(disc.Find("dscflx"), "radius", 0.3f);
    s.lightX = 40;
    double discPlain = Spread(Render(disc, s));
    disc.object().distance = 2 * disc.globals().refDistance;
    disc.globals().scaleGlowWithDistance = true;
    EXPECT_NEAR(Spread(Render(disc, s)) / discPlain, 1.0, 1e-6);
    disc.globals().scaleReflexesWithDistance = true;
    EXPECT_NEAR(Spread(Render(disc, s)) / discPlain, 0.5, 0.05);
}

TEST(FlareValues, FadeWithDistanceDimsFartherLightsOnly)
{
    RenderSetup s;
    TestLight light;
    double atReference = Render(light, s).Total();
    light.globals().fadeWithDistance = true;
    light.globals().refDistance = 100;
    light.object().distance = 50;
    EXPECT_NEAR(Render(light, s).Total(), atReference, atReference * 1e-6);
    light.object().distance = 400;
    EXPECT_NEAR(Render(light, s).Total() / atReference, 0.25, 1e-3);
    light.globals().refDistance = 200;
    EXPECT_NEAR(Render(light, s).Total() / atReference, 0.5, 1e-3);
}

TEST(FlareValues, SameSeedSamePictureOtherSeedOtherPicture)
{
    RenderSetup s;
    TestLight a, b;
    Picture first = Render(a, s);
    EXPECT_TRUE(Render(b, s).SameAs(first));
    EXPECT_TRUE(Render(a, s).SameAs(first));
    b.globals().randomSeed = 2;
    EXPECT_FALSE(Render(b, s).SameAs(first));
}

TEST(FlareValues, FastDragIsACloseHalfResolutionApproximation)
{
    RenderSetup s;
    s.width = 320, s.height = 200;
    TestLight light;
    Picture full = Render(light, s);
    light.globals().fastDrag = true;
    Picture fast = Render(light, s);
    EXPECT_FALSE(fast.SameAs(full));
    // Compared block by block at half resolution, the pictures agree.
    double difference = 0, total = 0;
    for (int32_t y = 0; y + 1 < s.height; y += 2)
        for (int32_t x = 0; x + 1 < s.width; x += 2) {
            double a = 0, b = 0;
            for (int32_t j = 0; j < 2; ++j)
                for (int32_t i = 0; i < 2; ++i) {
                    a += full.Luminance(x + i, y + j);
                    b += fast.Luminance(x + i, y + j);
                }
            difference += std::fabs(a - b);
            total += a;
        }
    EXPECT_LT(difference / total, 0.2);
    EXPECT_NEAR(fast.Total() / full.Total(), 1.0, 0.05);
}

// With an odd width the last block is one pixel wide and with an odd height
// the last row pair one row tall: the light of the right edge stays in its
// own row and inside the planes. Every 2 x 2 block stays one colour, the
// first pixels of each row included.
TEST(FlareValues, FastDragKeepsOddEdgesInsideTheirRowsAndThePlanes)
{
    RenderSetup s;
    s.width = 161, s.height = 101;
    s.LightAt(150, 50);
    TestLight light;
    light.globals().fastDrag = true;
    light.globals().scale = 2.0f;  // lights the top row and the right column
    Picture p = Render(light, s);
    auto at = [&](const std::vector<float> &plane, int32_t x, int32_t y) {
        return plane[size_t(y) * size_t(s.width) + size_t(x)];
    };
    ASSERT_GT(at(p.red, 160, 100), 0.0f);
    ASSERT_GT(at(p.red, 160, 0), 0.0f);
    int mixed = 0;
    for (int32_t y = 0; y < s.height; ++y)
        for (int32_t x = 0; x < s.width; ++x)
            for (const std::vector<float> *plane : {&p.red, &p.green, &p.blue})
                if (at(*plane, x, y) != at(*plane, x & ~1, y & ~1)) {
                    ADD_FAILURE() << "pixel " << x << ", " << y;
                    if (++mixed == 5)
                        return;
                }
}

// Plane 4 is set to `covered` from `inner` to `outer` pixels around the
// light at (60, 110), or only left of it.
RenderSetup Covered(float covered, double inner, double outer, bool leftHalfOnly = false)
{
    RenderSetup s;
    s.prepare = [=](QiGBuffer &b) {
        for (int32_t y = 0; y < b.height; ++y)
            for (int32_t x = 0; x < b.width; ++x) {
                double d = std::hypot(x - 60.0, y - 110.0);
                if (d >= inner && d <= outer && (!leftHalfOnly || x < 60))
                    b.plane4[y * b.width + x] = covered;
            }
    };
    return s;
}

TEST(FlareValues, ObjectsCoveringTheLightDimTheFlare)
{
    TestLight light;
    light.KeepOnly({"inter", "dscflx", "rngflx", "prflx"});
    double radius = light.globals().occlusionRadius * 80;  // 80 pixels per flare unit
    double open = Render(light, RenderSetup{}).Total();
    EXPECT_EQ(Render(light, Covered(0.0f, 0, radius + 1)).Total(), 0.0);
    EXPECT_NEAR(Render(light, Covered(0.0f, 0, radius + 1, true)).Total() / open, 0.5, 0.15);
    EXPECT_NEAR(Render(light, Covered(0.5f, 0, radius + 1)).Total() / open, 0.5, 1e-3);
    // Objects beyond the occlusion radius do not count unless they approach.
    EXPECT_EQ(Render(light, Covered(0.0f, radius + 2, 4 * radius)).Total(), open);
    light.globals().fadeIfApproachingObjects = true;
    double approached = Render(light, Covered(0.0f, radius + 2, 4 * radius)).Total();
    EXPECT_LT(approached, 0.5 * open);
    EXPECT_GT(approached, 0.0);
    light.globals().fadeIfApproachingObjects = false;
    // A larger occlusion radius reaches them.
    light.globals().occlusionRadius *= 4;
    EXPECT_LT(Render(light, Covered(0.0f, radius + 2, 4 * radius)).Total(), 0.5 * open);
    light.globals().occlusionRadius /= 4;
    light.globals().fadeIfBehindObjects = false;
    EXPECT_EQ(Render(light, Covered(0.0f, 0, radius + 1)).Total(), open);
}

TEST(FlareValues, GlowBehindObjectsIsCoveredPixelByPixel)
{
    TestLight light;
    light.KeepOnly({"glow", "dscflx"});
    SetParam(light.Find("glow"), "radius", 0.6f);
    light.globals().glowBehindObjects = true;
    Picture open = Render(light, RenderSetup{});
    Picture half = Render(light, Covered(0.0f, 0, 1e9, true));
    // Left of the light the glow is hidden, right of it untouched; the
    // reflexes fade as the light is half covered.
    for (int32_t x : {20, 40, 59})
        EXPECT_EQ(half.Luminance(x, 110), 0.0f) << x;
    for (int32_t x : {70, 90})
        EXPECT_GT(half.Luminance(x, 110), 0.5f * open.Luminance(x, 110)) << x;
    EXPECT_LT(half.Total(), open.Total());
}

TEST(FlareValues, LightOffScreenStillThrowsItsReflexesIn)
{
    TestLight light;
    RenderSetup s = RenderSetup().LightAt(-12, 80);
    Picture p = Render(light, s);
    double inside = MomentsOf(p, [](int32_t x, int32_t) { return x > 80; }).total;
    EXPECT_GT(inside, 50.0);
    s.lightX = -200;
    EXPECT_GT(MomentsOf(Render(light, s), [](int32_t x, int32_t) { return x > 120; }).total, 5.0);
}

// Fading near the border leaves a light well inside alone, dims one the
// nearer the edge it is, and hides one beyond it.
TEST(FlareValues, FadeIfNearBorderActsOnlyNearTheEdge)
{
    TestLight plain, fading;
    fading.globals().fadeIfNearBorder = true;
    RenderSetup s = RenderSetup().LightAt(120, 80);
    EXPECT_TRUE(Render(fading, s).SameAs(Render(plain, s)));
    s.lightX = -12;
    EXPECT_EQ(Render(fading, s).Total(), 0.0);
    double previous = 0;
    for (double x : {1.0, 4.0, 9.0, 14.0}) {
        s.lightX = x;
        double ratio = Render(fading, s).Total() / Render(plain, s).Total();
        EXPECT_LT(ratio, 1.0) << x;
        EXPECT_GT(ratio, previous) << x;
        previous = ratio;
    }
}

}  // namespace
