// What one render draws: the flare of a host object reduced to simple
// primitives in the buffer's pixel space, each with a colour table (LUT) that
// already holds every gain, tint and fade. Built once per render on the
// calling thread; the row painters only read it.
//
// Pixel space: x to the right, y upwards from the bottom row, pixel (x, y)
// centred on the integer coordinates. Shapes are measured in "stretched"
// space q = (x - cx, stretch * (y - cy)), so that a circle of radius r spans
// r pixels horizontally and r / stretch vertically.
#ifndef HOST_RENDER_FLARE_PLAN_H
#define HOST_RENDER_FLARE_PLAN_H

#include <cstdint>
#include <vector>

#include "host/core/flare_model.h"

namespace qi {
namespace render {

// Draws where inner <= |q| <= outer; LUT index = (|q| - inner) * lutScale.
struct RadialShape {
    float cx, cy, stretch;
    float inner, outer, lutScale;
};

// A thick line segment. Along a = alongX * qx + alongY * qy runs from aMin to
// aMax; across c = acrossX * qx + acrossY * qy is 0 on the centre line and
// +-1 where the line has faded out. LUT index = (a - aMin) * lutScale; the
// cross-section (1 - c^2)^2 is applied per pixel.
struct LineShape {
    float ox, oy, stretch;
    float alongX, alongY, acrossX, acrossY;
    float aMin, aMax, lutScale;
};

// A regular polygon: e = max over the sides of (n_k . q), the normals divided
// by the apothem, is 1 on the edge. Draws where e <= eMax; LUT index =
// e * lutScale.
constexpr int kMaxPolygonSides = 32;
struct PolygonShape {
    float cx, cy, stretch;
    int sides;
    float normalX[kMaxPolygonSides], normalY[kMaxPolygonSides];
    float eMax, lutScale;
};

struct Primitive {
    enum class Kind { Radial, Line, Polygon } kind;
    uint32_t shape;     // index into the plan's vector of that kind
    uint32_t lut;       // first float of its table in Plan::luts
    int32_t lutSize;    // entries; entry lutSize is black
    bool masked;        // multiplied per pixel by plane 4
    float yLow, yHigh;  // the rows it can touch
};

struct Plan {
    int32_t width = 0, height = 0;
    bool halfResolution = false;  // "fastdrag": one sample per 2 x 2 pixels
    float stretch = 1;            // the flare's anamorphic stretch
    std::vector<RadialShape> radials;
    std::vector<LineShape> lines;
    std::vector<PolygonShape> polygons;
    std::vector<Primitive> order;  // drawing order
    std::vector<float> luts;       // red, green, blue per entry
};

// The plan for the flare of `object` in a width x height buffer with the
// light at pixel (lightX, lightY). plane4 (may be null) is the buffer's
// visibility plane.
Plan BuildPlan(const HostObject &object, int32_t width, int32_t height, double lightX,
               double lightY, const float *plane4);

}  // namespace render
}  // namespace qi

#endif
