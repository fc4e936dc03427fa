#include "editor/element_rows.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "editor/element_copy.h"
#include "editor/scratch_light.h"
#include "frame/plugin_instance.h"
#include "preview/pixel_conversion.h"
#include "preview/preview.h"
#include "resources/resource.h"

namespace {

constexpr int kBoxSize = 13;  // the enable box, in pixels
constexpr int kGap = 4;       // between picture, box and text
constexpr int kFinerBy = 3;   // pictures are rendered this many times finer each way

struct RowPicture {
    uint64_t signature = 0;     // of the element's values when rendered
    std::vector<uint8_t> bits;  // 24-bit rows, bottom row first
};

HWND rowsDialog = nullptr;
int pictureWidth = 0, pictureHeight = 0;
std::map<std::string, RowPicture> pictures;  // by element guid

// Reflexes lie on the line from the light through the picture's centre:
// pictures of these types put the light off the centre.
bool OffCentre(const char *type)
{
    for (const char *name : {"inter", "dscflx", "rngflx", "prflx"})
        if (type && std::strcmp(type, name) == 0)
            return true;
    return false;
}

void Mix(uint64_t &hash, const void *data, size_t bytes)
{
    const uint8_t *p = static_cast<const uint8_t *>(data);
    for (size_t i = 0; i < bytes; ++i)
        hash = (hash ^ p[i]) * 0x100000001b3ull;
}

// What the picture shows: the type and every value; not the switch (the
// picture shows the element switched on).
uint64_t Signature(const FlareElement *element)
{
    uint64_t hash = 0xcbf29ce484222325ull;
    if (element->name)
        Mix(hash, element->name, std::strlen(element->name) + 1);
    for (const FlareParameter *p = element->firstParameter; p; p = p->next) {
        Mix(hash, p->Qv_Current_Value, sizeof p->Qv_Current_Value);
        Mix(hash, &p->gradientCount, sizeof p->gradientCount);
        if (p->gradientCount > 0 && p->gradientColors && p->gradientOffsets) {
            Mix(hash, p->gradientColors, size_t(p->gradientCount) * 12);
            Mix(hash, p->gradientOffsets, size_t(p->gradientCount) * 4);
        }
        Mix(hash, &p->arbitraryDataSize, sizeof p->arbitraryDataSize);
        if (p->arbitraryDataSize > 0 && p->arbitraryData)
            Mix(hash, p->arbitraryData, size_t(p->arbitraryDataSize));
    }
    return hash;
}

// The scratch light's globals for pictures: the host's defaults, the light's
// own colour left out, nothing faded, three times as bright.
bool PrepareScratchLight()
{
    static const QiToken on = Qi_Inquire_Token("on"), off = Qi_Inquire_Token("off");
    if (!EmptyScratchLight())
        return false;
    WorkingFlare globals = {};
    globals.enabled = on;
    globals.intensity = 3.0f;
    globals.scale = globals.anamorphicstretch = 1.0f;
    globals.occlusionradius = 0.05f;
    globals.fastdrag = off;
    globals.randomseed = 1;
    globals.color[0] = globals.color[1] = globals.color[2] = 1.0f;
    globals.uselightparams = globals.glowbehindobjects = globals.fadeifnearborder = off;
    globals.fadeifbehindobjects = globals.fadeifapproachingobjects = globals.fadewithdistance = off;
    globals.scaleglowwithdistance = globals.scalereflexeswithdistance = off;
    globals.refdistance = 100.0f;
    CommitFlareGlobals(&globals, ScratchLightKind(), kScratchLightName);
    return true;
}

// Each picture pixel takes the brightest of the finer render's pixels it
// covers, so that rings, streaks and small discs a pixel would average
// away stay visible.
void KeepBrightest(QiGBuffer *fine, int32_t width, int32_t height)
{
    for (float *plane : {fine->red, fine->green, fine->blue})
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                float brightest = 0.0f;
                for (int32_t dy = 0; dy < kFinerBy; ++dy)
                    for (int32_t dx = 0; dx < kFinerBy; ++dx) {
                        float v = plane[size_t(y * kFinerBy + dy) * size_t(fine->width) +
                                        size_t(x * kFinerBy + dx)];
                        brightest = v > brightest ? v : brightest;
                    }
                plane[size_t(y) * size_t(width) + size_t(x)] = brightest;
            }
}

// The element alone, switched on, rendered into the buffer (kFinerBy times
// the picture's size) and kept.
void RenderPicture(const FlareElement *element, QiGBuffer *buffer, RowPicture *picture)
{
    TextElement text = ElementToText(element);
    text.enabled = true;
    EmptyScratchLight();
    InsertTextElement(ScratchLightKind(), kScratchLightName, text, nullptr);
    ClearRenderBuffer(buffer);
    const float divisor = OffCentre(element->name) ? 4.0f : 2.0f;
    Qi_LensFlareApplyToGBuffer(buffer, ScratchLightKind(), kScratchLightName,
                               int32_t(float(buffer->width) / divisor),
                               int32_t(float(buffer->height) - float(buffer->height) / divisor),
                               nullptr);
    KeepBrightest(buffer, pictureWidth, pictureHeight);
    const int32_t rowBytes = DibRowBytes(3, pictureWidth);
    picture->bits.assign(size_t(rowBytes) * size_t(pictureHeight), 0);
    ConvertPlanesTo24Bit(buffer->red, buffer->green, buffer->blue, pictureWidth, pictureHeight,
                         picture->bits.data(), rowBytes);
}

HWND List()
{
    return rowsDialog ? GetDlgItem(rowsDialog, IDC_ELEMENT_LIST) : nullptr;
}

void InvalidateRow(HWND list, int index)
{
    RECT r;
    if (SendMessageA(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(list, &r, FALSE);
}

// Left to right: picture, box, text.
RECT PictureRect(const RECT &row)
{
    int top = row.top + (row.bottom - row.top - pictureHeight) / 2;
    return {row.left + 2, top, row.left + 2 + pictureWidth, top + pictureHeight};
}

RECT BoxRect(const RECT &row)
{
    int left = PictureRect(row).right + kGap, top = row.top + (row.bottom - row.top - kBoxSize) / 2;
    return {left, top, left + kBoxSize, top + kBoxSize};
}

// The picture, at half brightness for a switched-off element; black before
// it is rendered.
void DrawPicture(HDC dc, const RECT &at, const FlareElement *element, bool dim)
{
    auto found = element && element->guid ? pictures.find(element->guid) : pictures.end();
    if (found == pictures.end() || found->second.bits.empty()) {
        FillRect(dc, &at, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return;
    }
    std::vector<uint8_t> bits = found->second.bits;
    if (dim)
        for (uint8_t &b : bits)
            b = uint8_t(b / 2);
    BITMAPINFO info = {};
    info.bmiHeader = TrueColourHeader(pictureWidth, pictureHeight);
    SetDIBitsToDevice(dc, at.left, at.top, DWORD(pictureWidth), DWORD(pictureHeight), 0, 0, 0,
                      UINT(pictureHeight), bits.data(), &info, DIB_RGB_COLORS);
}

void DrawRowText(const DRAWITEMSTRUCT *item, const RECT &box, bool selected, bool off)
{
    char text[256] = "";
    LRESULT length = SendMessageA(item->hwndItem, LB_GETTEXTLEN, item->itemID, 0);
    if (length != LB_ERR && size_t(length) < sizeof text)
        SendMessageA(item->hwndItem, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
    RECT r = item->rcItem;
    r.left = box.right + kGap;
    int colour = selected ? COLOR_HIGHLIGHTTEXT : off ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT;
    SetTextColor(item->hDC, GetSysColor(colour));
    SetBkMode(item->hDC, TRANSPARENT);
    DrawTextA(item->hDC, text, -1, &r,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
}

void OnPreviewShown()
{
    RefreshRowPictures();
}

}  // namespace

void SetUpElementRows(HWND dialog)
{
    rowsDialog = dialog;
    HWND list = GetDlgItem(dialog, IDC_ELEMENT_LIST);
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    int rowHeight = metrics.tmHeight + 8 > 22 ? int(metrics.tmHeight) + 8 : 22;
    pictureHeight = rowHeight - 4;
    pictureWidth = pictureHeight * 3 / 2;
    SendMessageA(list, LB_SETITEMHEIGHT, 0, rowHeight);
    previewShown = OnPreviewShown;
}

void ReleaseElementRows()
{
    previewShown = nullptr;
    pictures.clear();
    rowsDialog = nullptr;
    RemoveScratchLight();
}

BOOL DrawElementRow(const DRAWITEMSTRUCT *item)
{
    if (item->CtlType != ODT_LISTBOX || item->CtlID != IDC_ELEMENT_LIST)
        return FALSE;
    if (item->itemID == UINT(-1)) {
        if (item->itemState & ODS_FOCUS)
            DrawFocusRect(item->hDC, &item->rcItem);
        return TRUE;
    }
    static const QiToken off = Qi_Inquire_Token("off");
    auto *element = reinterpret_cast<const FlareElement *>(item->itemData);
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    const bool switchedOff = element && element->enabled == off;
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    DrawPicture(item->hDC, PictureRect(item->rcItem), element, switchedOff);
    RECT box = BoxRect(item->rcItem);
    DrawFrameControl(item->hDC, &box, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (switchedOff ? 0 : DFCS_CHECKED));
    DrawRowText(item, box, selected, switchedOff);
    if (item->itemState & ODS_FOCUS)
        DrawFocusRect(item->hDC, &item->rcItem);
    return TRUE;
}

int RowBoxAt(HWND list, POINT point)
{
    LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit))
        return -1;
    int index = int(LOWORD(hit));
    RECT row;
    if (SendMessageA(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&row)) == LB_ERR)
        return -1;
    RECT box = BoxRect(row);
    InflateRect(&box, 2, 2);
    return PtInRect(&box, point) ? index : -1;
}

void RedrawElementRow(HWND dialog, const FlareElement *element)
{
    HWND list = GetDlgItem(dialog, IDC_ELEMENT_LIST);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageA(list, LB_GETITEMDATA, WPARAM(i), 0) == reinterpret_cast<LRESULT>(element))
            InvalidateRow(list, int(i));
}

void RefreshRowPictures()
{
    const WorkingFlare *flare = currentInstance ? currentInstance->workingFlare : nullptr;
    HWND list = List();
    if (!flare || !list || GetCapture())
        return;
    QiGBuffer *buffer = nullptr;
    std::map<std::string, RowPicture> kept;
    int index = 0;
    for (const FlareElement *e = flare->firstElement; e; e = e->next, ++index) {
        if (!e->guid)
            continue;
        RowPicture &picture = kept[e->guid];
        auto found = pictures.find(e->guid);
        uint64_t signature = Signature(e);
        if (found != pictures.end() && found->second.signature == signature) {
            picture = std::move(found->second);
            continue;
        }
        if (!buffer && PrepareScratchLight())
            buffer = Qi_Alloc_Global_GBuffer(pictureWidth * kFinerBy, pictureHeight * kFinerBy,
                                             pictureHeight * kFinerBy, 0);
        if (!buffer)
            break;
        RenderPicture(e, buffer, &picture);
        picture.signature = signature;
        InvalidateRow(list, index);
    }
    if (buffer)
        Qi_Free_Global_GBuffer(buffer);
    pictures = std::move(kept);
}
