#include "controls/slider_math.h"

#include "controls/dpi_scale.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

// The usable track is 13 pixels shorter than the window at 96 DPI: 6 on the
// left, 7 on the right.
constexpr int kTrackEndMargin = 7;

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

int16_t SliderTrackStart(int dpi)
{
    return ToInt16(ScalePixels(kSliderTrackStart, dpi));
}

int16_t SliderTrackEnd(int16_t width, int dpi)
{
    return ToInt16(width - ScalePixels(kTrackEndMargin, dpi));
}

int16_t SliderThumbFromValue(float value, float min, float max, int16_t width, int dpi)
{
    const int16_t start = SliderTrackStart(dpi);
    float span = max - min;
    if (span == 0.0f)
        return start;
    float length = static_cast<float>(SliderTrackEnd(width, dpi) - start);
    float x = (value - min) / span * length + static_cast<float>(start);
    if (!std::isfinite(x))
        return start;
    return ToInt16(TruncateToInt32(x));
}

float SliderValueFromThumb(int16_t thumbX, float min, float max, int16_t width, int dpi)
{
    const int16_t start = SliderTrackStart(dpi);
    int length = SliderTrackEnd(width, dpi) - start;
    if (length <= 0)
        return min;
    return static_cast<float>(thumbX - start) / static_cast<float>(length) * (max - min) + min;
}

int16_t ClampSliderThumb(int x, int16_t width, int dpi)
{
    const int16_t start = SliderTrackStart(dpi), end = SliderTrackEnd(width, dpi);
    if (x < start)
        return start;
    if (x > end)
        return end;
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

bool ParseSliderEntry(const char *text, bool percent, float *value)
{
    double number = 0.0;
    if (!ReadNumber(text, &number))
        return false;
    if (percent)
        number /= 100.0;
    if (number > FLT_MAX)
        *value = std::numeric_limits<float>::infinity();
    else if (number < -FLT_MAX)
        *value = -std::numeric_limits<float>::infinity();
    else
        *value = static_cast<float>(number);
    return true;
}

bool ReadNumber(const char *text, double *number)
{
    if (!text)
        return false;
    char *end = nullptr;
    double read = std::strtod(text, &end);
    if (end == text || std::isnan(read))
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    if (*end != '\0')
        return false;
    *number = read;
    return true;
}

float SliderKeyValue(float value, float min, float max, SliderKey key, bool integerMode,
                     int16_t precision, bool percent)
{
    if (key == SLIDER_HOME)
        return min;
    if (key == SLIDER_END)
        return max;
    int decimals = precision < 0 ? 0 : precision > 4 ? 4 : precision;
    double step = integerMode ? 1.0 : std::pow(10.0, -decimals) / (percent ? 100.0 : 1.0);
    double steps = 1.0;
    if (key == SLIDER_PAGE_DOWN || key == SLIDER_PAGE_UP)
        steps = std::fmax(1.0, std::round((double(max) - min) / 10.0 / step));
    // The grid point at or below (above) the value, then whole steps on; a
    // thousandth of a step absorbs the float's rounding.
    double at = double(value) / step;
    bool up = key == SLIDER_STEP_UP || key == SLIDER_PAGE_UP;
    double from = up ? std::floor(at + 1e-3) : std::ceil(at - 1e-3);
    double next = (from + (up ? steps : -steps)) * step;
    return ClampToRange(float(next), min, max);
}

SliderEntry AcceptTypedEntry(float typed, float limitLow, float limitHigh)
{
    if (typed < limitLow)
        return {limitLow, true};
    if (typed > limitHigh)
        return {limitHigh, true};
    return {typed, false};
}
