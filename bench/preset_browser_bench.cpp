// Times the preset browser from the call that opens it: on the 9 bundled
// presets, until every picture is shown; on the 500 generated presets (and
// the damaged files among them) without a cache, until the first screen of
// pictures is shown, until every picture is, and the longest time a message
// posted to the browser's thread waited meanwhile (a click or a key waits
// as long); and on the same presets again, with the cache, until every
// picture is shown. A picture counts as shown once the grid has painted it.
//
//   preset_browser_bench [--iterations N] [--smoke]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/bench_options.h"
#include "frame/plugin_instance.h"
#include "host/core/qi_host.h"
#include "library/picture_cache_file.h"
#include "library/preset_browser.h"
#include "library/preset_folders.h"
#include "library/preset_pictures.h"
#include "resources/library_ids.h"
#include "tests/library/preset_collection.h"
#include "tests/support/plugin_calls.h"
#include "tests/support/scratch_files.h"
#include "tests/support/test_services.h"

namespace {

int iterations = 31;

double Now()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// One opening as the grid shows it.
struct Opening {
    double start = 0, firstScreen = -1, all = -1, longestWait = 0;
    HWND dialog = nullptr, grid = nullptr;
    WNDPROC gridProc = nullptr;
    int paints = 0;
    int pending = -1;               // items still without their picture, once counted
    std::vector<int> inView;        // the items of the first screen
    std::atomic<bool> making{false};
} opening;

const UINT kPing = WM_APP + 7;
HWND pingWindow = nullptr;

int ItemImage(int item)
{
    LVITEMA read = {};
    read.mask = LVIF_IMAGE;
    read.iItem = item;
    SendMessageA(opening.grid, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
    return read.iImage;
}

// Once the items are in place: which are in view, and how many wait for
// their picture.
void CountItems()
{
    RECT client;
    GetClientRect(opening.grid, &client);
    opening.pending = 0;
    for (int i = 0, n = int(SendMessageA(opening.grid, LVM_GETITEMCOUNT, 0, 0)); i < n; ++i) {
        RECT bounds = {LVIR_BOUNDS, 0, 0, 0}, overlap;
        SendMessageA(opening.grid, LVM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&bounds));
        if (IntersectRect(&overlap, &bounds, &client))
            opening.inView.push_back(i);
        opening.pending += ItemImage(i) == IMAGE_PENDING ? 1 : 0;
    }
}

bool FirstScreenShown()
{
    for (int item : opening.inView)
        if (ItemImage(item) == IMAGE_PENDING)
            return false;
    return true;
}

// A picture given to an item; once none waits, the grid is painted anew
// (pictures out of view would not paint it).
void OnPictureGiven(const LVITEMA *item)
{
    if (opening.pending <= 0 || !(item->mask & LVIF_IMAGE) || item->iImage == IMAGE_PENDING ||
        ItemImage(item->iItem) != IMAGE_PENDING)
        return;
    if (--opening.pending == 0)
        InvalidateRect(opening.grid, nullptr, FALSE);
}

// After each painting of the grid (the first, which places the items, aside).
LRESULT CALLBACK TimedGridProc(HWND grid, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LVM_SETITEMA)
        OnPictureGiven(reinterpret_cast<const LVITEMA *>(lParam));
    LRESULT result = CallWindowProcA(opening.gridProc, grid, message, wParam, lParam);
    if (message != WM_PAINT || ++opening.paints < 2)
        return result;
    if (opening.pending < 0)
        CountItems();
    const double now = Now();
    if (opening.firstScreen < 0 && FirstScreenShown())
        opening.firstScreen = now - opening.start;
    if (opening.all < 0 && opening.pending == 0) {
        opening.all = now - opening.start;
        opening.making = false;
        PostMessageA(opening.dialog, WM_COMMAND, IDCANCEL, 0);
    }
    return result;
}

LRESULT CALLBACK PingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Once the browser shows its grid.
    if (message == kPing && opening.making && opening.pending >= 0) {
        double posted = 0;
        std::memcpy(&posted, &lParam, sizeof posted);
        opening.longestWait = std::max(opening.longestWait, Now() - posted);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The browser as it opens: its grid is watched from then on.
LRESULT CALLBACK WatchBrowser(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char caption[64] = "";
    if (code == HCBT_ACTIVATE && !opening.dialog &&
        GetWindowTextA(window, caption, sizeof caption) &&
        std::string(caption) == "Lens Flare Presets") {
        opening.dialog = window;
        opening.grid = GetDlgItem(window, IDC_PRESET_GRID);
        opening.gridProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            opening.grid, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimedGridProc)));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

int16_t LoadNothing(HWND, const char *)
{
    return 0;
}

void CommitNothing() {}

// One opening; with pings, a message is posted to this thread every few
// milliseconds while the pictures are made, and its wait is measured.
void Open(bool pings)
{
    opening.start = Now();
    opening.firstScreen = opening.all = -1;
    opening.longestWait = 0;
    opening.dialog = nullptr;
    opening.paints = 0;
    opening.pending = -1;
    opening.inView.clear();
    opening.making = true;
    std::thread pinger;
    if (pings)
        pinger = std::thread([] {
            for (int i = 0; opening.making; ++i) {
                Sleep(3 + i % 5);
                double now = Now();
                LPARAM stamp = 0;
                std::memcpy(&stamp, &now, sizeof now);
                PostMessageA(pingWindow, kPing, 0, stamp);
            }
        });
    HHOOK hook = SetWindowsHookExA(WH_CBT, WatchBrowser, nullptr, GetCurrentThreadId());
    ShowPresetBrowser(nullptr, moduleHandle, {LoadNothing, CommitNothing});
    UnhookWindowsHookEx(hook);
    opening.making = false;
    if (pinger.joinable())
        pinger.join();
}

std::string CachePath()
{
    char path[FILE_NAME_SIZE];
    PathBesideSettings(PRESET_CACHE_NAME, path);
    return path;
}

void Report(const char *what, bool pings, bool keepCache)
{
    std::vector<double> first, all, waits;
    for (int i = -1; i < iterations; ++i) {
        if (!keepCache)
            DeleteFileA(CachePath().c_str());
        Open(pings);
        if (i < 0)
            continue;  // the first opening warms the caches
        first.push_back(opening.firstScreen);
        all.push_back(opening.all);
        waits.push_back(opening.longestWait);
    }
    std::printf("%-50s first screen %8.1f ms, every picture %8.1f ms", what, Median(first),
                Median(all));
    if (pings)
        std::printf(", longest wait %5.1f ms (at most %5.1f)", Median(waits),
                    *std::max_element(waits.begin(), waits.end()));
    std::printf("\n");
}

}  // namespace

int main(int argc, char **argv)
{
    bool smoke = false;
    if (!ReadBenchOptions(argc, argv, "preset_browser_bench", iterations, smoke))
        return 2;
    moduleHandle = GetModuleHandleA(nullptr);
    QiHost_Create_Default_Scene();
    TestServices services(ScratchPath("bench.ini"));
    currentInstance = LinkedPlugin().NewInstance(&services);
    QiHost_Set_Environment("QX_WORKING_DIR", LF_DATA_DIR);
    WNDCLASSA pingClass = {};
    pingClass.lpfnWndProc = PingProc;
    pingClass.hInstance = moduleHandle;
    pingClass.lpszClassName = "PresetBenchPing";
    RegisterClassA(&pingClass);
    pingWindow = CreateWindowA("PresetBenchPing", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               moduleHandle, nullptr);
    std::printf("median of %d openings\n", iterations);

    const std::string none = ScratchPath("no-presets");
    WritePrivateProfileStringA("Lens-Flare-UI", PRESET_FOLDER_KEY, none.c_str(),
                               services.GetIniFilePath());
    Report("9 bundled presets, no cache:", false, false);

    const PresetCollection &collection = GeneratedPresets();
    WritePrivateProfileStringA("Lens-Flare-UI", PRESET_FOLDER_KEY, collection.folder.c_str(),
                               services.GetIniFilePath());
    Report("9 bundled and 504 generated presets, no cache:", true, false);
    Report("the same again, from the cache:", false, true);
    DeleteFileA(CachePath().c_str());
    LinkedPlugin().Destroy(currentInstance);
    return 0;
}
