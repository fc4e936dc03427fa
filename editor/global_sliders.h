// The five small sliders of the global pages, each in the place of its
// placeholder frame and bound to its field of the current working flare.
#ifndef EDITOR_GLOBAL_SLIDERS_H
#define EDITOR_GLOBAL_SLIDERS_H

#include <windows.h>

#include <cstdint>

#include "controls/tiny_slider.h"

extern TinySlider *globalIntensitySlider;
extern TinySlider *globalScaleSlider;
extern TinySlider *globalRotationSlider;
extern TinySlider *anamorphicStretchSlider;
extern TinySlider *occlusionRadiusSlider;

// Creates one slider (hidden) in place of the placeholder frame, destroying
// the frame, and sets it to the field's value. Null when it cannot be made.
TinySlider *CreateGlobalSlider(HWND dialog, int placeholderId, const char *caption,
                               int16_t floatMode, float *field, float sliderMin, float sliderMax,
                               float acceptedMin, float acceptedMax, uint16_t percent,
                               TinySliderDragFn onDrag);

// The five sliders of the dialog's set-up.
void CreateGlobalSliders(HWND dialog);

// The value to store for a slider at Ok, and the slider destroyed and
// released: the field's own value (`current`) unless the edit box holds an
// entry other than the text the slider shows for its value, which is then
// taken within the accepted range. A slider that does not exist gives
// `current`, so its field keeps its value to the bit.
float ReadGlobalSlider(HWND dialog, TinySlider *record, float current);

// At Ok: the five values into the working flare, the sliders destroyed.
void StoreGlobalSliders(HWND dialog);

// Destroys and releases the sliders that still exist (the dialog's
// teardown, after a set-up that never reached Ok).
void ReleaseGlobalSliders();

// After the working flare was loaded anew: every slider writes into the new
// flare's fields (Rebind), and also shows their values (Refresh).
void RebindGlobalSliders();
void RefreshGlobalSliders(HWND dialog);

// Shows or hides the sliders of one global page.
void ShowGlobalSliders(int16_t page, int16_t show);

#endif
