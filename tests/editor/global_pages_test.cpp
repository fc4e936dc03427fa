// The two global pages inside the running editor: their controls, the
// edit fields' rules, the five sliders and what Ok stores.
#include <windows.h>

#include <cstring>
#include <string>

#include "editor/editor_dialog.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/support/dib_canvas.h"
#include "tests/support/token.h"

namespace {

using GlobalPages = EditorTest;

// Which controls each page shows, and in which order, is Keyboard's Tab
// order; the layout's cases keep them inside the dialog.
TEST_F(GlobalPages, TheElementPageComesFirstAndTheOcclusionRadiusIsAPercentage)
{
    SetHostFloat("occlusionradius", 0.1f);
    RunEditor({[](HWND dialog) {
        EXPECT_EQ(currentPage, PAGE_ELEMENT);
        ShowPage(dialog, PAGE_GLOBAL);
        EXPECT_EQ(WindowText(globalIntensitySlider->hwnd), "Global &Intensity")
            << "a slider's text is its caption";
        ShowPage(dialog, PAGE_FADING);
        EXPECT_EQ(WindowText(occlusionRadiusSlider->hwndEdit), "10.00");
        EXPECT_EQ(occlusionRadiusSlider->percent, 1);
    }});
}

// Values the sliders cannot show exactly, or not at all, are shown as they
// are and come back from an untouched Ok bit for bit.
TEST_F(GlobalPages, UntouchedOkStoresEveryValueBitForBit)
{
    const struct {
        const char *keyword;
        TinySlider **slider;
        float value[2];     // in two flares
        const char *text[2];
    } rows[] = {
        {"intensity", &globalIntensitySlider, {1.23456f, 9999.5f}, {"1.23", "9999.50"}},
        {"scale", &globalScaleSlider, {0.05f, 15.0f}, {"0.05", "15.00"}},
        {"angle", &globalRotationSlider, {-30.0f, 400.0f}, {"-30.00", "400.00"}},
        {"anamorphicstretch", &anamorphicStretchSlider, {0.02f, 1.23456f}, {"0.02", "1.23"}},
        {"occlusionradius", &occlusionRadiusSlider, {0.00123f, 50.0f}, {"0.12", "5000.00"}},
        {"refdistance", nullptr, {12.3456f, 1e9f}, {}},
    };
    for (int flare = 0; flare < 2; ++flare) {
        for (const auto &row : rows)
            SetHostFloat(row.keyword, row.value[flare]);
        RunEditor({[&rows, flare](HWND dialog) {
            ShowPage(dialog, PAGE_GLOBAL);
            ShowPage(dialog, PAGE_FADING);
            ShowPage(dialog, PAGE_ELEMENT);
            for (const auto &row : rows) {
                if (row.slider) {
                    EXPECT_EQ(WindowText((*row.slider)->hwndEdit), row.text[flare]) << row.keyword;
                }
            }
        }});
        for (const auto &row : rows)
            EXPECT_EQ(Bits(HostFloat(row.keyword)), Bits(row.value[flare]))
                << row.keyword << " " << row.value[flare];
    }
}

// A reload replaces the working flare; every slider writes into the new one.
TEST_F(GlobalPages, SlidersWriteIntoTheFlareLoadedLast)
{
    RunEditor({[](HWND dialog) {
        SetHostFloat("intensity", 0.5f);
        ReloadAfterLibraryLoad(dialog);
        EXPECT_EQ(WindowText(globalIntensitySlider->hwndEdit), "0.50")
            << "the slider shows the reload";
        for (const GlobalSliderRow &s : GlobalSliderRows()) {
            // The allocator may hand the new flare the old one's place, so
            // the binding itself is checked too.
            EXPECT_EQ(s.slider->boundFloat, &(currentInstance->workingFlare->*s.field));
            ShowPage(dialog, s.page);
            const float old = currentInstance->workingFlare->*s.field;
            DragSlider(s.slider->hwnd, s.slider->thumbX, s.slider->width - 20);
            const float now = currentInstance->workingFlare->*s.field;
            EXPECT_NE(now, old) << s.keyword;
            EXPECT_EQ(now, s.slider->floatValue) << s.keyword;
            EXPECT_EQ(HostFloat(s.keyword), now) << s.keyword << " reached the host";
        }
    }});
}

TEST_F(GlobalPages, SeedAndDistanceKeepTheirMinimumsWithoutFightingTheTyping)
{
    SetHostFloat("refdistance", 10.0f);
    RunEditor({[](HWND dialog) {
        WorkingFlare *flare = currentInstance->workingFlare;
        HWND seed = GetDlgItem(dialog, IDC_RANDOM_SEED);
        TypeInto(seed, "0");
        EXPECT_EQ(flare->randomseed, 1);
        EXPECT_EQ(WindowText(seed), "0") << "the text is left while it is typed";
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_RANDOM_SEED, EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(seed));
        EXPECT_EQ(WindowText(seed), "1");
        TypeInto(seed, "42");
        EXPECT_EQ(flare->randomseed, 42);

        ShowPage(dialog, PAGE_FADING);
        HWND distance = GetDlgItem(dialog, IDC_REF_DISTANCE);
        TypeInto(distance, "10.00005");
        EXPECT_EQ(flare->refdistance, 10.00005f);
        EXPECT_EQ(HostFloat("refdistance"), 10.0f) << "a change of 0.0001 or less waits";
        TypeInto(distance, "10.0002");
        EXPECT_EQ(HostFloat("refdistance"), 10.0002f);
        TypeInto(distance, "0.5");
        EXPECT_EQ(WindowText(distance), "0.5") << "typing is not rewritten on the way";
        EXPECT_EQ(HostFloat("refdistance"), 0.5f);
        TypeInto(distance, "0.0005");
        EXPECT_EQ(flare->refdistance, 0.001f);
        EXPECT_EQ(WindowText(distance), "0.0005");
        SetFocus(GetDlgItem(dialog, IDC_FADE_NEAR_BORDER));
        EXPECT_EQ(WindowText(distance), "0.001") << "rewritten when the field is left";
    }});
    EXPECT_EQ(HostInt("randomseed"), 42);
}

TEST_F(GlobalPages, AFlareOfACameraCannotMultiplyByTheLight)
{
    RunEditor({[](HWND dialog) {
                  ShowPage(dialog, PAGE_GLOBAL);
                  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_USE_LIGHT_PARAMS)));
                  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_USE_LIGHT_PARAMS), BST_UNCHECKED);
                  EXPECT_EQ(currentInstance->workingFlare->uselightparams, T("off"));
              }},
              "camera", "Camera1");
}

// The base colour goes through the colour selector; the swatch shows it.
TEST_F(GlobalPages, BaseColourIsChosenInTheSelectorAndShownInTheSwatch)
{
    onNestedDialog_ = RedToZero;
    float colour[3] = {};
    COLORREF drawn = 0;
    RunEditor({[&](HWND dialog) {
        ShowPage(dialog, PAGE_GLOBAL);
        Click(dialog, IDC_BASE_COLOR);
        std::memcpy(colour, currentInstance->workingFlare->color, sizeof colour);
        DibCanvas swatch(GetDlgItem(dialog, IDC_BASE_COLOR));
        drawn = swatch.Pixel(swatch.width() / 2, swatch.height() / 2);
    }});
    EXPECT_EQ(colour[0], 0.0f);
    EXPECT_EQ(GetRValue(drawn), 0);
    EXPECT_EQ(GetGValue(drawn), BYTE(colour[1] * 255.0f));
    EXPECT_EQ(HostFloat("color"), 0.0f) << "red reached the host";
}

}  // namespace
