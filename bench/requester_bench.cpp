// Times the library requester's preview: one selection change in the open
// dialog's file list, from the click to the picture (the host loads the file
// into the temporary light and renders it, the picture is converted and
// shown), and the preview step alone, cycling through the bundled presets.
//
//   requester_bench [--iterations N] [--smoke]
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "frame/plugin_instance.h"
#include "host/core/qi_host.h"
#include "library/effect_requester.h"
#include "frame/file_dialog.h"
#include "bench/bench_options.h"
#include "tests/library/file_dialog_driver.h"

namespace {

int iterations = 41;
std::vector<std::string> presets;

double MedianMs(const std::function<void(int)> &run)
{
    std::vector<double> times;
    for (int i = -warmUps; i < iterations; ++i) {
        auto start = std::chrono::steady_clock::now();
        run(i + warmUps);
        auto end = std::chrono::steady_clock::now();
        if (i >= 0)
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void CALLBACK TimeSelectionChanges(HWND panel, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(panel, timer);
    HWND dialog = GetParent(panel);
    const BITMAPINFOHEADER &header = requesterBitmap.bitmapInfo->bmiHeader;
    double change = MedianMs([&](int i) {
        SelectInFileList(dialog, presets[size_t(i) % presets.size()]);
    });
    double preview = MedianMs([&](int i) {
        SetDlgItemTextA(dialog, cmb13, presets[size_t(i) % presets.size()].c_str());
        PreviewSelectedEffectFile(panel, &requesterBitmap, 1);
    });
    std::printf("requester preview at %dx%d over %zu presets: selection change %.3f ms, "
                "preview alone %.3f ms\n",
                int(header.biWidth), int(header.biHeight), presets.size(), change, preview);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
}

UINT_PTR CALLBACK BenchHook(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR *>(lParam)->code == CDN_INITDONE)
        SetTimer(panel, 1, 10, TimeSelectionChanges);
    return EffectRequesterHook(panel, message, wParam, lParam);
}

}  // namespace

int main(int argc, char **argv)
{
    bool smoke = false;
    if (!ReadBenchOptions(argc, argv, "requester_bench", iterations, smoke))
        return 2;
    moduleHandle = GetModuleHandleA(nullptr);
    QiHost_Set_Environment("QX_WORKING_DIR", LF_DATA_DIR);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(LF_DATA_DIR "\\lensfx\\*.lnz", &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        presets.push_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    if (presets.empty()) {
        std::fprintf(stderr, "requester_bench: no presets in %s\\lensfx\n", LF_DATA_DIR);
        return 1;
    }
    std::printf("median of %d runs\n", iterations);
    char name[FILE_NAME_SIZE] = "";
    char filter[] = "Lens Flare Libraries (*.lnz)|*.lnz|";
    EnterWorkingDirectory();
    ShowFileDialog(nullptr, 1, "lensfx", filter, "Requester benchmark", name,
                   OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK, BenchHook,
                   "LensFlareFileRequestor", moduleHandle);
    return 0;
}
