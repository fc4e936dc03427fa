// Element types (docs/rendering.md describes what each parameter does):
//   glow      radial glow around the light
//   streaks   star of rays from the light
//   halo      ring around the light
//   anamorph  two-sided streak through the light
//   inter     chain of small discs along the axis
//   dscflx    disc on the axis
//   rngflx    ring on the axis
//   prflx     regular polygon on the axis
// The first four scale with "scaleglowwithdistance" and may lie behind the
// scene ("glowbehindobjects"); the others are reflexes.
#include "host/render/element_shapes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/render/seeded_random.h"

namespace qi {
namespace render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegrees = kPi / 180.0;

const std::vector<GradientStop> kNoGradient;
const std::vector<uint8_t> kNoData;

float Param(const Element &e, const char *name, float low, float high, float fallback)
{
    return Clamp(e.Scalar(name, fallback), low, high);
}

int Count(const Element &e, const char *name, int low, int high, int fallback)
{
    return int(std::lround(Param(e, name, float(low), float(high), float(fallback))));
}

bool Switch(const Element &e, const char *name) { return e.Scalar(name, 0) >= 0.5f; }

Rgb ColourOf(const Element &e)
{
    const ParamValue *v = e.Find("color");
    if (!v)
        return {1, 1, 1};
    return {Clamp(v->value[0], 0, 1), Clamp(v->value[1], 0, 1), Clamp(v->value[2], 0, 1)};
}

const std::vector<GradientStop> &GradientOf(const Element &e)
{
    const ParamValue *v = e.Find("colors");
    return v ? v->gradient : kNoGradient;
}

// 1 inside, fading to 0 over the last `soft` of the normalised radius x.
float EdgeFade(float x, float soft) { return 1.0f - Smoothstep(1.0f - soft, 1.0f, x); }

// The brightness of a glow at u (0 centre, 1 edge).
float GlowProfile(int profile, float falloff, float u)
{
    float v = 1.0f - u;
    switch (profile) {
    case 1:  // Linear
        return std::pow(v, falloff);
    case 2: {  // Hot Core: a blinding centre over a wide soft glow
        float core = 1.0f / (1.0f + (u * u) * 400.0f);
        return std::pow(v, falloff) * (0.5f + 3.0f * core);
    }
    default:  // Smooth
        return std::pow(std::max(1.0f - u * u, 0.0f), falloff);
    }
}

// Brightness along a streak from the light (0) to its tip (1).
float StreakProfile(float a)
{
    float v = 1.0f - a;
    return v * v * (0.6f + 0.4f * v * v * v);
}

// Brightness from a byte table, first byte at the centre, last at the ends.
float DataProfile(const std::vector<uint8_t> &data, float a)
{
    if (data.empty())
        return 1.0f - a;
    if (data.size() == 1)
        return data[0] / 255.0f;
    float pos = a * float(data.size() - 1);
    size_t i = std::min(size_t(pos), data.size() - 2);
    float k = pos - float(i);
    return (data[i] * (1 - k) + data[i + 1] * k) / 255.0f;
}

// The seed of an element's random numbers: the flare's seed and the
// element's own, if it has one.
uint64_t SeedOf(const FlareFrame &frame, const Element &e, uint64_t salt)
{
    uint64_t own = uint64_t(int64_t(Param(e, "seed", -1e9f, 1e9f, 0)));
    return frame.seed * 0x9E3779B97F4A7C15ULL ^ (own + 1) * 0xC2B2AE3D27D4EB4FULL ^ salt;
}

// A ring of the given radius and full width; u runs across it from inside
// to outside. Rings thinner than the painters resolve are widened and
// dimmed.
void AddRing(PlanBuilder &b, double cx, double cy, double radius, double width, bool masked,
             const std::function<Rgb(float)> &profile)
{
    double minimum = 2.0 * b.PixelWidth();
    float dim = 1.0f;
    if (width < minimum) {
        dim = float(std::max(width, 0.0) / minimum);
        width = minimum;
    }
    double inner = radius - width / 2, outer = radius + width / 2;
    double drawnInner = std::max(inner, 0.0);
    b.AddRadial(cx, cy, drawnInner, outer, masked, [&](float u) {
        double rho = drawnInner + u * (outer - drawnInner);
        return profile(float((rho - inner) / width)) * dim;
    });
}

// A soft window across a ring, 0 at both edges and 1 in the middle.
float RingWindow(float u) { return 4.0f * u * (1.0f - u); }

void AddGlow(const Element &e, const FlareFrame &f, PlanBuilder &b)
{
    Rgb tint = ColourOf(e) * f.glowGain * Param(e, "intensity", 0, 1000, 0);
    double radius = Param(e, "radius", 0, 1000, 0) * f.unit * f.glowSize;
    float falloff = Param(e, "falloff", 0.1f, 32, 2);
    int profile = Count(e, "profile", 0, 2, 0);
    const std::vector<GradientStop> &colours = GradientOf(e);
    double ox = 0, oy = 0;
    if (const ParamValue *offset = e.Find("offset")) {
        double x = Clamp(offset->value[0], -1000, 1000) * f.unit * f.glowSize;
        double y = Clamp(offset->value[1], -1000, 1000) * f.unit * f.glowSize;
        ox = x * std::cos(f.angle) - y * std::sin(f.angle);
        oy = (x * std::sin(f.angle) + y * std::cos(f.angle)) / f.stretch;
    }
    b.AddRadial(f.lightX + ox, f.lightY + oy, 0, radius, f.glowMasked, [&](float u) {
        return tint * GradientAt(colours, u) * GlowProfile(profile, falloff, u);
    });
}

void AddStreaks(const Element &e, const FlareFrame &f, PlanBuilder &b)
{
    Rgb tint = ColourOf(e) * f.glowGain * Param(e, "intensity", 0, 1000, 0);
    double length = Param(e, "length", 0, 1000, 0) * f.unit * f.glowSize;
    double halfWidth = Param(e, "thickness", 0, 1000, 0) * f.unit * f.glowSize;
    int count = Count(e, "count", 1, 64, 1);
    double angle = Param(e, "angle", -1e6f, 1e6f, 0) * kDegrees + f.angle;
    float variation = Switch(e, "randomlengths") ? Param(e, "variation", 0, 1, 0) : 0.0f;
    SeededRandom random(SeedOf(f, e, 0x57AEA5));
    for (int k = 0; k < count; ++k) {
        double ray = length * (1.0f - variation * random.Next());
        b.AddLine(f.lightX, f.lightY, angle + 2 * kPi * k / count, ray, halfWidth, 0, 1,
                  f.glowMasked, [&](float u) { return tint * StreakProfile(u); });
    }
}

void AddHalo(const Element &e, const FlareFrame &f, PlanBuilder &b)
{
    Rgb tint = ColourOf(e) * f.glowGain * Param(e, "intensity", 0, 1000, 0);
    double radius = Param(e, "radius", 0, 1000, 0) * f.unit * f.glowSize;
    double width = Param(e, "width", 0, 1000, 0) * f.unit * f.glowSize;
    const std::vector<GradientStop> &colours = GradientOf(e);
    AddRing(b, f.lightX, f.lightY, radius, width, f.glowMasked,
            [&](float u) { return tint * GradientAt(colours, u) * RingWindow(u); });
}

void AddAnamorph(const Element &e, const FlareFrame &f, PlanBuilder &b)
{
    Rgb tint = ColourOf(e) * f.glowGain * Param(e, "intensity", 0, 1000, 0);
    double halfLength = Param(e, "length", 0, 1000, 0) * f.unit * f.glowSize;
    double halfWidth = Param(e, "thickness", 0, 1000, 0) * f.unit * f.glowSize;
    double angle = Param(e, "angle", -1e6f, 1e6f, 0) * kDegrees + f.angle;
    const ParamValue *profile = e.Find("profile");
    const std::vector<uint8_t> &data = profile ? profile->data : kNoData;
    b.AddLine(f.lightX, f.lightY, angle, halfLength, halfWidth, -1, 1, f.glowMasked,
              [&](float u) { return tint * DataProfile(data, std::fabs(2 * u - 1)); });
}

// A reflex disc: even brightness with a slightly brighter rim, a soft edge.
float DiscProfile(float u, float softness) { return EdgeFade(u, softness) * (0.8f + 0.2f * u * u); }

void AddReflexChain(const Element &e, const FlareFrame &f, PlanBuilder &b)
{
    float intensity = Param(e, "intensity", 0, 1000, 0);
    int count = Count(e, "count", 1, 200, 1);
    float start = Param(e, "start", -1000, 1000, 0);
    float spread = Param(e, "spread", -1000, 1000, 0);
    double radius = Param(e, "radius", 0, 1000, 0) * f.unit * f.reflexSize;
    float variation = Param(e, "sizevariation", 0, 1, 0);
    const std::vector<GradientStop> &colours = GradientOf(e);
    SeededRandom random(SeedOf(f, e, 0x1E7E4));
    for (int i = 0; i < count; ++i) {
        float place = random.Next(), size = random.Next(), brightness = random.Next();
        float along = count == 1 ? 0.5f : float(i) / float(count - 1);
        float jitter = count == 1 ? 0.0f : 0.8f * (place - 0.5f) / float(count - 1);
        double x, y;
        f.AxisPoint(start + spread * (along + jitter), x, y);
        double r = radius * (1.0f - variation * size);
        Rgb tint =
            GradientAt(colours, along) * f.reflexGain * intensity * (0.55f + 0.45f * brightness);
        float soft = std::max(0.35f, float(1.5 * b.PixelWidth() / std::max(r, 1e-6)));
        b.AddRadial(x, y, 0, r, false, [&](float u) { return tint * DiscProfile(u, soft); });
    }
}

void AddDiscReflex(const Element &e, const FlareFrame &f, PlanBuilder &b)
{
    Rgb tint = ColourOf(e) * f.reflexGain * Param(e, "intensity", 0, 1000, 0);
    double radius = Param(e, "radius", 0, 1000, 0) * f.unit * f.reflexSize;
    float soft = std::max(Param(e, "softness", 0, 1, 0),
                          float(1.5 * b.PixelWidth() / std::max(radius, 1e-6)));
    const std::vector<GradientStop> &colours = GradientOf(e);
    double x, y;
    f.AxisPoint(Param(e, "position", -1000, 1000, 0), x, y);
    b.AddRadial(x, y, 0, radius, false,
                [&](float u) { return tint * GradientAt(colours, u) * DiscProfile(u, soft); });
}

void AddRingReflex(const Element &e, const FlareFrame &f, PlanBuilder &b)
{
    Rgb tint = ColourOf(e) * f.reflexGain * Param(e, "intensity", 0, 1000, 0);
    double radius = Param(e, "radius", 0, 1000, 0) * f.unit * f.reflexSize;
    double width = Param(e, "width", 0, 1000, 0) * f.unit * f.reflexSize;
    const std::vector<GradientStop> &colours = GradientOf(e);
    double x, y;
    f.AxisPoint(Param(e, "position", -1000, 1000, 0), x, y);
    AddRing(b, x, y, radius, width, false,
            [&](float u) { return tint * GradientAt(colours, u) * RingWindow(u); });
}

void AddPolygonReflex(const Element &e, const FlareFrame &f, PlanBuilder &b)
{
    Rgb tint = ColourOf(e) * f.reflexGain * Param(e, "intensity", 0, 1000, 0);
    double radius = Param(e, "radius", 0, 1000, 0) * f.unit * f.reflexSize;
    int sides = Count(e, "sides", 3, kMaxPolygonSides, 6);
    double rotation = Param(e, "angle", -1e6f, 1e6f, 0) * kDegrees + f.angle;
    float aa = float(1.5 * b.PixelWidth() / std::max(radius, 1e-6));
    float soft = std::max(Param(e, "softness", 0, 1, 0), aa);
    bool outline = Switch(e, "outline");
    double x, y;
    f.AxisPoint(Param(e, "position", -1000, 1000, 0), x, y);
    b.AddPolygon(x, y, radius, sides, rotation, 1.0f, false, [&](float u) {
        if (!outline)
            return tint * DiscProfile(u, soft);
        float band = std::max(0.12f, 3 * aa);
        float inside = Smoothstep(1 - band - std::max(soft * 0.5f, aa), 1 - band, u);
        return tint * (inside * EdgeFade(u, aa));
    });
}

struct Builder {
    const char *type;
    void (*add)(const Element &, const FlareFrame &, PlanBuilder &);
};

const Builder kBuilders[] = {
    {"glow", AddGlow},         {"streaks", AddStreaks},     {"halo", AddHalo},
    {"anamorph", AddAnamorph}, {"inter", AddReflexChain},   {"dscflx", AddDiscReflex},
    {"rngflx", AddRingReflex}, {"prflx", AddPolygonReflex},
};

}  // namespace

void AddElementShapes(const Element &element, const FlareFrame &frame, PlanBuilder &builder)
{
    if (!element.enabled || !element.type)
        return;
    for (const Builder &b : kBuilders)
        if (std::strcmp(b.type, element.type->name) == 0)
            b.add(element, frame, builder);
}

}  // namespace render
}  // namespace qi
