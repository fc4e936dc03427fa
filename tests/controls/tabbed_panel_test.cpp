// The "TABBEDLF" tab strip under a recording parent: layout, clicks with
// capture, selection by TPM_SELECT alone, what it draws and what it releases.
#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>
#include <vector>

#include "controls/tabbed_panel.h"
#include "frame/plugin_instance.h"
#include "tests/support/dib_canvas.h"
#include "tests/support/recording_window.h"

namespace {

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(191, 0, 0);
const COLORREF kPanelColour = RGB(64, 128, 192);

class TabbedPanelTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        moduleHandle = GetModuleHandleA(nullptr);
        RegisterTabbedPanelClass();
    }
    static void TearDownTestSuite() { DeleteTabbedPanelFonts(); }

    void SetUp() override
    {
        panelBrush_ = CreateSolidBrush(kPanelColour);
        parent_.Answer(WM_CTLCOLORDLG, reinterpret_cast<LRESULT>(panelBrush_));
    }

    void TearDown() override
    {
        DestroyTabbedPanel(&panel_);
        DeleteObject(panelBrush_);
    }

    HWND Create(int length)
    {
        panel_.insetEdges = 1;
        return CreateTabbedPanel(parent_.hwnd(), &panel_, tabs_, 4, length, 0, 0, 0, 0.0f);
    }

    // Label width and text height in the strip's horizontal font.
    static SIZE Measure(const char *text)
    {
        HFONT font = CreateTabbedPanelFont();
        HDC screen = GetDC(nullptr);
        HGDIOBJ old = SelectObject(screen, font);
        SIZE size;
        GetTextExtentPoint32A(screen, text, lstrlenA(text), &size);
        TEXTMETRICA metrics;
        GetTextMetricsA(screen, &metrics);
        size.cy = metrics.tmHeight;
        SelectObject(screen, old);
        ReleaseDC(nullptr, screen);
        DeleteObject(font);
        return size;
    }

    void Press(UINT message, int x, int y) { SendMessageA(panel_.hwnd, message, 0, MAKELPARAM(x, y)); }
    void Select(int id) { SendMessageA(panel_.hwnd, TPM_SELECT, id, 0); }
    uint16_t SelectedFlags(int index) const { return panel_.tabs[index].flags & kTabSelected; }
    std::vector<RecordedMessage> Clicked() const { return parent_.Received({TPN_CLICKED}); }
    RecordedMessage ClickOf(int id)
    {
        return {TPN_CLICKED, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&panel_)};
    }

    RecordingWindow parent_;
    HBRUSH panelBrush_ = nullptr;
    TabbedPanel panel_ = {};
    TabEntry tabs_[4] = {{0, 0, 0xFFFF, "Element Parameters", 1502},
                         {0, 0, 0xFFFF, "Global Parameters", 1500},
                         {-13108, -13108, 0xCCCC, nullptr, 1},
                         {0, 0, 0xFFFF, "Global Fading Parameters", 1501}};
};

TEST_F(TabbedPanelTest, CreationMeasuresLabelsAndPlacesTabsOneAfterAnother)
{
    ASSERT_NE(Create(500), nullptr);
    int running = 0;
    for (int i : {0, 1, 3}) {
        EXPECT_EQ(tabs_[i].offset, running) << i;
        EXPECT_EQ(tabs_[i].extent, Measure(tabs_[i].text).cx + 13) << i;
        EXPECT_EQ(tabs_[i].flags, 0) << i;
        running += tabs_[i].extent;
    }
    EXPECT_EQ(std::make_tuple(tabs_[2].offset, tabs_[2].flags), std::make_tuple(-13108, 0xCCCC))
        << "the absent entry is left alone";
    EXPECT_EQ(panel_.tabsExtent, running);
    EXPECT_EQ(panel_.stripHeight, Measure("x").cy + 7);
    EXPECT_EQ(panel_.height, panel_.stripHeight + 7);
    EXPECT_EQ(panel_.firstTabX, 0);
    RECT client;
    GetClientRect(panel_.hwnd, &client);
    EXPECT_EQ(client.right, 500);
    EXPECT_EQ(client.bottom, panel_.height);
    EXPECT_TRUE(GetClassLongA(panel_.hwnd, GCL_STYLE) & CS_DBLCLKS) << "a second click comes so";
}

TEST_F(TabbedPanelTest, LeftPressOnEnabledTabNotifiesParentWithoutSelecting)
{
    ASSERT_NE(Create(500), nullptr);
    int x = tabs_[1].offset + 1;
    Press(WM_LBUTTONDOWN, x, panel_.height - 1);
    EXPECT_EQ(Clicked(), std::vector<RecordedMessage>{ClickOf(1500)});
    EXPECT_EQ(GetCapture(), panel_.hwnd);
    EXPECT_EQ(SelectedFlags(1), 0);
    Press(WM_LBUTTONUP, x, 10);
    EXPECT_EQ(GetCapture(), nullptr);

    Select(1500);
    parent_.Clear();
    Press(WM_LBUTTONDOWN, x, 4);
    Press(WM_LBUTTONUP, x, 4);
    Press(WM_LBUTTONDBLCLK, x, 4);
    Press(WM_LBUTTONUP, x, 4);
    EXPECT_EQ(Clicked(), std::vector<RecordedMessage>{ClickOf(1500)});
    EXPECT_EQ(GetCapture(), nullptr);
}

// Left presses beside the enabled tabs, and right presses, notify nobody;
// a right press on an enabled tab holds the capture until its release.
TEST_F(TabbedPanelTest, PressesOutsideEnabledTabsAndRightPressesNotifyNobody)
{
    ASSERT_NE(Create(500), nullptr);
    tabs_[3].flags = kTabDisabled;
    Press(WM_LBUTTONDOWN, tabs_[3].offset + 5, 10);
    Press(WM_LBUTTONDOWN, tabs_[1].offset + 5, 3);
    Press(WM_LBUTTONDOWN, panel_.tabsExtent + 2, 10);
    Press(WM_RBUTTONDOWN, tabs_[3].offset + 5, 10);
    EXPECT_EQ(GetCapture(), nullptr);
    Press(WM_RBUTTONDOWN, 5, 10);
    EXPECT_EQ(GetCapture(), panel_.hwnd);
    Press(WM_RBUTTONUP, 5, 10);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(Clicked().empty());
}

// A strip destroyed while its press holds the capture leaves no trace: the
// next strip's release does not take away a capture someone else holds.
TEST_F(TabbedPanelTest, StripDestroyedDuringAPressLeavesNoCaptureBehind)
{
    ASSERT_NE(Create(500), nullptr);
    Press(WM_LBUTTONDOWN, 5, 10);
    ASSERT_EQ(GetCapture(), panel_.hwnd);
    DestroyTabbedPanel(&panel_);
    EXPECT_EQ(GetCapture(), nullptr);

    ASSERT_NE(Create(500), nullptr);
    SetCapture(parent_.hwnd());
    Press(WM_LBUTTONUP, 5, 10);
    Press(WM_RBUTTONUP, 5, 10);
    EXPECT_EQ(GetCapture(), parent_.hwnd());
    ReleaseCapture();

    Press(WM_LBUTTONDOWN, 5, 10);
    EXPECT_EQ(GetCapture(), panel_.hwnd);
    Press(WM_LBUTTONUP, 5, 10);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Clicked(), (std::vector<RecordedMessage>{ClickOf(1502), ClickOf(1502)}));
}

TEST_F(TabbedPanelTest, SelectMarksOnlyTheNamedTab)
{
    ASSERT_NE(Create(500), nullptr);
    Select(1501);
    EXPECT_EQ(SelectedFlags(3), kTabSelected);
    SendMessageA(panel_.hwnd, TPM_SELECT, MAKEWPARAM(1500, 7), 0);
    EXPECT_EQ(SelectedFlags(1), kTabSelected);
    EXPECT_EQ(SelectedFlags(3), 0);
    Select(999);
    for (int i : {0, 1, 3})
        EXPECT_EQ(SelectedFlags(i), 0) << i;
    EXPECT_EQ(tabs_[2].flags, 0xCCCC);

    HWND window = panel_.hwnd;
    panel_.hwnd = nullptr;
    SendMessageA(window, TPM_SELECT, 1502, 0);
    EXPECT_EQ(SelectedFlags(0), 0);
    panel_.hwnd = window;
}

TEST_F(TabbedPanelTest, SelectedTabStandsRaisedAndWiderWithRedLabel)
{
    ASSERT_NE(Create(500), nullptr);
    AdoptTabbedPanelBackground(parent_.hwnd(), &panel_);
    tabs_[3].flags = kTabDisabled;
    Select(1500);
    DibCanvas canvas(panel_.hwnd);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    int h = panel_.height, th = Measure("x").cy;
    int x0 = tabs_[0].offset, x1 = tabs_[1].offset, x3 = tabs_[3].offset;
    int right0 = x0 + tabs_[0].extent - 1, right1 = x1 + tabs_[1].extent + 1;
    EXPECT_EQ(canvas.Pixel(x0 + 5, h - th - 5), highlight);
    EXPECT_EQ(canvas.Pixel(x0 + 5, h - th - 8), kPanelColour);
    EXPECT_EQ(canvas.Pixel(x1 + 5, h - th - 8), highlight);
    EXPECT_EQ(canvas.Pixel(x1, h - 3), highlight);
    EXPECT_EQ(canvas.Pixel(right0, h - 3), kBlack);
    EXPECT_EQ(canvas.Pixel(right1, h - 3), kBlack);
    EXPECT_EQ(canvas.Pixel(x3, h - 3), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.Pixel(x1 + 5, h - 1), GetSysColor(COLOR_BTNFACE));
    int right3 = x3 + tabs_[3].extent - 1;
    EXPECT_EQ(canvas.Count(x0, 0, x1, h, kRed), 0);
    EXPECT_GT(canvas.Count(x0 + 3, 0, right0 - 2, h, GetSysColor(COLOR_WINDOWTEXT)), 0);
    EXPECT_GT(canvas.Count(x1, 0, x3, h, kRed), 0);
    EXPECT_EQ(canvas.Count(x3, 0, canvas.width(), h, kRed), 0);
    EXPECT_GT(canvas.Count(x3 + 3, 0, right3 - 2, h, GetSysColor(COLOR_GRAYTEXT)), 0);
}

// The strip deletes the brushes it made; a brush from the parent outlives it.
TEST_F(TabbedPanelTest, ReleasesOnlyTheBrushesItMade)
{
    ASSERT_NE(Create(500), nullptr);
    HBRUSH own = panel_.backgroundBrush, selected = panel_.selectedBrush;
    AdoptTabbedPanelBackground(parent_.hwnd(), &panel_);
    AdoptTabbedPanelBackground(parent_.hwnd(), &panel_);
    EXPECT_EQ(panel_.backgroundBrush, panelBrush_);
    EXPECT_EQ(GetObjectType(own), 0u);
    DestroyTabbedPanel(&panel_);
    EXPECT_EQ(panel_.hwnd, nullptr);
    EXPECT_EQ(GetObjectType(selected), 0u);
    EXPECT_EQ(GetObjectType(panelBrush_), static_cast<DWORD>(OBJ_BRUSH));

    parent_.Answer(WM_CTLCOLORDLG, 0);
    ASSERT_NE(Create(500), nullptr);
    AdoptTabbedPanelBackground(parent_.hwnd(), &panel_);
    HBRUSH fallback = panel_.backgroundBrush;
    EXPECT_EQ(GetObjectType(fallback), static_cast<DWORD>(OBJ_BRUSH));
    DestroyTabbedPanel(&panel_);
    EXPECT_EQ(GetObjectType(fallback), 0u);
}

}  // namespace
