#include "controls/slider_math.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// The usable track is 13 pixels shorter than the window: 6 on the left, 7 on
// the right.
constexpr int kTrackMargins = 13;

int16_t ToInt16(int32_t value)
{
    if (value > INT16_MAX)
        return INT16_MAX;
    if (value < INT16_MIN)
        return INT16_MIN;
    return static_cast<int16_t>(value);
}

}  // namespace

int32_t TruncateToInt32(float value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483648.0f)
        return INT32_MAX;
    if (value <= -2147483648.0f)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

float ClampToRange(float value, float low, float high)
{
    if (std::isnan(value) || value < low)
        value = low;
    if (value > high)
        value = high;
    return value;
}

int16_t SliderThumbFromValue(float value, float min, float max, int16_t width)
{
    float span = max - min;
    if (span == 0.0f)
        return kSliderTrackStart;
    float x = (value - min) / span * static_cast<float>(width - kTrackMargins) + 6.0f;
    if (!std::isfinite(x))
        return kSliderTrackStart;
    return ToInt16(TruncateToInt32(x));
}

float SliderValueFromThumb(int16_t thumbX, float min, float max, int16_t width)
{
    int length = width - kTrackMargins;
    if (length <= 0)
        return min;
    return static_cast<float>(thumbX - kSliderTrackStart) / static_cast<float>(length) * (max - min) + min;
}

int16_t ClampSliderThumb(int x, int16_t width)
{
    if (x < kSliderTrackStart)
        return kSliderTrackStart;
    if (x > width - 7)
        return static_cast<int16_t>(width - 7);
    return static_cast<int16_t>(x);
}

float AcceptedIntegerValue(float value, float limitLow, float limitHigh)
{
    float accepted = std::isnan(value) ? limitLow : value;
    if (limitLow > static_cast<float>(TruncateToInt32(accepted)))
        accepted = limitLow;
    if (static_cast<float>(TruncateToInt32(accepted)) > limitHigh)
        accepted = limitHigh;
    return accepted;
}

bool SliderShowsTicks(int32_t intMin, int32_t intMax)
{
    int64_t span = static_cast<int64_t>(intMax) - intMin;
    return span >= 0 && span <= 10;
}

void FormatSliderFloat(char *buffer, size_t size, float value, int16_t precision, bool percent)
{
    float shown = value * (percent ? 100.0f : 1.0f);
    int decimals = precision < 0 ? 0 : precision > 4 ? 4 : precision;
    if (decimals == 0)
        std::snprintf(buffer, size, "%d", static_cast<int>(TruncateToInt32(shown)));
    else
        std::snprintf(buffer, size, "%.*f", decimals, static_cast<double>(shown));
}

void FormatSliderInt(char *buffer, size_t size, int32_t value)
{
    std::snprintf(buffer, size, "%d", static_cast<int>(value));
}

float ParseSliderEntry(const char *text, bool percent)
{
    double number = text ? std::atof(text) : 0.0;
    if (std::isnan(number))
        return 0.0f;
    if (percent)
        number /= 100.0;
    if (number > FLT_MAX)
        return std::numeric_limits<float>::infinity();
    if (number < -FLT_MAX)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(number);
}

SliderEntry AcceptTypedEntry(float typed, float limitLow, float limitHigh)
{
    if (typed < limitLow)
        return {limitLow, true};
    if (typed > limitHigh)
        return {limitHigh, true};
    return {typed, false};
}
