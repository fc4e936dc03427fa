// The editor's preview driven with real mouse messages inside the running
// editor dialog: light placement and dragging, the wait cursor and the
// progress bar during slow renders, and the clipboard copy.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "editor/editor_dialog.h"
#include "host/core/qi_host.h"
#include "preview/preview.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/support/dib_canvas.h"

namespace {

// The brightest channel of a pixel of 24-bit rows; y counts up from the
// bottom row. Without rows, those of the preview.
int Brightness(int x, int y, const uint8_t *bits = nullptr, size_t rowBytes = 0)
{
    if (!bits)
        bits = previewBitmap.bits, rowBytes = size_t(previewBitmap.rowBytes);
    const uint8_t *p = bits + size_t(y) * rowBytes + 3 * size_t(x);
    return std::max({p[0], p[1], p[2]});
}

using Preview = EditorTest;

TEST_F(Preview, OpensWithTheLightAtAQuarterAndPutsItUnderClicksAndDrags)
{
    RunEditor({
        [](HWND) {
            RECT client;
            GetClientRect(previewControl, &client);
            EXPECT_EQ(previewSize[0], client.right + 1) << "one pixel wider than the client area";
            EXPECT_EQ(previewSize[1], client.bottom + 1);
            EXPECT_EQ(lightX, previewSize[0] / 4);
            EXPECT_EQ(lightY, previewSize[1] / 4);
            EXPECT_EQ(previewBitmap.hasImage, 1);
            EXPECT_GE(Brightness(lightX, lightY), 250) << "the flare's core sits at the light";
            EXPECT_EQ(previewBusy, 0);
            SendMessageA(previewControl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
            EXPECT_EQ(lightX, 0);
            EXPECT_EQ(lightY, previewSize[1] - 1) << "the top row of the bottom-up buffer";
            EXPECT_EQ(GetCapture(), previewControl);
            EXPECT_GE(Brightness(0, previewSize[1] - 1), 250);
        },
        [](HWND) {
            SendMessageA(previewControl, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 50));
            EXPECT_EQ(lightX, 60);
            EXPECT_EQ(lightY, previewSize[1] - 51);
            EXPECT_GE(Brightness(60, previewSize[1] - 51), 250) << "rendered at the move";
            EXPECT_LT(Brightness(0, previewSize[1] - 1), 200) << "the old core is gone";
        },
        [](HWND) {
            // A second press while dragging neither renders nor re-captures.
            SendMessageA(previewControl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 20));
            EXPECT_EQ(lightX, 60);
            EXPECT_EQ(GetCapture(), previewControl);
            SendMessageA(previewControl, WM_LBUTTONUP, 0, MAKELPARAM(120, 20));
            EXPECT_EQ(GetCapture(), nullptr);
            EXPECT_EQ(lightX, 60) << "the release itself does not move the light";
        },
        [](HWND) {
            // Without a press, moves do nothing; the bottom-left visible pixel
            // is row 1, as the buffer is one row taller than the client area.
            SendMessageA(previewControl, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
            EXPECT_EQ(lightX, 60);
            RECT client;
            GetClientRect(previewControl, &client);
            SendMessageA(previewControl, WM_LBUTTONDOWN, MK_LBUTTON,
                         MAKELPARAM(0, client.bottom - 1));
            EXPECT_EQ(lightY, 1);
            // Dragging outside the control hands the host positions outside
            // the buffer.
            SendMessageA(previewControl, WM_MOUSEMOVE, MK_LBUTTON,
                         MAKELPARAM(-30, client.bottom + 40));
            EXPECT_EQ(lightX, -30);
            EXPECT_EQ(lightY, previewSize[1] - (client.bottom + 40) - 1);
            SendMessageA(previewControl, WM_CANCELMODE, 0, 0);
            EXPECT_EQ(GetCapture(), nullptr);
        },
    });
}

// The preview, deaf to the loss of its capture, as a window destroyed with
// it is on some systems.
LRESULT CALLBACK DeafPreview(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CAPTURECHANGED)
        return 0;
    return PreviewControlProc(window, message, wParam, lParam);
}

// The editor closed while the button is held in the preview leaves no drag
// behind: in the next session a plain move leaves the light alone and the
// first press places it.
TEST_F(Preview, ClosingTheEditorDuringADragEndsIt)
{
    RunEditor({[](HWND) {
        SetWindowLongPtrA(previewControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DeafPreview));
        SendMessageA(previewControl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
        ASSERT_EQ(GetCapture(), previewControl);
    }});
    EXPECT_EQ(GetCapture(), nullptr);
    RunEditor({[](HWND dialog) {
        SendMessageA(previewControl, WM_MOUSEMOVE, 0, MAKELPARAM(60, 50));
        EXPECT_EQ(lightX, previewSize[0] / 4);
        EXPECT_EQ(lightY, previewSize[1] / 4);
        SendMessageA(previewControl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(70, 40));
        EXPECT_EQ(lightX, 70);
        EXPECT_EQ(GetCapture(), previewControl);
        // Another window taking the capture ends the drag too.
        SetCapture(dialog);
        SendMessageA(previewControl, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 20));
        EXPECT_EQ(lightX, 70);
        ReleaseCapture();
    }});
}

// Watches the editor's preview timer while renders run, from a subclass of
// the dialog window (timer messages are dispatched, not sent).
struct TimerWatch {
    static inline WNDPROC dialogProc = nullptr;
    static inline int fired = 0;
    static inline bool waitCursorShown = false;
    static inline bool barDrawn = false;

    static LRESULT CALLBACK Subclass(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = CallWindowProcA(dialogProc, dialog, message, wParam, lParam);
        if (message == WM_TIMER && wParam == PREVIEW_TIMER) {
            ++fired;
            waitCursorShown = GetCursor() == waitCursor;
            // The two-pixel white bar grows under the preview.
            RECT r;
            GetClientRect(previewControl, &r);
            MapWindowPoints(previewControl, dialog, reinterpret_cast<POINT *>(&r), 2);
            barDrawn = CountShownPixels(dialog, {r.left + 1, r.bottom, r.left + 2, r.bottom + 2},
                                        [](COLORREF p) { return p == RGB(255, 255, 255); }) == 2;
        }
        return result;
    }
    static void Watch(HWND dialog)
    {
        fired = 0;
        dialogProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Subclass)));
    }
};

TEST_F(Preview, HourglassAndProgressBarOnlyForLongRenders)
{
    RunEditor({
        [](HWND dialog) {
            TimerWatch::Watch(dialog);
            RequestPreviewRedraw(-1, -1);
            EXPECT_EQ(TimerWatch::fired, 0) << "a quick render never shows the hourglass";
            EXPECT_EQ(CurrentPreviewCursor(), arrowCursor);
        },
        [](HWND) {
            QiHost_Set_Render_Delay(900);
            RequestPreviewRedraw(-1, -1);
            QiHost_Set_Render_Delay(0);
            EXPECT_GE(TimerWatch::fired, 1) << "the timer got through during the render";
            EXPECT_TRUE(TimerWatch::waitCursorShown);
            EXPECT_TRUE(TimerWatch::barDrawn);
            EXPECT_EQ(CurrentPreviewCursor(), arrowCursor) << "the arrow is back afterwards";
            EXPECT_EQ(previewBusy, 0);
        },
    });
}

TEST_F(Preview, RightClickPutsASmallTrueColourDibOnTheClipboard)
{
    RunEditor({[](HWND) {
        SendMessageA(previewControl, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
        ASSERT_TRUE(OpenClipboard(nullptr));
        HGLOBAL block = GetClipboardData(CF_DIB);
        ASSERT_NE(block, nullptr);
        const size_t rowBytes = 360;  // 120 pixels x 3 bytes, already a multiple of 4
        EXPECT_GE(GlobalSize(block), 40 + rowBytes * 90);
        auto *header = static_cast<const BITMAPINFOHEADER *>(GlobalLock(block));
        EXPECT_EQ(header->biSize, 40u);
        EXPECT_EQ(header->biWidth, 120);
        EXPECT_EQ(header->biHeight, 90);
        EXPECT_EQ(header->biBitCount, 24);
        EXPECT_EQ(header->biCompression, DWORD(BI_RGB));
        // The light sits at the proportional position of the small picture.
        int x = int(float(lightX) / float(previewSize[0]) * 120.0f);
        int y = int(float(lightY) / float(previewSize[1]) * 90.0f);
        EXPECT_GE(Brightness(x, y, reinterpret_cast<const uint8_t *>(header + 1), rowBytes), 250);
        GlobalUnlock(block);
        CloseClipboard();
        EXPECT_EQ(lightX, previewSize[0] / 4) << "the copy does not move the light";
    }});
    EXPECT_TRUE(watcher_.boxes().empty());
}

TEST_F(Preview, ClipboardHeldElsewhereIsReportedAndCopiesNothing)
{
    std::atomic<int> stage{0};
    std::thread holder([&] {
        HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     nullptr, nullptr);
        OpenClipboard(owner);
        EmptyClipboard();
        stage = 1;
        while (stage != 2)
            Sleep(5);
        CloseClipboard();
        DestroyWindow(owner);
    });
    while (stage != 1)
        Sleep(5);
    RunEditor({[](HWND) { SendMessageA(previewControl, WM_RBUTTONUP, 0, MAKELPARAM(10, 10)); }});
    stage = 2;
    holder.join();
    ASSERT_EQ(watcher_.boxes().size(), 1u);
    EXPECT_EQ(watcher_.boxes()[0].caption, "Clipboard Error");
    EXPECT_EQ(watcher_.boxes()[0].text,
              "The clipboard is currently being used by another application.");
    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
    CloseClipboard();
}

}  // namespace
