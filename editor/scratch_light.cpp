#include "editor/scratch_light.h"

#include <cstring>

#include "frame/plugin_instance.h"
#include "model/flare_keywords.h"

const char kScratchLightName[] = "Quorix___ElementPictureLight";

namespace {

bool ScratchLightExists()
{
    int32_t exists = 0;
    Qi_Handle_Name_Exists(kScratchLightName, &exists, ScratchLightKind(), QI_END);
    return exists != 0;
}

// The edited flare is the scratch light's own: nothing may empty it.
bool IsEditedLight()
{
    const PluginInstance *instance = currentInstance;
    return instance && instance->handleType == ScratchLightKind() &&
           std::strcmp(instance->flareName, kScratchLightName) == 0;
}

}  // namespace

QiToken ScratchLightKind()
{
    static const QiToken light = Qi_Inquire_Token("light");
    return light;
}

bool EmptyScratchLight()
{
    static const QiToken model = Qi_Inquire_Token("model"), point = Qi_Inquire_Token("point"),
                         bdfsave = Qi_Inquire_Token("bdfsave"), off = Qi_Inquire_Token("off"),
                         remove = Qi_Inquire_Token("delete");
    const FlareKeywords &k = Keywords();
    if (IsEditedLight())
        return false;
    if (!ScratchLightExists())
        Qi_Light(kScratchLightName, model, point, QI_GROUP, bdfsave, k.enabled, off, QI_END);
    if (!ScratchLightExists())
        return false;
    int32_t count = 0;
    Qi_Inquire_LensFlare(ScratchLightKind(), kScratchLightName, k.numelements, &count, QI_END);
    for (int32_t e = count - 1; e >= 0; --e) {
        const char *guid = nullptr;
        Qi_Inquire_LensFlare(ScratchLightKind(), kScratchLightName, k.element, &e, k.guid, &guid,
                             QI_GROUP, QI_END);
        if (guid)
            Qi_LensFlare(ScratchLightKind(), kScratchLightName, remove, guid, QI_END);
    }
    return true;
}

void RemoveScratchLight()
{
    if (!IsEditedLight() && ScratchLightExists())
        Qi_Remove(ScratchLightKind(), kScratchLightName, QI_END);
}
