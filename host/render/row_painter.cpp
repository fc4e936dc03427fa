#include "host/render/row_painter.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qi {
namespace render {

namespace {

// The samples whose x lies in [xLow, xHigh]; false when there are none.
bool SampleRange(const RowTarget &row, double xLow, double xHigh, int &i0, int &i1)
{
    if (!(xHigh >= xLow))
        return false;
    double first = std::max(std::ceil((xLow - row.x0) / row.step), 0.0);
    double end = std::min(std::floor((xHigh - row.x0) / row.step) + 1, double(row.count));
    if (!(end > first))
        return false;
    i0 = int(first);
    i1 = int(end);
    return true;
}

// Narrows [low, high] to the x where p + q x lies within [fLow, fHigh].
void Restrict(double p, double q, double fLow, double fHigh, double &low, double &high)
{
    if (q == 0) {
        if (p < fLow || p > fHigh)
            high = low - 1;
        return;
    }
    double a = (fLow - p) / q, b = (fHigh - p) / q;
    low = std::max(low, std::min(a, b));
    high = std::min(high, std::max(a, b));
}

void Touch(RowTarget &row, int i0, int i1)
{
    row.touchedLow = std::min(row.touchedLow, i0);
    row.touchedHigh = std::max(row.touchedHigh, i1);
}

inline float Limit(float f, float high)
{
    f = f > 0.0f ? f : 0.0f;
    return f < high ? f : high;
}

template <bool Masked>
inline float MaskAt(const RowTarget &row, int i)
{
    if (!Masked)
        return 1.0f;
    float m = row.mask[i * row.maskStep];
    m = m > 0.0f ? m : 0.0f;
    return m < 1.0f ? m : 1.0f;
}

template <bool Masked>
inline void Add(RowTarget &row, int i, const float *entry, float weight)
{
    float w = weight * MaskAt<Masked>(row, i);
    row.red[i] += entry[0] * w;
    row.green[i] += entry[1] * w;
    row.blue[i] += entry[2] * w;
}

template <bool Masked>
void RadialSpan(const RadialShape &s, const float *lut, float lutMax, RowTarget &row, float qy2,
                int i0, int i1)
{
    const float x0 = row.x0 - s.cx, step = row.step;
    for (int i = i0; i < i1; ++i) {
        float qx = x0 + float(i) * step;
        float rho = std::sqrt(qx * qx + qy2);
        float f = Limit((rho - s.inner) * s.lutScale, lutMax);
        Add<Masked>(row, i, lut + 3 * int(f), 1.0f);
    }
}

template <bool Masked>
void PaintRadial(const RadialShape &s, const float *lut, float lutMax, RowTarget &row)
{
    double qy = double(s.stretch) * (row.y - s.cy);
    double qy2 = qy * qy, outer2 = double(s.outer) * s.outer, inner2 = double(s.inner) * s.inner;
    if (qy2 >= outer2)
        return;
    double h = std::sqrt(outer2 - qy2);
    double hole = qy2 < inner2 ? std::sqrt(inner2 - qy2) : -1.0;
    int a0, a1, b0, b1;
    bool left = SampleRange(row, s.cx - h, hole < 0 ? s.cx + h : s.cx - hole, a0, a1);
    bool right = hole >= 0 && SampleRange(row, s.cx + hole, s.cx + h, b0, b1);
    if (left) {
        RadialSpan<Masked>(s, lut, lutMax, row, float(qy2), a0, a1);
        Touch(row, a0, a1);
    }
    if (right) {
        b0 = left ? std::max(b0, a1) : b0;
        RadialSpan<Masked>(s, lut, lutMax, row, float(qy2), b0, b1);
        Touch(row, b0, b1);
    }
}

template <bool Masked>
void PaintLine(const LineShape &s, const float *lut, float lutMax, RowTarget &row)
{
    double qy = double(s.stretch) * (row.y - s.oy);
    double low = -std::numeric_limits<double>::max(), high = std::numeric_limits<double>::max();
    Restrict(s.alongY * qy - double(s.alongX) * s.ox, s.alongX, s.aMin, s.aMax, low, high);
    Restrict(s.acrossY * qy - double(s.acrossX) * s.ox, s.acrossX, -1, 1, low, high);
    int i0, i1;
    if (!SampleRange(row, low, high, i0, i1))
        return;
    const float dx0 = row.x0 - s.ox;
    const float aBase = s.alongX * dx0 + s.alongY * float(qy) - s.aMin;
    const float aStep = s.alongX * row.step;
    const float cBase = s.acrossX * dx0 + s.acrossY * float(qy);
    const float cStep = s.acrossX * row.step;
    for (int i = i0; i < i1; ++i) {
        float a = aBase + float(i) * aStep;
        float c = cBase + float(i) * cStep;
        float w = 1.0f - c * c;
        w = w > 0.0f ? w : 0.0f;
        float f = Limit(a * s.lutScale, lutMax);
        Add<Masked>(row, i, lut + 3 * int(f), w * w);
    }
    Touch(row, i0, i1);
}

template <bool Masked>
void PaintPolygon(const PolygonShape &s, const float *lut, float lutMax, RowTarget &row)
{
    double qy = double(s.stretch) * (row.y - s.cy);
    double low = -std::numeric_limits<double>::max(), high = std::numeric_limits<double>::max();
    for (int k = 0; k < s.sides; ++k)
        Restrict(s.normalY[k] * qy - double(s.normalX[k]) * s.cx, s.normalX[k],
                 -std::numeric_limits<double>::max(), s.eMax, low, high);
    int i0, i1;
    if (!SampleRange(row, low, high, i0, i1))
        return;
    float base[kMaxPolygonSides], slope[kMaxPolygonSides];
    const float dx0 = row.x0 - s.cx;
    for (int k = 0; k < s.sides; ++k) {
        base[k] = s.normalX[k] * dx0 + s.normalY[k] * float(qy);
        slope[k] = s.normalX[k] * row.step;
    }
    for (int i = i0; i < i1; ++i) {
        float fi = float(i);
        float e = base[0] + fi * slope[0];
        for (int k = 1; k < s.sides; ++k) {
            float v = base[k] + fi * slope[k];
            e = v > e ? v : e;
        }
        float f = Limit(e * s.lutScale, lutMax);
        Add<Masked>(row, i, lut + 3 * int(f), 1.0f);
    }
    Touch(row, i0, i1);
}

template <bool Masked>
void PaintPrimitive(const Plan &plan, const Primitive &p, RowTarget &row)
{
    const float *lut = plan.luts.data() + p.lut;
    float lutMax = float(p.lutSize);
    switch (p.kind) {
    case Primitive::Kind::Radial:
        PaintRadial<Masked>(plan.radials[p.shape], lut, lutMax, row);
        break;
    case Primitive::Kind::Line:
        PaintLine<Masked>(plan.lines[p.shape], lut, lutMax, row);
        break;
    case Primitive::Kind::Polygon:
        PaintPolygon<Masked>(plan.polygons[p.shape], lut, lutMax, row);
        break;
    }
}

}  // namespace

void PaintRow(const Plan &plan, RowTarget &row)
{
    for (const Primitive &p : plan.order) {
        if (row.y < p.yLow || row.y > p.yHigh)
            continue;
        if (p.masked && row.mask)
            PaintPrimitive<true>(plan, p, row);
        else
            PaintPrimitive<false>(plan, p, row);
    }
}

}  // namespace render
}  // namespace qi
