// The colour selectors as the plug-in runs them, on the real host core: the
// interactive selector driven with WM_HSCROLL, WM_COMMAND, clicks and typed
// keys, and behind its ">>" buttons the named colour selector and the system
// colour dialog, driven from inside as each one opens.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cctype>
#include <cstring>
#include <functional>
#include <string>

#include "colour/colour_selector.h"
#include "frame/plugin_instance.h"
#include "host/core/qi_host.h"
#include "resources/colour_ids.h"
#include "tests/support/dib_canvas.h"
#include "tests/support/modal_watcher.h"
#include "tests/support/plugin_calls.h"
#include "tests/support/test_services.h"
#include "tests/support/window_text.h"

namespace {

using Triple = std::array<int, 3>;

const char kIni[] = "colour_dialogs_test.ini";
const char kCustom[] = "Saved-Custom-Colors";
const int kChooserRed = 706, kChooserAdd = 712;  // the system dialog's red edit, "Add"

void Scroll(HWND dialog, int bar, int code, int thumb = 0)
{
    SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(code, thumb),
                 LPARAM(GetDlgItem(dialog, IDC_CHANNEL_BAR + bar)));
}

void Command(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

// The numbers of controls first .. first + 2.
Triple Numbers(HWND dialog, int first = IDC_CHANNEL_NUMBER)
{
    Triple numbers;
    for (int k = 0; k < 3; ++k)
        numbers[k] = int(GetDlgItemInt(dialog, first + k, nullptr, TRUE));
    return numbers;
}

int Position(HWND dialog, int bar)
{
    return GetScrollPos(GetDlgItem(dialog, IDC_CHANNEL_BAR + bar), SB_CTL);
}

// The channel letters without their mnemonic marks.
std::string Letters(HWND dialog)
{
    std::string letters;
    for (int k = 0; k < 3; ++k) {
        char letter[8] = "";
        GetDlgItemTextA(dialog, IDC_CHANNEL_LETTER + k, letter, sizeof letter);
        letters += letter[0] == '&' ? letter + 1 : letter;
    }
    return letters;
}

// The mnemonic letter of every control that has one, in the template's
// order, and a space for a label without one.
std::string Mnemonics(HWND dialog)
{
    std::string keys;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char text[64] = "", kind[16] = "";
        GetWindowTextA(c, text, sizeof text);
        GetClassNameA(c, kind, sizeof kind);
        if (const char *mark = std::strchr(text, '&'))
            keys += char(std::toupper(uint8_t(mark[1])));
        else if (text[0] && lstrcmpiA(kind, "Static") == 0)
            keys += ' ';
    }
    return keys;
}

void SelectName(HWND named, const char *name)
{
    HWND list = GetDlgItem(named, IDC_NAME_LIST);
    SendMessageA(list, LB_SETCURSEL, SendMessageA(list, LB_FINDSTRINGEXACT, -1, LPARAM(name)), 0);
    SendMessageA(named, WM_COMMAND, MAKEWPARAM(IDC_NAME_LIST, LBN_SELCHANGE), LPARAM(list));
}

void ExpectColour(const float *colour, float r, float g, float b)
{
    EXPECT_NEAR(colour[0], r, 1e-5f);
    EXPECT_NEAR(colour[1], g, 1e-5f);
    EXPECT_NEAR(colour[2], b, 1e-5f);
}

class ColourDialogs : public testing::Test {
protected:
    void SetUp() override
    {
        moduleHandle = GetModuleHandleA(nullptr);
        instance_ = LinkedPlugin().NewInstance(&services_);
        WritePrivateProfileStringA(kCustom, nullptr, nullptr, kIni);
        watcher_.OnDialog([this](HWND dialog) {
            if (GetDlgItem(dialog, IDC_CHANNEL_BAR))
                RunDialogScript(dialog, steps_);
            else if (inner_)
                inner_(dialog);
        });
    }
    void TearDown() override { LinkedPlugin().Destroy(instance_); }

    // Runs the selector on colour_ with the steps, then OK unless a step ended
    // it. A step that opens a dialog from the selector sets inner_ first, which
    // acts on that dialog as it opens and posts the command that ends it.
    int16_t RunSelector(float r, float g, float b, std::vector<DialogStep> steps)
    {
        colour_[0] = r, colour_[1] = g, colour_[2] = b;
        steps_ = std::move(steps);
        steps_.push_back([](HWND dialog) { Command(dialog, IDOK); });
        return OpenColourSelector(nullptr, "Base Color", colour_);
    }

    TestServices services_{kIni};
    PluginInstance *instance_ = nullptr;
    ModalWatcher watcher_;
    std::vector<DialogStep> steps_;
    std::function<void(HWND)> inner_;
    float colour_[3] = {};
};

TEST_F(ColourDialogs, RgbBarsStepByLinePageAndThumbAndStopAtBothEnds)
{
    const struct {
        int bar, code, thumb, shown;
    } steps[] = {
        {0, SB_LINERIGHT, 0, 128}, {0, SB_PAGERIGHT, 0, 144},   {0, SB_LINELEFT, 0, 143},
        {0, SB_PAGELEFT, 0, 127},  {0, SB_THUMBTRACK, 200, 200}, {0, SB_THUMBPOSITION, 9, 9},
        {0, SB_PAGELEFT, 0, 0},    {0, SB_LINELEFT, 0, 0},       {1, SB_RIGHT, 0, 255},
        {1, SB_LEFT, 0, 0},        {2, SB_LINERIGHT, 0, 255},    {2, SB_ENDSCROLL, 0, 255},
    };
    EXPECT_EQ(RunSelector(0.5f, 0, 1, {[&](HWND dialog) {
                  char frame[32];
                  GetDlgItemTextA(dialog, IDC_COLOR_FRAME, frame, sizeof frame);
                  EXPECT_STREQ(frame, "Base Color");
                  EXPECT_EQ(Letters(dialog), "RGB");
                  EXPECT_EQ(Mnemonics(dialog), "RGBXMHOCUNP") << "the other mode's letter";
                  EXPECT_EQ(Numbers(dialog), (Triple{127, 0, 255}));
                  std::vector<int> tabs;  // bars, fields, mode, buttons
                  HWND at = GetDlgItem(dialog, IDC_CHANNEL_BAR);
                  for (int i = 0; i < 13; ++i, at = GetNextDlgTabItem(dialog, at, FALSE))
                      tabs.push_back(GetDlgCtrlID(at));
                  EXPECT_EQ(tabs, (std::vector<int>{2000, 2001, 2002, 2003, 2004, 2005, 2016,
                                                    IDC_MODE_RGB, IDOK, IDCANCEL, 1008, 2012,
                                                    2006}));
                  for (const auto &step : steps) {
                      Scroll(dialog, step.bar, step.code, step.thumb);
                      EXPECT_EQ(colour_[step.bar], step.shown / 255.0f) << step.code;
                      EXPECT_EQ(Numbers(dialog)[step.bar], step.shown);
                      EXPECT_EQ(Position(dialog, step.bar), step.shown);
                  }
                  DibCanvas swatch(GetDlgItem(dialog, IDC_SELECTOR_SWATCH));
                  EXPECT_EQ(swatch.Pixel(0, 0), RGB(0, 0, 0)) << "the frame";
                  EXPECT_EQ(swatch.Pixel(swatch.width() / 2, swatch.height() / 2),
                            RGB(0, 0, 255));
              }}),
              1);
    ExpectColour(colour_, 0, 0, 1);
}

// Hue steps 2 degrees a line, saturation and value 2/255, pages 17; neither
// saturation nor value goes below 1/255; greys have no hue. The mode changes
// only the display.
TEST_F(ColourDialogs, HsvBarsStepHueInDegreesAndStopSaturationAndValueAtOne255th)
{
    RunSelector(1, 0, 0, {[&](HWND dialog) {
        Command(dialog, IDC_MODE_HSV);
        ExpectColour(colour_, 1, 0, 0);
        EXPECT_EQ(Letters(dialog), "HSV");
        EXPECT_EQ(Mnemonics(dialog), "HSVXMROCUNP");
        EXPECT_EQ(Numbers(dialog), (Triple{0, 100, 100})) << "degrees and percent";
        Scroll(dialog, 0, SB_LINERIGHT);
        ExpectColour(colour_, 1, 2 / 60.0f, 0);
        Scroll(dialog, 0, SB_PAGERIGHT);
        ExpectColour(colour_, 1, 19 / 60.0f, 0);
        Scroll(dialog, 0, SB_THUMBTRACK, 170);  // 170 / 255 * 359 degrees
        ExpectColour(colour_, 0, 1 / 60.0f, 1);
        EXPECT_EQ(Numbers(dialog)[0], 239);
        EXPECT_EQ(Position(dialog, 0), 169);
        Scroll(dialog, 0, SB_RIGHT);
        ExpectColour(colour_, 1, 0, 1 / 60.0f);
        EXPECT_EQ(Position(dialog, 0), 255);

        Scroll(dialog, 1, SB_LINELEFT);
        EXPECT_NEAR(colour_[1], 2 / 255.0f, 1e-6f) << "the smallest channel is v (1 - s)";
        Scroll(dialog, 1, SB_PAGELEFT);
        EXPECT_NEAR(colour_[1], 19 / 255.0f, 1e-6f);
        Scroll(dialog, 2, SB_PAGELEFT);
        EXPECT_NEAR(colour_[0], 238 / 255.0f, 1e-6f) << "the largest channel is v";
        EXPECT_EQ(Numbers(dialog), (Triple{359, 92, 93}));
        EXPECT_EQ(Position(dialog, 1), 236);
        Scroll(dialog, 1, SB_LEFT);
        Scroll(dialog, 2, SB_LEFT);
        EXPECT_EQ(Position(dialog, 1), 1);
        EXPECT_EQ(Position(dialog, 2), 1);
        EXPECT_NEAR(colour_[0], 1 / 255.0f, 1e-7f);


        // A grey has no hue: it shows 0, the hue bar leaves it grey, saturation
        // starts from red. Black scrolls as if saturation and value were 1/255.
        colour_[0] = colour_[1] = colour_[2] = 0.5f;
        Scroll(dialog, 0, SB_PAGERIGHT);
        ExpectColour(colour_, 0.5f, 0.5f, 0.5f);
        EXPECT_EQ(Numbers(dialog), (Triple{0, 0, 50}));
        Scroll(dialog, 1, SB_LINERIGHT);
        ExpectColour(colour_, 0.5f, 0.5f * 253 / 255, 0.5f * 253 / 255);
        colour_[0] = colour_[1] = colour_[2] = 0;
        Scroll(dialog, 2, SB_LINERIGHT);
        ExpectColour(colour_, 3 / 255.0f, 3 / 255.0f * 254 / 255, 3 / 255.0f * 254 / 255);
        EXPECT_EQ(Position(dialog, 1), 1);
        EXPECT_EQ(Position(dialog, 2), 3);
        colour_[0] = colour_[1] = colour_[2] = 0;
        Scroll(dialog, 0, SB_LINERIGHT);
        EXPECT_NEAR(colour_[0], 1 / 255.0f, 1e-7f);

        const float before[3] = {colour_[0], colour_[1], colour_[2]};
        Command(dialog, IDC_MODE_RGB);
        ExpectColour(colour_, before[0], before[1], before[2]);
        EXPECT_EQ(Letters(dialog), "RGB");
    }});
}

// A click into a field selects its text, so that what is typed replaces it;
// a number sets the colour clamped to the field's range, a hex colour the
// channels whose byte differs; other text changes nothing. Leaving the field
// shows the colour's value again.
TEST_F(ColourDialogs, TypedNumbersAndHexSetTheColourAndShowItOnLeaving)
{
    const int rgb = IDC_MODE_RGB, hsv = IDC_MODE_HSV, first = IDC_CHANNEL_NUMBER;
    const int second = first + 1, third = first + 2, hex = IDC_HEX_FIELD;
    const struct {
        const char *name;
        int mode, field;
        std::array<float, 3> start;
        const char *typed;
        std::array<float, 3> colour;
        Triple numbers;
        const char *hex;
    } rows[] = {
        {"green", rgb, second, {1, 0, 0}, "200", {1, 200 / 255.0f, 0}, {255, 200, 0}, "#FFC800"},
        {"above 255", rgb, third, {1, 0, 0}, "300", {1, 0, 1}, {255, 0, 255}, "#FF00FF"},
        {"no number", rgb, second, {1, 0, 0}, "x12", {1, 0, 0}, {255, 0, 0}, "#FF0000"},
        {"hue", hsv, first, {1, 0, 0}, "120", {0, 1, 0}, {120, 100, 100}, "#00FF00"},
        {"above 359", hsv, first, {1, 0, 0}, "400", {1, 0, 1 / 60.0f}, {359, 100, 100}, "#FF0004"},
        {"saturation", hsv, second, {1, 0, 0}, "50", {1, 0.5f, 0.5f}, {0, 50, 100}, "#FF7F7F"},
        {"value 0", hsv, third, {1, 0, 0}, "0", {1 / 255.0f, 0, 0}, {0, 100, 0}, "#010000"},
        {"hex", rgb, hex, {1, 0, 0}, "#00FF80", {0, 1, 128 / 255.0f}, {0, 255, 128}, "#00FF80"},
        {"no #", rgb, hex, {0, 0, 0}, "8000ff", {128 / 255.0f, 0, 1}, {128, 0, 255}, "#8000FF"},
        {"same bytes", rgb, hex, {0.5f, 0.2f, 0.7f}, "#7F33FF", {0.5f, 0.2f, 1}, {127, 51, 255},
         "#7F33FF"},
        {"short hex", rgb, hex, {1, 0, 0}, "#12345", {1, 0, 0}, {255, 0, 0}, "#FF0000"},
    };
    std::vector<DialogStep> steps;
    for (const auto &row : rows) {
        steps.push_back([&](HWND dialog) {
            std::memcpy(colour_, row.start.data(), sizeof colour_);
            Command(dialog, row.mode);
            SendDlgItemMessageA(dialog, row.field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
            SendDlgItemMessageA(dialog, row.field, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        });
        steps.push_back([&](HWND dialog) {
            for (const char *c = row.typed; *c; ++c)
                SendDlgItemMessageA(dialog, row.field, WM_CHAR, WPARAM(*c), 1);
            SetFocus(GetDlgItem(dialog, IDC_CHANNEL_BAR));
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(colour_[k], row.colour[k], 1e-5f) << row.name << " channel " << k;
                if (row.mode == rgb) {
                    EXPECT_EQ(Position(dialog, k), row.numbers[k]) << row.name << " bar " << k;
                }
            }
            EXPECT_EQ(Numbers(dialog), row.numbers) << row.name;
            EXPECT_EQ(WindowText(GetDlgItem(dialog, hex)), row.hex) << row.name;
        });
    }
    RunSelector(0, 0, 0, steps);
}

// The list is sorted with the last matching name selected (Cyan after Aqua);
// a picked name shows at once, Cancel takes it back, OK hands it over. When
// no name matches there is no selection, and the colour's own numbers and
// swatch show; a name whose copy cannot be allocated leaves the colour.
TEST_F(ColourDialogs, NamedSelectorShowsTheLastMatchingNameAndHandsBackThePick)
{
    const int64_t blocks = QiHost_Live_Blocks();
    RunSelector(0, 1, 1, {
        [&](HWND dialog) {
            inner_ = [](HWND named) {
                HWND list = GetDlgItem(named, IDC_NAME_LIST);
                EXPECT_TRUE(GetWindowLongA(list, GWL_STYLE) & LBS_SORT);
                EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0),
                          SendMessageA(list, LB_FINDSTRINGEXACT, -1, LPARAM("Cyan")));
                EXPECT_EQ(Numbers(named, IDC_NAMED_RED), (Triple{0, 255, 255}));
                SelectName(named, "Purple");
                EXPECT_EQ(Numbers(named, IDC_NAMED_RED), (Triple{128, 0, 128}));
                PostMessageA(named, WM_COMMAND, IDCANCEL, 0);
            };
            Command(dialog, IDC_COLOR_NAMES);
            ExpectColour(colour_, 0, 1, 1);
        },
        [&](HWND dialog) {
            inner_ = [](HWND named) {
                SelectName(named, "Purple");
                PostMessageA(named, WM_COMMAND, IDOK, 0);
            };
            Command(dialog, IDC_COLOR_NAMES);
            ExpectColour(colour_, 128 / 255.0f, 0, 128 / 255.0f);
            EXPECT_EQ(Numbers(dialog), (Triple{128, 0, 128}));
        },
        [&](HWND dialog) {
            colour_[0] = 0.2f, colour_[1] = 0.3f, colour_[2] = 0.4f;
            inner_ = [](HWND named) {
                EXPECT_EQ(SendDlgItemMessageA(named, IDC_NAME_LIST, LB_GETCURSEL, 0, 0), LB_ERR);
                EXPECT_EQ(Numbers(named, IDC_NAMED_RED), (Triple{51, 76, 102}));
                DibCanvas swatch(GetDlgItem(named, IDC_NAMED_SWATCH));
                EXPECT_EQ(swatch.Pixel(swatch.width() / 2, swatch.height() / 2),
                          RGB(51, 76, 102));
                QiHost_Fail_Allocations(0, 1);
                SelectName(named, "Purple");
                QiHost_Fail_Allocations(0, 0);
                EXPECT_EQ(Numbers(named, IDC_NAMED_RED), (Triple{51, 76, 102}));
                PostMessageA(named, WM_COMMAND, IDOK, 0);
            };
            Command(dialog, IDC_COLOR_NAMES);
            ExpectColour(colour_, 0.2f, 0.3f, 0.4f);
        },
    });
    EXPECT_EQ(QiHost_Live_Blocks(), blocks) << "the selected name is freed";
}

// Missing custom colours are the grey ramp; all sixteen are saved, as "%ud",
// only when the user chooses a colour.
TEST_F(ColourDialogs, SystemColourDialogKeepsCustomColoursOnlyAfterOk)
{
    WritePrivateProfileStringA(kCustom, "Custom-Color3", "255d", kIni);
    auto saved = [](int number) {
        char key[32], value[32] = "";
        wsprintfA(key, "Custom-Color%d", number);
        GetPrivateProfileStringA(kCustom, key, "", value, sizeof value, kIni);
        return std::string(value);
    };
    RunSelector(1, 1, 1, {
        [&](HWND dialog) {
            inner_ = [](HWND chooser) {
                EXPECT_EQ(Numbers(chooser, kChooserRed), (Triple{255, 255, 255}));
                SendMessageA(chooser, WM_COMMAND, kChooserAdd, 0);
                PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
            };
            Command(dialog, IDC_COLOR_PALETTE);
            ExpectColour(colour_, 1, 1, 1);
            EXPECT_EQ(saved(1), "") << "nothing is written on Cancel";
        },
        [&](HWND dialog) {
            inner_ = [](HWND chooser) {
                SetDlgItemInt(chooser, kChooserRed + 1, 0, FALSE);
                SetDlgItemInt(chooser, kChooserRed + 2, 0, FALSE);
                SendMessageA(chooser, WM_COMMAND, kChooserAdd, 0);
                PostMessageA(chooser, WM_COMMAND, IDOK, 0);
            };
            Command(dialog, IDC_COLOR_PALETTE);
            ExpectColour(colour_, 1, 0, 0);
            EXPECT_EQ(Numbers(dialog), (Triple{255, 0, 0}));
        },
    });
    EXPECT_EQ(saved(1), "255d") << "added in the dialog";
    EXPECT_EQ(saved(2), "15724527d") << "0xEFEFEF";
    EXPECT_EQ(saved(3), "255d") << "read from the file";
    EXPECT_EQ(saved(16), "986895d") << "0x0F0F0F";
}

}  // namespace
