#include "colour/selector_fields.h"

#include <algorithm>
#include <cstdio>

#include "colour/colour_math.h"
#include "colour/selector_scroll.h"

namespace {

const int32_t kNumberCap = 1000000;

}  // namespace

int32_t FieldLimit(int16_t mode, int field)
{
    if (mode != kColourModeHsv)
        return 255;
    return field == 0 ? 359 : 100;
}

bool ParseFieldNumber(const char *text, int32_t *number)
{
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    if (!*text)
        return false;
    int32_t value = 0;
    for (; *text; ++text) {
        if (*text < '0' || *text > '9')
            return false;
        value = std::min(value * 10 + (*text - '0'), kNumberCap);
    }
    *number = negative ? -value : value;
    return true;
}

bool TypeColourChannel(float colour[3], int16_t mode, int field, int32_t typed)
{
    if (field < 0 || field > 2)
        return false;
    const int32_t number = std::clamp(typed, int32_t(0), FieldLimit(mode, field));
    if (number == ChannelDisplayOf(colour, mode).number[field])
        return false;
    if (mode != kColourModeHsv) {
        colour[field] = number / 255.0f;
        return true;
    }
    const Hsv hsv = SelectorHsvOf(colour);
    const float fraction = std::max(number / 100.0f, kHsvFloor);
    if (field == 0)
        HsvToRgb(static_cast<float>(number), hsv.s, hsv.v, colour);
    else if (field == 1)
        HsvToRgb(hsv.h, fraction, hsv.v, colour);
    else
        HsvToRgb(hsv.h, hsv.s, fraction, colour);
    return true;
}

void FormatHexColour(const float colour[3], char text[8])
{
    std::snprintf(text, 8, "#%02X%02X%02X", ColourByte(colour[0]), ColourByte(colour[1]),
                  ColourByte(colour[2]));
}

bool ParseHexColour(const char *text, uint8_t bytes[3])
{
    if (*text == '#')
        ++text;
    int digits[6];
    for (int i = 0; i < 6; ++i) {
        digits[i] = HexDigit(text[i]);
        if (digits[i] < 0)
            return false;
    }
    if (text[6])
        return false;
    for (int k = 0; k < 3; ++k)
        bytes[k] = uint8_t(digits[2 * k] * 16 + digits[2 * k + 1]);
    return true;
}

bool TypeHexColour(float colour[3], const uint8_t bytes[3])
{
    bool changed = false;
    for (int k = 0; k < 3; ++k) {
        if (ColourByte(colour[k]) == bytes[k])
            continue;
        colour[k] = bytes[k] / 255.0f;
        changed = true;
    }
    return changed;
}
