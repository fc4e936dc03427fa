// The range a panel slider offers for a parameter whose definition comes
// from the host.
#ifndef EDITOR_PANEL_RANGES_H
#define EDITOR_PANEL_RANGES_H

#include <cstdint>

struct SliderRange {
    float min, max;
};

// The offered range (uiMin..uiMax) when it is finite and not empty, end by
// end falling back to the accepted range (absMin..absMax) where that is
// finite, else to 0..100. A range that is still empty (in integer mode:
// narrower than one whole step) becomes the accepted range, or 0..100.
SliderRange PanelSliderRange(float uiMin, float uiMax, float absMin, float absMax,
                             bool integerMode);

// The decimals a slider shows: the definition's precision brought into 0..4.
int16_t PanelSliderPrecision(int16_t precision);

#endif
