// The custom controls at 96, 144 and 192 DPI: each is hit where it draws.
// Wine reads the DPI (LogPixels) when a process starts, so every DPI runs
// in a child process of this program, started with the value set and
// given back at once.
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

const char kDesktopKey[] = "Control Panel\\Desktop";
const COLORREF kBlack = RGB(0, 0, 0);

void RestoreLogPixels(HKEY key, bool had, DWORD old)
{
    if (had)
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&old), sizeof old);
    else
        RegDeleteValueA(key, "LogPixels");
}

// Runs this program's case `filter` in a process that starts at `dpi`,
// which signals `started` once it has its first window; the registry value
// is as before from then on. The exit code, or 97 when it never started.
DWORD RunAtDpi(int dpi, const char *filter)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    DWORD old = 0, size = sizeof old;
    const bool had = RegQueryValueExA(key, "LogPixels", nullptr, nullptr, reinterpret_cast<BYTE *>(&old), &size) ==
                     ERROR_SUCCESS;
    const DWORD value = DWORD(dpi);
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value), sizeof value);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string event = "lf-dpi-test-" + std::to_string(GetCurrentProcessId());
    HANDLE started = CreateEventA(nullptr, TRUE, FALSE, event.c_str());
    std::string command = std::string("\"") + path + "\" --gtest_also_run_disabled_tests --gtest_filter=" +
                          filter + " " + std::to_string(dpi) + " " + event;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    DWORD code = 99;
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        HANDLE either[] = {started, process.hProcess};
        WaitForMultipleObjects(2, either, FALSE, 10000);
        RestoreLogPixels(key, had, old);
        if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
            TerminateProcess(process.hProcess, 98);
        GetExitCodeProcess(process.hProcess, &code);
        if (WaitForSingleObject(started, 0) != WAIT_OBJECT_0)
            code = 97;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    RestoreLogPixels(key, had, old);
    RegCloseKey(key);
    CloseHandle(started);
    return code;
}

int dpi = kDefaultDpi;

int Px(int pixels)
{
    return ScalePixels(pixels, dpi);
}

void Click(HWND window, int x, int y)
{
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The x of every pixel of row y that has `colour`, left to right.
std::vector<int> InRow(const DibCanvas &canvas, int y, COLORREF colour, int left = 0, int right = -1)
{
    std::vector<int> xs;
    for (int x = left; x < (right < 0 ? canvas.width() : right); ++x)
        if (canvas.Pixel(x, y) == colour)
            xs.push_back(x);
    return xs;
}

// The slider: the drawn thumb is the whole width its DPI gives it, centred
// on the drawn track at the middle value, and a click on either drawn end
// of the track takes the range's end; the field stays above the track.
void CheckSlider(HWND parent)
{
    TinySlider slider = {};
    ASSERT_NE(CreateTinySlider(parent, moduleHandle, &slider, 77, nullptr), nullptr);
    slider.floatMin = slider.limitLow = 0.0f;
    slider.floatMax = slider.limitHigh = 100.0f;
    MoveWindow(slider.hwnd, 0, 0, Px(296), TinySliderRowHeight(dpi), FALSE);
    SetTinySliderValue(&slider, 50.0f, 1, 0);
    DibCanvas canvas(slider.hwnd);
    const int bottom = canvas.height();
    std::vector<int> base = InRow(canvas, bottom - 1, kBlack), track = InRow(canvas, bottom - Px(8), kBlack);
    ASSERT_FALSE(base.empty());
    ASSERT_FALSE(track.empty());
    EXPECT_EQ(base.back() - base.front(), 2 * Px(6)) << "the thumb's base";
    EXPECT_NEAR((base.front() + base.back()) / 2, (track.front() + track.back()) / 2, 1) << "thumb at 50";
    RECT field;
    GetWindowRect(slider.hwndEdit, &field);
    MapWindowPoints(nullptr, slider.hwnd, reinterpret_cast<POINT *>(&field), 2);
    EXPECT_LT(field.bottom, bottom - Px(8)) << "the field above the track";
    const struct {
        int x;
        float value;
    } ends[] = {{track.front(), 0.0f}, {track.back(), 100.0f}};
    for (const auto &end : ends) {
        Click(slider.hwnd, end.x, bottom - 2);
        EXPECT_EQ(slider.floatValue, end.value) << "a click on the track's drawn end at x " << end.x;
    }
    DestroyTinySlider(&slider);
}

// The gradient: a click on either drawn edge of a pivot's marker, or its
// middle, selects that pivot.
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
    const int32_t positions[] = {0, 50, 99};
    for (int i = 0; i < 3; ++i) {
        slider->pivots.colour[i] = 0x808080;
        slider->pivots.position[i] = positions[i];
    }
    DibCanvas canvas(width, 2 * bar, RGB(1, 2, 3));
    SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()), PRF_CLIENT);
    const int y = bar + Px(4);
    std::vector<int> edges = InRow(canvas, y, kBlack);
    ASSERT_EQ(edges.size(), 6u) << "two edges of each of three markers in row " << y;
    for (int pivot = 1; pivot <= 3; ++pivot) {
        const int left = edges[2 * pivot - 2], right = edges[2 * pivot - 1];
        EXPECT_EQ(right - left, 2 * Px(3)) << "marker " << pivot;
        for (int x : {left, (left + right) / 2, right}) {
            for (int i = 0; i < GRADIENT_CAPACITY; ++i)
                slider->pivots.selected[i] = 0;
            Click(button, x, y);
            EXPECT_EQ(slider->pivots.selected[pivot - 1], 1) << "marker " << pivot << " at x " << x;
        }
    }
    delete slider;
    DestroyWindow(button);
}

// The tab strip: a click in the middle of each drawn tab reports that tab,
// and no label runs into its tab's right edge.
void CheckTabs(HWND parent, const RecordingWindow &recorder)
{
    TabEntry tabs[] = {{0, 0, 0, "Element Parameters", 1502},
                       {0, 0, 0, "Global Parameters", 1500},
                       {0, 0, 0, "Global Fading Parameters", 1501}};
    TabbedPanel panel = {};
    panel.insetEdges = 1;
    RegisterTabbedPanelClass();
    ASSERT_NE(CreateTabbedPanel(parent, &panel, tabs, 3, Px(600), 0, 0, 0, 0.0f), nullptr);
    SendMessageA(panel.hwnd, TPM_SELECT, 1500, 0);
    DibCanvas canvas(panel.hwnd);
    const int h = canvas.height();
    std::vector<int> edges = InRow(canvas, h - 2, kBlack);
    ASSERT_EQ(edges.size(), 3u) << "the right edges of three tabs";
    int left = 0;
    for (int i = 0; i < 3; ++i) {
        int ink = -1;
        for (int row = 0; row < h - 2; ++row)
            for (COLORREF colour : {kBlack, RGB(191, 0, 0)})
                for (int x : InRow(canvas, row, colour, left + 1, edges[i] - 1))
                    ink = x > ink ? x : ink;
        EXPECT_LE(ink, edges[i] - Px(3)) << tabs[i].text << " reaches its edge at " << edges[i];
        const int count = int(recorder.Received({TPN_CLICKED}).size());
        Click(panel.hwnd, (left + edges[i]) / 2, h - Px(4));
        std::vector<RecordedMessage> clicked = recorder.Received({TPN_CLICKED});
        ASSERT_EQ(int(clicked.size()), count + 1) << tabs[i].text;
        EXPECT_EQ(int16_t(clicked.back().wParam), tabs[i].id) << tabs[i].text;
        left = edges[i] + 1;
    }
    DestroyTabbedPanel(&panel);
    DeleteTabbedPanelFonts();
}

TEST(ControlsAtDpi, AreHitWhereTheyDraw)
{
    for (int row : {96, 144, 192})
        EXPECT_EQ(RunAtDpi(row, "ControlsAtDpi.DISABLED_AtThisDpi"), 0u) << "at " << row << " DPI";
}

// Started by the case above with the DPI and the name of its event as the
// last arguments.
TEST(ControlsAtDpi, DISABLED_AtThisDpi)
{
    ASSERT_GT(__argc, 2);
    dpi = std::atoi(__argv[__argc - 2]);
    moduleHandle = GetModuleHandleA(nullptr);
    RecordingWindow parent;
    HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, __argv[__argc - 1]);
    ASSERT_NE(started, nullptr);
    SetEvent(started);
    CloseHandle(started);
    ASSERT_EQ(WindowDpi(parent.hwnd()), dpi) << "the system took LogPixels";
    CheckSlider(parent.hwnd());
    CheckGradient(parent.hwnd());
    CheckTabs(parent.hwnd(), parent);
}

}  // namespace
