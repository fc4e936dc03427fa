#include "colour/selector_scroll.h"

#include <algorithm>

#include "colour/colour_math.h"

namespace {

const int32_t kHueLimit = 359;   // degrees
const int32_t kByteLimit = 255;  // 255ths
const int32_t kPageExtra = 15;   // a page step is a line step and 15 more

// Hue and saturation read back from a colour carry float noise: a saturation
// set to 100/255 reads as 99.99998/255 about a third of the time. A reading
// this close below a whole unit counts as that unit, so that the numbers show
// what was set and line steps move by their full 2.
const float kReadingTolerance = 0.01f;

int32_t HsvReading(float units)
{
    return TruncateUnits(units + kReadingTolerance);
}

// Where one bar stands for a colour, and the HSV values it was read from.
struct BarPosition {
    int32_t pos;
    int32_t limit;
    Hsv hsv;
};

BarPosition BarPositionOf(const float colour[3], int16_t mode, int bar)
{
    BarPosition at = {ScaleTo255(colour[bar]), kByteLimit, {}};
    if (mode != kColourModeHsv)
        return at;
    at.hsv = SelectorHsvOf(colour);
    if (bar == 0) {
        at.pos = HsvReading(at.hsv.h);
        at.limit = kHueLimit;
    } else {
        at.pos = HsvReading((bar == 1 ? at.hsv.s : at.hsv.v) * 255.0f);
    }
    return at;
}

// The position a code moves to; the bar's own position for unknown codes.
int32_t ScrolledPosition(const BarPosition &at, int16_t mode, int bar, int32_t code,
                         int32_t thumb)
{
    const int32_t line = mode == kColourModeHsv ? 2 : 1;
    int32_t next = at.pos;
    switch (code) {
    case kScrollLineLeft: next = at.pos - line; break;
    case kScrollPageLeft: next = at.pos - kPageExtra - line; break;
    case kScrollLineRight: next = at.pos + line; break;
    case kScrollPageRight: next = at.pos + kPageExtra + line; break;
    case kScrollThumbPosition:
    case kScrollThumbTrack:
        next = thumb;
        if (mode == kColourModeHsv && bar == 0)
            next = static_cast<int32_t>(thumb / 255.0f * kHueLimit);
        break;
    case kScrollLeftEnd: next = 0; break;
    case kScrollRightEnd: next = at.limit; break;
    default: return at.pos;
    }
    return std::clamp(next, int32_t(0), at.limit);
}

}  // namespace

ChannelDisplay ChannelDisplayOf(const float colour[3], int16_t mode)
{
    ChannelDisplay shown;
    if (mode != kColourModeHsv) {
        for (int k = 0; k < 3; ++k)
            shown.number[k] = shown.position[k] = ScaleTo255(colour[k]);
        return shown;
    }
    const Hsv hsv = RgbToHsv(colour);
    const float hue = std::max(hsv.h, 0.0f) + kReadingTolerance;
    shown.number[0] = TruncateUnits(hue);
    shown.position[0] = TruncateUnits(hue / kHueLimit * 255.0f);
    shown.position[1] = HsvReading(hsv.s * 255.0f);
    shown.position[2] = HsvReading(hsv.v * 255.0f);
    shown.number[1] = HsvReading(hsv.s * 100.0f);
    shown.number[2] = HsvReading(hsv.v * 100.0f);
    return shown;
}

Hsv SelectorHsvOf(const float colour[3])
{
    Hsv hsv = RgbToHsv(colour);
    if (hsv.v < 0.004f && hsv.s < 0.004f)
        hsv.s = hsv.v = kHsvFloor;
    hsv.h = std::max(hsv.h, 0.0f);
    return hsv;
}

bool ScrollColourChannel(float colour[3], int16_t mode, int bar, int32_t code, int32_t thumb)
{
    if (bar < 0 || bar > 2)
        return false;
    const BarPosition at = BarPositionOf(colour, mode, bar);
    int32_t next = ScrolledPosition(at, mode, bar, code, thumb);
    if (next == at.pos)
        return false;
    if (mode != kColourModeHsv) {
        colour[bar] = next / 255.0f;
        return true;
    }
    if (bar == 0) {
        HsvToRgb(static_cast<float>(next), at.hsv.s, at.hsv.v, colour);
        return true;
    }
    next = std::max(next, int32_t(1));
    if (bar == 1)
        HsvToRgb(at.hsv.h, next / 255.0f, at.hsv.v, colour);
    else
        HsvToRgb(at.hsv.h, at.hsv.s, next / 255.0f, colour);
    return true;
}
