// The gradient control on a button of a recording parent, driven with real
// mouse messages: selecting, dragging, deleting, the cursors of its zones,
// drags that end without a release, and the picture it draws.
#include "resources/colour_ids.h"
#include "tests/gradient/gradient_control_fixture.h"

namespace {

// The colour selector's answers: a channel bar moved to a value, then OK.
DialogStep PickChannel(int channel, int value, std::string *frame = nullptr)
{
    return [=](HWND selector) {
        if (frame) {
            char text[64] = "";
            GetDlgItemTextA(selector, IDC_COLOR_FRAME, text, sizeof text);
            *frame = text;
        }
        HWND bar = GetDlgItem(selector, IDC_CHANNEL_BAR + channel);
        SendMessageA(selector, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, value),
                     reinterpret_cast<LPARAM>(bar));
        PostMessageA(selector, WM_COMMAND, IDOK, 0);
    };
}

void CancelSelector(HWND selector)
{
    PostMessageA(selector, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(GradientControl, PressSelectsAndADragStopsAtTheNeighbourWithOneChangeAtTheEnd)
{
    SetPivots({{0xFF0000, 0}, {0x00FF00, 40}, {0x0000FF, 60}, {0xFFFFFF, 99}});
    Mouse(WM_LBUTTONDOWN, XOf(40) + 2);
    EXPECT_EQ(Selected(), std::vector<int>{2});
    EXPECT_EQ(GetCapture(), button_);
    EXPECT_EQ(pivotDragActive, 1);

    for (int x = XOf(40) + 2; x <= XOf(99); ++x)
        Mouse(WM_MOUSEMOVE, x);
    EXPECT_EQ(slider_->pivots.position[1], 59) << "stops before pivot 3 at 60";
    EXPECT_EQ(pivotMovedDuringDrag, 1);
    EXPECT_TRUE(changes.empty()) << "nothing is reported during the drag";

    Mouse(WM_LBUTTONUP, XOf(59));
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(WM_MOUSEMOVE, XOf(45));
    EXPECT_EQ(slider_->pivots.position[1], 59) << "the released pivot no longer follows";
}

TEST_F(GradientControl, EndPivotsOnlySelectAndShowTheirOwnCursor)
{
    SetPivots({{0xFF0000, 0}, {0x00FF00, 50}, {0xFFFFFF, 99}});
    HCURSOR end = LoadCursorA(moduleHandle, "IDC_COLEND");
    ASSERT_NE(end, nullptr);
    Mouse(WM_LBUTTONDOWN, XOf(99));
    EXPECT_EQ(Selected(), std::vector<int>{3});
    EXPECT_EQ(CursorAt(XOf(60)), end) << "dragging an end";
    Mouse(WM_LBUTTONUP, XOf(99));
    Mouse(WM_LBUTTONDOWN, XOf(0));
    Mouse(WM_MOUSEMOVE, XOf(20));
    Mouse(WM_LBUTTONUP, XOf(0));
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{0xFF0000, 0}, {0x00FF00, 50}, {0xFFFFFF, 99}}));
    EXPECT_EQ(Selected(), std::vector<int>{1});
    EXPECT_TRUE(changes.empty());

    EXPECT_EQ(CursorAt(XOf(0)), end);
    EXPECT_EQ(CursorAt(XOf(50)), LoadCursorA(nullptr, IDC_SIZEWE));
    EXPECT_EQ(CursorAt(XOf(25)), LoadCursorA(moduleHandle, "IDC_ADDPIV"));
    EXPECT_EQ(CursorAt(XOf(25), kBar + 7), LoadCursorA(nullptr, IDC_ARROW)) << "below the zone";
    EXPECT_EQ(CursorAt(kWidth - 3, kBar), LoadCursorA(moduleHandle, "IDC_MENU_CURSOR"));
    std::vector<Pivot> full(98, Pivot{0, 0});
    full.push_back({0, 99});
    SetPivots(full);
    EXPECT_EQ(CursorAt(XOf(50)), LoadCursorA(nullptr, IDC_ARROW)) << "no room for a pivot";
}

TEST_F(GradientControl, RightClickDeletesAllButTheFirstAndTheEndOfLongerGradients)
{
    SetPivots({{1, 0}, {2, 30}, {3, 60}, {4, 99}});
    slider_->pivots.selected[0] = 0;
    slider_->pivots.selected[2] = 1;
    Mouse(WM_RBUTTONDOWN, XOf(99));
    Mouse(WM_RBUTTONDOWN, XOf(0));
    EXPECT_EQ(Pivots().size(), 4u);
    EXPECT_EQ(changes, std::vector<uint32_t>{kId}) << "only the first pivot reports";
    Mouse(WM_RBUTTONDOWN, XOf(15));
    EXPECT_EQ(Pivots().size(), 4u) << "beside the pivots";

    Mouse(WM_RBUTTONDOWN, XOf(30));
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{1, 0}, {3, 60}, {4, 99}}));
    EXPECT_EQ(Selected(), std::vector<int>{3}) << "the flags stay where they were";
    Mouse(WM_RBUTTONDOWN, XOf(60));
    Mouse(WM_RBUTTONDOWN, XOf(99));
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{1, 0}}));
    EXPECT_EQ(changes.size(), 4u);
}

// A drag ends, and reports its move once, however it ends: a lost capture,
// WM_CANCELMODE, or the control going away in the middle of it.
TEST_F(GradientControl, DragsEndWithTheCaptureAndWithTheControl)
{
    SetPivots({{1, 0}, {2, 44}, {3, 99}});
    Mouse(WM_LBUTTONDOWN, XOf(44));
    Mouse(WM_MOUSEMOVE, XOf(66));
    SetCapture(parent_.hwnd());
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});
    EXPECT_EQ(pivotDragActive, 0);
    Mouse(WM_MOUSEMOVE, XOf(77));
    EXPECT_EQ(slider_->pivots.position[1], 66);
    ReleaseCapture();

    Mouse(WM_LBUTTONDOWN, XOf(66));
    Mouse(WM_MOUSEMOVE, XOf(55));
    SendMessageA(button_, WM_CANCELMODE, 0, 0);
    EXPECT_EQ(changes.size(), 2u);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(pivotMovedDuringDrag, 0);
    EXPECT_EQ(slider_->pivots.position[1], 55);

    Mouse(WM_LBUTTONDOWN, XOf(55));
    Mouse(WM_MOUSEMOVE, XOf(33));
    DestroyWindow(button_);
    EXPECT_EQ(pivotDragActive, 0);
    EXPECT_EQ(pivotMovedDuringDrag, 0);
    EXPECT_EQ(changes.size(), 2u) << "a control going away reports nothing";

    // The object deleted in the middle of a drag lets the button go.
    button_ = CreateWindowExA(0, "button", "", WS_CHILD | WS_VISIBLE, 10, 60, kWidth, 40,
                              parent_.hwnd(), reinterpret_cast<HMENU>(kId), moduleHandle, nullptr);
    delete slider_;
    slider_ = new CColourSlider(parent_.hwnd(), moduleHandle, "Colors", 0, kId, kWidth, kBar,
                                RecordChange);
    SetPivots({{1, 0}, {2, 50}, {3, 99}});
    Mouse(WM_LBUTTONDOWN, XOf(50));
    Mouse(WM_MOUSEMOVE, XOf(55));
    delete slider_;
    slider_ = nullptr;
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(button_, GWLP_USERDATA), 0);
}

TEST_F(GradientControl, ThePressOnTheMenuButtonNeitherSelectsNorCaptures)
{
    SetPivots({{1, 0}, {2, 99}});
    slider_->pivots.selected[0] = 0;
    BYTE keys[256] = {};
    SetKeyboardState(keys);
    Mouse(WM_LBUTTONDOWN, kWidth - 3, kBar);
    Mouse(WM_LBUTTONUP, kWidth - 3, kBar);
    EXPECT_EQ(Selected(), std::vector<int>{});
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(changes.empty());

    slider_->hasMenuButton = 0;
    EXPECT_EQ(CursorAt(kWidth - 3, kBar), LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(GradientControl, DrawsBarCapsMarkersMenuButtonAndTheSelectedPivotsValues)
{
    SetPivots({{0x0000FF, 0}, {0xFF0000, 99}});
    Picture picture(*this);
    EXPECT_EQ(picture.At(kBar + 1, 3), RGB(254, 0, 0)) << "red to blue, a column at a time";
    EXPECT_EQ(picture.At(kBar + 135, 3), RGB(127, 0, 127));
    EXPECT_EQ(picture.At(kBar + 200, 3), RGB(66, 0, 188));
    EXPECT_EQ(picture.At(3, 1), RGB(255, 0, 0)) << "left cap in the first colour";
    EXPECT_EQ(picture.At(kWidth - 12, 1), RGB(0, 0, 255)) << "right cap in the last";
    EXPECT_EQ(picture.At(kBar, kMarkerY), RGB(0, 192, 0)) << "selected marker";
    EXPECT_EQ(picture.At(XOf(99), kMarkerY), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(picture.At(kWidth - 4, kBar + 1), RGB(255, 255, 0)) << "menu button";
    EXPECT_EQ(picture.At(XOf(50), 20), kDialogColour) << "the dialog's background";
    EXPECT_GT(picture.Inked(0, 60, kDialogColour), 20) << "the label";
    EXPECT_EQ(picture.Inked(60, kWidth - 120, kDialogColour), 0);
    EXPECT_GT(picture.Inked(kWidth - 100, kWidth, kDialogColour), 60) << "the values";

    // Without a selected pivot the row is cleared: no text stays behind.
    slider_->pivots.selected[0] = 0;
    slider_->hasMenuButton = 0;
    picture.Print();
    EXPECT_EQ(picture.Inked(0, kWidth, kDialogColour), 0);
    EXPECT_EQ(picture.At(kBar, kMarkerY), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(picture.At(kWidth - 4, kBar + 1), kDialogColour) << "no menu button";

    // In intensity mode the colours show, and are labelled, as greys.
    slider_->intensityOnly = 1;
    slider_->hasMenuButton = 1;
    SetPivots({{0xFFFFFF, 0}, {0x0000FF, 99}});
    SelectPivot(&slider_->pivots, 1);
    picture.Print();
    EXPECT_EQ(picture.At(kBar, 3), RGB(248, 248, 248));
    EXPECT_EQ(picture.At(kBar + 200, 3), RGB(116, 116, 116));
    EXPECT_EQ(picture.At(kWidth - 12, 1), RGB(70, 70, 70));
    EXPECT_GT(picture.Inked(kWidth - 100, kWidth, kDialogColour), 60);
}

// A click on empty bar space adds a pivot at the release point once the
// selector has confirmed its colour; a gradient of one pivot gains its right
// end in that colour too.
TEST_F(GradientControl, ReleaseOnTheBarAddsAPivotInTheConfirmedColour)
{
    std::string frame;
    AnswerDialogs(PickChannel(0, 200, &frame));
    Mouse(WM_LBUTTONDOWN, XOf(33));
    Mouse(WM_LBUTTONUP, XOf(33));
    EXPECT_EQ(frame, "Select pivot color");
    const uint32_t picked = 0x8080C8;  // mid grey offered, red set to 200
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{0xFFFFFF, 0}, {picked, 33}, {picked, 99}}));
    EXPECT_EQ(Selected(), std::vector<int>{2});
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});

    AnswerDialogs(CancelSelector);
    Mouse(WM_LBUTTONUP, XOf(66));
    Mouse(WM_LBUTTONUP, kBar + 3);
    Mouse(WM_LBUTTONUP, kBar + kBarWidth - 3);
    EXPECT_EQ(watcher_.dialogs().size(), 2u) << "nothing is offered within 3 pixels of an end";
    EXPECT_EQ(Pivots().size(), 3u);
    EXPECT_EQ(changes.size(), 1u);

    // The colour offered between black and white at 55: 255 x 55 / 100.
    SetPivots({{0x000000, 0}, {0xFFFFFF, 99}});
    int offered = -1;
    AnswerDialogs([&](HWND selector) {
        offered = GetScrollPos(GetDlgItem(selector, IDC_CHANNEL_BAR), SB_CTL);
        PickChannel(2, 10)(selector);
    });
    Mouse(WM_LBUTTONUP, XOf(55));
    EXPECT_EQ(offered, 140);
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{0x000000, 0}, {0x0A8C8C, 55}, {0xFFFFFF, 99}}));
}

TEST_F(GradientControl, DoubleClickRecoloursAPivotAndSelectsItEvenWhenCancelled)
{
    SetPivots({{0x000000, 0}, {0xFFFFFF, 99}});
    AnswerDialogs(PickChannel(1, 0));
    Mouse(WM_LBUTTONDBLCLK, XOf(99));
    EXPECT_EQ(Pivots(), (std::vector<Pivot>{{0x000000, 0}, {0xFF00FF, 99}}));
    EXPECT_EQ(Selected(), std::vector<int>{2});
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});

    AnswerDialogs(CancelSelector);
    Mouse(WM_LBUTTONDBLCLK, XOf(0));
    EXPECT_EQ(Selected(), std::vector<int>{1});
    AnswerDialogs(PickChannel(0, 0));
    Mouse(WM_LBUTTONDBLCLK, XOf(0));
    EXPECT_EQ(changes.size(), 1u) << "cancelled, and black made black";

    slider_->intensityOnly = 1;
    AnswerDialogs(PickChannel(0, 255));
    Mouse(WM_LBUTTONDBLCLK, XOf(0));
    EXPECT_EQ(slider_->pivots.colour[0], 0x464646u) << "pure red picked as its grey, 70";
}

}  // namespace
