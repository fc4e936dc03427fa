// Times the editor's preview: the conversion of a render buffer into a
// display bitmap (24-bit, and 8-bit with the dither onto the colour cube) in
// Mpixel/s, one preview cycle (clear, host render, convert) at the editor's
// preview size, the whole redraw inside the running editor dialog (render
// with its progress bar, convert, repaint), one drag of a global slider
// (value, commit, render, convert, repaint), and the editor's opening (from
// the call to the first preview on screen), and the pictures of the element
// list when the editor opens with 16 elements; and the redraw and one light
// drag step with the editor at the template's size, with a 1200x800
// preview, and at the size it takes maximised on a 1920x1080 screen, with
// the default flare and with 16 elements.
//
//   preview_bench [--iterations N] [--smoke]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include "controls/tabbed_panel.h"
#include "controls/tiny_slider.h"
#include "editor/editor_dialog.h"
#include "editor/editor_state.h"
#include "editor/element_panel.h"
#include "editor/element_rows.h"
#include "editor/panel_cache.h"
#include "editor/global_sliders.h"
#include "editor/undo.h"
#include "frame/ini_file.h"
#include "host/core/qi_host.h"
#include "preview/preview.h"
#include "bench/bench_options.h"
#include "tests/support/plugin_calls.h"
#include "tests/support/test_services.h"

namespace {

int iterations = 41;

void RenderDefaultFlare(QiGBuffer *buffer)
{
    Qi_LensFlareApplyToGBuffer(buffer, Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT,
                               buffer->width / 4, buffer->height / 4, nullptr);
}

void TimeConversions(int32_t width, int32_t height)
{
    QiGBuffer *buffer = Qi_Alloc_Global_GBuffer(width, height, height, 0);
    ClearRenderBuffer(buffer);
    RenderDefaultFlare(buffer);
    const double megapixels = double(width) * height / 1e6;
    for (int16_t mode : {int16_t(3), int16_t(1)}) {
        DisplayBitmap bitmap = {};
        CreateDisplayBitmap(&bitmap, 1, width, height, mode);
        double ms = MedianMs(iterations, [&] { ConvertGBufferToDisplay(buffer, &bitmap); });
        std::printf("conversion %-28s %5dx%-5d %8.3f ms  %8.1f Mpixel/s\n",
                    mode == 3 ? "24-bit" : "8-bit, dithered onto the cube", width, height, ms,
                    megapixels / (ms / 1000.0));
        FreeDisplayBitmap(&bitmap);
    }
    Qi_Free_Global_GBuffer(buffer);
}

void TimePreviewCycle(int32_t width, int32_t height)
{
    QiGBuffer *buffer = Qi_Alloc_Global_GBuffer(width, height, height, 0);
    DisplayBitmap bitmap = {};
    CreateDisplayBitmap(&bitmap, 1, width, height, 3);
    double clear = MedianMs(iterations, [&] { ClearRenderBuffer(buffer); });
    double render = MedianMs(iterations, [&] { RenderDefaultFlare(buffer); });
    double convert = MedianMs(iterations, [&] { ConvertGBufferToDisplay(buffer, &bitmap); });
    double cycle = MedianMs(iterations, [&] {
        ClearRenderBuffer(buffer);
        RenderDefaultFlare(buffer);
        ConvertGBufferToDisplay(buffer, &bitmap);
    });
    std::printf("preview cycle at %dx%d: %.3f ms (clear %.3f, host render %.3f, convert %.3f)\n",
                width, height, cycle, clear, render, convert);
    FreeDisplayBitmap(&bitmap);
    Qi_Free_Global_GBuffer(buffer);
}

// A drag of a slider between two places: the value follows the pointer,
// the release commits, the preview renders and repaints.
double TimeSliderDrag(TinySlider *slider)
{
    int16_t x = 60;
    return MedianMs(iterations, [&] {
        x = int16_t(x == 60 ? 200 : 60);
        SendMessageA(slider->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(slider->thumbX, 25));
        SendMessageA(slider->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 25));
        SendMessageA(slider->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, 25));
        UpdateWindow(previewControl);
    });
}

// Building and destroying the element panel of each element of the flare,
// each timed on its own: built anew each time, and kept for its type once
// built (then "build" takes the kept page over and "destroy" hides it).
void TimePanels(HWND dialog)
{
    using Clock = std::chrono::steady_clock;
    PluginInstance *instance = currentInstance;
    DestroyElementPanel(instance, instance->currentElement);
    for (bool keep : {false, true}) {
        ReleasePanelCache();
        StartPanelCache(keep);
        for (FlareElement *e = instance->workingFlare->firstElement; e; e = e->next) {
            std::vector<double> build, destroy;
            for (int i = 0; i < iterations; ++i) {
                auto start = Clock::now();
                BuildElementPanel(instance, dialog, e);
                auto built = Clock::now();
                DestroyElementPanel(instance, e);
                auto end = Clock::now();
                build.push_back(std::chrono::duration<double, std::milli>(built - start).count());
                destroy.push_back(std::chrono::duration<double, std::milli>(end - built).count());
            }
            std::printf("element panel of %-9s (%d parameters), %s: build %.3f ms, destroy "
                        "%.3f ms\n", e->name, e->numparameters, keep ? "kept" : "built anew",
                        Median(build), Median(destroy));
        }
    }
    BuildElementPanel(instance, dialog, instance->workingFlare->firstElement);
}

// An undo of a change of a global slider, and of a library load of the
// largest bundled preset; the bytes one slider step adds to the history.
void TimeUndo(HWND dialog)
{
    using Clock = std::chrono::steady_clock;
    auto timeUndo = [&](const std::function<void()> &change) {
        std::vector<double> times;
        for (int i = 0; i < iterations; ++i) {
            change();
            auto start = Clock::now();
            UndoEditorStep(dialog);
            auto end = Clock::now();
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
        return Median(times);
    };
    SendMessageA(dialog, TPN_CLICKED, PAGE_GLOBAL, 0);
    int16_t x = 60;
    auto drag = [&] {
        x = int16_t(x == 60 ? 200 : 60);
        TinySlider *slider = globalIntensitySlider;
        SendMessageA(slider->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(slider->thumbX, 25));
        SendMessageA(slider->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, 25));
    };
    size_t before = UndoHistoryBytes();
    drag();
    size_t step = UndoHistoryBytes() - before;
    UndoEditorStep(dialog);
    double slider = timeUndo(drag);
    // The bundled preset with the most elements, from the shipped folder.
    char largest[MAX_PATH];
    GetModuleFileNameA(nullptr, largest, sizeof largest);
    lstrcpyA(std::strrchr(largest, '\\'), "\\..\\dist\\lensfx\\starburst.lnz");
    int32_t status = -1;
    double library = timeUndo([&] {
        Qi_LensFlare(Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT,
                     Qi_Inquire_Token("loadfromfile"), largest, &status, QI_END);
        ReloadAfterLibraryLoad(dialog);
    });
    if (status != 0)
        std::printf("the preset %s did not load\n", largest);
    std::printf("undo of a global slider change: %.3f ms (a step holds %zu bytes); "
                "undo of a library load (starburst, 11 elements): %.3f ms\n", slider, step,
                library);
}

// Runs inside the editor, then closes it.
void CALLBACK TimeInsideTheEditor(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(dialog, timer);
    double ms = MedianMs(iterations, [] {
        RequestPreviewRedraw(-1, -1);
        UpdateWindow(previewControl);
    });
    std::printf("preview redraw in the editor at %dx%d (render, progress bar, convert, "
                "repaint): %.3f ms\n",
                previewSize[0], previewSize[1], ms);
    TinySlider *first = currentInstance->currentElement->firstParameter->tinySlider;
    std::printf("element panel slider drag (value, save, commit, render, convert, repaint): "
                "%.3f ms\n", TimeSliderDrag(first));
    TimePanels(dialog);
    TimeUndo(dialog);
    SendMessageA(dialog, TPN_CLICKED, PAGE_GLOBAL, 0);
    std::printf("global slider drag in the editor (value, commit, render, convert, repaint): "
                "%.3f ms\n", TimeSliderDrag(globalIntensitySlider));
    EndDialog(dialog, 1);
}

// The timer starts once set-up is over: set-up's own render lets timer
// messages through.
INT_PTR CALLBACK BenchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = EditorDialogProc(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG)
        SetTimer(dialog, 1, 10, TimeInsideTheEditor);
    return result;
}

// Ends the editor as soon as its preview has been drawn on screen.
INT_PTR CALLBACK FirstPreviewProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = EditorDialogProc(dialog, message, wParam, lParam);
    if (message == WM_DRAWITEM && wParam == 1000 && previewBitmap.hasImage)
        EndDialog(dialog, 1);
    return result;
}

// The element list's pictures of every element rendered, as when the
// editor opens.
void CALLBACK TimeRowPictures(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(dialog, timer);
    double ms = MedianMs(iterations, [dialog] {
        ReleaseElementRows();
        SetUpElementRows(dialog);
        RefreshRowPictures();
    });
    std::printf("element list pictures of %d elements, all rendered (as at the opening): "
                "%.3f ms\n", currentInstance->workingFlare->numelements, ms);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK PicturesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = EditorDialogProc(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG)
        SetTimer(dialog, 1, 10, TimeRowPictures);
    return result;
}

// The dialog's client size that gives a preview of width x height pixels.
SIZE ClientForPreview(HWND dialog, int width, int height)
{
    RECT client, preview;
    GetClientRect(dialog, &client);
    GetClientRect(previewControl, &preview);
    return {client.right + (width - 1 - preview.right),
            client.bottom + (height - 1 - preview.bottom)};
}

void SizeClient(HWND dialog, SIZE client)
{
    RECT r = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER);
}

// The redraw (render with its progress bar, convert, repaint) and one step
// of a light drag (a move with the button down) at three sizes.
void CALLBACK TimeAtSizes(HWND dialog, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(dialog, timer);
    RECT templateClient;
    GetClientRect(dialog, &templateClient);
    // Maximised, the frame lies off the screen: the client area is the
    // screen less the caption.
    const SIZE sizes[] = {{templateClient.right, templateClient.bottom},
                          ClientForPreview(dialog, 1200, 800),
                          {1920, 1080 - GetSystemMetrics(SM_CYCAPTION)}};
    const char *names[] = {"the template's size", "a 1200x800 preview", "maximised on 1920x1080"};
    for (int i = 0; i < 3; ++i) {
        SizeClient(dialog, sizes[i]);
        double redraw = MedianMs(iterations, [] {
            RequestPreviewRedraw(-1, -1);
            UpdateWindow(previewControl);
        });
        double render =
            MedianMs(iterations, [] { RenderPreview(lightX, lightY, &previewBitmap); });
        double repaint = MedianMs(iterations, [] {
            InvalidateRect(previewControl, nullptr, FALSE);
            UpdateWindow(previewControl);
        });
        SendMessageA(previewControl, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        int16_t x = 10;
        double step = MedianMs(iterations, [&] {
            x = int16_t(x == 10 ? 200 : 10);
            SendMessageA(previewControl, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 100));
            UpdateWindow(previewControl);
        });
        SendMessageA(previewControl, WM_LBUTTONUP, 0, MAKELPARAM(x, 100));
        std::printf("%2d elements, %-24s preview %4dx%-4d redraw %7.3f ms (render and convert "
                    "%7.3f, repaint %7.3f), light drag step %7.3f ms\n",
                    currentInstance->workingFlare->numelements, names[i], previewSize[0],
                    previewSize[1], redraw, render, repaint, step);
    }
    EndDialog(dialog, 1);
}

// The bench's own screen may be smaller than 1920x1080: the window may
// take any size asked for.
INT_PTR CALLBACK SizesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    INT_PTR result = EditorDialogProc(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG)
        SetTimer(dialog, 1, 10, TimeAtSizes);
    if (message == WM_GETMINMAXINFO)
        reinterpret_cast<MINMAXINFO *>(lParam)->ptMaxTrackSize = {4000, 3000};
    return result;
}

// Each run starts at the template's size, whatever the last one kept.
void OpenAtTemplateSize()
{
    WritePrivateProfileStringA("Lens-Flare-UI", "Window-Placement", nullptr, PluginIniPath());
    DialogBoxParamA(moduleHandle, "LensFlareDialogBox", nullptr, SizesDialogProc, 0);
}

// Light1's flare made of two elements of each type the host offers.
void UseTwoOfEachType()
{
    const QiToken light = Qi_Inquire_Token("light");
    int32_t count = 0, types = 0;
    Qi_Inquire_LensFlare(light, QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("numelements"), &count,
                         QI_END);
    for (int32_t e = count - 1; e >= 0; --e) {
        const char *guid = nullptr;
        Qi_Inquire_LensFlare(light, QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("element"), &e,
                             Qi_Inquire_Token("guid"), &guid, QI_GROUP, QI_END);
        Qi_LensFlare(light, QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("delete"), guid, QI_END);
    }
    Qi_LensFlare_Enumerate_ElementInfo(Qi_Inquire_Token("numelements"), &types, QI_END);
    for (int round = 0; round < 2; ++round)
        for (int32_t t = 0; t < types; ++t) {
            const char *name = nullptr, *guid = nullptr;
            Qi_LensFlare_Enumerate_ElementInfo(Qi_Inquire_Token("element"), &t,
                                               Qi_Inquire_Token("name"), &name, QI_GROUP, QI_END);
            Qi_LensFlare(light, QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("insert"),
                         Qi_Inquire_Token("end"), name, &guid, QI_END);
        }
}

void TimeEditor()
{
    moduleHandle = GetModuleHandleA(nullptr);
    TestServices services("preview_bench.ini");
    PluginInstance *instance = LinkedPlugin().NewInstance(&services);
    instance->handleType = Qi_Inquire_Token("light");
    lstrcpynA(instance->flareName, QIHOST_DEFAULT_LIGHT, FLARE_NAME_SIZE);
    DialogBoxParamA(moduleHandle, "LensFlareDialogBox", nullptr, BenchDialogProc, 0);
    double ms = MedianMs(iterations, [] {
        DialogBoxParamA(moduleHandle, "LensFlareDialogBox", nullptr, FirstPreviewProc, 0);
    });
    std::printf("editor opening (dialog call to the first preview on screen, then closed): "
                "%.3f ms\n", ms);
    OpenAtTemplateSize();
    UseTwoOfEachType();
    DialogBoxParamA(moduleHandle, "LensFlareDialogBox", nullptr, PicturesDialogProc, 0);
    OpenAtTemplateSize();
    LinkedPlugin().Destroy(instance);
}

}  // namespace

int main(int argc, char **argv)
{
    bool smoke = false;
    if (!ReadBenchOptions(argc, argv, "preview_bench", iterations, smoke))
        return 2;
    QiHost_Create_Default_Scene();
    std::printf("median of %d runs\n", iterations);
    // The editor's preview buffer is 381 x 243 pixels with its dialog font.
    TimeConversions(381, 243);
    TimeConversions(1920, 1080);
    TimePreviewCycle(381, 243);
    TimePreviewCycle(1200, 800);
    TimePreviewCycle(1673, 756);
    TimeEditor();
    return 0;
}
