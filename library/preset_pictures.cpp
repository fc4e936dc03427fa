#include "library/preset_pictures.h"

#include <algorithm>
#include <cstring>

#include "frame/file_paths.h"
#include "library/preset_folders.h"
#include "library/scratch_light.h"
#include "model/flare_keywords.h"
#include "preview/display_bitmap.h"
#include "preview/pixel_conversion.h"

namespace {

const int32_t kRowBytes = PICTURE_WIDTH * 3;  // a multiple of 4: DIB rows need no padding
const size_t kStrip = 32;                      // pictures added to the image list at once

QiToken LightKind()
{
    static const QiToken light = Qi_Inquire_Token("light");
    return light;
}

// The element types and names of the light's flare.
void ReadElements(PresetPicture *picture)
{
    const FlareKeywords &k = Keywords();
    int32_t count = 0;
    Qi_Inquire_LensFlare(LightKind(), PRESET_LIGHT_NAME, k.numelements, &count, QI_END);
    for (int32_t e = 0; e < count; ++e) {
        const char *type = nullptr, *name = nullptr;
        Qi_Inquire_LensFlare(LightKind(), PRESET_LIGHT_NAME, k.element, &e, k.name, &type,
                             k.description, &name, QI_GROUP, QI_END);
        picture->types.push_back(type ? type : "");
        picture->names.push_back(name ? name : (type ? type : ""));
    }
}

HBITMAP CreatePictureBitmap(int32_t width, uint8_t **bits)
{
    BITMAPINFO info = {};
    info.bmiHeader = TrueColourHeader(width, PICTURE_HEIGHT);
    void *pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    *bits = static_cast<uint8_t *>(pixels);
    return bitmap;
}

bool HasPixels(const PresetPicture &picture)
{
    return picture.state == PICTURE_MADE &&
           picture.pixels.size() == size_t(kRowBytes) * PICTURE_HEIGHT;
}

// Adds the pictures side by side in one bitmap, which the image list cuts
// into as many images.
void AddStrip(PictureMaker *maker, Preset *const *presets, size_t count)
{
    uint8_t *bits = nullptr;
    HBITMAP strip = CreatePictureBitmap(PICTURE_WIDTH * int32_t(count), &bits);
    if (!strip)
        return;
    const size_t stripRow = size_t(kRowBytes) * count;
    for (size_t k = 0; k < count; ++k)
        for (size_t row = 0; row < PICTURE_HEIGHT; ++row)
            std::memcpy(bits + row * stripRow + k * kRowBytes,
                        presets[k]->picture.pixels.data() + row * kRowBytes, kRowBytes);
    GdiFlush();
    int first = ImageList_Add(maker->images, strip, nullptr);
    DeleteObject(strip);
    for (size_t k = 0; first >= 0 && k < count; ++k)
        presets[k]->image = first + int(k);
}

// Draws one of the list's fixed pictures into the transfer bitmap: a dark
// frame for a picture still to come; for a damaged file a red cross and
// the word under it.
void DrawFixedPicture(PictureMaker *maker, bool damaged)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, maker->transfer);
    RECT all = {0, 0, PICTURE_WIDTH, PICTURE_HEIGHT};
    HBRUSH back = CreateSolidBrush(damaged ? RGB(48, 24, 24) : RGB(24, 24, 24));
    FillRect(dc, &all, back);
    DeleteObject(back);
    HPEN pen = CreatePen(PS_SOLID, damaged ? 3 : 1, damaged ? RGB(200, 40, 40) : RGB(72, 72, 72));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (damaged) {
        const int cx = PICTURE_WIDTH / 2, cy = PICTURE_HEIGHT / 2 - 8;
        MoveToEx(dc, cx - 14, cy - 14, nullptr);
        LineTo(dc, cx + 14, cy + 14);
        MoveToEx(dc, cx + 14, cy - 14, nullptr);
        LineTo(dc, cx - 14, cy + 14);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(230, 120, 120));
        RECT text = {0, cy + 18, PICTURE_WIDTH, PICTURE_HEIGHT};
        DrawTextA(dc, "damaged", -1, &text, DT_CENTER | DT_TOP | DT_SINGLELINE);
    } else {
        Rectangle(dc, 0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
    SelectObject(dc, old);
    DeleteDC(dc);
}

}  // namespace

bool CreatePictureMaker(PictureMaker *maker, int capacity)
{
    *maker = {};
    CreateScratchLight(PRESET_LIGHT_NAME);
    maker->buffer = Qi_Alloc_Global_GBuffer(PICTURE_WIDTH, PICTURE_HEIGHT, PICTURE_HEIGHT, 0);
    // Room for every picture at once: a list that grows copies all it holds.
    maker->images = ImageList_Create(PICTURE_WIDTH, PICTURE_HEIGHT, ILC_COLOR24, capacity + 2, 64);
    maker->transfer = CreatePictureBitmap(PICTURE_WIDTH, &maker->transferBits);
    if (!maker->buffer || !maker->images || !maker->transfer)
        return false;
    for (bool damaged : {false, true}) {
        DrawFixedPicture(maker, damaged);
        if (ImageList_Add(maker->images, maker->transfer, nullptr) < 0)
            return false;
    }
    return true;
}

void FreePictureMaker(PictureMaker *maker)
{
    if (maker->buffer)
        Qi_Free_Global_GBuffer(maker->buffer);
    if (maker->images)
        ImageList_Destroy(maker->images);
    if (maker->transfer)
        DeleteObject(maker->transfer);
    *maker = {};
    RemoveScratchLight(PRESET_LIGHT_NAME);
}

void MakePresetPicture(PictureMaker *maker, Preset *preset)
{
    PresetPicture &picture = preset->picture;
    picture = PresetPicture();
    ReadPresetFile(preset->file.path.c_str(), &preset->file);
    char reason[400] = "";
    Qi_Take_Last_Error(reason, sizeof reason);
    if (!LoadIntoScratchLight(PRESET_LIGHT_NAME, preset->file.path.c_str())) {
        Qi_Take_Last_Error(reason, sizeof reason);
        char sentence[400];
        HostReasonSentence(reason, preset->file.path.c_str(), sentence, sizeof sentence);
        picture.state = PICTURE_DAMAGED;
        picture.problem = sentence[0] ? sentence : "The host cannot load it.";
        return;
    }
    ReadElements(&picture);
    RenderScratchLight(PRESET_LIGHT_NAME, ScratchLightDivisor(PRESET_LIGHT_NAME), maker->buffer);
    picture.pixels.resize(size_t(kRowBytes) * PICTURE_HEIGHT);
    const QiGBuffer *buffer = maker->buffer;
    ConvertPlanesTo24Bit(buffer->red, buffer->green, buffer->blue, PICTURE_WIDTH, PICTURE_HEIGHT,
                         picture.pixels.data(), kRowBytes);
    picture.state = PICTURE_MADE;
}

void ShowPresetPicture(PictureMaker *maker, Preset *preset)
{
    const PresetPicture &picture = preset->picture;
    if (!HasPixels(picture)) {
        preset->image = picture.state == PICTURE_DAMAGED ? IMAGE_DAMAGED : IMAGE_PENDING;
        return;
    }
    GdiFlush();
    std::memcpy(maker->transferBits, picture.pixels.data(), picture.pixels.size());
    if (preset->image > IMAGE_DAMAGED)
        ImageList_Replace(maker->images, preset->image, maker->transfer, nullptr);
    else
        preset->image = ImageList_Add(maker->images, maker->transfer, nullptr);
}

void ShowPresetPictures(PictureMaker *maker, std::vector<Preset> &presets)
{
    std::vector<Preset *> waiting;
    for (Preset &preset : presets) {
        if (HasPixels(preset.picture) && preset.image <= IMAGE_DAMAGED)
            waiting.push_back(&preset);
        else if (!HasPixels(preset.picture))
            ShowPresetPicture(maker, &preset);
    }
    for (size_t first = 0; first < waiting.size(); first += kStrip)
        AddStrip(maker, waiting.data() + first, std::min(kStrip, waiting.size() - first));
}
