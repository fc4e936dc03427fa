// The gradient control's commands, sent as WM_COMMAND as its popup menu
// sends them: the presets, the interpolation, and the large gradient
// dialog, whose Ok copies the edited table back and whose Cancel and
// Escape change nothing. The menu itself is shown while a button is down.
#include <cstring>
#include <string>

#include "gradient/large_gradient_dialog.h"
#include "resources/gradient_ids.h"
#include "tests/gradient/gradient_control_fixture.h"

namespace {

class GradientMenu : public GradientControl {
protected:
    LRESULT Command(uint16_t id) { return SendMessageA(button_, WM_COMMAND, id, 0); }

    // Runs the large dialog from the control's menu command with one step
    // inside it; the step ends the dialog.
    void RunLargeDialog(DialogStep step)
    {
        size_t before = watcher_.dialogs().size();
        AnswerDialogs(step);
        Command(IDM_GRADIENT_LARGE_DIALOG);
        EXPECT_EQ(watcher_.dialogs().size(), before + 1);
        EXPECT_EQ(largeGradientControl, nullptr) << "deleted with the dialog, and forgotten";
        EXPECT_EQ(largeGradientSource, nullptr);
    }

    // Right-clicks pivot `position` of the large dialog's control.
    static void DeleteInLargeControl(HWND dialog, int position)
    {
        const CColourSlider &large = *largeGradientControl;
        int x = large.barLeft + large.barWidth * position / 99;
        SendMessageA(GetDlgItem(dialog, IDC_LARGE_GRADIENT), WM_RBUTTONDOWN, 0,
                     MAKELPARAM(x, large.barHeight / 2));
    }
};

TEST_F(GradientMenu, PresetsReplaceThePivotsAndLeaveTheSelectionFlags)
{
    const QiToken linear = Qi_Inquire_Token("linear");
    SetPivots({{1, 0}, {2, 40}, {3, 99}});
    SelectPivot(&slider_->pivots, 2);
    Command(IDM_GRADIENT_CARDINAL);
    EXPECT_EQ(slider_->pivots.interpolation, Qi_Inquire_Token("cardinal"));

    Command(IDM_PRESET_RING);
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{0x800080, 0},
                                            {0xBF005F, 16},
                                            {0xFF0000, 32},
                                            {0x00FF00, 49},
                                            {0x00FFFF, 65},
                                            {0x0080FF, 81},
                                            {0x0000FF, 99}}));
    EXPECT_EQ(Selected(), std::vector<int>{2}) << "red 95, green 0, blue 191 at 16";
    EXPECT_EQ(slider_->pivots.interpolation, linear);

    Command(IDM_PRESET_REFLEX);
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{0xFF8000, 0}, {0xFF8000, 94}, {0x000000, 99}}));
    Command(IDM_PRESET_WHITE_TO_BLACK);
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{0xFFFFFF, 0}, {0x000000, 99}}));
    Command(IDM_PRESET_BLUE);
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{0xFF6666, 0}}));
    Command(IDM_PRESET_WHITE);
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{0xFFFFFF, 0}}));
    EXPECT_EQ(Selected(), std::vector<int>{2}) << "no pivot of the one shows as selected";
    EXPECT_EQ(changes, std::vector<uint32_t>(6, kId));

    Picture picture(*this);
    EXPECT_EQ(picture.Inked(0, kWidth, kDialogColour), 0) << "no label row without a selection";
}

TEST_F(GradientMenu, LargeDialogOkCopiesTheTableBackAndCancelOrEscapeChangeNothing)
{
    slider_->intensityOnly = 1;
    SetPivots({{1, 0}, {2, 44}, {3, 66}, {4, 99}});
    SelectPivot(&slider_->pivots, 3);
    const GradientPivots before = slider_->pivots;
    RunLargeDialog([&](HWND dialog) {
        ASSERT_NE(largeGradientControl, nullptr);
        const CColourSlider &large = *largeGradientControl;
        EXPECT_EQ(largeGradientSource, slider_);
        EXPECT_EQ(std::memcmp(&large.pivots, &before, sizeof before), 0);
        EXPECT_EQ(large.intensityOnly, 0);
        EXPECT_EQ(large.hasMenuButton, 0);
        EXPECT_EQ(large.changeCallback, nullptr);
        RECT client;
        GetClientRect(GetDlgItem(dialog, IDC_LARGE_GRADIENT), &client);
        EXPECT_EQ(large.barHeight, client.bottom + 1) << "the bar fills the control's height";
        EXPECT_EQ(large.barWidth, client.right + 1 - 2 * large.barHeight);

        DeleteInLargeControl(dialog, 44);
        SendMessageA(GetDlgItem(dialog, IDC_LARGE_GRADIENT), WM_LBUTTONDOWN, MK_LBUTTON,
                     MAKELPARAM(large.barLeft, large.barHeight / 2));
        SendMessageA(GetDlgItem(dialog, IDC_LARGE_GRADIENT), WM_LBUTTONUP, 0,
                     MAKELPARAM(large.barLeft, large.barHeight / 2));
        EXPECT_EQ(PivotsOf(large.pivots).size(), 3u);
        EXPECT_EQ(Pivots().size(), 4u) << "the source waits for Ok";
        EXPECT_TRUE(changes.empty());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{1, 0}, {3, 66}, {4, 99}}));
    EXPECT_EQ(Selected(), std::vector<int>{1}) << "the dialog's selection comes back";
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});

    // Ok without edits still reports; Cancel and Escape change nothing.
    const GradientPivots edited = slider_->pivots;
    RunLargeDialog([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
    EXPECT_EQ(std::memcmp(&slider_->pivots, &edited, sizeof edited), 0);
    EXPECT_EQ(changes, (std::vector<uint32_t>{kId, kId}));

    changes.clear();
    RunLargeDialog([](HWND dialog) {
        DeleteInLargeControl(dialog, 66);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    RunLargeDialog([](HWND dialog) {
        DeleteInLargeControl(dialog, 66);
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDOK));
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(std::memcmp(&slider_->pivots, &edited, sizeof edited), 0);
    EXPECT_TRUE(changes.empty());
}

// The wide bar has several pixels per position: a click a few pixels right
// of a pivot's marker, on the position the pivot stands at, selects that
// pivot (the first one too) and offers no colour for a new one.
TEST_F(GradientMenu, AClickOnAnOccupiedPositionOfTheLargeControlSelectsThatPivot)
{
    SetPivots({{1, 0}, {2, 44}, {3, 99}});
    const std::vector<Pivot> pivots = Pivots();
    int offered = 0;
    bool inside = false;
    RunLargeDialog([&](HWND dialog) {
        if (inside) {  // a colour selector over the large dialog
            ++offered;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        inside = true;
        CColourSlider &large = *largeGradientControl;
        HWND control = GetDlgItem(dialog, IDC_LARGE_GRADIENT);
        for (auto [position, pivot] : {std::pair{44, 2}, std::pair{0, 1}}) {
            const int x = large.barLeft + large.barWidth * position / 99 + 5;
            ASSERT_EQ(large.PositionFromX(x), position) << "pivot " << pivot;
            SelectPivot(&large.pivots, 3);
            SendMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(x, kMarkerY));
            EXPECT_NE(GetCursor(), LoadCursorA(moduleHandle, "IDC_ADDPIV")) << "pivot " << pivot;
            SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, kMarkerY));
            SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(x, kMarkerY));
            EXPECT_EQ(PivotsOf(large.pivots), pivots) << "pivot " << pivot;
            EXPECT_EQ(SelectedOf(large.pivots), std::vector<int>{pivot});
        }
        inside = false;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(offered, 0);
}

// The menu shows while the button that pressed the menu button is down;
// choosing an item sends its command to the control.
TEST_F(GradientMenu, MenuButtonShowsTheMenuWhoseChoiceReachesTheControl)
{
    static std::vector<std::string> items;
    items.clear();
    BYTE keys[256] = {};
    keys[VK_LBUTTON] = 0x80;
    SetKeyboardState(keys);
    UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
        HWND menuWindow = FindWindowA("#32768", nullptr);
        auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, 0x01E1, 0, 0));
        if (!menu)
            return;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[80] = "";
            GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
            items.push_back(std::to_string(GetMenuItemID(menu, i)) + " " + text);
        }
        PostMessageA(menuWindow, WM_KEYDOWN, VK_UP, 0);
        PostMessageA(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    });
    Mouse(WM_LBUTTONDOWN, kWidth - 3, kBar);
    KillTimer(nullptr, timer);
    keys[VK_LBUTTON] = 0;
    SetKeyboardState(keys);
    Pump();

    std::vector<std::string> expected = {"1000 &Load Gradient From File...",
                                         "1001 &Save Gradient To File...",
                                         "0 ",
                                         "1009 &Edit gradient on larger dialog box...",
                                         "0 ",
                                         "1004 Reset to Single White Color",
                                         "1005 Reset to White-to-Black Transition",
                                         "1006 Reset to Reflex Color Spectrum",
                                         "1007 Reset to Ring Color Spectrum"};
    EXPECT_EQ(items, expected);
    EXPECT_EQ(Pivots().size(), 7u) << "the ring spectrum was chosen";
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});
}

}  // namespace
