// The editor dialog's set-up, settings and the rule by which edits reach the
// host: the real dialog against the real host core, driven with messages.
#include <windows.h>

#include <string>

#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "editor/scratch_light.h"
#include "host/api/qi_importio.h"
#include "host/core/qi_host.h"
#include "library/effect_library.h"
#include "model/working_flare.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/editor/host_flare_digest.h"
#include "tests/support/token.h"

namespace {

using EditorSetUp = EditorTest;

// Refuses the creation of the editor's tab strip.
LRESULT CALLBACK RefuseTabStrip(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA *create = reinterpret_cast<CBT_CREATEWNDA *>(lParam)->lpcs;
        if (!IS_INTRESOURCE(create->lpszClass) && lstrcmpA(create->lpszClass, "TABBEDLF") == 0)
            return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Without a tab strip the dialog stays up without pages and sliders; Ok
// then stores the flare as it was, to the bit.
TEST_F(EditorSetUp, OkAfterAFailedSetUpKeepsEveryGlobalValue)
{
    SetHostFloat("intensity", 1.234f);
    SetHostFloat("occlusionradius", 0.00123f);
    const std::string before = HostFlareDigest();
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseTabStrip, nullptr, GetCurrentThreadId());
    RunEditor({[](HWND dialog) {
        EXPECT_EQ(updatingControls, 1) << "nothing is committed before Ok";
        EXPECT_EQ(globalIntensitySlider, nullptr);
        EXPECT_EQ(currentPage, PAGE_NONE);
        int32_t scratch = 1;
        Qi_Handle_Name_Exists(kScratchLightName, &scratch, T("light"), QI_END);
        EXPECT_EQ(scratch, 0) << "the element pictures' light is gone";
        SetFocus(GetDlgItem(dialog, IDOK));
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    }});
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(HostFlareDigest(), before);
}

// Realtime updates start on and commit every edit at once; one click turns
// them off and is kept in the settings. Off, an edit stays in the working
// flare until Redraw Now, Ok, the close box or a switch that always commits
// pushes it.
TEST_F(EditorSetUp, RealtimeOffKeepsEditsFromTheHostUntilACommit)
{
    const QiToken on = T("on"), off = T("off");
    SetHostSwitch("fadeifnearborder enabled", "off");
    SetHostSwitch("fadeifbehindobjects enabled", "off");
    SetHostSwitch("fadewithdistance enabled", "off");
    SetHostSwitch("glowbehindobjects enabled", "off");
    RunEditor({
        [](HWND dialog) { ShowPage(dialog, PAGE_FADING); },
        [&](HWND dialog) {
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_REALTIME_UPDATES), BST_CHECKED);
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_REDRAW_NOW)));
            Click(dialog, IDC_FADE_NEAR_BORDER);
            EXPECT_EQ(HostSwitch("fadeifnearborder enabled"), on);
            Click(dialog, IDC_REALTIME_UPDATES);
            EXPECT_EQ(IniValue("Lens-Flare-UI", "Realtime-Updates"), "0");
            EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_REDRAW_NOW)));

            Click(dialog, IDC_FADE_NEAR_BORDER);
            EXPECT_EQ(currentInstance->workingFlare->fadeifnearborder, off);
            EXPECT_EQ(HostSwitch("fadeifnearborder enabled"), on);
            Click(dialog, IDC_REDRAW_NOW);
            EXPECT_EQ(HostSwitch("fadeifnearborder enabled"), off);

            Click(dialog, IDC_FADE_BEHIND);
            EXPECT_EQ(HostSwitch("fadeifbehindobjects enabled"), off);
            ShowPage(dialog, PAGE_GLOBAL);
            Click(dialog, IDC_FLARE_ENABLED);  // commits in either mode
            EXPECT_EQ(HostSwitch("enabled"), off);
            EXPECT_EQ(HostSwitch("fadeifbehindobjects enabled"), on);

            ShowPage(dialog, PAGE_FADING);
            Click(dialog, IDC_FADE_DISTANCE);
            Click(dialog, IDC_REALTIME_UPDATES);  // turning it on pushes what waits
            EXPECT_EQ(HostSwitch("fadewithdistance enabled"), on);
            Click(dialog, IDC_REALTIME_UPDATES);
            Click(dialog, IDC_GLOW_BEHIND);
            EXPECT_EQ(HostSwitch("glowbehindobjects enabled"), off);
        },
    });
    EXPECT_EQ(HostSwitch("glowbehindobjects enabled"), on) << "the close box commits as Ok does";
    RunEditor({[](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_REALTIME_UPDATES), BST_UNCHECKED);
    }});
}

TEST_F(EditorSetUp, EnterDoesNotCloseOkWithFocusCommits)
{
    SetHostSwitch("fadeifnearborder enabled", "off");
    SetIniValue("Lens-Flare-UI", "Realtime-Updates", "0");
    bool closed = true;
    RunEditor({
        [](HWND dialog) {
            ShowPage(dialog, PAGE_FADING);
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
