// The library requester's panel: the "Preview" switch and the picture of
// the selected file's flare, rendered on the temporary light.
#include "library/effect_requester.h"

#include <cstring>

#include "host/api/qi_importio.h"
#include "model/flare_keywords.h"
#include "frame/file_dialog.h"
#include "preview/preview.h"
#include "resources/library_ids.h"

int8_t requesterPreviewOn = 1;
DisplayBitmap requesterBitmap = {};

namespace {

// Number of the registered "commdlg_LBSelChangedNotify"; all bits set until
// the requester registers it.
UINT selectionMessage = UINT(-1);

// Reflexes, drawn along the line from the light through the picture's
// centre: with the light at the centre they would all sit on it, so flares
// with one of these types are previewed with the light off the centre.
const char *const kOffCentreTypes[] = {"inter", "dscflx", "rngflx", "prflx"};

QiToken LightKind()
{
    static const QiToken light = Qi_Inquire_Token("light");
    return light;
}

bool TemporaryLightExists()
{
    int32_t exists = 0;
    Qi_Handle_Name_Exists(TEMPORARY_LIGHT_NAME, &exists, LightKind(), QI_END);
    return exists != 0;
}

// Deletes the elements of the temporary light's flare, last first so that
// the indexes of the others stay put.
void EmptyTemporaryLight()
{
    const FlareKeywords &k = Keywords();
    static const QiToken deleteToken = Qi_Inquire_Token("delete");
    int32_t count = 0;
    Qi_Inquire_LensFlare(LightKind(), TEMPORARY_LIGHT_NAME, k.numelements, &count, QI_END);
    for (int32_t i = count - 1; i >= 0; --i) {
        int32_t index = i;
        const char *guid = nullptr;
        Qi_Inquire_LensFlare(LightKind(), TEMPORARY_LIGHT_NAME, k.element, &index, k.guid, &guid,
                             QI_GROUP, QI_END);
        if (guid)
            Qi_LensFlare(LightKind(), TEMPORARY_LIGHT_NAME, deleteToken, guid, QI_END);
    }
}

// 2 (the light at the centre), or 4 when the temporary light's flare has an
// element of an off-centre type (the light a quarter in from the left and
// from the top).
float LightDivisor()
{
    const FlareKeywords &k = Keywords();
    int32_t count = 0;
    Qi_Inquire_LensFlare(LightKind(), TEMPORARY_LIGHT_NAME, k.numelements, &count, QI_END);
    for (int32_t i = 0; i < count; ++i) {
        const char *type = nullptr;
        Qi_Inquire_LensFlare(LightKind(), TEMPORARY_LIGHT_NAME, k.element, &i, k.name, &type,
                             QI_GROUP, QI_END);
        if (!type)
            continue;
        for (const char *offCentre : kOffCentreTypes)
            if (std::strcmp(type, offCentre) == 0)
                return 4.0f;
    }
    return 2.0f;
}

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
    float divisor = LightDivisor();
    QiGBuffer *buffer = Qi_Alloc_Global_GBuffer(width, height, height, 0);
    if (!buffer)
        return;
    ClearRenderBuffer(buffer);
    int32_t x = int32_t(float(width) / divisor);
    int32_t y = int32_t(float(height) - float(height) / divisor);
    Qi_LensFlareApplyToGBuffer(buffer, LightKind(), TEMPORARY_LIGHT_NAME, x, y, nullptr);
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
    static const QiToken model = Qi_Inquire_Token("model");
    static const QiToken point = Qi_Inquire_Token("point");
    static const QiToken bdfsave = Qi_Inquire_Token("bdfsave");
    static const QiToken off = Qi_Inquire_Token("off");
    if (!TemporaryLightExists())
        Qi_Light(TEMPORARY_LIGHT_NAME, model, point, QI_GROUP, bdfsave, Keywords().enabled, off,
                 QI_END);
}

void RemoveTemporaryLight()
{
    if (TemporaryLightExists())
        Qi_Remove(LightKind(), TEMPORARY_LIGHT_NAME, QI_END);
}

int16_t LoadIntoTemporaryLight(const char *path)
{
    static const QiToken loadfromfile = Qi_Inquire_Token("loadfromfile");
    EmptyTemporaryLight();
    int32_t status = -1;
    Qi_LensFlare(LightKind(), TEMPORARY_LIGHT_NAME, loadfromfile, path, &status, QI_END);
    return status == 0 ? 1 : 0;
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
