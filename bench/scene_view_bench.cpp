// Times the render of quorix.exe's main window: its scene view drawing the
// scene and the default light's flare and converting the buffer into its
// display bitmap, then the repaint, at 1280x720 and 1920x1080; the median of
// each, and of the drawing alone.
//
//   scene_view_bench [--iterations N] [--smoke]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "host/app/main_window.h"
#include "host/app/render_command.h"
#include "host/app/scene_view.h"
#include "host/core/qi_host.h"
#include "bench/bench_options.h"
#include "tests/support/test_services.h"

namespace {

int iterations = 41;

void TimeView(HWND view, int32_t width, int32_t height)
{
    SetWindowPos(view, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE);
    const SceneView *state = SceneViewOf(view);
    double whole = MedianMs(iterations, [view] {
        RenderSceneView(view);
        UpdateWindow(view);
    });
    QiGBuffer *buffer = state->buffer;
    RenderOptions options = SceneViewRenderOptions(*state);
    double draw = MedianMs(iterations, 
        [&] { DrawFlareScene(*buffer, options, state->kind, state->name, nullptr); });
    std::printf("%dx%-5d %8.3f ms   (scene and flare %.3f ms)\n", width, height, whole, draw);
}

}  // namespace

int main(int argc, char **argv)
{
    bool smoke = false;
    if (!ReadBenchOptions(argc, argv, "scene_view_bench", iterations, smoke))
        return 2;
    QiHost_Create_Default_Scene();
    TestServices services("scene_view_bench.ini");
    MainWindowSetup setup = {"scene_view_bench.ini", "lensflare.dll", &services};
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr), setup);
    if (!window) {
        std::fprintf(stderr, "no main window\n");
        return 1;
    }
    std::printf("main window's render (scene, flare, display bitmap, repaint), "
                "median of %d\n",
                iterations);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    // The view is sized directly: the screen may be smaller than the picture.
    HWND view = GetDlgItem(window, kSceneViewId);
    TimeView(view, 1280, 720);
    TimeView(view, 1920, 1080);
    DestroyWindow(window);
    return 0;
}
