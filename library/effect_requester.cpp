// The library requester's panel: the "Preview" switch and the picture of
// the selected file's flare, rendered on the temporary light.
#include "library/effect_requester.h"

#include "frame/file_dialog.h"
#include "host/api/qi_importio.h"
#include "library/scratch_light.h"
#include "preview/preview.h"
#include "resources/library_ids.h"

int8_t requesterPreviewOn = 1;
DisplayBitmap requesterBitmap = {};

namespace {

// Number of the registered "commdlg_LBSelChangedNotify"; all bits set until
// the requester registers it.
UINT selectionMessage = UINT(-1);

// Takes the picture off the screen at once: the bitmap draws nothing more,
// and the button and the panel are repainted before anything else happens.
void BlankPicture(HWND dialog, DisplayBitmap *bitmap)
{
    bitmap->hasImage = 0;
    InvalidateRect(GetDlgItem(dialog, bitmap->buttonId), nullptr, TRUE);
    InvalidateRect(dialog, nullptr, FALSE);
    UpdateWindow(dialog);
}

void ShowPicture(HWND dialog, const DisplayBitmap *bitmap)
{
    HWND button = GetDlgItem(dialog, bitmap->buttonId);
    InvalidateRect(button, nullptr, FALSE);
    UpdateWindow(button);
    InvalidateRect(dialog, nullptr, FALSE);
    UpdateWindow(dialog);
}

// Renders the temporary light's flare into the bitmap.
void RenderTemporaryLight(DisplayBitmap *bitmap)
{
    const BITMAPINFOHEADER &header = bitmap->bitmapInfo->bmiHeader;
    int32_t width = header.biWidth, height = header.biHeight;
    float divisor = ScratchLightDivisor(TEMPORARY_LIGHT_NAME);
    QiGBuffer *buffer = Qi_Alloc_Global_GBuffer(width, height, height, 0);
    if (!buffer)
        return;
    RenderScratchLight(TEMPORARY_LIGHT_NAME, divisor, buffer);
    ConvertGBufferToDisplay(buffer, bitmap);
    Qi_Free_Global_GBuffer(buffer);
}

BOOL Requester_OnInitDialog(HWND dialog)
{
    RECT client;
    GetClientRect(GetDlgItem(dialog, IDC_REQUESTER_PICTURE), &client);
    CreateDisplayBitmap(&requesterBitmap, IDC_REQUESTER_PICTURE, client.right - client.left + 1,
                        client.bottom - client.top + 1, IsPaletteDisplay() ? 1 : 3);
    CheckDlgButton(dialog, IDC_REQUESTER_PREVIEW_ON,
                   requesterPreviewOn ? BST_CHECKED : BST_UNCHECKED);
    selectionMessage = RegisterWindowMessageA("commdlg_LBSelChangedNotify");
    CreateTemporaryLight();
    return TRUE;
}

BOOL Requester_OnCommand(HWND dialog, int id)
{
    if (id != IDC_REQUESTER_PREVIEW_ON)
        return FALSE;
    requesterPreviewOn = requesterPreviewOn ? 0 : 1;
    CheckDlgButton(dialog, IDC_REQUESTER_PREVIEW_ON,
                   requesterPreviewOn ? BST_CHECKED : BST_UNCHECKED);
    if (requesterPreviewOn)
        PreviewSelectedEffectFile(dialog, &requesterBitmap, requesterPreviewOn);
    else
        BlankPicture(dialog, &requesterBitmap);
    return TRUE;
}

void Requester_OnNotify(HWND dialog, const NMHDR *header)
{
    if (header->code == CDN_INITDONE)
        PlaceOpenDialog(dialog);
    if (header->code == CDN_SELCHANGE || header->code == CDN_FOLDERCHANGE ||
        header->code == CDN_TYPECHANGE)
        PreviewSelectedEffectFile(dialog, &requesterBitmap, requesterPreviewOn);
}

void Requester_OnDestroy()
{
    FreeDisplayBitmap(&requesterBitmap);
    RemoveTemporaryLight();
}

}  // namespace

void CreateTemporaryLight()
{
    CreateScratchLight(TEMPORARY_LIGHT_NAME);
}

void RemoveTemporaryLight()
{
    RemoveScratchLight(TEMPORARY_LIGHT_NAME);
}

int16_t LoadIntoTemporaryLight(const char *path)
{
    return LoadIntoScratchLight(TEMPORARY_LIGHT_NAME, path);
}

UINT_PTR CALLBACK EffectRequesterHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    int16_t handled = 0;
    LRESULT result = HandleDisplayBitmapMessage(&requesterBitmap, dialog, message, wParam, lParam,
                                                &handled);
    if (handled)
        return UINT_PTR(result);
    if (message == selectionMessage) {
        PreviewSelectedEffectFile(dialog, &requesterBitmap, requesterPreviewOn);
        return 0;
    }
    switch (message) {
    case WM_DESTROY: Requester_OnDestroy(); return 0;
    case WM_NOTIFY: Requester_OnNotify(dialog, reinterpret_cast<const NMHDR *>(lParam)); return 0;
    case WM_INITDIALOG: return Requester_OnInitDialog(dialog);
    case WM_COMMAND: return Requester_OnCommand(dialog, LOWORD(wParam));
    }
    return 0;
}

void PreviewSelectedEffectFile(HWND dialog, DisplayBitmap *bitmap, int8_t on)
{
    BlankPicture(dialog, bitmap);
    // Without a bitmap (its creation failed) there is nothing to render into.
    if (!on || !bitmap->valid)
        return;
    char path[FILE_NAME_SIZE];
    GetSelectedEffectFile(dialog, path);
    int32_t exists = 0;
    if (path[0])
        Qi_File_Exists(path, &exists);
    if (!exists)
        return;
    SetWaitCursor();
    if (LoadIntoTemporaryLight(path))
        RenderTemporaryLight(bitmap);
    if (bitmap->hasImage)
        ShowPicture(dialog, bitmap);
    RestoreCursor();
}

void GetSelectedEffectFile(HWND dialog, char *path)
{
    if (!GetOpenDialogSelection(dialog, path) || Qi_Check_For_File_Extension(path, ".lnz"))
        return;
    ShowPathMessage(GetParent(dialog),
                    "The selected filename '%s' does not end in the .lnz file extension "
                    "(lens effect file).",
                    path, "Filename Error", MB_OK);
    path[0] = '\0';
}
