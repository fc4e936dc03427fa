// Assembles a Plan: the frame every element is placed in, and the builder
// that turns shapes with a colour profile into primitives, skipping those
// that cannot touch the buffer or add no light.
#ifndef HOST_RENDER_PLAN_BUILDER_H
#define HOST_RENDER_PLAN_BUILDER_H

#include <cstdint>
#include <functional>

#include "host/render/colour_math.h"
#include "host/render/flare_plan.h"

namespace qi {
namespace render {

// Geometry and gains shared by the elements of one render.
struct FlareFrame {
    double lightX = 0, lightY = 0;        // pixel space
    double centreX = 0, centreY = 0;      // the buffer's centre
    double unit = 1;                      // pixels per flare unit, global scale included
    float stretch = 1;                    // anamorphic stretch: heights are divided by it
    double angle = 0;                     // global rotation, radians counter-clockwise
    Rgb glowGain, reflexGain;             // intensity, tint, light colour, fades
    bool glowMasked = false;              // glow elements lie behind the scene (plane 4)
    double glowSize = 1, reflexSize = 1;  // distance scaling of sizes
    uint64_t seed = 0;                    // the flare's random seed

    // The point at axis position t: 0 the light, 1 the centre, 2 the mirror.
    void AxisPoint(double t, double &x, double &y) const
    {
        x = lightX + t * (centreX - lightX);
        y = lightY + t * (centreY - lightY);
    }
};

class PlanBuilder {
public:
    // The colour at u, 0..1 across the shape's drawn range.
    using Profile = std::function<Rgb(float u)>;

    explicit PlanBuilder(Plan &plan) : plan_(plan) {}

    // Width in stretched pixels below which an edge is softened so that it
    // does not alias.
    float PixelWidth() const;

    // Round shapes centred at (cx, cy) drawn between radii inner and outer
    // (stretched pixels); u runs from inner to outer.
    void AddRadial(double cx, double cy, double inner, double outer, bool masked,
                   const Profile &profile);

    // A line from (ox, oy) in direction angle (stretched space, radians) with
    // length pixels per unit of the along coordinate, drawn for a in aMin ..
    // aMax; halfWidth is where its cross-section fades out. Lines thinner
    // than a pixel are widened and dimmed so that they keep their energy.
    // u runs from aMin to aMax.
    void AddLine(double ox, double oy, double angle, double length, double halfWidth, float aMin,
                 float aMax, bool masked, const Profile &profile);

    // A regular polygon with the given circumradius, a corner at `rotation`,
    // drawn up to eMax times its own size; u runs from its centre (0) to eMax.
    void AddPolygon(double cx, double cy, double circumradius, int sides, double rotation,
                    float eMax, bool masked, const Profile &profile);

private:
    struct Lut {
        uint32_t offset;
        int32_t size;
    };
    bool Visible(double xLow, double xHigh, double yLow, double yHigh) const;
    // Samples the profile into a table of about two entries per pixel of
    // extent; false (and nothing kept) when every entry is black.
    bool AddLut(double extentPixels, const Profile &profile, Lut &lut);
    void Push(Primitive::Kind kind, size_t shape, const Lut &lut, bool masked, double yLow,
              double yHigh);

    Plan &plan_;
};

}  // namespace render
}  // namespace qi

#endif
