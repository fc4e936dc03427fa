// The editor resized as a window: every control's place at four sizes, the
// preview rendered at its own size, drags under way, refused memory, and
// the kept placement.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>

#include "controls/tiny_slider.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "editor/undo.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"

namespace {

std::map<HWND, RECT> ChildBoxes(HWND dialog)
{
    std::map<HWND, RECT> boxes;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        GetWindowRect(c, &boxes[c]);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&boxes[c]), 2);
    }
    return boxes;
}

// The client area the end of a drag of the corner gives.
void SizeClient(HWND dialog, int width, int height)
{
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE);
}

int Brightness(int x, int y)
{
    const uint8_t *p = previewBitmap.bits + y * previewBitmap.rowBytes + 3 * x;
    return std::max({p[0], p[1], p[2]});
}

using EditorLayout = EditorTest;

TEST_F(EditorLayout, EveryControlKeepsItsPlaceOrFollowsTheSizeAtFourSizes)
{
    RunEditor({[](HWND dialog) {
        RECT first, client, shown;
        GetClientRect(dialog, &first);
        const auto atTemplate = ChildBoxes(dialog);
        const RECT preview = atTemplate.at(previewControl);
        const LONG pageTop = atTemplate.at(GetDlgItem(dialog, IDC_PAGE_AREA)).top;
        for (const char *row : {"1.5 times", "2.5 times", "maximised", "template"}) {
            const int times = row[0] == '1' ? 3 : row[0] == '2' ? 5 : 2;
            ShowWindow(dialog, row[0] == 'm' ? SW_MAXIMIZE : SW_RESTORE);
            if (row[0] != 'm')
                SizeClient(dialog, first.right * times / 2, first.bottom * times / 2);
            GetClientRect(dialog, &client);
            const bool grown = client.right > first.right && client.bottom > first.bottom;
            EXPECT_EQ(grown, row[0] != 't') << row;
            const auto now = ChildBoxes(dialog);
            for (const auto &[control, box] : now) {
                const RECT &was = atTemplate.at(control);
                const int id = GetDlgCtrlID(control);
                EXPECT_TRUE(grown || EqualRect(&box, &was)) << row << ": " << id << " moved";
                // The global groups' reference frames lie below the dialog.
                if (!IsWindowVisible(control) || !Inside(was, first))
                    continue;
                EXPECT_TRUE(Inside(box, client)) << row << ": " << id << " outside";
                EXPECT_TRUE(was.top < pageTop || box.right - box.left == was.right - was.left)
                    << row << ": page control " << id << " changed its width";
                for (const auto &[other, otherBox] : now) {
                    RECT a, b;
                    EXPECT_FALSE(other < control && IsWindowVisible(other) &&
                                 IntersectRect(&a, &box, &otherBox) &&
                                 !IntersectRect(&b, &was, &atTemplate.at(other)))
                        << row << ": " << id << " overlaps " << GetDlgCtrlID(other);
                }
            }
            GetClientRect(previewControl, &shown);
            EXPECT_EQ(grown, shown.right > preview.right - preview.left &&
                                 shown.bottom > preview.bottom - preview.top) << row;
            EXPECT_EQ(previewSize[0], shown.right + 1) << row << ": rendered at its size";
            EXPECT_EQ(previewSize[1], shown.bottom + 1) << row;
            EXPECT_GE(Brightness(lightX, lightY), 250) << row << ": the core at the light";
        }
    }});
}

TEST_F(EditorLayout, ResizingDuringDragsAndWithoutMemoryLeavesASoundEditor)
{
    SetHostElements({"glow"});
    RunEditor({[](HWND dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        const int width = client.right, height = client.bottom;

        SendMessageA(previewControl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 30));
        SizeClient(dialog, width * 2, height * 2);
        EXPECT_EQ(GetCapture(), previewControl) << "the light's drag goes on";
        SendMessageA(previewControl, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 30));
        EXPECT_EQ(lightX, 500);
        EXPECT_EQ(lightY, previewSize[1] - 31) << "counted in the new size";
        SendMessageA(previewControl, WM_LBUTTONUP, 0, MAKELPARAM(500, 30));
        const double large = previewSize[0];
        SizeClient(dialog, width, height);
        EXPECT_NEAR(lightX, 500 * previewSize[0] / large, 1.0) << "the light keeps its place";

        ShowPage(dialog, PAGE_GLOBAL);
        TinySlider *slider = globalIntensitySlider;
        SendMessageA(slider->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(slider->thumbX, 5));
        SendMessageA(slider->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(slider->thumbX + 40, 5));
        const float reached = currentInstance->workingFlare->intensity;
        SizeClient(dialog, width * 3 / 2, height * 3 / 2);
        EXPECT_EQ(GetCapture(), nullptr) << "the slider's drag ended";
        EXPECT_EQ(HostFloat("intensity"), reached) << "what the drag reached is committed";
        SendMessageA(slider->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, 5));
        EXPECT_EQ(currentInstance->workingFlare->intensity, reached) << "no move after it";
        UndoEditorStep(dialog);
        EXPECT_NE(HostFloat("intensity"), reached) << "the drag was one undo step";

        for (int skip : {0, 2}) {  // the new bitmap refused, then the new buffer
            const int16_t oldWidth = previewSize[0], x = int16_t(30 + 60 * skip);
            QiHost_Fail_Allocations(skip, 1);
            SizeClient(dialog, width + 50 + skip, height + 40);
            QiHost_Fail_Allocations(0, 0);
            EXPECT_EQ(previewSize[0], oldWidth) << skip;
            RequestPreviewRedraw(x, 30);
            EXPECT_GE(Brightness(x, 30), 250) << skip << ": the old preview still renders";
        }
    }});
}

TEST_F(EditorLayout, TheKeptSizeComesBackAndUnsoundOnesOpenOnTheScreen)
{
    RECT kept = {}, screen = {}, now = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    RunEditor({[&](HWND dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        SizeClient(dialog, client.right + 120, client.bottom + 80);
        GetWindowRect(dialog, &kept);
    }});
    RunEditor({[&](HWND dialog) { GetWindowRect(dialog, &now); }});
    EXPECT_TRUE(EqualRect(&now, &kept)) << "reopened at the kept size and place";
    RunEditor({[](HWND dialog) { ShowWindow(dialog, SW_MAXIMIZE); }});
    RunEditor({[](HWND dialog) { EXPECT_TRUE(IsZoomed(dialog)) << "reopened maximised"; }});
    SetIniValue("Lens-Flare-UI", "Window-Placement", "7000,-3000,7700,-2400,0");
    RunEditor({[&](HWND dialog) {
        GetWindowRect(dialog, &now);
        EXPECT_TRUE(Inside(now, screen)) << "a monitor that is gone";
    }});
}

}  // namespace
