// Times one full redraw of the gradient control (the off-screen picture of
// bar, caps, markers and menu button, the label row and the copy to the
// control) at the size the element panels give it (300 pixels wide, bar 15)
// and at the size of the large gradient dialog's control, with the ring
// spectrum and a selected pivot: drawn on the control's window, and through
// WM_PRINTCLIENT into a 32-bit DIB.
//
//   gradient_bench [--iterations N] [--smoke]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "frame/plugin_instance.h"
#include "gradient/colour_slider.h"
#include "gradient/gradient_presets.h"
#include "resources/gradient_ids.h"
#include "bench/bench_options.h"

namespace {

int iterations = 41;
const uint16_t kControlId = 10000;

INT_PTR CALLBACK EmptyDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// The client size of the large dialog's control 1000 with the dialog's font.
SIZE LargeControlSize()
{
    HWND dialog = CreateDialogParamA(moduleHandle, "LargeGradientEditDialog", nullptr,
                                     EmptyDialogProc, 0);
    RECT client = {0, 0, 0, 0};
    GetClientRect(GetDlgItem(dialog, IDC_LARGE_GRADIENT), &client);
    DestroyWindow(dialog);
    return SIZE{client.right + 1, client.bottom + 1};
}

void TimeRedraw(const char *what, int width, int barHeight)
{
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, width + 40,
                                  4 * barHeight + 60, nullptr, nullptr, moduleHandle, nullptr);
    HWND button = CreateWindowExA(0, "button", "", WS_CHILD | WS_VISIBLE, 20, 30, width,
                                  2 * barHeight, parent, reinterpret_cast<HMENU>(kControlId),
                                  moduleHandle, nullptr);
    CColourSlider *slider = new CColourSlider(parent, moduleHandle, "Gradient", 0, kControlId,
                                              width, barHeight, nullptr);
    ApplyGradientPreset(&slider->pivots, IDM_PRESET_RING, Qi_Inquire_Token("linear"));
    SelectPivot(&slider->pivots, 2);

    double window = MedianMs(iterations, [&] { slider->DrawGradient(&slider->pivots); });

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -(2 * barHeight + 40);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, dib);
    SetViewportOrgEx(dc, 0, 40, nullptr);
    double printed = MedianMs(iterations, [&] {
        SendMessageA(button, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
    });
    SelectObject(dc, old);
    DeleteObject(dib);
    DeleteDC(dc);

    std::printf("%-26s %4d x %-3d (bar %2d): on the window %7.3f ms, into a DIB %7.3f ms\n",
                what, width, 2 * barHeight, barHeight, window, printed);
    delete slider;
    DestroyWindow(button);
    DestroyWindow(parent);
}

}  // namespace

int main(int argc, char **argv)
{
    bool smoke = false;
    if (!ReadBenchOptions(argc, argv, "gradient_bench", iterations, smoke))
        return 2;
    moduleHandle = GetModuleHandleA(nullptr);
    std::printf("gradient control redraw, median of %d runs\n", iterations);
    TimeRedraw("element panel", 300, 15);
    SIZE large = LargeControlSize();
    TimeRedraw("large gradient dialog", int(large.cx), int(large.cy));
    return 0;
}
