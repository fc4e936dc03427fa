// The arithmetic of the interactive colour selector's three scroll bars: what
// each bar and its number field show for a colour in RGB or HSV mode, and how
// a scroll code moves a bar and sets the colour.
#ifndef COLOUR_SELECTOR_SCROLL_H
#define COLOUR_SELECTOR_SCROLL_H

#include <cstdint>

// The selector's modes.
constexpr int16_t kColourModeRgb = 0;  // bars red, green, blue in 255ths
constexpr int16_t kColourModeHsv = 1;  // bars hue (0..359 degrees), saturation, value

// The lowest saturation and value the HSV bars and fields set, so that hue
// and saturation keep their meaning.
constexpr float kHsvFloor = 1.0f / 255.0f;

struct Hsv;

// Scroll codes of WM_HSCROLL, with the values of SB_LINELEFT .. SB_RIGHT.
enum ScrollCode : int32_t {
    kScrollLineLeft = 0,
    kScrollLineRight = 1,
    kScrollPageLeft = 2,
    kScrollPageRight = 3,
    kScrollThumbPosition = 4,
    kScrollThumbTrack = 5,
    kScrollLeftEnd = 6,
    kScrollRightEnd = 7,
};

// What the selector shows for a colour: per bar the number of the field beside
// it and the bar's position (0..255). RGB numbers are 255ths. In HSV mode the
// hue's number is in degrees and its bar at hue / 359 * 255, saturation and
// value are numbered in percent; an undefined hue shows as 0.
struct ChannelDisplay {
    int32_t number[3];
    int32_t position[3];
};
ChannelDisplay ChannelDisplayOf(const float colour[3], int16_t mode);

// One scroll of bar 0..2 with a WM_HSCROLL code; thumb is the bar position
// the code carries (0..255). Sets the colour and returns true when the bar's
// position changes; returns false and leaves the colour alone otherwise.
// Line steps are 1 in RGB mode and 2 in HSV mode (degrees or 255ths), page
// steps 15 more. In HSV mode a near-black colour counts as saturation and
// value 1/255, and neither of them is ever set to 0, so that hue and
// saturation keep their meaning.
bool ScrollColourChannel(float colour[3], int16_t mode, int bar, int32_t code, int32_t thumb);

// The hue, saturation and value an HSV bar or field changes one of: a
// near-black colour counts as saturation and value 1/255, an undefined hue
// as 0.
Hsv SelectorHsvOf(const float colour[3]);

#endif
