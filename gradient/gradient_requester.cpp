#include "gradient/gradient_requester.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstdio>

#include "gradient/gradient_pivots.h"
#include "host/api/qi_core.h"
#include "frame/file_dialog.h"
#include "resources/gradient_ids.h"

namespace {

// The gradient of the file last previewed; one requester is open at a time.
struct RequesterPreview {
    int32_t count;
    float *offsets;
    float *colours;
    float *third;
    QiToken interpolation;
};
RequesterPreview preview;

void ReleasePreview()
{
    Qi_Free_Memory(preview.offsets);
    Qi_Free_Memory(preview.colours);
    Qi_Free_Memory(preview.third);
    preview = RequesterPreview{0, nullptr, nullptr, nullptr, Qi_Inquire_Token("linear")};
}

// Column of a 0..1 offset across `width` pixels; any other offset is
// clamped, so that no loop runs past the strip.
int32_t ColumnOf(float offset, int32_t width)
{
    if (!(offset > 0.0f))
        return 0;
    if (offset >= 1.0f)
        return width;
    return int16_t(float(width) * offset);
}

void FillColumns(HDC dc, int32_t x, int32_t columns, int32_t height, uint32_t colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ old = SelectObject(dc, brush);
    PatBlt(dc, x, 0, columns, height, PATCOPY);
    SelectObject(dc, old);
    DeleteObject(brush);
}

void PaintPreview(HDC dc, int32_t width, int32_t height, int32_t count, const float *offsets,
                  const float *colours)
{
    if (count == 1) {
        FillColumns(dc, 0, width, height, ColourFromComponents(colours));
        return;
    }
    for (int32_t i = 1; i < count; ++i) {
        int32_t x1 = ColumnOf(offsets[i - 1], width);
        int32_t x2 = ColumnOf(offsets[i], width);
        for (int32_t x = x1; x < x2; ++x) {
            float t = float(x - x1) / float(x2 - x1 + 1);
            float s = 1.0f - t;
            float mixed[3];
            for (int c = 0; c < 3; ++c)
                mixed[c] = t * colours[3 * i + c] + s * colours[3 * (i - 1) + c];
            FillColumns(dc, x, 1, height, ColourFromComponents(mixed));
        }
    }
}

UINT_PTR Requester_OnInitDialog(HWND hook)
{
    ReleasePreview();
    return 1;
}

// True when the item selected in the open dialog's file list is a folder:
// the dialog leaves its file name field, and so the path, as it was.
bool FolderSelected(HWND openDialog)
{
    HWND view = FindWindowExA(openDialog, nullptr, "SHELLDLL_DefView", nullptr);
    HWND list = view ? FindWindowExA(view, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
    int item = list ? int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)) : -1;
    char folder[FILE_NAME_SIZE] = "";
    if (item < 0 || SendMessageA(openDialog, CDM_GETFOLDERPATH, sizeof folder,
                                 reinterpret_cast<LPARAM>(folder)) <= 0)
        return false;
    folder[sizeof folder - 1] = '\0';
    char name[FILE_NAME_SIZE] = "";
    LVITEMA text = {};
    text.pszText = name;
    text.cchTextMax = sizeof name;
    SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(item), reinterpret_cast<LPARAM>(&text));
    char path[2 * FILE_NAME_SIZE];
    std::snprintf(path, sizeof path, "%s\\%s", folder, name);
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Takes the previous file's gradient off the strip at once.
void BlankPreview(HWND hook)
{
    ReleasePreview();
    HWND strip = GetDlgItem(hook, IDC_REQUESTER_PREVIEW);
    InvalidateRect(strip, nullptr, TRUE);
    UpdateWindow(strip);
}

// A new selection is read in full before the previous preview goes; one
// that gives no gradient (a folder, a damaged file) leaves the strip blank.
UINT_PTR Requester_OnNotify(HWND hook, const OFNOTIFYA *notify)
{
    UINT code = notify->hdr.code;
    if (code == CDN_INITDONE)
        PlaceOpenDialog(hook);
    if (code != CDN_SELCHANGE && code != CDN_FOLDERCHANGE && code != CDN_TYPECHANGE)
        return 0;
    char path[FILE_NAME_SIZE];
    GetRequesterSelection(hook, path);
    RequesterPreview loaded = {0, nullptr, nullptr, nullptr, 0};
    bool read = path[0] && Qi_Load_Gradient_Colormap(path, &loaded.count, &loaded.offsets,
                                                     &loaded.colours, &loaded.third,
                                                     &loaded.interpolation) == 0;
    ReleasePreview();
    preview = loaded;
    if (!read || preview.count < 1 || !preview.offsets || !preview.colours)
        BlankPreview(hook);
    else
        PreviewGradient(hook, IDC_REQUESTER_PREVIEW, preview.count, preview.offsets,
                        preview.third, preview.colours);
    return 0;
}

// The strip is owner-drawn: it shows the last preview again whenever it is
// repainted, and the dialog's face without one.
UINT_PTR Requester_OnDrawItem(const DRAWITEMSTRUCT *item)
{
    if (item->CtlID != IDC_REQUESTER_PREVIEW)
        return 0;
    if (preview.count < 1) {
        FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    PaintPreview(item->hDC, item->rcItem.right - item->rcItem.left,
                 item->rcItem.bottom - item->rcItem.top, preview.count, preview.offsets,
                 preview.colours);
    return 1;
}

}  // namespace

void GetRequesterSelection(HWND hook, char *buffer)
{
    if (GetOpenDialogSelection(hook, buffer) && FolderSelected(GetParent(hook)))
        buffer[0] = '\0';
}

void PreviewGradient(HWND dialog, int id, int32_t count, const float *offsets,
                     const float *third, const float *colours)
{
    HWND control = GetDlgItem(dialog, id);
    if (!control || count < 1 || !offsets || !colours)
        return;
    RECT client = {0, 0, 0, 0};
    GetClientRect(control, &client);
    HDC dc = GetDC(control);
    if (!dc)
        return;
    PaintPreview(dc, client.right, client.bottom, count, offsets, colours);
    ReleaseDC(control, dc);
}

UINT_PTR CALLBACK GradientRequesterHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return Requester_OnInitDialog(hook);
    case WM_NOTIFY:
        return Requester_OnNotify(hook, reinterpret_cast<const OFNOTIFYA *>(lParam));
    case WM_DRAWITEM:
        return Requester_OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    case WM_DESTROY:
        ReleasePreview();
        return 0;
    }
    return 0;
}
