#include "colour/colour_math.h"

#include <algorithm>
#include <cmath>

Hsv RgbToHsv(const float rgb[3])
{
    const float r = rgb[0], g = rgb[1], b = rgb[2];
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});
    const float delta = max - min;
    Hsv hsv;
    hsv.v = max;
    hsv.s = std::fabs(max) < 0.0001f ? 0.0f : delta / max;
    if (!(hsv.s >= 0.0001f)) {
        hsv.h = kUndefinedHue;
        return hsv;
    }
    float h;
    if (r == max)
        h = (g - b) / delta;
    else if (g == max)
        h = 2.0f + (b - r) / delta;
    else
        h = 4.0f + (r - g) / delta;
    h *= 60.0f;
    if (h < 0.0f)
        h += 360.0f;
    if (h >= 360.0f)
        h = 0.0f;
    hsv.h = h;
    return hsv;
}

namespace {

// h brought into [0, 360); fmod instead of repeated steps of 360, which would
// never end on huge values.
float WrapHue(float h)
{
    if (h >= 0.0f && h < 360.0f)
        return h;
    h = std::fmod(h, 360.0f);
    if (h < 0.0f)
        h += 360.0f;
    // NaN and infinities, and -tiny + 360 rounding up to 360.
    return h >= 0.0f && h < 360.0f ? h : 0.0f;
}

}  // namespace

void HsvToRgb(float h, float s, float v, float rgb[3])
{
    if (s == 0.0f) {
        rgb[0] = rgb[1] = rgb[2] = v;
        return;
    }
    const float x = static_cast<float>(WrapHue(h) / 60.0);
    int i = static_cast<int>(x);
    const float f = x - std::floor(x);
    if (i > 5)  // x rounded up to 6: the hue is 0
        i = 0;
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - s * f);
    const float t = v * (1.0f - s * (1.0f - f));
    const float sectors[6][3] = {{v, t, p}, {q, v, p}, {p, v, t},
                                 {p, q, v}, {t, p, v}, {v, p, q}};
    std::copy(sectors[i], sectors[i] + 3, rgb);
}

int16_t TruncateUnits(float units)
{
    if (!(units > -32769.0f))
        return units < 0.0f ? INT16_MIN : 0;
    if (units >= 32768.0f)
        return INT16_MAX;
    return static_cast<int16_t>(units);
}

int16_t ScaleTo255(float value)
{
    return TruncateUnits(value * 255.0f);
}

uint8_t ColourByte(float channel)
{
    if (!(channel > 0.0f))
        return 0;
    if (channel > 1.0f)
        return 255;
    return static_cast<uint8_t>(channel * 255.0f);
}

uint32_t ColourToColorref(const float rgb[3])
{
    return uint32_t(ColourByte(rgb[0])) | uint32_t(ColourByte(rgb[1])) << 8 |
           uint32_t(ColourByte(rgb[2])) << 16;
}

void ColorrefToColour(uint32_t value, float rgb[3])
{
    for (int k = 0; k < 3; ++k)
        rgb[k] = static_cast<float>(((value >> (8 * k)) & 0xFF) / 255.0);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
