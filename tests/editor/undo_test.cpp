// Undo and redo inside the running editor: every kind of step taken back
// and given again, checked on the host's flare as it would be saved; the
// keys, the system menu, the bounds and the realtime rule.
#include <windows.h>

#include <string>
#include <vector>

#include "controls/tiny_slider.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "editor/undo.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/editor/host_flare_digest.h"
#include "tests/support/token.h"

namespace {

using Undo = EditorTest;

void PressWithCtrl(HWND dialog, char key, bool shift = false)
{
    PressKey(dialog, UINT(key), WITH_CTRL | (shift ? WITH_SHIFT : 0));
}

// One change of each kind: its action, and steps the editor needs between.
struct Change {
    const char *what;
    std::vector<DialogStep> act;
};

// Each kind of change and each global switch, undone and redone: the host's
// flare is what it was before the change, then what it was after it, to the
// bit. Neighbouring switches start out different.
TEST_F(Undo, EveryKindOfChangeIsUndoneAndRedoneExactly)
{
    SetHostElements({"glow", "streaks", "halo"});
    bool on = true;
    for (const GlobalSwitchRow &s : GlobalSwitchRows())
        if (s.id != IDC_FLARE_ENABLED)
            SetHostSwitch(s.keyword, (on = !on) ? "on" : "off");
    onNestedDialog_ = RedToZeroOrAddAtStart;
    auto onPage = [](int16_t page) {
        return [page](HWND d) { ShowPage(d, page); };
    };
    std::vector<Change> changes = {
        {"a global slider", {onPage(PAGE_GLOBAL), [](HWND) {
             DragSlider(globalScaleSlider->hwnd, globalScaleSlider->thumbX, 180);
         }}},
        {"the base colour", {onPage(PAGE_GLOBAL), [](HWND d) { Click(d, IDC_BASE_COLOR); }}},
        {"an element's slider", {onPage(PAGE_ELEMENT), [](HWND) {
             TinySlider *s = currentInstance->currentElement->firstParameter->tinySlider;
             DragSlider(s->hwnd, s->thumbX, 170);
         }}},
        {"a gradient", {[](HWND) {
             FlareParameter *p = currentInstance->currentElement->firstParameter;
             while (p && !p->gradientSlider)
                 p = p->next;
             SendMessageA(p->controlWindow, WM_COMMAND, 1007, 0);  // ring spectrum
         }}},
        {"Element Enabled", {[](HWND d) { Click(d, IDC_ELEMENT_ENABLED); }}},
        {"an add", {[](HWND d) { Click(d, IDC_ADD_ELEMENT); }}},
        {"a move", {[](HWND d) { Click(d, IDC_MOVE_DOWN); }}},
        {"a remove", {[](HWND d) { SelectElement(d, 2); }, [](HWND d) {
             Click(d, IDC_REMOVE_ELEMENT);
         }}},
        {"a library load", {[](HWND d) { LoadPreset(d, "sun.lnz"); }}},
    };
    for (const GlobalSwitchRow &s : GlobalSwitchRows())
        changes.push_back({s.keyword, {onPage(s.page), [s](HWND d) { Click(d, s.id); }}});
    std::vector<DialogStep> steps;
    std::string before, after;
    for (const Change &change : changes) {
        steps.push_back([&](HWND) { before = FlareText(); });
        steps.insert(steps.end(), change.act.begin(), change.act.end());
        steps.push_back([&, what = change.what](HWND d) {
            after = FlareText();
            EXPECT_NE(after, before) << what << " changed the flare";
            UndoStep(d);
            EXPECT_EQ(FlareText(), before) << what << " undone";
            RedoStep(d);
            EXPECT_EQ(FlareText(), after) << what << " redone";
        });
    }
    RunEditor(steps);
}

TEST_F(Undo, TheKeysWorkEverywhereAndEndTheTypingOfAField)
{
    std::string opened, typed;
    RunEditor({[&](HWND d) {
        opened = FlareText();
        ShowPage(d, PAGE_GLOBAL);
        TypeInto(globalIntensitySlider->hwndEdit, "2.5");  // three keystrokes, one step
        typed = FlareText();
        PressWithCtrl(d, 'Z');  // in the field being typed into
        EXPECT_EQ(FlareText(), opened) << "the field's typing was one step";
        EXPECT_EQ(WindowText(globalIntensitySlider->hwndEdit), "1.00");
        EXPECT_FALSE(MenuOffers(d, SC_UNDO_STEP));
        EXPECT_TRUE(MenuOffers(d, SC_REDO_STEP));
        SetFocus(GetDlgItem(d, IDC_ELEMENT_LIST));
        PressWithCtrl(d, 'Y');
        EXPECT_EQ(FlareText(), typed);
        PressWithCtrl(d, 'Z');
        PressWithCtrl(d, 'Z', true);  // Ctrl+Shift+Z redoes too
        EXPECT_EQ(FlareText(), typed);

        // Typing resumed after the field was left is a step of its own.
        SetFocus(globalIntensitySlider->hwndEdit);
        TypeInto(globalIntensitySlider->hwndEdit, "3");
        SetFocus(GetDlgItem(d, IDC_ELEMENT_LIST));
        SetFocus(globalIntensitySlider->hwndEdit);
        TypeInto(globalIntensitySlider->hwndEdit, "3.5");
        PressWithCtrl(d, 'Z');
        EXPECT_EQ(currentInstance->workingFlare->intensity, 3.0f);
    }});
}

// A change after an undo drops what was undone; the history is bounded and
// starts empty again.
TEST_F(Undo, NewChangesDropRedoAndTheBoundHolds)
{
    int undone = 0;
    RunEditor({
        [&](HWND d) {
            EXPECT_FALSE(MenuOffers(d, SC_UNDO_STEP));
            ShowPage(d, PAGE_GLOBAL);
            DragSlider(globalIntensitySlider->hwnd, globalIntensitySlider->thumbX, 200);
            UndoStep(d);
            DragSlider(globalScaleSlider->hwnd, globalScaleSlider->thumbX, 100);
            EXPECT_FALSE(MenuOffers(d, SC_REDO_STEP)) << "the undone drag is gone";

            // The bound, without a render per step: realtime updates off.
            Click(d, IDC_REALTIME_UPDATES);
            for (int i = 0; i < 300; ++i)
                DragSlider(globalRotationSlider->hwnd, globalRotationSlider->thumbX,
                           i % 2 ? 30 : 200);
            while (MenuOffers(d, SC_UNDO_STEP) && undone < 1000) {
                UndoStep(d);
                ++undone;
            }
        },
    });
    EXPECT_GE(undone, 100);
    EXPECT_LT(undone, 301) << "the oldest steps went first";
    RunEditor({[](HWND d) {
        EXPECT_FALSE(MenuOffers(d, SC_UNDO_STEP)) << "each editor session starts afresh";
        EXPECT_FALSE(MenuOffers(d, SC_REDO_STEP));
    }});
}

// With realtime updates off an undo changes the working flare and reaches
// the host at Redraw Now, as any other edit does; the switches that commit
// in either mode commit their undo and redo too.
TEST_F(Undo, WithRealtimeOffOnlyTheSwitchesThatAlwaysCommitCommitTheirUndoAndRedo)
{
    SetIniValue("Lens-Flare-UI", "Realtime-Updates", "0");
    const struct {
        int id;
        int16_t page;
        bool commits;
    } switches[] = {{IDC_FADE_NEAR_BORDER, PAGE_FADING, false},
                    {IDC_FLARE_ENABLED, PAGE_GLOBAL, true},
                    {IDC_ELEMENT_ENABLED, PAGE_ELEMENT, true},
                    {IDC_FASTER_UPDATES, PAGE_ELEMENT, true}};
    RunEditor({[&](HWND d) {
        for (const auto &s : switches) {
            ShowPage(d, s.page);
            Click(d, IDC_REDRAW_NOW);  // the host as the working flare, redone steps included
            const std::string before = HostFlareDigest();
            const UINT checked = IsDlgButtonChecked(d, s.id);
            Click(d, s.id);
            if (!s.commits)
                Click(d, IDC_REDRAW_NOW);
            const std::string after = HostFlareDigest();
            EXPECT_NE(after, before) << s.id << " reached the host";
            UndoStep(d);
            EXPECT_EQ(IsDlgButtonChecked(d, s.id), checked) << s.id;
            EXPECT_EQ(HostFlareDigest(), s.commits ? before : after) << s.id << " undone";
            Click(d, IDC_REDRAW_NOW);
            EXPECT_EQ(HostFlareDigest(), before) << s.id << " undone, then Redraw Now";
            RedoStep(d);
            EXPECT_EQ(HostFlareDigest(), s.commits ? after : before) << s.id << " redone";
        }
    }});
}

// A restore that builds a panel again may show a message box, whose loop
// runs what is queued: an undo queued meanwhile is not run inside the
// restore, and only the one step is undone.
TEST_F(Undo, AnUndoQueuedWhileAStepIsRestoredIsIgnored)
{
    SetHostElements({"halo", "glow"});
    // Gradient offsets that do not start at 0 are reported whenever the
    // glow's panel is built from them.
    int32_t count = 2, parameter = 4;
    float colours[6] = {1, 1, 1, 0, 0, 0}, offsets[2] = {0.1f, 1.0f};
    const std::string glow = HostElements("guid")[1];
    Qi_LensFlare(T("light"), "Light1", T("element"), glow.c_str(), QI_GROUP, T("parameter"),
                 &parameter, T("gradientdata"), &count, colours, offsets, QI_GROUP, QI_END);
    RunEditor({[&](HWND d) {
        Click(d, IDC_ELEMENT_ENABLED);  // the halo's
        const std::string once = FlareText();
        Click(d, IDC_ELEMENT_ENABLED);
        SelectElement(d, 1);
        const size_t boxes = watcher_.boxes().size();
        PostMessageA(d, WMU_UNDO_REDO, 0, 0);
        PostMessageA(d, WMU_UNDO_REDO, 0, 0);
        Settle();
        EXPECT_GT(watcher_.boxes().size(), boxes) << "the restore showed a message box";
        EXPECT_EQ(FlareText(), once) << "one step undone";
        EXPECT_TRUE(MenuOffers(d, SC_UNDO_STEP));
    }});
}

}  // namespace
