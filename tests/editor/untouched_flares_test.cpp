// Random flares across everything the host takes, opened in the editor and
// looked at page by page and element by element: the host's flare is as it
// was, to the bit. Then one random edit and Ok change that value alone. A
// failure names the flare's seed; LF_FLARE_SEED=<seed> in the environment
// replays that flare alone.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "controls/tiny_slider.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "gradient/colour_slider.h"
#include "model/working_flare.h"
#include "resources/colour_ids.h"
#include "resources/gradient_ids.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/editor/host_flare_digest.h"
#include "tests/support/token.h"

namespace {

constexpr int kShards = 5;
constexpr uint32_t kFlaresPerShard = 40;
constexpr uint32_t kMostGradientEntries = 300;

using Rng = std::mt19937;
using Values = std::vector<std::string>;

double Unit(Rng &rng)
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng);
}

// A value of min..max: an end, a whole number, one spread over the decades
// (or bunched near min), or any.
float Draw(Rng &rng, float min, float max)
{
    const double u = Unit(rng);
    double v = min + (double(max) - min) * u;
    switch (rng() % 5) {
    case 0: return rng() % 2 ? min : max;
    case 1: v = std::floor(v); break;
    case 2:
        v = min > 0 ? min * std::pow(double(max) / min, u) : min + (double(max) - min) * u * u * u;
    }
    return std::clamp(float(v), min, max);
}

QiToken OnOff(Rng &rng)
{
    return T(rng() % 2 ? "on" : "off");
}

void SetGlobals(Rng &rng)
{
    const struct {
        const char *keyword;
        float min, max;
    } numbers[] = {{"intensity", QI_INTENSITY_MIN, QI_INTENSITY_MAX},
                   {"scale", QI_SCALE_MIN, QI_SCALE_MAX},
                   {"angle", QI_ANGLE_MIN, QI_ANGLE_MAX},
                   {"anamorphicstretch", QI_ANAMORPHICSTRETCH_MIN, QI_ANAMORPHICSTRETCH_MAX},
                   {"occlusionradius", QI_OCCLUSIONRADIUS_MIN, QI_OCCLUSIONRADIUS_MAX},
                   {"refdistance", QI_REFDISTANCE_MIN, QI_REFDISTANCE_MAX}};
    const QiToken light = T("light");
    Qi_LensFlare(light, "Light1", T("enabled"), OnOff(rng), QI_END);
    for (const char *name : {"fastdrag", "uselightparams", "glowbehindobjects", "fadeifnearborder",
                             "fadeifbehindobjects", "fadeifapproachingobjects", "fadewithdistance",
                             "scaleglowwithdistance", "scalereflexeswithdistance"})
        Qi_LensFlare(light, "Light1", T(name), T("enabled"), OnOff(rng), QI_END);
    for (const auto &number : numbers) {
        float value = Draw(rng, number.min, number.max);
        Qi_LensFlare(light, "Light1", T(number.keyword), &value, QI_END);
    }
    int32_t seed = int32_t(rng());
    float colour[3] = {Draw(rng, 0, 1), Draw(rng, 0, 1), Draw(rng, 0, 1)};
    Qi_LensFlare(light, "Light1", T("randomseed"), &seed, QI_GROUP, T("color"), T("rgb"), colour,
                 QI_END);
}

// A gradient of 2 to the host's most entries, offsets rising from 0 to 1.
void DrawGradient(Rng &rng, std::vector<float> &colours, std::vector<float> &offsets)
{
    const size_t n = 2 + rng() % (kMostGradientEntries - 1);
    offsets = {0.0f, 1.0f};
    while (offsets.size() < n)
        offsets.push_back(float(Unit(rng)));
    std::sort(offsets.begin(), offsets.end());
    for (size_t i = 0; i < 3 * n; ++i)
        colours.push_back(Draw(rng, 0, 1));
}

void SetParameter(Rng &rng, const std::string &guid, int32_t e, int32_t p)
{
    QiToken type = 0;
    float min[3] = {}, max[3] = {};
    Qi_Inquire_LensFlare(T("light"), "Light1", T("element"), &e, QI_GROUP, T("parameter"), &p,
                         T("definition"), T("type"), &type, T("definition"), T("absminrange"),
                         min, T("definition"), T("absmaxrange"), max, QI_GROUP, QI_END);
    float value[3];
    for (int i = 0; i < 3; ++i)
        value[i] = Draw(rng, min[i], max[i]);
    if (type == T("checkbox") && rng() % 3 == 0)
        value[0] = 0.5f;
    std::vector<float> colours, offsets;
    if (type == T("gradient"))
        DrawGradient(rng, colours, offsets);
    std::vector<char> data(type == T("arbitrarydata") ? 1 + rng() % 300 : 0);
    for (char &byte : data)
        byte = char(rng());
    int32_t count = int32_t(offsets.size()), size = int32_t(data.size());
    Qi_LensFlare(T("light"), "Light1", T("element"), guid.c_str(), QI_GROUP, T("parameter"), &p,
                 T("value"), value, T("gradientdata"), &count, colours.data(), offsets.data(),
                 T("arbitrarydata"), &size, data.data(), QI_GROUP, QI_END);
}

// Three to six elements of the host's types, about a third switched off.
void SetElements(Rng &rng)
{
    int32_t typeCount = 0;
    Qi_LensFlare_Enumerate_ElementInfo(T("numelements"), &typeCount, QI_END);
    std::vector<const char *> types(3 + rng() % 4);
    for (const char *&type : types) {
        int32_t t = int32_t(rng() % uint32_t(typeCount));
        Qi_LensFlare_Enumerate_ElementInfo(T("element"), &t, T("name"), &type, QI_GROUP, QI_END);
    }
    SetHostElements(types);
    const std::vector<std::string> guids = HostElements("guid");
    for (int32_t e = 0; e < int32_t(guids.size()); ++e) {
        if (rng() % 3 == 0)
            Qi_LensFlare(T("light"), "Light1", T("element"), guids[size_t(e)].c_str(), T("enabled"),
                         T("off"), QI_GROUP, QI_END);
        int32_t count = 0;
        Qi_Inquire_LensFlare(T("light"), "Light1", T("element"), &e, T("numparameterdefinitions"),
                             &count, QI_GROUP, QI_END);
        for (int32_t p = 0; p < count; ++p)
            SetParameter(rng, guids[size_t(e)], e, p);
    }
}

void VisitEverything(HWND dialog)
{
    ShowPage(dialog, PAGE_GLOBAL);
    ShowPage(dialog, PAGE_FADING);
    ShowPage(dialog, PAGE_ELEMENT);
    for (int i = 0; i < ElementRows(dialog); ++i)
        SelectElement(dialog, i);
}

// An edit: the name of the value it changes, or none when it happened to
// leave the value as it was.
struct Edit {
    std::string what;
    std::string value;
    bool gradient = false;
};

int OtherX(Rng &rng, const TinySlider *slider)
{
    int x = slider->thumbX;
    while (std::abs(x - slider->thumbX) < 3)
        x = 6 + int(rng() % uint32_t(slider->width - 12));
    return x;
}

// Drags the slider or types a value of the accepted range into it.
void MoveOrType(Rng &rng, TinySlider *slider)
{
    if (rng() % 2) {
        DragSlider(slider->hwnd, slider->thumbX, OtherX(rng, slider));
        return;
    }
    char text[32];
    float value = Draw(rng, slider->limitLow, slider->limitHigh) * (slider->percent ? 100 : 1);
    std::snprintf(text, sizeof text, "%.6g", double(value));
    TypeInto(slider->hwndEdit, text);
}

Edit EditGlobalSlider(HWND dialog, Rng &rng)
{
    const auto sliders = GlobalSliderRows();
    const GlobalSliderRow &s = sliders[rng() % sliders.size()];
    ShowPage(dialog, s.page);
    const float before = currentInstance->workingFlare->*s.field;
    MoveOrType(rng, s.slider);
    bool changed = Bits(currentInstance->workingFlare->*s.field) != Bits(before);
    return {std::string("the slider of ") + s.keyword, changed ? s.keyword : ""};
}

Edit EditGlobalSwitch(HWND dialog, Rng &rng)
{
    const auto switches = GlobalSwitchRows();
    const GlobalSwitchRow &s = switches[rng() % switches.size()];
    ShowPage(dialog, s.page);
    Click(dialog, s.id);
    const std::string keyword = s.keyword;  // "fadeifnearborder enabled": the value's name first
    return {"the switch of " + keyword, keyword.substr(0, keyword.find(' '))};
}

// The reference distance; the random seed's field is never shown.
Edit EditReferenceDistance(HWND dialog, Rng &rng)
{
    ShowPage(dialog, PAGE_FADING);
    const float before = currentInstance->workingFlare->refdistance;
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", double(Draw(rng, QI_REFDISTANCE_MIN, 1e6f)));
    TypeInto(GetDlgItem(dialog, IDC_REF_DISTANCE), text);
    bool changed = Bits(currentInstance->workingFlare->refdistance) != Bits(before);
    return {"the reference distance", changed ? "refdistance" : ""};
}

Edit EditBaseColour(HWND dialog, Rng &)
{
    ShowPage(dialog, PAGE_GLOBAL);
    Click(dialog, IDC_BASE_COLOR);
    return {"the base colour", "color"};
}

Edit EditElementSwitch(HWND dialog, Rng &rng)
{
    int e = int(rng() % uint32_t(ElementRows(dialog)));
    SelectElement(dialog, e);
    Click(dialog, IDC_ELEMENT_ENABLED);
    return {"Element Enabled", "element " + std::to_string(e)};
}

// Picks another entry of a list, one whose number differs from the value's.
void PickOtherEntry(HWND dialog, const FlareParameter *p)
{
    HWND combo = p->controlWindow;
    int count = int(SendMessageA(combo, CB_GETCOUNT, 0, 0)), i = 0;
    while (i < count && int32_t(SendMessageA(combo, CB_GETITEMDATA, i, 0)) ==
                            int32_t(p->Qv_Current_Value[0]))
        ++i;
    SendMessageA(combo, CB_SETCURSEL, WPARAM(i), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(p->firstControlId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

Edit EditParameter(HWND dialog, Rng &rng)
{
    int e = int(rng() % uint32_t(ElementRows(dialog)));
    ShowPage(dialog, PAGE_ELEMENT);
    SelectElement(dialog, e);
    std::vector<FlareParameter *> controlled;
    for (FlareParameter *p = currentInstance->currentElement->firstParameter; p; p = p->next)
        if (p->controlWindow)
            controlled.push_back(p);
    FlareParameter *p = controlled[rng() % controlled.size()];
    int index = 0;
    for (FlareParameter *q = currentInstance->currentElement->firstParameter; q != p; q = q->next)
        ++index;
    const std::string value =
        "element " + std::to_string(e) + " parameter " + std::to_string(index);
    const std::string what = std::string("the parameter ") + p->name;
    float before[3];
    std::memcpy(before, p->Qv_Current_Value, sizeof before);
    if (p->gradientSlider) {
        SendMessageA(p->controlWindow, WM_COMMAND, IDM_PRESET_RING, 0);
        return {what, value, true};
    }
    if (p->tinySlider)
        MoveOrType(rng, p->tinySlider);
    else if (p->type == T("list"))
        PickOtherEntry(dialog, p);
    else
        Click(dialog, p->firstControlId);  // a check box, or a colour through its selector
    bool changed = false;
    for (int i = 0; i < 3; ++i)
        changed = changed || Bits(p->Qv_Current_Value[i]) != Bits(before[i]);
    return {what, changed ? value : ""};
}

using EditFn = Edit (*)(HWND, Rng &);
const EditFn kEdits[] = {EditGlobalSlider, EditGlobalSwitch, EditReferenceDistance, EditBaseColour,
                         EditElementSwitch, EditParameter,    EditParameter,   EditParameter};

// The gradient offsets of the value named "element E parameter P" at the host.
std::vector<float> HostOffsets(const std::string &value)
{
    int32_t e = 0, p = 0;
    std::sscanf(value.c_str(), "element %d parameter %d", &e, &p);
    return HostGradientOffsets(e, p);
}

bool RisesFromZeroToOne(const std::vector<float> &offsets)
{
    return offsets.size() >= 2 && offsets.front() == 0.0f && offsets.back() == 1.0f &&
           std::adjacent_find(offsets.begin(), offsets.end(), std::greater_equal<float>()) ==
               offsets.end();
}

class UntouchedFlares : public EditorTest, public testing::WithParamInterface<int> {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        // The colour selectors: red to the other end, then Ok.
        onNestedDialog_ = [](HWND selector) {
            HWND red = GetDlgItem(selector, IDC_CHANNEL_BAR);
            int end = GetScrollPos(red, SB_CTL) > 0 ? SB_TOP : SB_BOTTOM;
            SendMessageA(selector, WM_HSCROLL, WPARAM(end), reinterpret_cast<LPARAM>(red));
            PostMessageA(selector, WM_COMMAND, IDOK, 0);
        };
    }

    void CheckFlare(uint32_t seed)
    {
        SCOPED_TRACE("flare seed " + std::to_string(seed) + " (LF_FLARE_SEED=" +
                     std::to_string(seed) + " replays it)");
        Rng rng(seed);
        SetGlobals(rng);
        SetElements(rng);
        const std::string drawn = HostFlareDigest();
        Edit edit;
        const EditFn act = kEdits[rng() % (sizeof kEdits / sizeof kEdits[0])];
        RunEditor({VisitEverything, [&](HWND dialog) {
                       EXPECT_EQ(ChangedValues(drawn, HostFlareDigest()), Values{})
                           << "changed by looking at every page and element";
                       edit = act(dialog, rng);
                   }});
        const Values expected = edit.value.empty() ? Values{} : Values{edit.value};
        EXPECT_EQ(ChangedValues(drawn, HostFlareDigest()), expected)
            << "changed by looking, by " << edit.what << " and by Ok";
        if (edit.gradient) {
            EXPECT_TRUE(RisesFromZeroToOne(HostOffsets(edit.value))) << edit.what;
        }
        ++edits_;
    }

    int edits_ = 0;
};

TEST_P(UntouchedFlares, LookingChangesNothingAndAnEditChangesItsValueAlone)
{
    const char *replay = std::getenv("LF_FLARE_SEED");
    if (replay && GetParam() > 0)
        GTEST_SKIP() << "replaying one flare";
    const auto start = std::chrono::steady_clock::now();
    int flares = 0;
    for (uint32_t i = 0; i < (replay ? 1u : kFlaresPerShard); ++i, ++flares)
        CheckFlare(replay ? uint32_t(std::strtoul(replay, nullptr, 10))
                          : uint32_t(GetParam()) * kFlaresPerShard + i + 1);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%d flares, %d edits in %.1f s\n", flares, edits_, took.count());
}

INSTANTIATE_TEST_SUITE_P(Shards, UntouchedFlares, testing::Range(0, kShards));

}  // namespace
