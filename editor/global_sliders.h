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
// the frame, and shows the field's value, which it leaves as it is until
// the user moves the slider or types into it. Null when it cannot be made.
TinySlider *CreateGlobalSlider(HWND dialog, int placeholderId, const char *caption,
                               int16_t floatMode, float *field, float sliderMin, float sliderMax,
                               float acceptedMin, float acceptedMax, uint16_t percent,
                               TinySliderDragFn onDrag);

// The five sliders of the dialog's set-up.
void CreateGlobalSliders(HWND dialog);

// The value to store for a slider at Ok, and the slider destroyed and
// released: the field's own value (`current`), to the bit. Whatever the user
// dragged or typed is in the field already; reading the edit text back
// would round an untouched value to the decimals it shows.
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
