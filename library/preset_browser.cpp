#include "library/preset_browser.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "frame/bounded_text.h"
#include "frame/file_dialog.h"
#include "frame/file_replace.h"
#include "frame/ini_file.h"
#include "host/api/qi_importio.h"
#include "library/effect_library.h"
#include "library/picture_cache_file.h"
#include "library/preset_folders.h"
#include "library/preset_grid_view.h"
#include "library/preset_name_dialog.h"
#include "library/preset_pictures.h"
#include "library/scratch_light.h"
#include "preview/preview.h"
#include "resources/library_ids.h"

namespace {

// Pictures are made on this timer's ticks, each tick for at most
// kSliceMilliseconds or until input waits, so that the browser answers a
// click or a key within one picture's time.
enum { PICTURE_TIMER = 1 };
const double kSliceMilliseconds = 25.0;

const char kSection[] = "Lens-Flare-UI";
const char kCaption[] = "Lens Flare Presets";

// How a control follows the window's size: its left and top edges move with
// the window's right and bottom edges (move), its right and bottom edges too
// (grow), or neither.
struct Anchor {
    int id;
    bool moveX, moveY, growX, growY;
};
const Anchor kAnchors[] = {
    {IDC_PRESET_SEARCH, false, false, true, false},
    {IDC_PRESET_GRID, false, false, true, true},
    {IDC_PRESET_PROGRESS, false, true, false, false},
    {IDC_PRESET_STATUS, false, true, false, false},
    {IDC_PRESET_LOAD, true, true, false, false},
    {IDC_PRESET_SAVE, true, true, false, false},
    {IDC_PRESET_DELETE, true, true, false, false},
    {IDOK, true, true, false, false},
};
const size_t kAnchorCount = sizeof kAnchors / sizeof kAnchors[0];

struct BrowserWindow {
    PresetBrowserLink link;
    HINSTANCE instance;
    HWND owner;
    RECT startRects[kAnchorCount];  // the controls as the template places them
    SIZE startClient;               // the client size the template gives
    SIZE minimum;                   // the window's smallest size: the template's
    bool cacheChanged;              // pictures were made or forgotten since the cache was read
    bool opened;                    // the grid was set up: its place and pictures are kept
};

BrowserWindow window;  // the open browser's window; one browser is open at a time
PresetGrid grid;       // its grid

double NowMilliseconds()
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

bool InputWaiting()
{
    return HIWORD(GetQueueStatus(QS_INPUT | QS_POSTMESSAGE)) != 0;
}

int32_t CountPending()
{
    int32_t pending = 0;
    for (const Preset &preset : grid.presets)
        pending += preset.picture.state == PICTURE_PENDING ? 1 : 0;
    return pending;
}

// The progress bar while pictures are being made, and how many presets the
// grid shows.
void ShowProgress(HWND dialog)
{
    const int32_t total = int32_t(grid.presets.size()), pending = CountPending();
    HWND progress = GetDlgItem(dialog, IDC_PRESET_PROGRESS);
    SendMessageA(progress, PBM_SETRANGE32, 0, total);
    SendMessageA(progress, PBM_SETPOS, WPARAM(total - pending), 0);
    ShowWindow(progress, pending ? SW_SHOWNA : SW_HIDE);
    char text[80];
    const size_t shown = grid.items.size();
    if (pending)
        std::snprintf(text, sizeof text, "Pictures: %d of %d", int(total - pending), int(total));
    else if (total == 0)
        CopyText(text, sizeof text, "No presets");
    else if (shown == size_t(total))
        std::snprintf(text, sizeof text, "%d presets", int(total));
    else
        std::snprintf(text, sizeof text, "%d of %d presets", int(shown), int(total));
    SetDlgItemTextA(dialog, IDC_PRESET_STATUS, text);
}

void StartPictures(HWND dialog)
{
    if (CountPending())
        SetTimer(dialog, PICTURE_TIMER, USER_TIMER_MINIMUM, nullptr);
    ShowProgress(dialog);
}

// Makes the preset's picture now and shows it. Returns true when what is
// now known of its flare changes whether the search keeps it.
bool MakePicture(int index)
{
    Preset &preset = grid.presets[size_t(index)];
    MakePresetPicture(&grid.maker, &preset);
    ShowPresetPicture(&grid.maker, &preset);
    window.cacheChanged = true;
    ShowItemPicture(&grid, index);
    return PresetMatches(preset, grid.search) != preset.shown;
}

// One slice: pictures in view first, then the rest, until the slice's time
// is up or input waits. Nothing while the editor's preview renders, since
// the host renders one flare at a time.
void Browser_OnTimer(HWND dialog)
{
    if (previewBusy)
        return;
    const double start = NowMilliseconds();
    bool regroup = false;
    do {
        int view[2];
        GridViewRange(&grid, view);
        int next = NextPictureToMake(grid.presets, grid.metrics.cellHeight, view[0], view[1]);
        if (next < 0) {
            KillTimer(dialog, PICTURE_TIMER);
            break;
        }
        regroup = MakePicture(next) || regroup;
    } while (NowMilliseconds() - start < kSliceMilliseconds && !InputWaiting());
    if (regroup)
        FillGrid(&grid);
    ShowProgress(dialog);
}

// Takes every picture the cache holds for a file as it is now.
void TakeCachedPictures()
{
    PictureCache cache;
    ReadPictureCacheFile(&cache);
    size_t taken = 0;
    for (Preset &preset : grid.presets) {
        CachedPicture *cached = FindCachedPicture(cache, preset.file);
        if (cached && preset.picture.state == PICTURE_PENDING) {
            preset.picture = std::move(cached->picture);
            ++taken;
        }
    }
    window.cacheChanged = taken != cache.entries.size();
}

void RecordAnchors(HWND dialog)
{
    RECT client;
    GetClientRect(dialog, &client);
    window.startClient = {client.right, client.bottom};
    for (size_t i = 0; i < kAnchorCount; ++i) {
        HWND control = GetDlgItem(dialog, kAnchors[i].id);
        GetWindowRect(control, &window.startRects[i]);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&window.startRects[i]), 2);
    }
    RECT frame;
    GetWindowRect(dialog, &frame);
    window.minimum = {frame.right - frame.left, frame.bottom - frame.top};
}

// "left top right bottom" of the browser's last place, when it still lies
// on a screen and is not smaller than the template.
bool ReadPlacement(RECT *place)
{
    char text[80] = "";
    GetPrivateProfileStringA(kSection, PRESET_PLACEMENT_KEY, "", text, sizeof text,
                             PluginIniPath());
    long l, t, r, b;
    if (std::sscanf(text, "%ld %ld %ld %ld", &l, &t, &r, &b) != 4)
        return false;
    *place = {l, t, r, b};
    return r - l >= window.minimum.cx && b - t >= window.minimum.cy && r - l < 20000 &&
           b - t < 20000 && MonitorFromRect(place, MONITOR_DEFAULTTONULL) != nullptr;
}

void StorePlacement(HWND dialog)
{
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(dialog, &placement))
        return;
    const RECT &r = placement.rcNormalPosition;
    char text[80];
    std::snprintf(text, sizeof text, "%ld %ld %ld %ld", long(r.left), long(r.top), long(r.right),
                  long(r.bottom));
    WritePrivateProfileStringA(kSection, PRESET_PLACEMENT_KEY, text, PluginIniPath());
}

void PlaceBrowser(HWND dialog)
{
    RECT place;
    if (ReadPlacement(&place)) {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        GetWindowPlacement(dialog, &placement);
        placement.rcNormalPosition = place;
        placement.showCmd = SW_SHOWNORMAL;
        SetWindowPlacement(dialog, &placement);
    } else {
        Import_IO_Center_Window(window.owner, dialog);
    }
}

BOOL Browser_OnInitDialog(HWND dialog, const PresetBrowserLink *link)
{
    window.link = *link;
    window.cacheChanged = false;
    RecordAnchors(dialog);
    grid = PresetGrid();
    BundledPresetFolder(grid.folders[SECTION_BUNDLED]);
    UserPresetFolder(grid.folders[SECTION_USER]);
    ListPresets(grid.folders[SECTION_BUNDLED], SECTION_BUNDLED, grid.presets);
    ListPresets(grid.folders[SECTION_USER], SECTION_USER, grid.presets);
    if (!OpenPresetGrid(&grid, dialog, GetDlgItem(dialog, IDC_PRESET_GRID),
                        int(grid.presets.size()))) {
        MessageBoxA(window.owner, "The preset browser cannot be opened: there is no memory for "
                                  "its pictures.", kCaption, MB_OK | MB_ICONERROR);
        EndDialog(dialog, 0);
        return TRUE;
    }
    window.opened = true;
    SendDlgItemMessageA(dialog, IDC_PRESET_SEARCH, EM_LIMITTEXT, sizeof grid.search - 1, 0);
    TakeCachedPictures();
    ShowPresetPictures(&grid.maker, grid.presets);
    PlaceBrowser(dialog);
    FillGrid(&grid);
    StartPictures(dialog);
    return TRUE;
}

void Browser_OnDestroy(HWND dialog)
{
    KillTimer(dialog, PICTURE_TIMER);
    if (window.opened) {
        StorePlacement(dialog);
        if (window.cacheChanged)
            WritePictureCacheFile(grid.presets);
    }
    ClosePresetGrid(&grid);
}

void Browser_OnSize(HWND dialog, int width, int height)
{
    if (!grid.view)
        return;
    const int dx = width - window.startClient.cx, dy = height - window.startClient.cy;
    HDWP positions = BeginDeferWindowPos(int(kAnchorCount));
    for (size_t i = 0; i < kAnchorCount && positions; ++i) {
        const Anchor &anchor = kAnchors[i];
        const RECT &r = window.startRects[i];
        int left = r.left + (anchor.moveX ? dx : 0), top = r.top + (anchor.moveY ? dy : 0);
        int right = r.right + (anchor.moveX || anchor.growX ? dx : 0);
        int bottom = r.bottom + (anchor.moveY || anchor.growY ? dy : 0);
        positions = DeferWindowPos(positions, GetDlgItem(dialog, anchor.id), nullptr, left, top,
                                   right - left, bottom - top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (positions)
        EndDeferWindowPos(positions);
    LayOutGrid(&grid);
    InvalidateRect(dialog, nullptr, TRUE);
}

void Browser_OnLoad(HWND dialog)
{
    int index = SelectedPreset(&grid);
    if (index < 0)
        return;
    const std::string path = grid.presets[size_t(index)].file.path;
    window.link.loadPreset(dialog, path.c_str());
    // A file that changed since its picture was made gets a new one.
    PresetFile now;
    const PresetFile &then = grid.presets[size_t(index)].file;
    if (!ReadPresetFile(path.c_str(), &now) || now.size != then.size || now.time != then.time)
        MakePicture(index);
    ShowProgress(dialog);
}

// The new or replaced preset is shown and selected at once; a search that
// would hide it is cleared.
void ShowSavedPreset(HWND dialog, const char *path)
{
    int index = AddPreset(&grid, path);
    if (index < 0)
        return;
    MakePicture(index);
    if (!PresetMatches(grid.presets[size_t(index)], grid.search)) {
        SetDlgItemTextA(dialog, IDC_PRESET_SEARCH, "");
        grid.search[0] = '\0';
    }
    FillGrid(&grid);
    SelectPreset(&grid, index);
    ShowProgress(dialog);
}

void Browser_OnSaveCurrent(HWND dialog)
{
    const char *folder = grid.folders[SECTION_USER];
    char path[FILE_NAME_SIZE], cause[SAVE_CAUSE_SIZE];
    if (!AskPresetName(dialog, window.instance, folder, path))
        return;
    if (!MakeFolder(folder, cause)) {
        char text[FILE_NAME_SIZE + 100 + SAVE_CAUSE_SIZE];
        std::snprintf(text, sizeof text, "The preset folder '%s' cannot be made.\n\n%s", folder,
                      cause);
        MessageBoxA(dialog, text, "File Write Error", MB_OK);
        return;
    }
    int32_t exists = 0;
    Qi_File_Exists(path, &exists);
    if (exists && !AskToReplaceFile(dialog, path))
        return;
    window.link.commitEdits();
    if (SaveFlareToLibrary(dialog, path))
        ShowSavedPreset(dialog, path);
}

void Browser_OnDelete(HWND dialog)
{
    int index = SelectedPreset(&grid);
    if (index < 0)
        return;
    const Preset &preset = grid.presets[size_t(index)];
    if (preset.section != SECTION_USER) {
        ShowPathMessage(dialog, "'%s' is one of the bundled presets, which cannot be deleted.",
                        preset.name.c_str(), kCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (ShowPathMessage(dialog, "Move the preset '%s' to the recycle bin?", preset.name.c_str(),
                        "Info Request", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    char cause[SAVE_CAUSE_SIZE];
    if (!MoveToRecycleBin(dialog, preset.file.path.c_str(), cause)) {
        char text[FILE_NAME_SIZE + 100 + SAVE_CAUSE_SIZE];
        std::snprintf(text, sizeof text,
                      "The preset '%s' could not be moved to the recycle bin.\n\n%s",
                      preset.file.path.c_str(), cause);
        MessageBoxA(dialog, text, "Error", MB_OK);
        return;
    }
    RemovePreset(&grid, index);
    window.cacheChanged = true;
    ShowProgress(dialog);
}

void Browser_OnSearch(HWND dialog)
{
    GetDlgItemTextA(dialog, IDC_PRESET_SEARCH, grid.search, sizeof grid.search);
    for (Preset &preset : grid.presets)
        preset.shown = PresetMatches(preset, grid.search);
    FillGrid(&grid);
    ShowProgress(dialog);
}

void Browser_OnCommand(HWND dialog, int id, int notification)
{
    switch (id) {
    case IDC_PRESET_SEARCH:
        if (notification == EN_CHANGE)
            Browser_OnSearch(dialog);
        break;
    case IDC_PRESET_LOAD: Browser_OnLoad(dialog); break;
    case IDC_PRESET_SAVE: Browser_OnSaveCurrent(dialog); break;
    case IDC_PRESET_DELETE: Browser_OnDelete(dialog); break;
    case IDOK:
    case IDCANCEL: EndDialog(dialog, 1); break;
    }
}

LRESULT Browser_OnGridNotify(HWND dialog, NMHDR *header)
{
    switch (header->code) {
    case NM_DBLCLK:
        if (reinterpret_cast<NMITEMACTIVATE *>(header)->iItem >= 0)
            Browser_OnLoad(dialog);
        return 0;
    case LVN_KEYDOWN:
        if (reinterpret_cast<NMLVKEYDOWN *>(header)->wVKey == VK_DELETE)
            Browser_OnDelete(dialog);
        return 0;
    case LVN_GETINFOTIPA:
    case LVN_GETINFOTIPW: {
        auto *tip = reinterpret_cast<NMLVGETINFOTIPA *>(header);
        int index = tip->iItem >= 0 && size_t(tip->iItem) < grid.items.size()
                        ? grid.items[size_t(tip->iItem)]
                        : -1;
        if (index >= 0 && grid.presets[size_t(index)].picture.state == PICTURE_PENDING)
            MakePicture(index);
        FillItemTip(&grid, index, tip, header->code == LVN_GETINFOTIPW);
        return 0;
    }
    case NM_CUSTOMDRAW: return DrawGridHeadings(&grid, reinterpret_cast<NMLVCUSTOMDRAW *>(header));
    }
    return 0;
}

INT_PTR CALLBACK PresetBrowserProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return Browser_OnInitDialog(dialog, reinterpret_cast<const PresetBrowserLink *>(lParam));
    case WM_DESTROY: Browser_OnDestroy(dialog); return FALSE;
    case WM_SIZE: Browser_OnSize(dialog, LOWORD(lParam), HIWORD(lParam)); return TRUE;
    case WM_GETMINMAXINFO:
        reinterpret_cast<MINMAXINFO *>(lParam)->ptMinTrackSize = {window.minimum.cx,
                                                                  window.minimum.cy};
        return TRUE;
    case WM_TIMER:
        if (wParam == PICTURE_TIMER)
            Browser_OnTimer(dialog);
        return TRUE;
    case WM_COMMAND: Browser_OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY: {
        auto *header = reinterpret_cast<NMHDR *>(lParam);
        if (header->idFrom != IDC_PRESET_GRID)
            return FALSE;
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, Browser_OnGridNotify(dialog, header));
        return TRUE;
    }
    }
    return FALSE;
}

}  // namespace

void ShowPresetBrowser(HWND owner, HINSTANCE instance, const PresetBrowserLink &link)
{
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    window = {};
    window.instance = instance;
    window.owner = owner;
    DialogBoxParamA(instance, "PresetBrowserDialog", owner, PresetBrowserProc,
                    reinterpret_cast<LPARAM>(&link));
    // Whatever way the browser ended, its light is gone.
    RemoveScratchLight(PRESET_LIGHT_NAME);
}
