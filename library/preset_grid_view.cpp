#include "library/preset_grid_view.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "frame/bounded_text.h"
#include "library/preset_folders.h"

namespace {

PresetGrid *openGrid = nullptr;  // the grid whose list view is subclassed

const char *const kHeadings[SECTION_COUNT] = {"Bundled Presets", "My Presets"};

// The list view's item that shows the preset, or -1.
int ItemOfPreset(const PresetGrid *grid, int preset)
{
    auto found = std::lower_bound(grid->items.begin(), grid->items.end(), preset);
    return found != grid->items.end() && *found == preset ? int(found - grid->items.begin())
                                                          : -1;
}

// How far the list view is scrolled, in grid pixels: the grid's corner of
// its first item less where the list view shows that item.
POINT ScrollOffset(const PresetGrid *grid)
{
    POINT offset = {0, 0};
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    if (grid->items.empty() || !SendMessageA(grid->view, LVM_GETITEMRECT, 0,
                                             reinterpret_cast<LPARAM>(&bounds)))
        return offset;
    const Preset &first = grid->presets[size_t(grid->items[0])];
    offset.x = first.x - bounds.left;
    offset.y = first.y - bounds.top;
    return offset;
}

void PlaceItems(PresetGrid *grid)
{
    RECT client;
    GetClientRect(grid->view, &client);
    // Room for a scroll bar is kept, so that the columns stay when one comes.
    const bool scrollBar = (GetWindowLongA(grid->view, GWL_STYLE) & WS_VSCROLL) != 0;
    grid->metrics.width = client.right - (scrollBar ? 0 : GetSystemMetrics(SM_CXVSCROLL));
    LayoutPresetGrid(grid->presets, grid->metrics, grid->headingTop);
    for (size_t i = 0; i < grid->items.size(); ++i) {
        const Preset &preset = grid->presets[size_t(grid->items[i])];
        POINT place = {preset.x + grid->itemOffset.x, preset.y + grid->itemOffset.y};
        SendMessageA(grid->view, LVM_SETITEMPOSITION32, i, reinterpret_cast<LPARAM>(&place));
    }
}

void SelectItem(PresetGrid *grid, int item)
{
    LVITEMA none = {};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(grid->view, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&none));
    if (item < 0)
        return;
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(grid->view, LVM_SETITEMSTATE, WPARAM(item), reinterpret_cast<LPARAM>(&state));
    SendMessageA(grid->view, LVM_ENSUREVISIBLE, WPARAM(item), FALSE);
}

// Up and Down move by the grid's rows, across the sections; the list view
// alone would go by its items' order. Some list views arrange their icons
// at their first painting: the items are placed again after it.
LRESULT CALLBACK GridViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam)
{
    PresetGrid *grid = openGrid;
    if (message == WM_PAINT && !grid->painted) {
        LRESULT result = CallWindowProcA(grid->viewProc, view, message, wParam, lParam);
        grid->painted = true;
        LayOutGrid(grid);
        return result;
    }
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        int from = SelectedPreset(grid);
        if (from >= 0) {
            int to = PresetInNextRow(grid->presets, from, wParam == VK_DOWN ? 1 : -1);
            if (to >= 0)
                SelectPreset(grid, to);
            return 0;
        }
    }
    return CallWindowProcA(grid->viewProc, view, message, wParam, lParam);
}

// The cell sizes for the pictures and two lines of name in the dialog's
// font, and the distance from an item's position to its cell's corner.
void MeasureCells(PresetGrid *grid, HWND dialog)
{
    HDC dc = GetDC(grid->view);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(grid->view, dc);
    const int line = metrics.tmHeight;
    grid->metrics = {0, PICTURE_WIDTH + 20, PICTURE_HEIGHT + 2 * line + 10, line + 14, 4};
    SendMessageA(grid->view, LVM_SETICONSPACING, 0,
                 MAKELPARAM(grid->metrics.cellWidth, grid->metrics.cellHeight));
    LVITEMA probe = {};
    probe.mask = LVIF_TEXT;
    probe.pszText = const_cast<char *>("");
    SendMessageA(grid->view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&probe));
    POINT place = {100, 100};
    SendMessageA(grid->view, LVM_SETITEMPOSITION32, 0, reinterpret_cast<LPARAM>(&place));
    RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
    SendMessageA(grid->view, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds));
    grid->itemOffset = {place.x - bounds.left, place.y - bounds.top};
    SendMessageA(grid->view, LVM_DELETEALLITEMS, 0, 0);
}

HFONT BoldFont(HWND dialog)
{
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    return CreateFontIndirectA(&font);
}

void HeadingText(const PresetGrid *grid, int section, char *text, size_t size)
{
    int shown = 0, total = 0;
    for (const Preset &preset : grid->presets)
        if (preset.section == section) {
            ++total;
            shown += preset.shown ? 1 : 0;
        }
    char count[40];
    if (shown == total)
        std::snprintf(count, sizeof count, "%d", total);
    else
        std::snprintf(count, sizeof count, "%d of %d", shown, total);
    std::snprintf(text, size, "%s (%s)%s%s", kHeadings[section], count,
                  section == SECTION_USER ? " in " : "",
                  section == SECTION_USER ? grid->folders[section] : "");
}

}  // namespace

bool OpenPresetGrid(PresetGrid *grid, HWND dialog, HWND view, int capacity)
{
    grid->view = view;
    if (!CreatePictureMaker(&grid->maker, capacity))
        return false;
    SendMessageA(view, LVM_SETIMAGELIST, LVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(grid->maker.images));
    SendMessageA(view, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP, LVS_EX_INFOTIP);
    MeasureCells(grid, dialog);
    grid->headingFont = BoldFont(dialog);
    openGrid = grid;
    grid->viewProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GridViewProc)));
    return true;
}

void ClosePresetGrid(PresetGrid *grid)
{
    if (grid->viewProc)
        SetWindowLongPtrA(grid->view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(grid->viewProc));
    // The list view keeps its image list until it is destroyed after us.
    if (grid->view)
        SendMessageA(grid->view, LVM_SETIMAGELIST, LVSIL_NORMAL, 0);
    FreePictureMaker(&grid->maker);
    if (grid->headingFont)
        DeleteObject(grid->headingFont);
    openGrid = nullptr;
    *grid = PresetGrid();
}

void FillGrid(PresetGrid *grid)
{
    const int selected = SelectedPreset(grid);
    SendMessageA(grid->view, WM_SETREDRAW, FALSE, 0);
    SendMessageA(grid->view, LVM_DELETEALLITEMS, 0, 0);
    grid->items.clear();
    for (size_t i = 0; i < grid->presets.size(); ++i) {
        Preset &preset = grid->presets[i];
        if (!preset.shown)
            continue;
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
        item.iItem = int(grid->items.size());
        item.pszText = const_cast<char *>(preset.name.c_str());
        item.iImage = preset.image >= 0 ? preset.image : IMAGE_PENDING;
        item.lParam = LPARAM(i);
        SendMessageA(grid->view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        grid->items.push_back(int(i));
    }
    PlaceItems(grid);
    if (selected >= 0 && ItemOfPreset(grid, selected) >= 0)
        SelectItem(grid, ItemOfPreset(grid, selected));
    SendMessageA(grid->view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(grid->view, nullptr, TRUE);
}

void LayOutGrid(PresetGrid *grid)
{
    SendMessageA(grid->view, WM_SETREDRAW, FALSE, 0);
    PlaceItems(grid);
    SendMessageA(grid->view, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(grid->view, nullptr, TRUE);
}

void GridViewRange(const PresetGrid *grid, int view[2])
{
    RECT client;
    GetClientRect(grid->view, &client);
    view[0] = ScrollOffset(grid).y;
    view[1] = view[0] + client.bottom;
}

void ShowItemPicture(PresetGrid *grid, int preset)
{

    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = ItemOfPreset(grid, preset);
    const int image = grid->presets[size_t(preset)].image;
    item.iImage = image >= 0 ? image : IMAGE_PENDING;
    if (item.iItem >= 0)
        SendMessageA(grid->view, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int SelectedPreset(const PresetGrid *grid)
{
    LRESULT item = SendMessageA(grid->view, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED);
    return item >= 0 && size_t(item) < grid->items.size() ? grid->items[size_t(item)] : -1;
}

void SelectPreset(PresetGrid *grid, int preset)
{
    SelectItem(grid, ItemOfPreset(grid, preset));
}

int AddPreset(PresetGrid *grid, const char *path)
{
    for (size_t i = 0; i < grid->presets.size(); ++i)
        if (lstrcmpiA(grid->presets[i].file.path.c_str(), path) == 0)
            return int(i);
    Preset preset;
    if (!ReadPresetFile(path, &preset.file))
        return -1;
    preset.section = SECTION_USER;
    const char *name = std::max(std::strrchr(path, '\\'), std::strrchr(path, '/'));
    preset.name = name ? name + 1 : path;
    preset.name.erase(preset.name.size() - std::min<size_t>(4, preset.name.size()));
    preset.shown = PresetMatches(preset, grid->search);
    auto place = std::find_if(grid->presets.begin(), grid->presets.end(), [&](const Preset &p) {
        return p.section == SECTION_USER && lstrcmpiA(p.name.c_str(), preset.name.c_str()) > 0;
    });
    int index = int(place - grid->presets.begin());
    grid->presets.insert(place, std::move(preset));
    FillGrid(grid);
    return index;
}

void RemovePreset(PresetGrid *grid, int preset)
{
    const int item = ItemOfPreset(grid, preset);
    SelectItem(grid, -1);
    grid->presets.erase(grid->presets.begin() + preset);
    FillGrid(grid);
    if (!grid->items.empty() && item >= 0)
        SelectItem(grid, std::min(item, int(grid->items.size()) - 1));
}

void FillItemTip(const PresetGrid *grid, int preset, NMLVGETINFOTIPA *tip, bool wide)
{
    if (!tip->pszText || tip->cchTextMax <= 0)
        return;
    const std::string text = preset >= 0 ? PresetTip(grid->presets[size_t(preset)]) : "";
    if (wide) {
        auto *out = reinterpret_cast<WCHAR *>(tip->pszText);
        int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, out, tip->cchTextMax);
        if (length == 0)
            out[tip->cchTextMax - 1] = L'\0';
    } else {
        CopyText(tip->pszText, size_t(tip->cchTextMax), text.c_str());
    }
}

LRESULT DrawGridHeadings(const PresetGrid *grid, NMLVCUSTOMDRAW *draw)
{
    if (draw->nmcd.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYPOSTPAINT;
    if (draw->nmcd.dwDrawStage != CDDS_POSTPAINT)
        return CDRF_DODEFAULT;
    HDC dc = draw->nmcd.hdc;
    const POINT scroll = ScrollOffset(grid);
    RECT client;
    GetClientRect(grid->view, &client);
    HGDIOBJ old = SelectObject(dc, grid->headingFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    const GridMetrics &m = grid->metrics;
    for (int section = 0; section < SECTION_COUNT; ++section) {
        char text[FILE_NAME_SIZE + 80];
        HeadingText(grid, section, text, sizeof text);
        const int top = grid->headingTop[section] - scroll.y;
        RECT line = {m.margin - scroll.x, top + 4, client.right - m.margin,
                     top + m.headingHeight - 6};
        DrawTextA(dc, text, -1, &line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
        RECT rule = {line.left, line.bottom + 1, line.right, line.bottom + 2};
        FillRect(dc, &rule, GetSysColorBrush(COLOR_3DSHADOW));
    }
    SelectObject(dc, old);
    return CDRF_DODEFAULT;
}
