#include "editor/global_pages.h"

#include <cmath>
#include <cstdlib>

#include "colour/colour_selector.h"
#include "controls/slider_math.h"
#include "editor/editor_state.h"
#include "editor/undo.h"
#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "resources/resource.h"

namespace {

// The smallest random seed and reference distance the flare takes; what is
// typed below them is stored as them.
constexpr int32_t kMinimumSeed = 1;
constexpr float kMinimumDistance = 0.001f;
// Reference distances closer than this to the stored one are stored
// without a commit.
constexpr float kDistanceChange = 0.0001f;

struct SwitchControl {
    int id;
    QiToken WorkingFlare::*field;
};

const SwitchControl kSwitches[] = {
    {IDC_USE_LIGHT_PARAMS, &WorkingFlare::uselightparams},
    {IDC_FADE_NEAR_BORDER, &WorkingFlare::fadeifnearborder},
    {IDC_FADE_BEHIND, &WorkingFlare::fadeifbehindobjects},
    {IDC_FADE_APPROACHING, &WorkingFlare::fadeifapproachingobjects},
    {IDC_FADE_DISTANCE, &WorkingFlare::fadewithdistance},
    {IDC_GLOW_BEHIND, &WorkingFlare::glowbehindobjects},
    {IDC_SCALE_REFLEXES, &WorkingFlare::scalereflexeswithdistance},
    {IDC_SCALE_GLOW, &WorkingFlare::scaleglowwithdistance},
};

WorkingFlare *Flare()
{
    return currentInstance->workingFlare;
}

bool IsLightFlare()
{
    static const QiToken light = Qi_Inquire_Token("light");
    return currentInstance->handleType == light;
}

void FieldText(HWND dialog, int id, char *text, int size)
{
    text[0] = '\0';
    GetDlgItemTextA(dialog, id, text, size);
}

// The field's number, or false when its text is none (half typed, emptied
// or not a number): such text changes nothing.
bool FieldNumber(HWND dialog, int id, double *number)
{
    char text[256];
    FieldText(dialog, id, text, sizeof text);
    return ReadNumber(text, number);
}

bool TypedSeed(HWND dialog, int32_t *seed)
{
    char text[256];
    double number = 0.0;
    if (!FieldNumber(dialog, IDC_RANDOM_SEED, &number))
        return false;
    FieldText(dialog, IDC_RANDOM_SEED, text, sizeof text);
    *seed = std::atoi(text);
    if (*seed < kMinimumSeed)
        *seed = kMinimumSeed;
    return true;
}

bool TypedDistance(HWND dialog, float *distance)
{
    double number = 0.0;
    if (!FieldNumber(dialog, IDC_REF_DISTANCE, &number))
        return false;
    *distance = float(number);
    if (*distance < kMinimumDistance)
        *distance = kMinimumDistance;
    return true;
}

// The enabled switch commits and redraws whatever the realtime switch says:
// it is how a user compares the flare with and without itself.
void OnFlareEnabled(HWND dialog)
{
    Import_IO_Flip_Quorix_Toggle(dialog, IDC_FLARE_ENABLED, &Flare()->enabled);
    if (updatingControls || previewBusy)
        return;
    RecordUndoStep();
    CommitPendingEdits();
    RequestPreviewRedraw(-1, -1);
}

void OnSwitch(HWND dialog, const SwitchControl &control)
{
    Import_IO_Flip_Quorix_Toggle(dialog, int16_t(control.id), &(Flare()->*control.field));
    OnParameterChanged(uint32_t(control.id));
}

void OnSeedTyped(HWND dialog)
{
    int32_t seed = 0;
    if (!TypedSeed(dialog, &seed))
        return;
    bool changed = seed != Flare()->randomseed;
    Flare()->randomseed = seed;
    RecordUndoStep(IDC_RANDOM_SEED);
    if (changed)
        OnParameterChanged(IDC_RANDOM_SEED);
}

void OnDistanceTyped(HWND dialog)
{
    float distance = 0.0f;
    if (!TypedDistance(dialog, &distance))
        return;
    bool changed = std::fabs(distance - Flare()->refdistance) > kDistanceChange;
    Flare()->refdistance = distance;
    RecordUndoStep(IDC_REF_DISTANCE);
    if (changed)
        OnParameterChanged(IDC_REF_DISTANCE);
}

void OnBaseColour(HWND dialog)
{
    float *colour = Flare()->color;
    const float before[3] = {colour[0], colour[1], colour[2]};
    OpenColourSelector(dialog, "Base Color", colour, CommitLiveEdit);
    RefreshControl(dialog, IDC_BASE_COLOR);
    if (colour[0] != before[0] || colour[1] != before[1] || colour[2] != before[2])
        OnParameterChanged(IDC_BASE_COLOR);
}

// An edit field's text: typed entries on EN_UPDATE, the minimum shown when
// the field is left.
void OnEditField(HWND dialog, int id, int notification)
{
    if (notification == EN_KILLFOCUS) {
        ShowGlobalFieldMinimums(dialog);
        EndUndoTyping();
        return;
    }
    if (notification != EN_UPDATE || updatingControls)
        return;
    if (id == IDC_RANDOM_SEED)
        OnSeedTyped(dialog);
    else
        OnDistanceTyped(dialog);
}

}  // namespace

void RefreshGlobalControls(HWND dialog)
{
    static const QiToken off = Qi_Inquire_Token("off");
    WorkingFlare *flare = Flare();
    if (!flare)
        return;
    Import_IO_Set_Quorix_Toggle(dialog, IDC_FLARE_ENABLED, flare->enabled);
    if (!IsLightFlare())
        flare->uselightparams = off;
    for (const SwitchControl &control : kSwitches)
        Import_IO_Set_Quorix_Toggle(dialog, int16_t(control.id), flare->*control.field);
    Import_IO_Set_Control_Enable(dialog, IDC_USE_LIGHT_PARAMS, IsLightFlare() ? 1 : 0);
    Import_IO_Set_Quorix_Toggle(dialog, IDC_FASTER_UPDATES, flare->fastdrag);
    Import_IO_QdInt_To_Dialog(dialog, IDC_RANDOM_SEED, flare->randomseed);
    Import_IO_QdFloat_To_Dialog(dialog, IDC_REF_DISTANCE, flare->refdistance);
}

void GlobalPageCommand(HWND dialog, int controlId, int notification)
{
    if (!Flare())
        return;
    switch (controlId) {
    case IDC_FLARE_ENABLED:
        OnFlareEnabled(dialog);
        return;
    case IDC_BASE_COLOR:
        OnBaseColour(dialog);
        return;
    case IDC_RANDOM_SEED:
    case IDC_REF_DISTANCE:
        OnEditField(dialog, controlId, notification);
        return;
    }
    for (const SwitchControl &control : kSwitches)
        if (control.id == controlId)
            OnSwitch(dialog, control);
}

void ShowGlobalFieldMinimums(HWND dialog)
{
    const WorkingFlare *flare = Flare();
    double number = 0.0;
    bool wasUpdating = updatingControls != 0;
    updatingControls = 1;
    if (!FieldNumber(dialog, IDC_RANDOM_SEED, &number) && flare)
        Import_IO_QdInt_To_Dialog(dialog, IDC_RANDOM_SEED, flare->randomseed);
    else if (number < kMinimumSeed)
        SetDlgItemTextA(dialog, IDC_RANDOM_SEED, "1");
    if (!FieldNumber(dialog, IDC_REF_DISTANCE, &number) && flare)
        Import_IO_QdFloat_To_Dialog(dialog, IDC_REF_DISTANCE, flare->refdistance);
    else if (float(number) < kMinimumDistance)
        SetDlgItemTextA(dialog, IDC_REF_DISTANCE, "0.001");
    updatingControls = wasUpdating ? 1 : 0;
}
