// The editor resized as a window: every control's place at the template's
// size, at 1.5 and 2.5 times that size and maximised; the preview rendered
// at its own size; drags under way when the size changes; the kept size.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>

#include "controls/tabbed_panel.h"
#include "controls/tiny_slider.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "editor/undo.h"
#include "gradient/colour_slider.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"

namespace {

using Boxes = std::map<HWND, RECT>;

Boxes ChildBoxes(HWND dialog)
{
    Boxes boxes;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r;
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
        boxes[c] = r;
    }
    return boxes;
}

bool Overlap(const RECT &a, const RECT &b)
{
    RECT common;
    return IntersectRect(&common, &a, &b) != 0;
}

int Id(HWND control)
{
    return GetDlgCtrlID(control);
}

// Gives the dialog a client area of width x height pixels, as a drag of
// its corner ends.
void SizeClient(HWND dialog, int width, int height)
{
    RECT r = {0, 0, width, height};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

int Brightness(int x, int y)
{
    const uint8_t *p = previewBitmap.bits + size_t(y) * size_t(previewBitmap.rowBytes) + 3 * x;
    return std::max({p[0], p[1], p[2]});
}

using EditorLayout = EditorTest;

TEST_F(EditorLayout, EveryControlKeepsItsPlaceOrFollowsTheSizeAtFourSizes)
{
    RunEditor({[](HWND dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        const int width = client.right, height = client.bottom;
        const Boxes atTemplate = ChildBoxes(dialog);
        const HWND preview = GetDlgItem(dialog, IDC_PREVIEW);
        const HWND area = GetDlgItem(dialog, IDC_PAGE_AREA);
        struct Row {
            const char *name;
            int width, height;  // 0: maximised
        } rows[] = {{"1.5 times", width * 3 / 2, height * 3 / 2},
                    {"2.5 times", width * 5 / 2, height * 5 / 2},
                    {"maximised", 0, 0},
                    {"the template's size again", width, height}};
        for (const Row &row : rows) {
            if (row.width) {
                ShowWindow(dialog, SW_RESTORE);
                SizeClient(dialog, row.width, row.height);
            } else {
                ShowWindow(dialog, SW_MAXIMIZE);
            }
            GetClientRect(dialog, &client);
            const Boxes now = ChildBoxes(dialog);
            const bool grown = client.right > width && client.bottom > height;
            if (row.width == width) {
                for (const auto &[control, box] : atTemplate)
                    EXPECT_TRUE(EqualRect(&box, &now.at(control)))
                        << row.name << ": control " << Id(control) << " is where it was";
            }
            EXPECT_EQ(grown, row.width != width) << row.name << ": the window grew";
            for (const auto &[control, box] : now) {
                // The global groups' reference frames lie below the dialog.
                RECT inside, templateClient = {0, 0, width, height};
                IntersectRect(&inside, &atTemplate.at(control), &templateClient);
                if (!IsWindowVisible(control) || !EqualRect(&inside, &atTemplate.at(control)))
                    continue;
                IntersectRect(&inside, &box, &client);
                EXPECT_TRUE(EqualRect(&inside, &box))
                    << row.name << ": control " << Id(control) << " inside the client area";
                for (const auto &[other, otherBox] : now) {
                    if (other < control && IsWindowVisible(other) && Overlap(box, otherBox)) {
                        EXPECT_TRUE(Overlap(atTemplate.at(control), atTemplate.at(other)))
                            << row.name << ": controls " << Id(control) << " and " << Id(other)
                            << " overlap";
                    }
                }
                const RECT &was = atTemplate.at(control);
                if (RECT p = now.at(area); box.top >= p.top && control != area) {
                    EXPECT_EQ(box.right - box.left, was.right - was.left)
                        << row.name << ": page control " << Id(control) << " keeps its width";
                }
            }
            RECT shown;
            GetClientRect(preview, &shown);
            const RECT &before = atTemplate.at(preview);
            if (grown) {
                EXPECT_GT(shown.right, before.right - before.left) << row.name;
                EXPECT_GT(shown.bottom, before.bottom - before.top) << row.name;
            }
            EXPECT_EQ(previewSize[0], shown.right + 1) << row.name << ": rendered at its size";
            EXPECT_EQ(previewSize[1], shown.bottom + 1) << row.name;
            EXPECT_EQ(previewBitmap.hasImage, 1) << row.name;
            EXPECT_GE(Brightness(lightX, lightY), 250) << row.name << ": the core at the light";
        }
    }});
}

// The light's drag goes on at the new size; a slider's and a gradient's
// drag end with what they reached; a preview that cannot be made larger
// keeps the old one.
TEST_F(EditorLayout, ResizingDuringDragsAndFailedAllocationsLeavesASoundEditor)
{
    SetHostElements({"glow"});
    RunEditor({[](HWND dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        const int width = client.right, height = client.bottom;

        // The light: pressed at (40, 30), the window grows, the drag goes on.
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

        // The gradient: a press on a pivot, then the window grows.
        CColourSlider *gradient = nullptr;
        for (FlareParameter *p = currentInstance->currentElement->firstParameter; p; p = p->next)
            if (p->gradientSlider)
                gradient = p->gradientSlider;
        ASSERT_NE(gradient, nullptr);
        RECT bar;
        GetClientRect(gradient->hwndControl, &bar);
        POINT hit = {-1, -1};
        for (int y = 0; y < bar.bottom && hit.x < 0; ++y)
            for (int x = 0; x < bar.right && hit.x < 0; ++x)
                if (gradient->HitTestPivot({x, y}, &gradient->pivots) > 0)
                    hit = {x, y};
        SendMessageA(gradient->hwndControl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(hit.x, hit.y));
        EXPECT_EQ(GetCapture(), gradient->hwndControl);
        SizeClient(dialog, width, height * 2);
        EXPECT_EQ(GetCapture(), nullptr) << "the gradient's drag ended";
        EXPECT_EQ(pivotDragActive, 0);
        SizeClient(dialog, width, height);

        // A global slider: the drag ends, its value committed as one step.
        SendMessageA(dialog, TPN_CLICKED, PAGE_GLOBAL, 0);
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

        // Host memory refused for the new bitmap, then for the new buffer.
        for (int skip : {0, 2}) {
            const int16_t oldWidth = previewSize[0];
            QiHost_Fail_Allocations(skip, 1);
            SizeClient(dialog, width + 50 + skip, height + 40);
            QiHost_Fail_Allocations(0, 0);
            EXPECT_EQ(previewSize[0], oldWidth) << "refused after " << skip;
            EXPECT_EQ(previewBitmap.valid, 1) << "refused after " << skip;
            EXPECT_EQ(previewBitmap.hasImage, 1) << "refused after " << skip;
            const int16_t x = int16_t(30 + 60 * skip);
            RequestPreviewRedraw(x, 30);
            EXPECT_GE(Brightness(x, 30), 250) << "refused after " << skip << ": still renders";
        }
    }});
}

// Ok keeps the size and place; a new opening takes them again. Kept values
// that cannot be used open the editor on the screen at a sound size.
TEST_F(EditorLayout, TheKeptSizeComesBackAndUnsoundOnesOpenOnTheScreen)
{
    RECT kept = {}, screen = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &screen, 0);
    RunEditor({[&](HWND dialog) {
        RECT client;
        GetClientRect(dialog, &client);
        SizeClient(dialog, client.right + 120, client.bottom + 80);
        GetWindowRect(dialog, &kept);
    }});
    RunEditor({[&](HWND dialog) {
        RECT now;
        GetWindowRect(dialog, &now);
        EXPECT_TRUE(EqualRect(&now, &kept)) << "reopened at the kept size and place";
    }});
    struct Row {
        const char *name, *value;
        bool maximised;
    } rows[] = {{"garbage", "twelve by ten", false},
                {"larger than the screen", "-100,-100,9000,9000,0", false},
                {"on a monitor that is gone", "7000,-3000,7700,-2400,0", false},
                {"maximised", "100,100,900,700,1", true}};
    for (const Row &row : rows) {
        SetIniValue("Lens-Flare-UI", "Window-Placement", row.value);
        RunEditor({[&](HWND dialog) {
            RECT now, common;
            GetWindowRect(dialog, &now);
            EXPECT_EQ(IsZoomed(dialog) != 0, row.maximised) << row.name;
            if (!row.maximised) {
                EXPECT_TRUE(IntersectRect(&common, &now, &screen) && EqualRect(&common, &now))
                    << row.name << ": wholly on the screen";
            }
            EXPECT_GE(now.right - now.left, kept.right - kept.left - 120) << row.name;
        }});
    }
}

}  // namespace
