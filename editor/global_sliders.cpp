#include "editor/global_sliders.h"

#include "controls/slider_math.h"
#include "editor/editor_state.h"
#include "editor/element_panel.h"
#include "frame/plugin_instance.h"
#include "model/working_flare.h"
#include "resources/resource.h"

TinySlider *globalIntensitySlider = nullptr;
TinySlider *globalScaleSlider = nullptr;
TinySlider *globalRotationSlider = nullptr;
TinySlider *anamorphicStretchSlider = nullptr;
TinySlider *occlusionRadiusSlider = nullptr;

namespace {

struct GlobalSliderPlace {
    TinySlider **slider;
    int placeholderId;
    int16_t page;
    const char *caption;
    float WorkingFlare::*field;
    float sliderMin, sliderMax, acceptedMin, acceptedMax;
    uint16_t percent;
    TinySliderDragFn onDrag;
};

// In the order the sliders are created and stored at Ok. A slider offers
// the usual range; what is typed into it may be anything the host takes.
// The occlusion radius is shown as a percentage and outlined on the preview
// while dragged. Each caption's letter is its own on its page.
const GlobalSliderPlace kGlobalSliders[] = {
    {&globalIntensitySlider, IDC_INTENSITY_FRAME, PAGE_GLOBAL, "Global &Intensity",
     &WorkingFlare::intensity, 0.0f, 4.0f, QI_INTENSITY_MIN, QI_INTENSITY_MAX, 0, OnSliderDrag},
    {&globalScaleSlider, IDC_SCALE_FRAME, PAGE_GLOBAL, "&Global Scale", &WorkingFlare::scale,
     0.1f, 10.0f, QI_SCALE_MIN, QI_SCALE_MAX, 0, OnSliderDrag},
    {&globalRotationSlider, IDC_ROTATION_FRAME, PAGE_GLOBAL, "Global Ro&tation Angle",
     &WorkingFlare::angle, 0.0f, 360.0f, QI_ANGLE_MIN, QI_ANGLE_MAX, 0, OnSliderDrag},
    {&anamorphicStretchSlider, IDC_STRETCH_FRAME, PAGE_GLOBAL, "Anamor&phic Stretch",
     &WorkingFlare::anamorphicstretch, 0.5f, 2.0f, QI_ANAMORPHICSTRETCH_MIN,
     QI_ANAMORPHICSTRETCH_MAX, 0, OnSliderDrag},
    {&occlusionRadiusSlider, IDC_OCCLUSION_FRAME, PAGE_FADING, "Occlusion Radius",
     &WorkingFlare::occlusionradius, 0.01f, 2.0f, QI_OCCLUSIONRADIUS_MIN,
     QI_OCCLUSIONRADIUS_MAX, 1, OnRadiusSliderDrag},
};

WorkingFlare *Flare()
{
    return currentInstance ? currentInstance->workingFlare : nullptr;
}

RECT PlaceholderRect(HWND dialog, HWND placeholder)
{
    RECT r = {};
    GetClientRect(placeholder, &r);
    MapWindowPoints(placeholder, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

}  // namespace

TinySlider *CreateGlobalSlider(HWND dialog, int placeholderId, const char *caption,
                               int16_t floatMode, float *field, float sliderMin, float sliderMax,
                               float acceptedMin, float acceptedMax, uint16_t percent,
                               TinySliderDragFn onDrag)
{
    auto *record = static_cast<TinySlider *>(Qi_Alloc_Memory(0, 1, sizeof(TinySlider)));
    if (!record)
        return nullptr;
    HWND placeholder = GetDlgItem(dialog, placeholderId);
    RECT place = PlaceholderRect(dialog, placeholder);
    // The slider also takes the placeholder's place in Tab's order.
    HWND before = placeholder ? GetWindow(placeholder, GW_HWNDPREV) : nullptr;
    DestroyWindow(placeholder);
    if (!CreateTinySlider(dialog, currentInstance->moduleInstance, record, uint32_t(placeholderId),
                          OnParameterChanged)) {
        Qi_Free_Memory(record);
        return nullptr;
    }
    AdoptParentBackground(dialog, record);
    ShowWindow(record->hwnd, SW_HIDE);
    SetWindowPos(record->hwnd, before ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    record->floatMin = sliderMin;
    record->floatMax = sliderMax;
    record->intMin = TruncateToInt32(sliderMin);
    record->intMax = TruncateToInt32(sliderMax);
    record->limitLow = acceptedMin;
    record->limitHigh = acceptedMax;
    record->label = caption;
    record->boundFloat = field;
    record->mode = floatMode ? 1 : 0;
    record->precision = 2;
    record->percent = percent;
    record->onDrag = onDrag;
    MoveWindow(record->hwnd, place.left, place.top, place.right - place.left + 1,
               place.bottom - place.top + 1, TRUE);
    SetTinySliderValue(record, *field, 1, 0);
    return record;
}

void CreateGlobalSliders(HWND dialog)
{
    WorkingFlare *flare = Flare();
    if (!flare)
        return;
    for (const GlobalSliderPlace &place : kGlobalSliders)
        *place.slider = CreateGlobalSlider(dialog, place.placeholderId, place.caption, 1,
                                          &(flare->*place.field), place.sliderMin, place.sliderMax,
                                          place.acceptedMin, place.acceptedMax, place.percent,
                                          place.onDrag);
}

float ReadGlobalSlider(HWND, TinySlider *record, float current)
{
    if (record) {
        DestroyTinySlider(record);
        Qi_Free_Memory(record);
    }
    return current;
}

void StoreGlobalSliders(HWND dialog)
{
    WorkingFlare *flare = Flare();
    for (const GlobalSliderPlace &place : kGlobalSliders) {
        if (flare)
            flare->*place.field = ReadGlobalSlider(dialog, *place.slider, flare->*place.field);
        else if (*place.slider)
            ReadGlobalSlider(dialog, *place.slider, 0.0f);
        *place.slider = nullptr;
    }
}

void ReleaseGlobalSliders()
{
    for (const GlobalSliderPlace &place : kGlobalSliders) {
        if (TinySlider *slider = *place.slider) {
            DestroyTinySlider(slider);
            Qi_Free_Memory(slider);
        }
        *place.slider = nullptr;
    }
}

void RebindGlobalSliders()
{
    WorkingFlare *flare = Flare();
    for (const GlobalSliderPlace &place : kGlobalSliders)
        if (TinySlider *slider = *place.slider)
            slider->boundFloat = flare ? &(flare->*place.field) : nullptr;
}

void RefreshGlobalSliders(HWND)
{
    RebindGlobalSliders();
    WorkingFlare *flare = Flare();
    if (!flare)
        return;
    for (const GlobalSliderPlace &place : kGlobalSliders)
        if (TinySlider *slider = *place.slider)
            SetTinySliderValue(slider, flare->*place.field, 1, 0);
}

void ShowGlobalSliders(int16_t page, int16_t show)
{
    for (const GlobalSliderPlace &place : kGlobalSliders)
        if (place.page == page && *place.slider && (*place.slider)->hwnd)
            ShowWindow((*place.slider)->hwnd, show ? SW_SHOW : SW_HIDE);
}
