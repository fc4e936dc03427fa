#include "library/scratch_light.h"

#include <cstring>

#include "model/flare_keywords.h"
#include "preview/preview.h"

namespace {

// Reflexes, drawn along the line from the light through the picture's
// centre.
const char *const kOffCentreTypes[] = {"inter", "dscflx", "rngflx", "prflx"};

}  // namespace

QiToken ScratchLightKind()
{
    static const QiToken light = Qi_Inquire_Token("light");
    return light;
}

bool ScratchLightExists(const char *light)
{
    int32_t exists = 0;
    Qi_Handle_Name_Exists(light, &exists, ScratchLightKind(), QI_END);
    return exists != 0;
}

// Last first, so that the indexes of the others stay put.
void EmptyScratchLight(const char *light)
{
    const FlareKeywords &k = Keywords();
    static const QiToken deleteToken = Qi_Inquire_Token("delete");
    int32_t count = 0;
    Qi_Inquire_LensFlare(ScratchLightKind(), light, k.numelements, &count, QI_END);
    for (int32_t i = count - 1; i >= 0; --i) {
        int32_t index = i;
        const char *guid = nullptr;
        Qi_Inquire_LensFlare(ScratchLightKind(), light, k.element, &index, k.guid, &guid, QI_GROUP,
                             QI_END);
        if (guid)
            Qi_LensFlare(ScratchLightKind(), light, deleteToken, guid, QI_END);
    }
}

float ScratchLightDivisor(const char *light)
{
    const FlareKeywords &k = Keywords();
    int32_t count = 0;
    Qi_Inquire_LensFlare(ScratchLightKind(), light, k.numelements, &count, QI_END);
    for (int32_t i = 0; i < count; ++i) {
        const char *type = nullptr;
        Qi_Inquire_LensFlare(ScratchLightKind(), light, k.element, &i, k.name, &type, QI_GROUP, QI_END);
        if (!type)
            continue;
        for (const char *offCentre : kOffCentreTypes)
            if (std::strcmp(type, offCentre) == 0)
                return 4.0f;
    }
    return 2.0f;
}

void CreateScratchLight(const char *light)
{
    static const QiToken model = Qi_Inquire_Token("model");
    static const QiToken point = Qi_Inquire_Token("point");
    static const QiToken bdfsave = Qi_Inquire_Token("bdfsave");
    static const QiToken off = Qi_Inquire_Token("off");
    if (!ScratchLightExists(light))
        Qi_Light(light, model, point, QI_GROUP, bdfsave, Keywords().enabled, off, QI_END);
}

void RemoveScratchLight(const char *light)
{
    if (ScratchLightExists(light))
        Qi_Remove(ScratchLightKind(), light, QI_END);
}

int16_t LoadIntoScratchLight(const char *light, const char *path)
{
    static const QiToken loadfromfile = Qi_Inquire_Token("loadfromfile");
    EmptyScratchLight(light);
    int32_t status = -1;
    Qi_LensFlare(ScratchLightKind(), light, loadfromfile, path, &status, QI_END);
    return status == 0 ? 1 : 0;
}

void RenderScratchLight(const char *light, float divisor, QiGBuffer *buffer)
{
    const int32_t width = buffer->width, height = buffer->height;
    ClearRenderBuffer(buffer);
    int32_t x = int32_t(float(width) / divisor);
    int32_t y = int32_t(float(height) - float(height) / divisor);
    Qi_LensFlareApplyToGBuffer(buffer, ScratchLightKind(), light, x, y, nullptr);
}
