// The "TINYSLIDER" control under a recording parent: typed entries through
// its edit box, drags with the mouse capture, what it draws and what it
// releases.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "controls/tiny_slider.h"
#include "frame/plugin_instance.h"
#include "tests/support/dib_canvas.h"
#include "tests/support/recording_window.h"
#include "tests/support/window_text.h"

namespace {

using DragCall = std::tuple<std::string, uint16_t, float>;  // phase, id, value

std::vector<uint32_t> changes;
std::vector<DragCall> drags;

void RecordChange(uint32_t id)
{
    changes.push_back(id);
}

void RecordDrag(QiToken phase, uint16_t id, float value)
{
    const char *name = "?";
    for (const char *keyword : {"start", "update", "end"}) {
        if (phase == Qi_Inquire_Token(keyword))
            name = keyword;
    }
    drags.push_back({name, id, value});
}

const uint32_t kId = 77;

class TinySliderTest : public testing::Test {
protected:
    void SetUp() override
    {
        moduleHandle = GetModuleHandleA(nullptr);
        changes.clear();
        drags.clear();
        ASSERT_NE(CreateTinySlider(parent_.hwnd(), moduleHandle, &slider_, kId, RecordChange), nullptr);
        slider_.onDrag = RecordDrag;
        slider_.boundFloat = &boundFloat_;
        slider_.boundInt = &boundInt_;
    }

    void TearDown() override { DestroyTinySlider(&slider_); }

    // The owner's configuration of a floating-point slider.
    void Configure(float min, float max, float low, float high, int16_t precision, uint16_t percent)
    {
        slider_.floatMin = min;
        slider_.floatMax = max;
        slider_.intMin = static_cast<int32_t>(min);
        slider_.intMax = static_cast<int32_t>(max);
        slider_.limitLow = low;
        slider_.limitHigh = high;
        slider_.precision = precision;
        slider_.percent = percent;
    }

    // Typing replaces the edit box's text, which raises EN_UPDATE.
    void Type(const char *text)
    {
        SendMessageA(slider_.hwndEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }

    std::string EditText() const { return WindowText(slider_.hwndEdit); }

    void Mouse(UINT message, int x) { SendMessageA(slider_.hwnd, message, MK_LBUTTON, MAKELPARAM(x, 25)); }

    RecordingWindow parent_;
    TinySlider slider_ = {};
    float boundFloat_ = -1.0f;
    int32_t boundInt_ = -1;
};

// Typed entries: the accepted range bounds what is written, the slider's
// range only the thumb; a percentage is divided, a whole number saturates
// at 32 bits, and text that is no number writes nothing. The control's own
// text updates are not taken as entries.
TEST_F(TinySliderTest, TypedEntriesAreWrittenWithinTheAcceptedRange)
{
    const struct {
        const char *typed;
        uint32_t mode;
        float max, low, high;
        uint16_t percent;
        double bound;      // written to the owner's float, or its int in whole mode
        const char *text;  // then shown
        int thumbX;        // -1: the right end
    } rows[] = {
        {"25", 1, 1.0f, 0.0f, 1.0f, 1, 0.25f, "25", 76},
        {"500", 1, 100.0f, 0.0f, 1000.0f, 0, 500.0f, "500", -1},
        {"2000", 1, 100.0f, 0.0f, 1000.0f, 0, 1000.0f, "1000.00", -1},
        {"-20", 1, 100.0f, 0.0f, 1000.0f, 0, 0.0f, "0.00", 6},
        {"5e9", 0, 100.0f, -1e10f, 1e10f, 0, INT_MAX, "5e9", -1},
        {"-5e9", 0, 100.0f, -1e10f, 1e10f, 0, INT_MIN, "-5e9", 6},
        {"nan", 0, 100.0f, -1e10f, 1e10f, 0, -1.0f, "nan", 6},
    };
    Configure(0.0f, 1.0f, 0.0f, 1.0f, 2, 1);
    SetTinySliderValue(&slider_, 0.12345f, 1, 0);
    EXPECT_EQ(EditText(), "12.35");
    EXPECT_TRUE(changes.empty());
    for (const auto &row : rows) {
        Configure(0.0f, row.max, row.low, row.high, 2, row.percent);
        slider_.mode = row.mode;
        changes.clear();
        boundInt_ = -1;
        Type(row.typed);
        if (row.mode)
            EXPECT_EQ(boundFloat_, float(row.bound)) << row.typed;
        else
            EXPECT_EQ(boundInt_, int32_t(row.bound)) << row.typed;
        EXPECT_EQ(EditText(), row.text) << row.typed;
        EXPECT_EQ(slider_.thumbX, row.thumbX < 0 ? slider_.width - 7 : row.thumbX) << row.typed;
        EXPECT_EQ(changes.size(), row.bound == -1 ? 0u : 1u) << row.typed;
    }
}

// What the owner sets is shown, never written: the thumb as near as it
// goes, the text the value itself. A drag or an entry of the user's
// writes, even one that leaves the thumb where it was.
TEST_F(TinySliderTest, OwnersValuesAreShownAndOnlyTheUsersAreWritten)
{
    const struct {
        const char *what;
        uint32_t mode;
        float min, max, value;
        uint16_t percent;
        const char *text;
        int thumbX;  // -1: the right end
    } rows[] = {
        {"below the range", 1, 0.0f, 360.0f, -30.0f, 0, "-30.00", 6},
        {"above the range", 1, 0.0f, 360.0f, 400.0f, 0, "400.00", -1},
        {"a percentage below", 1, 0.01f, 2.0f, 0.00123f, 1, "0.12", 6},
        {"whole, above", 0, 2.0f, 16.0f, 64.0f, 0, "64", -1},
        {"whole, with a fraction", 0, 2.0f, 16.0f, 2.5f, 0, "2", 6},
    };
    for (const auto &row : rows) {
        Configure(row.min, row.max, -1e4f, 1e4f, 2, row.percent);
        slider_.mode = row.mode;
        boundFloat_ = row.value;
        changes.clear();
        SetTinySliderValue(&slider_, row.value, 1, 0);
        EXPECT_EQ(EditText(), row.text) << row.what;
        EXPECT_EQ(slider_.thumbX, row.thumbX < 0 ? slider_.width - 7 : row.thumbX) << row.what;
        EXPECT_EQ(boundFloat_, row.value) << row.what << ": nothing written";
        EXPECT_EQ(boundInt_, -1) << row.what;

        const int back = row.thumbX < 0 ? 400 : 0;  // beyond the end the thumb stands at
        Mouse(WM_LBUTTONDOWN, slider_.thumbX);
        Mouse(WM_MOUSEMOVE, 150);
        Mouse(WM_MOUSEMOVE, back);
        Mouse(WM_LBUTTONUP, back);
        EXPECT_EQ(boundFloat_, row.thumbX < 0 ? row.max : row.min) << row.what << ": dragged";
        EXPECT_EQ(changes, std::vector<uint32_t>{kId}) << row.what;
        boundInt_ = -1;
    }
    Configure(0.0f, 360.0f, -36000.0f, 36000.0f, 2, 0);
    slider_.mode = 1;
    Type("-30");
    EXPECT_EQ(boundFloat_, -30.0f) << "an entry the accepted range holds is taken";
    EXPECT_EQ(slider_.thumbX, 6);
    Type("0");
    EXPECT_EQ(boundFloat_, 0.0f) << "where the thumb already was";
    EXPECT_EQ(changes.size(), 3u);
}

// A drag back to where it started never calls onChange.
TEST_F(TinySliderTest, DragPinsThumbToTrackAndReportsPhasesThenOneChange)
{
    Configure(0.0f, 100.0f, 0.0f, 100.0f, 2, 0);
    Mouse(WM_LBUTTONDOWN, 150);
    EXPECT_EQ(GetCapture(), slider_.hwnd);
    EXPECT_EQ(slider_.thumbX, 6);
    Mouse(WM_MOUSEMOVE, -40);
    EXPECT_EQ(slider_.thumbX, 6);
    EXPECT_EQ(slider_.floatValue, 0.0f);
    Mouse(WM_MOUSEMOVE, 400);
    EXPECT_EQ(slider_.thumbX, slider_.width - 7);
    EXPECT_EQ(EditText(), "100.00");
    EXPECT_EQ(boundFloat_, 100.0f);
    EXPECT_TRUE(changes.empty());
    Mouse(WM_LBUTTONUP, 400);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});
    std::vector<DragCall> expected = {
        {"start", kId, 0.0f}, {"update", kId, 0.0f}, {"update", kId, 100.0f}, {"end", kId, 100.0f}};
    EXPECT_EQ(drags, expected);

    Mouse(WM_LBUTTONDOWN, 289);
    Mouse(WM_MOUSEMOVE, 100);
    Mouse(WM_MOUSEMOVE, 400);
    Mouse(WM_LBUTTONUP, 400);
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_EQ(drags.back(), (DragCall{"end", kId, 100.0f}));
}

TEST_F(TinySliderTest, ClickSetsValueAtReleaseAndDoubleClickIsNoPress)
{
    Configure(0.0f, 283.0f, 0.0f, 283.0f, 1, 0);
    Mouse(WM_LBUTTONDOWN, 106);
    EXPECT_EQ(slider_.floatValue, 0.0f);
    Mouse(WM_LBUTTONUP, 106);
    EXPECT_EQ(slider_.floatValue, 100.0f);
    EXPECT_EQ(EditText(), "100.0");
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});

    drags.clear();
    EXPECT_TRUE(GetClassLongA(slider_.hwnd, GCL_STYLE) & CS_DBLCLKS) << "a second click comes so";
    Mouse(WM_LBUTTONDBLCLK, 106);
    Mouse(WM_MOUSEMOVE, 200);
    EXPECT_EQ(slider_.floatValue, 100.0f);
    EXPECT_TRUE(drags.empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

// Between two ticks an integer slider keeps the lower value: x = 107 lies
// 3.57 steps along a 283-pixel track of 0..10, which gives 3, not 4.
TEST_F(TinySliderTest, IntegerModeTruncatesValuesAndDragsInWholeSteps)
{
    Configure(0.0f, 10.0f, 0.0f, 10.0f, 0, 0);
    slider_.mode = 0;
    SetTinySliderValue(&slider_, 7.9f, 1, 0);
    EXPECT_EQ(slider_.intValue, 7);
    EXPECT_EQ(EditText(), "7");
    EXPECT_EQ(slider_.thumbX, 204);

    ASSERT_EQ(slider_.width, 296);
    Mouse(WM_LBUTTONDOWN, 204);
    Mouse(WM_MOUSEMOVE, 107);
    EXPECT_EQ(slider_.intValue, 3);
    EXPECT_EQ(slider_.thumbX, 90);
    EXPECT_EQ(EditText(), "3");
    Mouse(WM_LBUTTONUP, 107);
    EXPECT_EQ(boundInt_, 3);
    EXPECT_EQ(drags.back(), (DragCall{"end", kId, 3.0f}));
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});
}

// Swallows WM_CAPTURECHANGED, as for a window whose loss of the capture is
// never announced.
LRESULT CALLBACK DeafToCaptureLoss(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CAPTURECHANGED)
        return 0;
    return TinySliderWndProc(window, message, wParam, lParam);
}

// A drag belongs to the slider that started it and to its capture: a
// capture taken away ends it, destroying that slider in the middle of the
// drag ends it without a word, and hovering over another slider later moves
// nothing. A move without the capture drags nothing.
TEST_F(TinySliderTest, DragEndsWithItsSliderAndNeedsTheCapture)
{
    Configure(0.0f, 100.0f, 0.0f, 100.0f, 2, 0);
    Mouse(WM_LBUTTONDOWN, 6);
    Mouse(WM_MOUSEMOVE, 289);
    SetCapture(parent_.hwnd());
    EXPECT_EQ(drags.back(), (DragCall{"end", kId, 100.0f}));
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});
    Mouse(WM_MOUSEMOVE, 6);
    Mouse(WM_LBUTTONUP, 6);
    EXPECT_EQ(slider_.floatValue, 100.0f);
    ReleaseCapture();
    drags.clear();
    changes.clear();

    TinySlider other = {};
    float otherBound = 10.0f;
    ASSERT_NE(CreateTinySlider(parent_.hwnd(), moduleHandle, &other, kId + 1, RecordChange),
              nullptr);
    other.onDrag = RecordDrag;
    other.boundFloat = &otherBound;
    other.floatMin = other.limitLow = 0.0f;
    other.floatMax = other.limitHigh = 100.0f;
    SetTinySliderValue(&other, 10.0f, 1, 0);

    Mouse(WM_LBUTTONDOWN, 6);
    Mouse(WM_MOUSEMOVE, 150);
    DestroyTinySlider(&slider_);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(drags.size(), 2u) << "no callback from a slider being destroyed";
    SendMessageA(other.hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(250, 25));
    SendMessageA(other.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(250, 25));
    EXPECT_EQ(otherBound, 10.0f);
    EXPECT_EQ(other.floatValue, 10.0f);
    EXPECT_EQ(drags.size(), 2u);
    EXPECT_TRUE(changes.empty());

    // The capture lost without notice: moves leave the thumb alone, and the
    // release ends the drag where it was without taking another's capture.
    SetWindowLongPtrA(other.hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DeafToCaptureLoss));
    SendMessageA(other.hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(34, 25));
    SetCapture(parent_.hwnd());
    SendMessageA(other.hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(250, 25));
    EXPECT_EQ(otherBound, 10.0f);
    SendMessageA(other.hwnd, WM_LBUTTONUP, 0, MAKELPARAM(34, 25));
    EXPECT_EQ(GetCapture(), parent_.hwnd());
    EXPECT_EQ(drags.back(), (DragCall{"end", kId + 1, 10.0f}));
    EXPECT_TRUE(changes.empty());
    ReleaseCapture();
    DestroyTinySlider(&other);
}

TEST_F(TinySliderTest, DrawsTrackHollowThumbAndTicksOnlyForShortIntegerRanges)
{
    Configure(0.0f, 10.0f, 0.0f, 10.0f, 0, 0);
    slider_.mode = 0;
    SetTinySliderValue(&slider_, 3.0f, 1, 0);
    const COLORREF black = RGB(0, 0, 0);
    const int x = slider_.thumbX;
    auto ticks = [&](const DibCanvas &c) {
        const int b = c.height();
        return c.Count(0, b - 5, x - 6, b - 4, black) +
               c.Count(x + 7, b - 5, c.width(), b - 4, black);
    };
    {
        DibCanvas canvas(slider_.hwnd);
        int b = canvas.height();
        EXPECT_EQ(canvas.Pixel(1, 1), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(canvas.Count(6, b - 8, canvas.width() - 6, b - 7, black), canvas.width() - 12);
        EXPECT_EQ(canvas.Pixel(x, b - 7), black);
        EXPECT_EQ(canvas.Pixel(x - 6, b - 1), black);
        EXPECT_EQ(canvas.Pixel(x + 6, b - 1), black);
        EXPECT_NE(canvas.Pixel(x, b - 3), black);
        EXPECT_EQ(ticks(canvas), 10);
    }
    slider_.intMax = 11;
    EXPECT_EQ(ticks(DibCanvas(slider_.hwnd)), 0);

    // A percent sign left of the right end, for percentage sliders only.
    auto inkLeftOfRightEnd = [this] {
        DibCanvas canvas(slider_.hwnd);
        int w = canvas.width(), b = canvas.height();
        return 16 * (b - 8) - canvas.Count(w - 22, 0, w - 6, b - 8, GetSysColor(COLOR_BTNFACE));
    };
    EXPECT_EQ(inkLeftOfRightEnd(), 0);
    slider_.percent = 1;
    EXPECT_GT(inkLeftOfRightEnd(), 0);
}

// The control deletes its own brush and font; the parent's brush stays valid
// however often the control adopts it.
TEST_F(TinySliderTest, ReleasesOnlyTheBrushAndFontItMade)
{
    HBRUSH parentBrush = CreateSolidBrush(RGB(10, 20, 30));
    parent_.Answer(WM_CTLCOLORDLG, reinterpret_cast<LRESULT>(parentBrush));
    HBRUSH own = slider_.backgroundBrush;
    HFONT font = slider_.font;
    HWND edit = slider_.hwndEdit;
    AdoptParentBackground(parent_.hwnd(), &slider_);
    AdoptParentBackground(parent_.hwnd(), &slider_);
    auto asked = parent_.Received({WM_CTLCOLORDLG});
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].lParam, reinterpret_cast<LPARAM>(parent_.hwnd()));
    EXPECT_EQ(slider_.backgroundBrush, parentBrush);
    EXPECT_EQ(GetObjectType(own), 0u);
    EXPECT_EQ(DibCanvas(slider_.hwnd).Pixel(1, 1), RGB(10, 20, 30));

    DestroyTinySlider(&slider_);
    EXPECT_EQ(slider_.hwnd, nullptr);
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(GetObjectType(font), 0u);
    EXPECT_EQ(GetObjectType(parentBrush), static_cast<DWORD>(OBJ_BRUSH));
    DeleteObject(parentBrush);

    TinySlider second = {};
    CreateTinySlider(parent_.hwnd(), moduleHandle, &second, 78, nullptr);
    parent_.Answer(WM_CTLCOLORDLG, 0);
    AdoptParentBackground(parent_.hwnd(), &second);
    HBRUSH fallback = second.backgroundBrush;
    EXPECT_EQ(GetObjectType(fallback), static_cast<DWORD>(OBJ_BRUSH));
    DestroyTinySlider(&second);
    EXPECT_EQ(GetObjectType(fallback), 0u);
}

}  // namespace
