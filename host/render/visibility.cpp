#include "host/render/visibility.h"

#include <algorithm>
#include <cmath>

namespace qi {
namespace render {

namespace {

float At(const float *plane4, int32_t width, int32_t height, double x, double y)
{
    double px = std::floor(x + 0.5), py = std::floor(y + 0.5);
    if (!plane4 || px < 0 || py < 0 || px >= width || py >= height)
        return 1.0f;
    float v = plane4[size_t(py) * size_t(width) + size_t(px)];
    if (!(v > 0.0f))
        return 0.0f;
    return v < 1.0f ? v : 1.0f;
}

// The mean of plane 4 over the disc, each sample weighed by weight(d / r).
template <typename Weight>
float DiscMean(const float *plane4, int32_t width, int32_t height, double lightX, double lightY,
               double radius, Weight weight)
{
    if (!(radius >= 1.0))
        return At(plane4, width, height, lightX, lightY);
    const int steps = 24;
    double step = std::max(1.0, radius / steps);
    int reach = int(std::floor(radius / step));
    double sum = 0, total = 0;
    for (int j = -reach; j <= reach; ++j)
        for (int i = -reach; i <= reach; ++i) {
            double d = std::hypot(i * step, j * step) / radius;
            if (d > 1.0)
                continue;
            double w = weight(d);
            sum += w * At(plane4, width, height, lightX + i * step, lightY + j * step);
            total += w;
        }
    return total > 0 ? float(sum / total) : 1.0f;
}

}  // namespace

Visibility SampleVisibility(const float *plane4, int32_t width, int32_t height, double lightX,
                            double lightY, double radius)
{
    Visibility v;
    if (!plane4 || !std::isfinite(lightX) || !std::isfinite(lightY) || !std::isfinite(radius))
        return v;
    v.atLight = DiscMean(plane4, width, height, lightX, lightY, radius, [](double) { return 1.0; });
    v.nearLight = DiscMean(plane4, width, height, lightX, lightY, 4 * radius,
                           [](double d) { return 1.0 - 0.9 * d; });
    return v;
}

}  // namespace render
}  // namespace qi
