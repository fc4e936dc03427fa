#include "editor/panel_ranges.h"

#include <cfloat>
#include <cmath>

namespace {

// Finite and strictly inside the float range: the host's "unbounded" ends
// are written as -FLT_MAX and FLT_MAX.
bool Usable(float end)
{
    return std::isfinite(end) && end > -FLT_MAX && end < FLT_MAX;
}

// A range the slider can divide by: wider than nothing (in integer mode, at
// least one whole step) and of finite width.
bool NonEmpty(float min, float max, bool integerMode)
{
    if (!std::isfinite(max - min))
        return false;
    if (integerMode)
        return std::trunc(max) - std::trunc(min) >= 1.0f;
    return min < max;
}

}  // namespace

SliderRange PanelSliderRange(float uiMin, float uiMax, float absMin, float absMax,
                             bool integerMode)
{
    SliderRange range;
    range.min = Usable(uiMin) ? uiMin : Usable(absMin) ? absMin : 0.0f;
    range.max = Usable(uiMax) ? uiMax : Usable(absMax) ? absMax : 100.0f;
    if (NonEmpty(range.min, range.max, integerMode))
        return range;
    if (Usable(absMin) && Usable(absMax) && NonEmpty(absMin, absMax, integerMode))
        return {absMin, absMax};
    return {0.0f, 100.0f};
}

int16_t PanelSliderPrecision(int16_t precision)
{
    return precision < 0 ? 0 : precision > 4 ? 4 : precision;
}
