#include "host/render/plan_builder.h"

#include <algorithm>
#include <cmath>

namespace qi {
namespace render {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kMaxExtent = 1e7;

bool Finite(double v) { return std::isfinite(v); }

}  // namespace

float PlanBuilder::PixelWidth() const
{
    float perSample = plan_.halfResolution ? 2.0f : 1.0f;
    return perSample * std::max(1.0f, plan_.stretch);
}

bool PlanBuilder::Visible(double xLow, double xHigh, double yLow, double yHigh) const
{
    return xHigh >= -1.0 && xLow <= plan_.width && yHigh >= -1.0 && yLow <= plan_.height;
}

bool PlanBuilder::AddLut(double extentPixels, const Profile &profile, Lut &lut)
{
    double perEntry = plan_.halfResolution ? 1.0 : 0.5;
    int size = int(std::clamp(std::ceil(extentPixels / perEntry), 16.0, 4096.0));
    size_t offset = plan_.luts.size();
    plan_.luts.resize(offset + 3 * size_t(size + 1), 0.0f);
    float *entry = &plan_.luts[offset];
    float brightest = 0;
    // Entries too faint to show are black, which also keeps the painters
    // away from slow denormal arithmetic.
    auto visible = [](float v) { return v > 1e-9f ? v : 0.0f; };
    for (int i = 0; i < size; ++i, entry += 3) {
        Rgb c = profile((float(i) + 0.5f) / float(size));
        entry[0] = visible(c.r);
        entry[1] = visible(c.g);
        entry[2] = visible(c.b);
        brightest = std::max({brightest, entry[0], entry[1], entry[2]});
    }
    if (!(brightest > 0) || !std::isfinite(brightest)) {
        plan_.luts.resize(offset);
        return false;
    }
    lut.offset = uint32_t(offset);
    lut.size = size;
    return true;
}

void PlanBuilder::Push(Primitive::Kind kind, size_t shape, const Lut &lut, bool masked, double yLow,
                       double yHigh)
{
    Primitive p;
    p.kind = kind;
    p.shape = uint32_t(shape);
    p.lut = lut.offset;
    p.lutSize = lut.size;
    p.masked = masked;
    p.yLow = float(std::max(yLow, -2.0));
    p.yHigh = float(std::min(yHigh, double(plan_.height) + 1.0));
    plan_.order.push_back(p);
}

void PlanBuilder::AddRadial(double cx, double cy, double inner, double outer, bool masked,
                            const Profile &profile)
{
    inner = std::max(inner, 0.0);
    if (!Finite(cx) || !Finite(cy) || !Finite(outer) || !(outer > inner) || outer > kMaxExtent)
        return;
    double s = plan_.stretch;
    double yLow = cy - outer / s, yHigh = cy + outer / s;
    Lut lut;
    if (!Visible(cx - outer, cx + outer, yLow, yHigh) || !AddLut(outer - inner, profile, lut))
        return;
    RadialShape shape;
    shape.cx = float(cx);
    shape.cy = float(cy);
    shape.stretch = float(s);
    shape.inner = float(inner);
    shape.outer = float(outer);
    shape.lutScale = float(lut.size / (outer - inner));
    plan_.radials.push_back(shape);
    Push(Primitive::Kind::Radial, plan_.radials.size() - 1, lut, masked, yLow, yHigh);
}

void PlanBuilder::AddLine(double ox, double oy, double angle, double length, double halfWidth,
                          float aMin, float aMax, bool masked, const Profile &profile)
{
    if (!Finite(ox) || !Finite(oy) || !Finite(angle) || !(length > 0) || !(halfWidth > 0) ||
        !(aMax > aMin) || length * double(aMax - aMin) > kMaxExtent || halfWidth > kMaxExtent)
        return;
    double s = plan_.stretch;
    double dx = std::cos(angle), dy = std::sin(angle);
    // Image pixels per unit of the across coordinate, measured across the
    // line: a line narrower than the painters can resolve is widened.
    double acrossPixels = halfWidth / std::hypot(-dy, dx * s);
    double minimum = plan_.halfResolution ? 2.0 : 1.0;
    double widen = std::max(1.0, minimum / acrossPixels);
    double width = halfWidth * widen;
    double yLow = oy, yHigh = oy;
    double xLow = ox, xHigh = ox;
    for (float a : {aMin, aMax})
        for (double c : {-1.0, 1.0}) {
            double qx = a * length * dx - c * width * dy;
            double qy = a * length * dy + c * width * dx;
            xLow = std::min(xLow, ox + qx);
            xHigh = std::max(xHigh, ox + qx);
            yLow = std::min(yLow, oy + qy / s);
            yHigh = std::max(yHigh, oy + qy / s);
        }
    Lut lut;
    auto dimmed = [&](float u) { return profile(u) * float(1.0 / widen); };
    if (!Visible(xLow, xHigh, yLow, yHigh) || !AddLut(length * double(aMax - aMin), dimmed, lut))
        return;
    LineShape shape;
    shape.ox = float(ox);
    shape.oy = float(oy);
    shape.stretch = float(s);
    shape.alongX = float(dx / length);
    shape.alongY = float(dy / length);
    shape.acrossX = float(-dy / width);
    shape.acrossY = float(dx / width);
    shape.aMin = aMin;
    shape.aMax = aMax;
    shape.lutScale = float(lut.size / double(aMax - aMin));
    plan_.lines.push_back(shape);
    Push(Primitive::Kind::Line, plan_.lines.size() - 1, lut, masked, yLow, yHigh);
}

void PlanBuilder::AddPolygon(double cx, double cy, double circumradius, int sides, double rotation,
                             float eMax, bool masked, const Profile &profile)
{
    sides = std::clamp(sides, 3, kMaxPolygonSides);
    if (!Finite(cx) || !Finite(cy) || !Finite(rotation) || !(circumradius > 0) || !(eMax > 0) ||
        circumradius > kMaxExtent)
        return;
    double s = plan_.stretch;
    double apothem = circumradius * std::cos(kPi / sides);
    double reach = circumradius * eMax;
    double yLow = cy - reach / s, yHigh = cy + reach / s;
    Lut lut;
    if (!Visible(cx - reach, cx + reach, yLow, yHigh) || !AddLut(apothem * eMax, profile, lut))
        return;
    PolygonShape shape;
    shape.cx = float(cx);
    shape.cy = float(cy);
    shape.stretch = float(s);
    shape.sides = sides;
    for (int k = 0; k < sides; ++k) {
        double normal = rotation + kPi / sides + 2 * kPi * k / sides;
        shape.normalX[k] = float(std::cos(normal) / apothem);
        shape.normalY[k] = float(std::sin(normal) / apothem);
    }
    shape.eMax = eMax;
    shape.lutScale = float(lut.size / double(eMax));
    plan_.polygons.push_back(shape);
    Push(Primitive::Kind::Polygon, plan_.polygons.size() - 1, lut, masked, yLow, yHigh);
}

}  // namespace render
}  // namespace qi
