#include "editor/scratch_light.h"

#include <cstring>

#include "frame/plugin_instance.h"

const char kScratchLightName[] = "Quorix___ElementPictureLight";

namespace {

// The edited flare is the scratch light's own: nothing may empty it.
bool IsEditedLight()
{
    const PluginInstance *instance = currentInstance;
    return instance && instance->handleType == ScratchLightKind() &&
           std::strcmp(instance->flareName, kScratchLightName) == 0;
}

}  // namespace

bool EmptyScratchLight()
{
    if (IsEditedLight())
        return false;
    CreateScratchLight(kScratchLightName);
    if (!ScratchLightExists(kScratchLightName))
        return false;
    EmptyScratchLight(kScratchLightName);
    return true;
}

void RemoveScratchLight()
{
    if (!IsEditedLight())
        RemoveScratchLight(kScratchLightName);
}
