// Help and F1 inside the running editor and the dialogs it opens: the topic
// the host's service object is asked to show.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/editor_state.h"
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

// The first visible child of the editor of the class ("" for the gradient
// control, known by its procedure).
HWND Visible(HWND dialog, const char *cls)
{
    for (HWND w = GetWindow(dialog, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        char name[32] = "";
        GetClassNameA(w, name, sizeof name);
        bool gradient = GetWindowLongPtrA(w, GWLP_WNDPROC) == LONG_PTR(ColourSliderWndProc);
        if (IsWindowVisible(w) && (*cls ? lstrcmpiA(name, cls) == 0 : gradient))
            return w;
    }
    return nullptr;
}

// F1 on control `id` (or, when 0, the first visible `cls`) of the page.
DialogStep F1On(int16_t page, int id, const char *cls = "")
{
    return [=](HWND dialog) {
        ShowPage(dialog, page);
        PressF1(id ? GetDlgItem(dialog, id) : Visible(dialog, cls));
    };
}

TEST_F(Help, HelpAndF1AskForTheTopicOfTheFocusOrOfThePageShown)
{
    // F1 in the dialog that `open` shows over the editor, then Cancel.
    auto f1Over = [this](DialogStep open) -> DialogStep {
        return [this, open](HWND dialog) {
            onNestedDialog_ = [](HWND over) {
                RunDialogScript(over, {[](HWND) { PressF1(GetFocus()); },
                                       [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); }});
            };
            open(dialog);
            onNestedDialog_ = nullptr;
        };
    };
    const int16_t element = PAGE_ELEMENT, global = PAGE_GLOBAL;
    const struct {
        const char *name;
        DialogStep act;
        const char *topic;
    } rows[] = {
        {"the Help button", [](HWND d) { Click(d, IDC_HELP_BUTTON); }, "lens flare effects"},
        {"the element list", F1On(element, IDC_ELEMENT_LIST), "lens flare element list"},
        {"Move Up", F1On(element, IDC_MOVE_UP), "lens flare element list"},
        {"a gradient bar", F1On(element, 0), "lens flare gradients"},
        {"an element's list", F1On(element, 0, "ComboBox"), "lens flare element parameters"},
        {"a slider's field",
         [](HWND d) { PressF1(GetWindow(Visible(d, "TINYSLIDER"), GW_CHILD)); },
         "lens flare sliders"},
        {"a global switch", F1On(global, IDC_FLARE_ENABLED), "lens flare global parameters"},
        {"a fading switch", F1On(PAGE_FADING, IDC_FADE_BEHIND),
         "lens flare global fading parameters"},
        {"Select Element", f1Over([](HWND d) { Click(d, IDC_ADD_ELEMENT); }),
         "lens flare select element"},
        {"the colour selector", f1Over([=](HWND d) {
             ShowPage(d, global);
             Click(d, IDC_BASE_COLOR);
         }),
         "lens flare colours"},
        {"the large gradient dialog", f1Over([=](HWND d) {
             ShowPage(d, element);
             SendMessageA(Visible(d, ""), WM_COMMAND, IDM_GRADIENT_LARGE_DIALOG, 0);
         }),
         "lens flare gradients"},
        {"the system menu",
         [](HWND d) {
             HELPINFO item = {sizeof item, HELPINFO_MENUITEM, SC_UNDO_STEP,
                              GetSystemMenu(d, FALSE), 0, {0, 0}};
             SendMessageA(d, WM_HELP, 0, LPARAM(&item));
         },
         "lens flare undo"},
    };
    std::vector<std::vector<std::string>> asked(std::size(rows));
    std::vector<DialogStep> steps;
    for (size_t i = 0; i < asked.size(); ++i) {
        steps.push_back(rows[i].act);
        steps.push_back([&, i](HWND) { asked[i].swap(services_.helpTopics); });
    }
    RunEditor(steps);
    for (size_t i = 0; i < asked.size(); ++i)
        EXPECT_EQ(asked[i], std::vector<std::string>{rows[i].topic}) << rows[i].name;
}

}  // namespace
