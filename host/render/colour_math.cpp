#include "host/render/colour_math.h"

namespace qi {
namespace render {

Rgb GradientAt(const std::vector<GradientStop> &stops, float offset)
{
    if (stops.empty())
        return {1, 1, 1};
    const GradientStop *before = &stops.front();
    if (offset <= before->offset)
        return {before->rgb[0], before->rgb[1], before->rgb[2]};
    for (const GradientStop &stop : stops) {
        if (offset <= stop.offset) {
            float span = stop.offset - before->offset;
            float k = span > 0 ? (offset - before->offset) / span : 1.0f;
            Rgb a{before->rgb[0], before->rgb[1], before->rgb[2]};
            Rgb b{stop.rgb[0], stop.rgb[1], stop.rgb[2]};
            return a * (1 - k) + b * k;
        }
        before = &stop;
    }
    return {before->rgb[0], before->rgb[1], before->rgb[2]};
}

float Smoothstep(float edge0, float edge1, float x)
{
    if (!(edge1 > edge0))
        return x >= edge1 ? 1.0f : 0.0f;
    float t = Clamp((x - edge0) / (edge1 - edge0), 0, 1);
    return t * t * (3 - 2 * t);
}

float Clamp(float x, float lo, float hi)
{
    if (!(x >= lo))
        return lo;
    return x > hi ? hi : x;
}

}  // namespace render
}  // namespace qi
