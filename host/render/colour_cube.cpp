// The display colour cube and gamma correction of colour tables.
#include <cmath>

#include "host/core/qi_host.h"

namespace {

constexpr int32_t kMaxCubeColours = 256;

bool CubeLevelsValid(int32_t r, int32_t g, int32_t b)
{
    return r >= 1 && g >= 1 && b >= 1 && r <= kMaxCubeColours && g <= kMaxCubeColours &&
           b <= kMaxCubeColours && r * g * b <= kMaxCubeColours;
}

float Level(int32_t level, int32_t levels)
{
    return levels > 1 ? float(level) / float(levels - 1) : 0.0f;
}

}  // namespace

extern "C" void Qi_Compute_Colormap(int32_t mode, int32_t levelsR, int32_t levelsG, int32_t levelsB,
                                    float *colours)
{
    if (mode != 0 || !colours || !CubeLevelsValid(levelsR, levelsG, levelsB)) {
        Qi_Report_Error(4, "ERR_BAD_COLORMAP", "Qi_Compute_Colormap()",
                        "mode 0 and at most 256 colours (each level count 1 or more) are needed");
        return;
    }
    for (int32_t r = 0; r < levelsR; ++r)
        for (int32_t g = 0; g < levelsG; ++g)
            for (int32_t b = 0; b < levelsB; ++b) {
                float *c = colours + 3 * ((r * levelsG + g) * levelsB + b);
                c[0] = Level(r, levelsR);
                c[1] = Level(g, levelsG);
                c[2] = Level(b, levelsB);
            }
}

// Each component, limited to 0..1, becomes component^(1 / gamma): a gamma of
// 1.7 lifts the dark and middle tones for a display that darkens them.
extern "C" void Qi_Gamma_Correct(const float *colours, float *corrected, int32_t count, float gamma)
{
    if (!colours || !corrected || count <= 0)
        return;
    bool valid = gamma > 0 && std::isfinite(gamma);
    float exponent = valid ? 1.0f / gamma : 1.0f;
    for (int64_t i = 0; i < int64_t(count) * 3; ++i) {
        float v = colours[i];
        v = v > 0 ? (v < 1 ? v : 1) : 0;
        corrected[i] = std::pow(v, exponent);
    }
}
