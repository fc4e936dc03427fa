// Times the editor as quorix.exe's user meets it: the real main window and
// the real lensflare.dll, opened with the menu command. For the default
// flare and for a flare of 16 elements (two of each type):
//   - the opening: from the menu command to the first preview drawn on the
//     screen (the preview control's first WM_DRAWITEM has returned);
//   - one step of a light drag in the preview (a mouse move with the button
//     down: render, conversion, repaint);
//   - one step of a global slider drag (the value, the commit of the flare,
//     render, conversion, repaint);
//   - one live step of a global and of an element slider's drag with
//     realtime updates on: a mouse move with the button down (the value,
//     the commit, render, conversion, repaint);
//   - a selection change: another element selected in the list, its page
//     shown and everything painted, with each element type's page built
//     anew (as the editor did before it kept them: "Keep-Element-Pages=0")
//     and kept once built (after one round over the list), and with Solo on.
// The two flares take turns, so that the machine's other work falls on both
// alike; medians, and the 16-element figures as ratios of the default's.
//
//   editor_bench [--iterations N] [--smoke]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "controls/tabbed_panel.h"
#include "host/app/main_window.h"
#include "host/app/quorix_resources.h"
#include "host/core/qi_host.h"
#include "bench/bench_options.h"
#include "tests/support/test_services.h"

namespace {

using Clock = std::chrono::steady_clock;

int iterations = 41;

double Ms(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Ids in the editor's template: the preview, the intensity slider (it takes
// its placeholder's id) and the page shown with it; the element page and the
// first control id of its panel.
constexpr int kPreviewId = 1000;
constexpr int kElementListId = 1005;
constexpr int kSoloId = 1030;
constexpr int kIntensitySliderId = 1801;
constexpr WPARAM kGlobalPage = 1500;
constexpr WPARAM kElementPage = 1502;
constexpr int kFirstPanelId = 10000;

// The two flares take turns, round after round, so that whatever else the
// machine does falls on both alike.
constexpr int kFlares = 2;
int rounds = 5;  // one for a smoke run

// Samples of one flare, in milliseconds.
struct Samples {
    std::vector<double> opening;
    std::vector<double> lightStep;
    std::vector<double> sliderStep;
    std::vector<double> liveGlobalStep;
    std::vector<double> liveElementStep;
    std::vector<double> selectBuilt;  // pages built anew
    std::vector<double> selectKept;   // pages kept
    std::vector<double> selectSolo;   // pages kept, Solo on
};
Samples samples[kFlares];
int current;  // the flare being measured

// What the hooks do with the next editor that opens.
enum class Visit { kFirstPreview, kInside };
Visit visit;
Clock::time_point firstPreview;
bool previewSeen;
HWND editor;
HWND driver;
int stepsPerVisit;
bool keepPages;  // the visit's "Keep-Element-Pages"
const char *iniPath;

void TimeSteps(std::vector<double> &into, const std::function<void()> &step)
{
    step();
    for (int i = 0; i < stepsPerVisit; ++i) {
        auto start = Clock::now();
        step();
        into.push_back(Ms(start, Clock::now()));
    }
}

// Moves with the button down between a quarter and three quarters of the
// preview's width.
void LightDragSteps(HWND preview)
{
    RECT client;
    GetClientRect(preview, &client);
    int x = client.right / 4, y = client.bottom / 2;
    SendMessageA(preview, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    UpdateWindow(preview);
    TimeSteps(samples[current].lightStep, [&] {
        x = x == client.right / 4 ? client.right * 3 / 4 : client.right / 4;
        SendMessageA(preview, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        UpdateWindow(preview);
    });
    SendMessageA(preview, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// Each step presses on the slider, moves to the other place and releases:
// the release commits the new value and redraws the preview.
void SliderDragSteps(HWND dialog, HWND preview)
{
    SendMessageA(dialog, TPN_CLICKED, kGlobalPage, 0);
    HWND slider = GetDlgItem(dialog, kIntensitySliderId);
    RECT client;
    GetClientRect(slider, &client);
    int y = client.bottom * 3 / 4, x = client.right / 4;
    TimeSteps(samples[current].sliderStep, [&] {
        int from = x;
        x = x == client.right / 4 ? client.right * 3 / 4 : client.right / 4;
        SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from, y));
        SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        UpdateWindow(preview);
    });
}

// Moves with the button down between a quarter and three quarters of the
// slider: with realtime updates on, each move commits and redraws.
void LiveDragSteps(HWND slider, HWND preview, std::vector<double> &into)
{
    RECT client;
    GetClientRect(slider, &client);
    int y = client.bottom * 3 / 4, x = client.right / 4;
    SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    TimeSteps(into, [&] {
        x = x == client.right / 4 ? client.right * 3 / 4 : client.right / 4;
        SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        UpdateWindow(preview);
    });
    SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

// The first small slider of the element page's panel.
HWND FirstPanelSlider(HWND dialog)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16] = "";
        GetClassNameA(child, cls, sizeof cls);
        if (GetDlgCtrlID(child) >= kFirstPanelId && lstrcmpA(cls, "TINYSLIDER") == 0)
            return child;
    }
    return nullptr;
}

// Selects the next element of the list as a click does and paints what
// changed; one round over the list first, so that every type's page has
// been made once.
void SelectionSteps(HWND dialog, std::vector<double> &into)
{
    SendMessageA(dialog, TPN_CLICKED, WPARAM(kElementPage), 0);
    HWND list = GetDlgItem(dialog, kElementListId);
    int count = int(SendMessageA(list, LB_GETCOUNT, 0, 0)), next = 0;
    auto select = [&] {
        next = (next + 1) % count;
        SendMessageA(list, LB_SETCURSEL, WPARAM(next), 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kElementListId, LBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
        RedrawWindow(dialog, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    for (int i = 0; i < count; ++i)
        select();
    TimeSteps(into, select);
}

LRESULT CALLBACK DriverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_APP)
        return DefWindowProcA(window, message, wParam, lParam);
    HWND preview = GetDlgItem(editor, kPreviewId);
    if (keepPages) {
        LightDragSteps(preview);
        SliderDragSteps(editor, preview);
        LiveDragSteps(GetDlgItem(editor, kIntensitySliderId), preview,
                      samples[current].liveGlobalStep);
        SelectionSteps(editor, samples[current].selectKept);
        if (HWND slider = FirstPanelSlider(editor))
            LiveDragSteps(slider, preview, samples[current].liveElementStep);
        SendMessageA(GetDlgItem(editor, kSoloId), BM_CLICK, 0, 0);
        if (IsDlgButtonChecked(editor, kSoloId))
            SelectionSteps(editor, samples[current].selectSolo);
    } else {
        SelectionSteps(editor, samples[current].selectBuilt);
    }
    PostMessageA(editor, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

// The editor is activated once its set-up is over.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && !editor) {
        editor = reinterpret_cast<HWND>(wParam);
        if (visit == Visit::kInside)
            PostMessageA(driver, WM_APP, 0, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The first preview on the screen: the editor's WM_DRAWITEM for the preview
// has returned. The editor is closed at once, as its close box does.
LRESULT CALLBACK DrawnProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto *sent = reinterpret_cast<const CWPRETSTRUCT *>(lParam);
    if (code == HC_ACTION && visit == Visit::kFirstPreview && !previewSeen &&
        sent->message == WM_DRAWITEM && sent->wParam == kPreviewId) {
        firstPreview = Clock::now();
        previewSeen = true;
        PostMessageA(sent->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void OpenEditor(HWND window, Visit how)
{
    visit = how;
    editor = nullptr;
    previewSeen = false;
    SendMessageA(window, WM_COMMAND, IDM_LENS_FLARE_EDITOR, 0);
}

const QiToken &Light()
{
    static const QiToken light = Qi_Inquire_Token("light");
    return light;
}

void DeleteAllElements()
{
    int32_t count = 0;
    Qi_Inquire_LensFlare(Light(), QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("numelements"), &count,
                         QI_GROUP, QI_END);
    for (int32_t e = count - 1; e >= 0; --e) {
        const char *guid = nullptr;
        Qi_Inquire_LensFlare(Light(), QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("element"), &e,
                             Qi_Inquire_Token("guid"), &guid, QI_GROUP, QI_END);
        Qi_LensFlare(Light(), QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("delete"), guid, QI_END);
    }
}

// Light1's flare made of two elements of each type the host offers.
void UseTwoOfEachType()
{
    DeleteAllElements();
    int32_t types = 0;
    Qi_LensFlare_Enumerate_ElementInfo(Qi_Inquire_Token("numelements"), &types, QI_END);
    for (int round = 0; round < 2; ++round) {
        for (int32_t t = 0; t < types; ++t) {
            const char *name = nullptr, *description = nullptr;
            Qi_LensFlare_Enumerate_ElementInfo(Qi_Inquire_Token("element"), &t,
                                               Qi_Inquire_Token("description"), &description,
                                               Qi_Inquire_Token("name"), &name, QI_GROUP, QI_END);
            const char *guid = nullptr;
            Qi_LensFlare(Light(), QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("insert"),
                         Qi_Inquire_Token("end"), name, &guid, QI_END);
        }
    }
}

int32_t ElementCount()
{
    int32_t count = 0;
    Qi_Inquire_LensFlare(Light(), QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("numelements"), &count,
                         QI_GROUP, QI_END);
    return count;
}

// The flares are kept as library files and loaded in turn into Light1.
void SaveFlare(const std::string &path)
{
    int32_t status = -1;
    Qi_LensFlare(Light(), QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("savetofile"), path.c_str(),
                 &status, QI_END);
}

void LoadFlare(const std::string &path)
{
    DeleteAllElements();
    int32_t status = -1;
    Qi_LensFlare(Light(), QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("loadfromfile"), path.c_str(),
                 &status, QI_END);
}

void TimeEditor(HWND window, const std::string (&flares)[kFlares])
{
    for (int i = -warmUps; i < iterations; ++i) {
        for (current = 0; current < kFlares; ++current) {
            LoadFlare(flares[current]);
            auto start = Clock::now();
            OpenEditor(window, Visit::kFirstPreview);
            if (i >= 0 && previewSeen)
                samples[current].opening.push_back(Ms(start, firstPreview));
        }
    }
    stepsPerVisit = std::max(1, (iterations + rounds - 1) / rounds);
    for (int round = 0; round < rounds; ++round) {
        for (current = 0; current < kFlares; ++current) {
            for (keepPages = false;; keepPages = true) {
                WritePrivateProfileStringA("Lens-Flare-UI", "Keep-Element-Pages",
                                           keepPages ? "1" : "0", iniPath);
                LoadFlare(flares[current]);
                OpenEditor(window, Visit::kInside);
                if (keepPages)
                    break;
            }
        }
    }
}

}  // namespace

int main(int argc, char **argv)
{
    bool smoke = false;
    if (!ReadBenchOptions(argc, argv, "editor_bench", iterations, smoke))
        return 2;
    if (smoke)
        rounds = 1;
    QiHost_Create_Default_Scene();
    char ini[MAX_PATH];
    GetTempPathA(sizeof ini, ini);
    lstrcatA(ini, "editor_bench.ini");
    DeleteFileA(ini);
    TestServices services(ini);
    iniPath = ini;
    MainWindowSetup setup = {ini, "lensflare.dll", &services};
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), setup);
    if (!window) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);
    WNDCLASSA cls = {};
    cls.lpfnWndProc = DriverProc;
    cls.lpszClassName = "EditorBenchDriver";
    RegisterClassA(&cls);
    driver = CreateWindowA(cls.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                           nullptr);
    HHOOK activated = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    HHOOK drawn = SetWindowsHookExA(WH_CALLWNDPROCRET, DrawnProc, nullptr, GetCurrentThreadId());

    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    const std::string flares[kFlares] = {std::string(folder) + "editor_bench_default.lnz",
                                         std::string(folder) + "editor_bench_16.lnz"};
    int32_t counts[kFlares];
    counts[0] = ElementCount();
    SaveFlare(flares[0]);
    UseTwoOfEachType();
    counts[1] = ElementCount();
    SaveFlare(flares[1]);
    TimeEditor(window, flares);

    std::printf("the editor in quorix.exe's main window, medians of %d (steps: %d), the flares "
                "in turns\n", iterations, rounds * stepsPerVisit);
    std::printf("%-58s %5d elements %3d elements\n", "", counts[0], counts[1]);
    auto row = [](const char *what, std::vector<double> Samples::*field) {
        if ((samples[0].*field).empty() || (samples[1].*field).empty())
            return;
        double one = Median(samples[0].*field), other = Median(samples[1].*field);
        std::printf("%-58s %11.3f ms %8.3f ms  x%.2f\n", what, one, other,
                    one > 0 ? other / one : 0.0);
    };
    row("opening (menu command to the first preview on the screen)", &Samples::opening);
    row("light drag step (render, convert, repaint)", &Samples::lightStep);
    row("slider drag step (value, commit, render, convert, repaint)", &Samples::sliderStep);
    row("live drag step, global slider (value, commit, render, ...)", &Samples::liveGlobalStep);
    row("live drag step, element slider (value, commit, render, ...)", &Samples::liveElementStep);
    row("selection change, each page built anew (as before)", &Samples::selectBuilt);
    row("selection change, pages kept", &Samples::selectKept);
    row("selection change, pages kept, Solo on (and its render)", &Samples::selectSolo);

    UnhookWindowsHookEx(drawn);
    UnhookWindowsHookEx(activated);
    DestroyWindow(driver);
    DestroyWindow(window);
    DeleteFileA(ini);
    for (const std::string &flare : flares)
        DeleteFileA(flare.c_str());
    return samples[0].opening.empty() || samples[1].opening.empty() ? 1 : 0;
}
