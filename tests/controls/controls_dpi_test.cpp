// The custom controls at 96, 144 and 192 DPI, each hit where it draws.
// Wine reads the DPI (LogPixels) when a process starts, so each DPI runs in
// a child process started with the value set, which the child gives back
// (the value before, or none: -1) as soon as it has its first window.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "controls/tabbed_panel.h"
#include "controls/tiny_slider.h"
#include "controls/window_dpi.h"
#include "frame/plugin_instance.h"
#include "gradient/colour_slider.h"
#include "tests/support/dib_canvas.h"
#include "tests/support/recording_window.h"

namespace {

const char kDesktop[] = "Control Panel\\Desktop";
const COLORREF kBlack = RGB(0, 0, 0);
int dpi = kDefaultDpi;

void SetLogPixels(long value)
{
    const DWORD dword = DWORD(value);
    if (value >= 0)
        RegSetKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels", REG_DWORD, &dword, sizeof dword);
    else
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels");
}

// The exit code of the child at `at` DPI.
DWORD RunChildAtDpi(long at)
{
    DWORD old = 0, size = sizeof old;
    const bool had = RegGetValueA(HKEY_CURRENT_USER, kDesktop, "LogPixels", RRF_RT_REG_DWORD, nullptr, &old,
                                  &size) == ERROR_SUCCESS;
    const long before = had ? long(old) : -1;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string command = std::string("\"") + path +
                          "\" --gtest_also_run_disabled_tests --gtest_filter=*DISABLED_AtThisDpi " +
                          std::to_string(at) + " " + std::to_string(before);
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION child = {};
    DWORD code = 99;
    SetLogPixels(at);
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
        if (WaitForSingleObject(child.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(child.hProcess, 98);
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }
    SetLogPixels(before);
    return code;
}

int Px(int pixels)
{
    return ScalePixels(pixels, dpi);
}

void Click(HWND window, int x, int y)
{
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The x of every pixel of `colour` in row y, left to right.
std::vector<int> InRow(const DibCanvas &canvas, int y, COLORREF colour)
{
    std::vector<int> xs;
    for (int x = 0; x < canvas.width(); ++x)
        if (canvas.Pixel(x, y) == colour)
            xs.push_back(x);
    return xs;
}

// The thumb as wide as its DPI makes it, at the middle of the drawn track
// for the middle value; a click on either drawn end takes that end.
void CheckSlider(HWND parent)
{
    TinySlider slider = {};
    ASSERT_NE(CreateTinySlider(parent, moduleHandle, &slider, 77, nullptr), nullptr);
    slider.limitHigh = 100.0f;
    MoveWindow(slider.hwnd, 0, 0, Px(296), TinySliderRowHeight(dpi), FALSE);
    SetTinySliderValue(&slider, 50.0f, 1, 0);
    DibCanvas canvas(slider.hwnd);
    const int bottom = canvas.height();
    std::vector<int> thumb = InRow(canvas, bottom - 1, kBlack), track = InRow(canvas, bottom - Px(8), kBlack);
    ASSERT_TRUE(!thumb.empty() && !track.empty());
    EXPECT_EQ(thumb.back() - thumb.front(), 2 * Px(6)) << "the thumb's base";
    EXPECT_NEAR(thumb.front() + thumb.back(), track.front() + track.back(), 2) << "the thumb at 50";
    for (int end : {0, 1}) {
        Click(slider.hwnd, end ? track.back() : track.front(), bottom - 2);
        EXPECT_EQ(slider.floatValue, end ? 100.0f : 0.0f) << "a click on the drawn track's end " << end;
    }
    DestroyTinySlider(&slider);
}

// A click on either drawn edge of a pivot's marker, or its middle, selects it.
void CheckGradient(HWND parent)
{
    SetWindowLongA(parent, GWL_STYLE, GetWindowLongA(parent, GWL_STYLE) & ~WS_CLIPCHILDREN);
    const int bar = Px(15), width = Px(300);
    int32_t height = 0, labelOffset = 0;
    GradientControlLayout(bar, &height, &labelOffset);
    HWND button = CreateWindowExA(0, "button", "", WS_CHILD | WS_VISIBLE, 0, Px(40), width, height, parent,
                                  reinterpret_cast<HMENU>(10004), moduleHandle, nullptr);
    auto *slider = new CColourSlider(parent, moduleHandle, "Colors", 0, 10004, width, bar, nullptr);
    slider->hasMenuButton = 0;  // its outline would cross the row read below
    slider->pivots.count = 3;
    slider->pivots.position[1] = 50;
    slider->pivots.position[2] = 99;
    DibCanvas canvas(width, 2 * bar, RGB(1, 2, 3));
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    const int y = bar + Px(4);
    std::vector<int> edges = InRow(canvas, y, kBlack);
    ASSERT_EQ(edges.size(), 6u) << "two edges of each of three markers in row " << y;
    for (int pivot = 0; pivot < 3; ++pivot) {
        const int left = edges[2 * pivot], right = edges[2 * pivot + 1];
        EXPECT_EQ(right - left, 2 * Px(3)) << "marker " << pivot;
        for (int x : {left, (left + right) / 2, right}) {
            slider->pivots.selected[pivot] = 0;
            Click(button, x, y);
            EXPECT_EQ(slider->pivots.selected[pivot], 1) << "marker " << pivot << " at x " << x;
        }
    }
    delete slider;
    DestroyWindow(button);
}

// A click in the middle of each drawn tab reports it.
void CheckTabs(const RecordingWindow &parent)
{
    TabEntry tabs[] = {{0, 0, 0, "Element Parameters", 1502},
                       {0, 0, 0, "Global Parameters", 1500},
                       {0, 0, 0, "Global Fading Parameters", 1501}};
    TabbedPanel panel = {};
    RegisterTabbedPanelClass();
    ASSERT_NE(CreateTabbedPanel(parent.hwnd(), &panel, tabs, 3, Px(600), 0, 0, 0, 0.0f), nullptr);
    SendMessageA(panel.hwnd, TPM_SELECT, 1500, 0);
    DibCanvas canvas(panel.hwnd);
    const int h = canvas.height();
    std::vector<int> edges = InRow(canvas, h - 2, kBlack);
    ASSERT_EQ(edges.size(), 3u) << "the right edges of three tabs";
    for (int i = 0, left = 0; i < 3; left = edges[i++] + 1) {
        Click(panel.hwnd, (left + edges[i]) / 2, h - Px(4));
        std::vector<RecordedMessage> clicked = parent.Received({TPN_CLICKED});
        ASSERT_EQ(int(clicked.size()), i + 1) << tabs[i].text;
        EXPECT_EQ(int16_t(clicked.back().wParam), tabs[i].id) << tabs[i].text;
    }
    DestroyTabbedPanel(&panel);
    DeleteTabbedPanelFonts();
}

TEST(ControlsAtDpi, AreHitWhereTheyDraw)
{
    for (long row : {96, 144, 192})
        EXPECT_EQ(RunChildAtDpi(row), 0u) << "at " << row << " DPI";
}

// The child: its DPI and the value to give back are its last arguments.
TEST(ControlsAtDpi, DISABLED_AtThisDpi)
{
    ASSERT_GT(__argc, 2);
    dpi = std::atoi(__argv[__argc - 2]);
    moduleHandle = GetModuleHandleA(nullptr);
    RecordingWindow parent;
    SetLogPixels(std::atol(__argv[__argc - 1]));
    ASSERT_EQ(WindowDpi(parent.hwnd()), dpi) << "the system took LogPixels";
    int16_t taken = kDefaultDpi;
    EXPECT_EQ(TakeWindowDpi(parent.hwnd(), &taken), dpi != kDefaultDpi);
    EXPECT_EQ(std::make_pair(int(taken), TakeWindowDpi(parent.hwnd(), &taken)),
              std::make_pair(dpi, false)) << "a DPI taken is kept until it changes";
    CheckSlider(parent.hwnd());
    CheckGradient(parent.hwnd());
    CheckTabs(parent);
}

}  // namespace
