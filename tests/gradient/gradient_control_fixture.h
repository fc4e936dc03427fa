// A gradient control on a button of a recording parent, as the element
// panels place it (bar 15 pixels high, 300 wide), with what the tests of the
// control and of its commands read back: the table, the selection, the
// change callbacks and the drawn picture.
#ifndef TESTS_GRADIENT_GRADIENT_CONTROL_FIXTURE_H
#define TESTS_GRADIENT_GRADIENT_CONTROL_FIXTURE_H

#include <gtest/gtest.h>

#include <windows.h>

#include <utility>
#include <vector>

#include "frame/plugin_instance.h"
#include "gradient/colour_slider.h"
#include "tests/support/dib_canvas.h"
#include "tests/support/modal_watcher.h"
#include "tests/support/recording_window.h"

using Pivot = std::pair<uint32_t, int32_t>;  // colour, position

inline const uint16_t kId = 10004;
inline const int kWidth = 300;
inline const int kBar = 15;
inline const int kBarWidth = kWidth - 2 * kBar;
inline const int kMarkerY = 15;  // inside the markers, below the bar's middle

inline std::vector<uint32_t> changes;

inline void RecordChange(uint32_t id)
{
    changes.push_back(id);
}

inline std::vector<Pivot> PivotsOf(const GradientPivots &table)
{
    std::vector<Pivot> pivots;
    for (int i = 0; i < table.count; ++i)
        pivots.push_back({table.colour[i], table.position[i]});
    return pivots;
}

// The 1-based numbers of the entries flagged as selected, in use or not.
inline std::vector<int> SelectedOf(const GradientPivots &table)
{
    std::vector<int> pivots;
    for (int i = 0; i < GRADIENT_CAPACITY; ++i)
        if (table.selected[i])
            pivots.push_back(i + 1);
    return pivots;
}

class GradientControl : public testing::Test {
protected:
    void SetUp() override
    {
        moduleHandle = GetModuleHandleA(nullptr);
        changes.clear();
        // The control paints through its parent, which must not clip it.
        HWND parent = parent_.hwnd();
        SetWindowLongA(parent, GWL_STYLE, GetWindowLongA(parent, GWL_STYLE) & ~WS_CLIPCHILDREN);
        int32_t height = 0;
        GradientControlLayout(kBar, &height, &labelOffset_);
        button_ = CreateWindowExA(0, "button", "", WS_CHILD | WS_VISIBLE, 10, 60, kWidth, height,
                                  parent, reinterpret_cast<HMENU>(kId), moduleHandle, nullptr);
        parent_.Answer(WM_CTLCOLORDLG, reinterpret_cast<LRESULT>(dialogBrush_));
        slider_ = new CColourSlider(parent, moduleHandle, "Colors", 0, kId, kWidth, kBar,
                                    RecordChange);
        slider_->AdoptDialogBackground();
        watcher_.OnDialog([](HWND dialog) {
            ADD_FAILURE() << "a dialog was opened";
            PostCloseBox(dialog);
        });
    }

    void TearDown() override
    {
        delete slider_;
        DestroyWindow(button_);
        DeleteObject(dialogBrush_);
        EXPECT_EQ(pivotDragActive, 0);
        EXPECT_EQ(pivotMovedDuringDrag, 0);
    }

    void SetPivots(std::vector<Pivot> pivots)
    {
        slider_->pivots.count = int32_t(pivots.size());
        for (size_t i = 0; i < pivots.size(); ++i) {
            slider_->pivots.colour[i] = pivots[i].first;
            slider_->pivots.position[i] = pivots[i].second;
        }
    }

    std::vector<Pivot> Pivots() const { return PivotsOf(slider_->pivots); }
    std::vector<int> Selected() const { return SelectedOf(slider_->pivots); }

    static int XOf(int position) { return kBar + kBarWidth * position / 99; }

    LRESULT Mouse(UINT message, int x, int y = kMarkerY)
    {
        return SendMessageA(button_, message, MK_LBUTTON, MAKELPARAM(x, y));
    }

    HCURSOR CursorAt(int x, int y = kMarkerY)
    {
        SetCursor(nullptr);
        SendMessageA(button_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        return GetCursor();
    }

    // The picture as the control draws it, with its label row above: row 0
    // of the canvas is the label row's top. Print draws it again over what
    // the canvas holds.
    struct Picture {
        explicit Picture(const GradientControl &test)
            : button(test.button_), rowHeight(-test.labelOffset_),
              canvas(kWidth, 2 * kBar + rowHeight, RGB(1, 2, 3))
        {
            SetViewportOrgEx(canvas.dc(), 0, rowHeight, nullptr);
            Print();
        }
        void Print()
        {
            SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.dc()),
                         PRF_CLIENT);
        }
        COLORREF At(int x, int y) const { return canvas.Pixel(x, y + rowHeight); }
        int InRow(int left, int right, COLORREF colour) const
        {
            return canvas.Count(left, 0, right, rowHeight, colour);
        }
        // Pixels of the label row between left and right that text has touched.
        int Inked(int left, int right, COLORREF background) const
        {
            return (right - left) * rowHeight - InRow(left, right, background);
        }
        HWND button;
        int rowHeight;
        DibCanvas canvas;
    };

    // Lets `step` handle every dialog the control opens from now on, once it
    // is up; before, any dialog is a failure and is closed.
    void AnswerDialogs(DialogStep step)
    {
        watcher_.OnDialog([step](HWND dialog) { RunDialogScript(dialog, {step}); });
    }

    static constexpr COLORREF kDialogColour = RGB(200, 210, 220);
    HBRUSH dialogBrush_ = CreateSolidBrush(kDialogColour);
    ModalWatcher watcher_;
    RecordingWindow parent_;
    HWND button_ = nullptr;
    CColourSlider *slider_ = nullptr;
    int32_t labelOffset_ = 0;
};

#endif
