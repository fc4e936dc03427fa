// The editor dialog's set-up, settings and the rule by which edits reach the
// host: the real dialog against the real host core, driven with messages.
#include <windows.h>

#include <gtest/gtest-spi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/tabbed_panel.h"
#include "editor/editor_dialog.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "editor/scratch_light.h"
#include "host/api/qi_importio.h"
#include "host/core/qi_host.h"
#include "library/effect_library.h"
#include "model/working_flare.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/support/token.h"

namespace {

// What set-up does, in the order it does it, collapsed to one entry per
// stretch: host calls from the host's call trace, settings reads from the
// service object, windows from a CBT hook, list items from a message hook.
struct SetUpTrace {
    static inline std::vector<std::string> *events = nullptr;
    static inline bool refuseTabStrip = false;

    static void Add(const std::string &event)
    {
        if (events && (events->empty() || events->back() != event))
            events->push_back(event);
    }
    static void OnHostCall(const char *function, int64_t, void *)
    {
        std::string name = function;
        Add(name == "Qi_Inquire_LensFlare"         ? "load flare"
            : name == "Qi_Alloc_Global_GBuffer"    ? "preview buffer"
            : name == "Qi_LensFlareApplyToGBuffer" ? "render"
                                                   : name);
    }
    static LRESULT CALLBACK OnCbt(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_CREATEWND) {
            const CREATESTRUCTA *create = reinterpret_cast<CBT_CREATEWNDA *>(lParam)->lpcs;
            auto id = reinterpret_cast<INT_PTR>(create->hMenu);
            if (!IS_INTRESOURCE(create->lpszClass)) {
                std::string cls = create->lpszClass;
                if (cls == "TABBEDLF") {
                    Add("tab strip");
                    if (refuseTabStrip)
                        return 1;
                } else if (cls == "TINYSLIDER") {
                    Add(id >= 10000 ? "element panel" : "global sliders");
                }
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam)
    {
        const CWPSTRUCT *sent = reinterpret_cast<CWPSTRUCT *>(lParam);
        if (code == HC_ACTION && sent->message == LB_ADDSTRING &&
            GetDlgCtrlID(sent->hwnd) == IDC_ELEMENT_LIST)
            Add("element list");
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

class TracingServices : public TestServices {
public:
    using TestServices::TestServices;
    const char *GetIniFilePath() override
    {
        SetUpTrace::Add("settings");
        return TestServices::GetIniFilePath();
    }
};

class EditorSetUp : public EditorTest {
protected:
    // Opens the editor with a tracing service object and records set-up.
    std::vector<std::string> TraceSetUp(std::vector<DialogStep> steps = {})
    {
        TracingServices services(iniPath_);
        instance_->hostServices = &services;
        std::vector<std::string> events;
        SetUpTrace::events = &events;
        QiHost_Set_Call_Trace(SetUpTrace::OnHostCall, nullptr);
        HHOOK cbt = SetWindowsHookExA(WH_CBT, SetUpTrace::OnCbt, nullptr, GetCurrentThreadId());
        HHOOK sent =
            SetWindowsHookExA(WH_CALLWNDPROC, SetUpTrace::OnSent, nullptr, GetCurrentThreadId());
        steps.insert(steps.begin(), [](HWND) { SetUpTrace::events = nullptr; });
        RunEditor(steps);
        UnhookWindowsHookEx(sent);
        UnhookWindowsHookEx(cbt);
        QiHost_Set_Call_Trace(nullptr, nullptr);
        SetUpTrace::events = nullptr;
        instance_->hostServices = &services_;
        return events;
    }
};

// The element list's pictures follow the first render, in a light of their
// own.
TEST_F(EditorSetUp, LoadsTheFlareFirstAndRendersLast)
{
    std::vector<std::string> expected = {"load flare",    "settings",       "preview buffer",
                                         "element list",  "tab strip",      "element panel",
                                         "global sliders", "render"};
    std::vector<std::string> events = TraceSetUp();
    auto render = std::find(events.begin(), events.end(), "render");
    events.erase(render == events.end() ? render : render + 1, events.end());
    EXPECT_EQ(events, expected);
}

// Without a tab strip the dialog stays up without pages and sliders; Ok
// then stores every global value as it was, to the bit.
TEST_F(EditorSetUp, OkAfterAFailedSetUpKeepsEveryGlobalValue)
{
    SetHostFloat("intensity", 1.234f);
    SetHostFloat("occlusionradius", 0.00123f);
    const char *globals[] = {"intensity", "scale", "angle", "anamorphicstretch", "occlusionradius"};
    std::vector<uint32_t> before;
    for (const char *global : globals)
        before.push_back(Bits(HostFloat(global)));
    SetUpTrace::refuseTabStrip = true;
    TraceSetUp({[](HWND dialog) {
        EXPECT_EQ(updatingControls, 1) << "nothing is committed before Ok";
        EXPECT_EQ(globalIntensitySlider, nullptr);
        EXPECT_EQ(currentPage, PAGE_NONE);
        int32_t scratch = 1;
        Qi_Handle_Name_Exists(kScratchLightName, &scratch, T("light"), QI_END);
        EXPECT_EQ(scratch, 0) << "the element pictures' light is gone";
        SetFocus(GetDlgItem(dialog, IDOK));
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }});
    SetUpTrace::refuseTabStrip = false;
    for (size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(Bits(HostFloat(globals[i])), before[i]) << globals[i];
}

// A test that leaves a dialog unanswered ends at once: the dialog is closed
// and the case fails naming it. Here the colour selector, which no
// step answers, and an editor whose script never closes it.
TEST_F(EditorSetUp, ADialogNobodyAnswersIsClosedAndFailsTheCaseByItsCaption)
{
    watcher_.AnswerWithin(300);
    EXPECT_NONFATAL_FAILURE(RunEditor({[](HWND dialog) {
                                SendMessageA(dialog, TPN_CLICKED, PAGE_GLOBAL, 0);
                                Click(dialog, IDC_BASE_COLOR);
                            }}),
                            "\"Interactive Color Selector\"");
    instance_->handleType = T("light");
    lstrcpynA(instance_->flareName, "Light1", FLARE_NAME_SIZE);
    watcher_.OnDialog([](HWND) {});
    EXPECT_NONFATAL_FAILURE(
        DialogBoxParamA(moduleHandle, "LensFlareDialogBox", nullptr, EditorDialogProc, 0),
        "\"Lens Flare Editor\"");
}

// Realtime updates start on and commit every edit at once; one click turns
// them off and is kept in the settings.
TEST_F(EditorSetUp, RealtimeSwitchStartsOnAndIsKeptInTheSettings)
{
    SetHostSwitch("fadeifnearborder enabled", "off");
    RunEditor({[this](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_REALTIME_UPDATES), BST_CHECKED);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_REDRAW_NOW)));
        SendMessageA(dialog, TPN_CLICKED, PAGE_FADING, 0);
        Click(dialog, IDC_FADE_NEAR_BORDER);
        EXPECT_EQ(HostSwitch("fadeifnearborder enabled"), T("on"));
        Click(dialog, IDC_REALTIME_UPDATES);
        EXPECT_EQ(IniValue("Lens-Flare-UI", "Realtime-Updates"), "0");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_REDRAW_NOW)));
    }});
    RunEditor({[](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_REALTIME_UPDATES), BST_UNCHECKED);
        EXPECT_EQ(currentInstance->realtimeUpdates, 0);
    }});
}

// With realtime updates off an edit stays in the working flare until Redraw
// Now, Ok, the close box or a switch that always commits pushes it.
TEST_F(EditorSetUp, RealtimeOffKeepsEditsFromTheHostUntilACommit)
{
    SetIniValue("Lens-Flare-UI", "Realtime-Updates", "0");
    const QiToken on = T("on"), off = T("off");
    SetHostSwitch("fadeifnearborder enabled", "off");
    SetHostSwitch("fadeifbehindobjects enabled", "off");
    SetHostSwitch("fadewithdistance enabled", "off");
    SetHostSwitch("glowbehindobjects enabled", "off");
    RunEditor({
        [](HWND dialog) { SendMessageA(dialog, TPN_CLICKED, PAGE_FADING, 0); },
        [&](HWND dialog) {
            Click(dialog, IDC_FADE_NEAR_BORDER);
            EXPECT_EQ(currentInstance->workingFlare->fadeifnearborder, on);
            EXPECT_EQ(HostSwitch("fadeifnearborder enabled"), off);
            Click(dialog, IDC_REDRAW_NOW);
            EXPECT_EQ(HostSwitch("fadeifnearborder enabled"), on);

            Click(dialog, IDC_FADE_BEHIND);
            EXPECT_EQ(HostSwitch("fadeifbehindobjects enabled"), off);
            SendMessageA(dialog, TPN_CLICKED, PAGE_GLOBAL, 0);
            Click(dialog, IDC_FLARE_ENABLED);  // commits in either mode
            EXPECT_EQ(HostSwitch("enabled"), off);
            EXPECT_EQ(HostSwitch("fadeifbehindobjects enabled"), on);

            SendMessageA(dialog, TPN_CLICKED, PAGE_FADING, 0);
            Click(dialog, IDC_FADE_DISTANCE);
            Click(dialog, IDC_REALTIME_UPDATES);  // turning it on pushes what waits
            EXPECT_EQ(HostSwitch("fadewithdistance enabled"), on);
            Click(dialog, IDC_REALTIME_UPDATES);
            Click(dialog, IDC_GLOW_BEHIND);
            EXPECT_EQ(HostSwitch("glowbehindobjects enabled"), off);
        },
    });
    EXPECT_EQ(HostSwitch("glowbehindobjects enabled"), on) << "the close box commits as Ok does";
}

TEST_F(EditorSetUp, EnterDoesNotCloseOkWithFocusCommits)
{
    SetHostSwitch("fadeifnearborder enabled", "off");
    SetIniValue("Lens-Flare-UI", "Realtime-Updates", "0");
    bool closed = true;
    RunEditor({
        [](HWND dialog) {
            SendMessageA(dialog, TPN_CLICKED, PAGE_FADING, 0);
            Click(dialog, IDC_FADE_NEAR_BORDER);
            SetFocus(GetDlgItem(dialog, IDC_REF_DISTANCE));
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);  // Enter in the field
        },
        [&](HWND dialog) {
            closed = !IsWindowVisible(dialog);
            EXPECT_EQ(HostSwitch("fadeifnearborder enabled"), T("off"));
            SetFocus(GetDlgItem(dialog, IDOK));
            Click(dialog, IDOK);
        },
    });
    EXPECT_FALSE(closed);
    EXPECT_EQ(HostSwitch("fadeifnearborder enabled"), T("on"));
}

TEST_F(EditorSetUp, TheLastLibraryFileIsReadAtSetUpAndWrittenAtOk)
{
    SetIniValue("Lens-Flare-UI", "Last-Library-SaveTo-Filename", "lensfx\\sun.lnz");
    std::string seen;
    RunEditor({[&](HWND) {
        seen = lastLibraryFile ? lastLibraryFile : "(none)";
        Import_IO_Copy_String(&lastLibraryFile, "C:\\flares\\mine.lnz");
    }});
    EXPECT_EQ(seen, "lensfx\\sun.lnz");
    EXPECT_EQ(lastLibraryFile, nullptr) << "released at Ok";
    EXPECT_EQ(IniValue("Lens-Flare-UI", "Last-Library-SaveTo-Filename"), "C:\\flares\\mine.lnz");
}

}  // namespace
