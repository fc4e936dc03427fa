// The flare's global values become the frame every element is placed in:
// where the light and the axis are, how large a flare unit is, and the gains
// that intensity, tint, the light's own colour and the fades leave.
#include "host/render/flare_plan.h"

#include <algorithm>
#include <cmath>

#include "host/render/element_shapes.h"
#include "host/render/plan_builder.h"
#include "host/render/visibility.h"

namespace qi {
namespace render {

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;

Rgb ColourOf(const float (&c)[3])
{
    return {Clamp(c[0], 0, 1), Clamp(c[1], 0, 1), Clamp(c[2], 0, 1)};
}

// 1 while the light is well inside the buffer, falling smoothly to 0 as it
// reaches the edge (a tenth of the smaller side away), 0 outside.
float BorderFade(int32_t width, int32_t height, double x, double y)
{
    double edge = std::min({x, width - 1 - x, y, height - 1 - y});
    double zone = std::max(1.0, 0.1 * std::min(width, height));
    return Smoothstep(0, 1, float(edge / zone));
}

// Reference distance over the light's distance: 1 at the reference distance.
double DistanceRatio(const FlareGlobals &g, const HostObject &object)
{
    double reference = g.refDistance, distance = object.distance;
    if (!(reference > 0) || !(distance > 0) || !std::isfinite(reference) ||
        !std::isfinite(distance))
        return 1.0;
    return reference / distance;
}

}  // namespace

Plan BuildPlan(const HostObject &object, int32_t width, int32_t height, double lightX,
               double lightY, const float *plane4)
{
    Plan plan;
    plan.width = width;
    plan.height = height;
    const FlareGlobals &g = object.flare.globals;
    if (!g.enabled || width <= 0 || height <= 0 || !std::isfinite(lightX) || !std::isfinite(lightY))
        return plan;
    plan.halfResolution = g.fastDrag;
    plan.stretch = std::isfinite(g.anamorphicStretch) ? Clamp(g.anamorphicStretch, 0.05f, 20) : 1;

    FlareFrame f;
    f.lightX = lightX;
    f.lightY = lightY;
    f.centreX = (width - 1) / 2.0;
    f.centreY = (height - 1) / 2.0;
    f.unit = 0.5 * std::min(width, height) * Clamp(g.scale, 0, 100);
    f.stretch = plan.stretch;
    f.angle = std::isfinite(g.angle) ? std::fmod(double(g.angle), 360.0) * kDegrees : 0.0;
    f.seed = uint64_t(uint32_t(g.randomSeed));

    Rgb gain = ColourOf(g.color) * Clamp(g.intensity, 0, 1000);
    if (g.useLightParams)
        gain = gain * ColourOf(object.lightColor) * Clamp(object.lightIntensity, 0, 1000);
    double ratio = DistanceRatio(g, object);
    if (g.fadeWithDistance)
        gain = gain * float(std::min(ratio, 1.0));
    f.glowSize = g.scaleGlowWithDistance ? std::clamp(ratio, 0.05, 20.0) : 1.0;
    f.reflexSize = g.scaleReflexesWithDistance ? std::clamp(ratio, 0.05, 20.0) : 1.0;
    if (g.fadeIfNearBorder)
        gain = gain * BorderFade(width, height, lightX, lightY);

    Visibility seen = SampleVisibility(plane4, width, height, lightX, lightY,
                                       Clamp(g.occlusionRadius, 0, 1000) * f.unit);
    float covered = (g.fadeIfBehindObjects ? seen.atLight : 1.0f) *
                    (g.fadeIfApproachingObjects ? seen.nearLight : 1.0f);
    f.reflexGain = gain * covered;
    f.glowMasked = g.glowBehindObjects && plane4;
    f.glowGain = g.glowBehindObjects ? gain : gain * covered;

    PlanBuilder builder(plan);
    for (const std::unique_ptr<Element> &element : object.flare.elements)
        AddElementShapes(*element, f, builder);
    return plan;
}

}  // namespace render
}  // namespace qi
