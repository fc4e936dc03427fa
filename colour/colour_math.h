// Colour arithmetic of the colour selectors and the editor's swatches: the
// RGB/HSV conversions and the byte values the user interface shows. A colour
// is three floats red, green, blue in 0..1.
#ifndef COLOUR_COLOUR_MATH_H
#define COLOUR_COLOUR_MATH_H

#include <cstdint>

// The hue RgbToHsv gives a colour without saturation (a grey).
constexpr float kUndefinedHue = -9999.0f;

struct Hsv {
    float h;  // hue in degrees, 0 to below 360, or kUndefinedHue
    float s;  // saturation, 0..1
    float v;  // value (the largest channel), 0..1
};

// The hue, saturation and value of a colour. Saturation is 0 when the largest
// channel is below 0.0001; below a saturation of 0.0001 the hue is undefined.
Hsv RgbToHsv(const float rgb[3]);

// The colour of a hue in degrees (any number: brought into 0..360, NaN and
// infinities count as 0), a saturation and a value.
void HsvToRgb(float h, float s, float v, float rgb[3]);

// A number of units truncated toward zero as the selectors show numbers and
// scroll positions: held within the 16-bit range, NaN 0.
int16_t TruncateUnits(float units);

// trunc(value * 255) by TruncateUnits.
int16_t ScaleTo255(float value);

// A channel as a byte of a swatch: trunc(c * 255) after clamping c to 0..1,
// so that 1.004 stays white (255) instead of wrapping to 0; NaN gives 0.
uint8_t ColourByte(float channel);

// The 0x00BBGGRR value (Win32 COLORREF layout) of a colour, by ColourByte.
uint32_t ColourToColorref(const float rgb[3]);

// The colour of a 0x00BBGGRR value: each byte / 255.
void ColorrefToColour(uint32_t value, float rgb[3]);

// The value of a hexadecimal digit (either case), or -1.
int HexDigit(char c);

#endif
