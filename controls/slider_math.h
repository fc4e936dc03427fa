// Value and geometry arithmetic of the small numeric slider: the mapping
// between values and thumb positions, the clamping to the slider range and to
// the accepted range, and the text of a value.
#ifndef CONTROLS_SLIDER_MATH_H
#define CONTROLS_SLIDER_MATH_H

#include <cstddef>
#include <cstdint>

// Left end of the usable track at 96 DPI; its right end is width - 7. At
// another DPI both margins scale with it (SliderTrackStart, SliderTrackEnd).
constexpr int16_t kSliderTrackStart = 6;

// The usable track of a slider `width` pixels wide shown at `dpi`: from
// the left margin to width minus the right margin.
int16_t SliderTrackStart(int dpi);
int16_t SliderTrackEnd(int16_t width, int dpi);

// Truncates toward zero into the 32-bit range: values beyond it give the
// nearest end, NaN gives 0 (a plain conversion would be undefined there).
int32_t TruncateToInt32(float value);

// value raised to low when below it, then lowered to high when above it;
// NaN gives low.
float ClampToRange(float value, float low, float high);

// x of the thumb tip for value on a track of `width` pixels covering
// min..max, at `dpi`. A range of zero width, or a value that is not a
// number, puts the thumb at the left end.
int16_t SliderThumbFromValue(float value, float min, float max, int16_t width, int dpi = 96);

// The value at thumb position thumbX; min when the track has no length.
float SliderValueFromThumb(int16_t thumbX, float min, float max, int16_t width, int dpi = 96);

// A pointer x pinned to the usable track (6..width - 7 at 96 DPI).
int16_t ClampSliderThumb(int x, int16_t width, int dpi = 96);

// The value written to the owner's variables in integer mode: value itself,
// limitLow when that is above value truncated, limitHigh when the result
// truncated is above it.
float AcceptedIntegerValue(float value, float limitLow, float limitHigh);

// Whether integer mode draws tick marks: when max - min is 0 to 10.
bool SliderShowsTicks(int32_t intMin, int32_t intMax);

// The edit text of a floating-point value: multiplied by 100 when percent is
// set, with `precision` decimals (0 to 4; others are brought into that range),
// and with none as a whole number truncated toward zero.
void FormatSliderFloat(char *buffer, size_t size, float value, int16_t precision, bool percent);

// The edit text of an integer value.
void FormatSliderInt(char *buffer, size_t size, int32_t value);

// A typed entry as a value: the text's number, divided by 100 when percent
// is set; beyond the float range an infinity of its sign. False, and value
// untouched, when the text is no number (ReadNumber).
bool ParseSliderEntry(const char *text, bool percent, float *value);

// What a typed entry sets: the entry itself, keeping the typed text, or the
// limit it passed, whose text then replaces the typed one.
struct SliderEntry {
    float value;
    bool replaceText;
};
SliderEntry AcceptTypedEntry(float typed, float limitLow, float limitHigh);

// Whether the text is a number, with nothing but spaces around it: what a
// field takes. Empty text, "abc", "-", "1e" (half typed) and "nan" are not.
bool ReadNumber(const char *text, double *number);

// The keys of a focused slider, in the order of their table.
enum SliderKey { SLIDER_STEP_DOWN, SLIDER_STEP_UP, SLIDER_PAGE_DOWN, SLIDER_PAGE_UP,
                 SLIDER_HOME, SLIDER_END };

// The value a key gives a slider at `value` on the range min..max: a step
// is the smallest step its text shows (1 in integer mode, else one in the
// last decimal shown, a hundredth of it with percent), a page a tenth of the
// range; both land on the steps' grid. Home and End give the range's ends.
float SliderKeyValue(float value, float min, float max, SliderKey key, bool integerMode,
                     int16_t precision, bool percent);

#endif
