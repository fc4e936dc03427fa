// Opens and closes the editor many times the way the host does (the
// plug-in's command, owned by a host window), and in each opening clicks a
// page's tab and drags a global slider, so that the preview renders and the
// flare is committed. It then checks that nothing accumulates: the host's
// live memory blocks are back at their starting count after every cycle,
// and neither the process's GDI objects nor its windows grow.
//
//   editor_leak_check [--cycles N]      (500 by default)
//
// GetGuiResources answers 0 under Wine (ERROR_CALL_NOT_IMPLEMENTED). GDI
// objects are then counted in the process's GDI handle table, which the
// PEB's GdiSharedHandleTable points to and in which every live object has a
// typed entry (Wine keeps one such table per process); windows are counted
// by enumerating the thread's windows and all their children. Exit status 0
// when nothing grew, 1 otherwise.
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls/tabbed_panel.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "editor/page_tabs.h"
#include "frame/plugin_instance.h"
#include "host/core/qi_host.h"
#include "tests/support/plugin_calls.h"
#include "tests/support/test_services.h"

namespace {

// One entry of the GDI handle table (24 bytes on x64): a nonzero type marks
// a live object.
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
constexpr int kGdiHandleEntries = 0x10000;
constexpr size_t kPebGdiTableOffset = 0xF8;  // PEB.GdiSharedHandleTable on x64

const char *gdiSource = "GetGuiResources";
const char *windowSource = "GetGuiResources";

long GdiObjects()
{
    SetLastError(0);
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count || GetLastError() == 0)
        return long(count);
    gdiSource = "the PEB's GDI handle table";
    PROCESS_BASIC_INFORMATION process = {};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &process,
                                  sizeof process, nullptr) != 0)
        return -1;
    auto *peb = reinterpret_cast<char *>(process.PebBaseAddress);
    auto *table = *reinterpret_cast<const GdiHandleEntry **>(peb + kPebGdiTableOffset);
    if (!table)
        return -1;
    long live = 0;
    for (int i = 0; i < kGdiHandleEntries; ++i)
        live += table[i].type != 0;
    return live;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count)
{
    ++*reinterpret_cast<long *>(count);
    EnumChildWindows(window, CountWindow, count);
    return TRUE;
}

long UserObjects()
{
    SetLastError(0);
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (count || GetLastError() == 0)
        return long(count);
    windowSource = "the thread's windows and their children";
    long windows = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The cycle's script, run inside the editor's own message loop: each stage
// is a message posted to the driver window, so that the previous stage's
// messages have all been handled when the next one starts.
enum Stage : WPARAM { kClickTab, kDragSlider, kClose };

HWND driver;
HWND editor;
bool editorExpected;
int cycle;

// A click on the strip where its own hit test finds the page's tab.
void ClickTab(int16_t page)
{
    const TabbedPanel *strip = pageTabControl;
    int16_t y = int16_t(strip->stripHeight / 2);
    for (int16_t x = 0; x < strip->width; ++x) {
        if (HitTestTab(strip, x, y) == page) {
            SendMessageA(strip->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x + 4, y));
            SendMessageA(strip->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x + 4, y));
            return;
        }
    }
}

// Drags the thumb to a quarter or to three quarters of the track.
void DragSlider(const TinySlider *slider)
{
    int16_t y = int16_t(slider->height * 3 / 4);
    int16_t to = int16_t(slider->width * (cycle % 4 < 2 ? 1 : 3) / 4);
    SendMessageA(slider->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(slider->thumbX, y));
    SendMessageA(slider->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((slider->thumbX + to) / 2, y));
    SendMessageA(slider->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, y));
    SendMessageA(slider->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(to, y));
}

// Even cycles use the Global Parameters page and its intensity slider, odd
// ones the fading page and the occlusion radius, which also outlines the
// radius on the preview while it is dragged.
LRESULT CALLBACK DriverProc(HWND window, UINT message, WPARAM stage, LPARAM lParam)
{
    if (message != WM_APP)
        return DefWindowProcA(window, message, stage, lParam);
    bool global = cycle % 2 == 0;
    switch (stage) {
    case kClickTab:
        ClickTab(global ? PAGE_GLOBAL : PAGE_FADING);
        break;
    case kDragSlider:
        DragSlider(global ? globalIntensitySlider : occlusionRadiusSlider);
        break;
    case kClose:
        PostMessageA(editor, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    PostMessageA(window, WM_APP, stage + 1, 0);
    return 0;
}

// The editor is activated once its set-up is over; the script starts then.
LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && editorExpected) {
        editorExpected = false;
        editor = reinterpret_cast<HWND>(wParam);
        PostMessageA(driver, WM_APP, kClickTab, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Counts {
    int64_t blocks;
    long gdi;
    long user;
};

Counts Measure()
{
    return {QiHost_Live_Blocks(), GdiObjects(), UserObjects()};
}

}  // namespace

int main(int argc, char **argv)
{
    int cycles = 500;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--cycles") == 0 && i + 1 < argc) {
            cycles = std::atoi(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: editor_leak_check [--cycles N]\n");
            return 2;
        }
    }
    QiHost_Create_Default_Scene();
    moduleHandle = GetModuleHandleA(nullptr);
    char ini[MAX_PATH];
    GetTempPathA(sizeof ini, ini);
    lstrcatA(ini, "editor_leak_check.ini");
    DeleteFileA(ini);
    TestServices services(ini);
    PluginCalls plugin = LinkedPlugin();
    PluginInstance *instance = plugin.NewInstance(&services, "Quorix 1.0");

    WNDCLASSA cls = {};
    cls.lpfnWndProc = DriverProc;
    cls.hInstance = moduleHandle;
    cls.lpszClassName = "EditorLeakCheckDriver";
    RegisterClassA(&cls);
    driver = CreateWindowA(cls.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           moduleHandle, nullptr);
    HWND owner = CreateWindowA("STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr,
                               nullptr, moduleHandle, nullptr);
    HHOOK hook = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());

    const char *keywords[] = {"handle_type", "execute_lens_flare_dialog_box", nullptr};
    auto openOnce = [&] {
        int64_t values[] = {Qi_Inquire_Token("light"), reinterpret_cast<int64_t>("Light1"), 0};
        editorExpected = true;
        plugin.command(instance, owner, keywords, values);
    };

    // The first openings create what lives for the process (window classes,
    // cached fonts and cursors, the system's own caches): they are not counted.
    const int warmUp = cycles < 10 ? 1 : 5;
    const Counts start = Measure();
    Counts warm = start;
    int blockMismatches = 0;
    int64_t worstBlocks = start.blocks;
    DWORD begin = GetTickCount();
    for (cycle = 0; cycle < cycles; ++cycle) {
        openOnce();
        Counts now = Measure();
        if (now.blocks != start.blocks) {
            ++blockMismatches;
            worstBlocks = now.blocks;
        }
        if (cycle + 1 == warmUp)
            warm = now;
    }
    DWORD elapsed = GetTickCount() - begin;
    const Counts end = Measure();

    UnhookWindowsHookEx(hook);
    DestroyWindow(owner);
    DestroyWindow(driver);
    plugin.Destroy(instance);
    DeleteFileA(ini);

    std::printf("%d editor cycles (page switch, slider drag, close) in %.1f s, %.1f ms each\n",
                cycles, elapsed / 1000.0, double(elapsed) / (cycles ? cycles : 1));
    std::printf("host live blocks: %lld before, %lld after; %d cycles ended elsewhere\n",
                (long long)start.blocks, (long long)end.blocks, blockMismatches);
    std::printf("GDI objects (%s): %ld before, %ld after %d cycles, %ld at the end\n",
                gdiSource, start.gdi, warm.gdi, warmUp, end.gdi);
    std::printf("windows (%s): %ld before, %ld after %d cycles, %ld at the end\n", windowSource,
                start.user, warm.user, warmUp, end.user);

    // A handful of GDI objects may come and go with the system's caches; a
    // leak of one object per opening would show as hundreds.
    const long gdiSlack = 8;
    bool ok = blockMismatches == 0 && end.blocks == start.blocks && end.gdi >= 0 &&
              end.gdi <= warm.gdi + gdiSlack && end.user <= warm.user;
    if (blockMismatches)
        std::printf("FAIL: host memory blocks left after a cycle (last: %lld)\n",
                    (long long)worstBlocks);
    if (end.gdi > warm.gdi + gdiSlack)
        std::printf("FAIL: GDI objects grew by %ld\n", end.gdi - warm.gdi);
    if (end.user > warm.user)
        std::printf("FAIL: windows grew by %ld\n", end.user - warm.user);
    return ok ? 0 : 1;
}
