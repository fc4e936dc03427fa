// Help and F1 inside the running editor and the dialogs it opens: the topic
// the host's service object is asked to show.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/tabbed_panel.h"
#include "editor/editor_state.h"
#include "editor/help_topics.h"
#include "editor/undo.h"
#include "gradient/colour_slider.h"
#include "resources/gradient_ids.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"

namespace {

using Help = EditorTest;

// F1 as the keyboard delivers it, to `focus`.
void PressF1(HWND focus)
{
    SetFocus(focus);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F1;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

// The first visible child of the dialog that `match` takes.
HWND Child(HWND dialog, const std::function<bool(HWND)> &match)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && match(child))
            return child;
    return nullptr;
}

bool OfClass(HWND window, const char *name)
{
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof cls);
    return lstrcmpiA(cls, name) == 0;
}

HWND GradientControl(HWND dialog)
{
    return Child(dialog, [](HWND w) {
        return GetWindowLongPtrA(w, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ColourSliderWndProc);
    });
}

void ShowPage(HWND dialog, int16_t page)
{
    SendMessageA(dialog, TPN_CLICKED, WPARAM(page), 0);
}

struct HelpRow {
    const char *name;
    std::function<void(HWND dialog)> act;  // presses Help or F1 somewhere
    const char *topic;                     // what the host is asked for
};

TEST_F(Help, HelpAndF1AskForTheTopicOfTheFocusOrOfThePageShown)
{
    // A dialog over the editor: F1 on its focused control, then Cancel.
    auto f1InNested = [this](HWND dialog, std::function<void(HWND)> open) {
        onNestedDialog_ = [](HWND nested) {
            RunDialogScript(nested, {[](HWND d) { PressF1(GetFocus() ? GetFocus() : d); },
                                     [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); }});
        };
        open(dialog);
        onNestedDialog_ = nullptr;
    };
    const std::vector<HelpRow> rows = {
        {"the Help button", [](HWND d) { Click(d, IDC_HELP_BUTTON); }, "lens flare effects"},
        {"F1 on Ok", [](HWND d) { PressF1(GetDlgItem(d, IDOK)); }, "lens flare effects"},
        {"F1 on the element list", [](HWND d) { PressF1(GetDlgItem(d, IDC_ELEMENT_LIST)); },
         "lens flare element list"},
        {"F1 on Move Up", [](HWND d) { PressF1(GetDlgItem(d, IDC_MOVE_UP)); },
         "lens flare element list"},
        {"F1 on Realtime Updates", [](HWND d) { PressF1(GetDlgItem(d, IDC_REALTIME_UPDATES)); },
         "lens flare preview"},
        {"F1 on Library Save", [](HWND d) { PressF1(GetDlgItem(d, IDC_LIBRARY_SAVE)); },
         "lens flare libraries"},
        {"F1 in a slider's field",
         [](HWND d) {
             HWND slider = Child(d, [](HWND w) { return OfClass(w, "TINYSLIDER"); });
             PressF1(GetWindow(slider, GW_CHILD));
         },
         "lens flare sliders"},
        {"F1 on a gradient bar", [](HWND d) { PressF1(GradientControl(d)); },
         "lens flare gradients"},
        {"F1 on an element's list",
         [](HWND d) { PressF1(Child(d, [](HWND w) { return OfClass(w, "ComboBox"); })); },
         "lens flare element parameters"},
        {"F1 on a global switch",
         [](HWND d) {
             ShowPage(d, PAGE_GLOBAL);
             PressF1(GetDlgItem(d, IDC_FLARE_ENABLED));
         },
         "lens flare global parameters"},
        {"F1 on a fading switch",
         [](HWND d) {
             ShowPage(d, PAGE_FADING);
             PressF1(GetDlgItem(d, IDC_FADE_BEHIND));
         },
         "lens flare global fading parameters"},
        {"F1 in Select Element",
         [&](HWND d) { f1InNested(d, [](HWND e) { Click(e, IDC_ADD_ELEMENT); }); },
         "lens flare select element"},
        {"F1 in the colour selector",
         [&](HWND d) {
             ShowPage(d, PAGE_GLOBAL);
             f1InNested(d, [](HWND e) { Click(e, IDC_BASE_COLOR); });
         },
         "lens flare colours"},
        {"F1 in the large gradient dialog",
         [&](HWND d) {
             ShowPage(d, PAGE_ELEMENT);
             f1InNested(d, [](HWND e) {
                 SendMessageA(GradientControl(e), WM_COMMAND, IDM_GRADIENT_LARGE_DIALOG, 0);
             });
         },
         "lens flare gradients"},
        {"F1 in the system menu",
         [](HWND d) {
             HELPINFO item = {sizeof item, HELPINFO_MENUITEM, SC_UNDO_STEP,
                              GetSystemMenu(d, FALSE), 0, {0, 0}};
             SendMessageA(d, WM_HELP, 0, reinterpret_cast<LPARAM>(&item));
         },
         "lens flare undo"},
    };
    std::vector<std::vector<std::string>> asked(rows.size());
    std::vector<DialogStep> steps;
    for (size_t i = 0; i < rows.size(); ++i) {
        steps.push_back(rows[i].act);
        steps.push_back([&, i](HWND) { asked[i].swap(services_.helpTopics); });
    }
    RunEditor(steps);
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(asked[i], std::vector<std::string>{rows[i].topic}) << rows[i].name;
}

}  // namespace
