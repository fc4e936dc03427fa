// Committing the working flare to the host: one call for the global values,
// one per element, one per parameter. Descriptions, names and parameter
// definitions are the host's and are never sent.
#include "model/flare_keywords.h"
#include "model/working_flare.h"

namespace {

void CommitGlobals(const WorkingFlare *f, QiToken kind, const char *name)
{
    const FlareKeywords &k = Keywords();
    Qi_LensFlare(kind, name,
        k.enabled, f->enabled, QI_GROUP,
        k.intensity, &f->intensity, QI_GROUP,
        k.scale, &f->scale, QI_GROUP,
        k.occlusionradius, &f->occlusionradius, QI_GROUP,
        k.anamorphicstretch, &f->anamorphicstretch, QI_GROUP,
        k.fastdrag, k.enabled, f->fastdrag, QI_GROUP,
        k.randomseed, &f->randomseed, QI_GROUP,
        k.color, k.rgb, f->color, QI_GROUP,
        k.uselightparams, k.enabled, f->uselightparams, QI_GROUP,
        k.angle, &f->angle, QI_GROUP,
        k.glowbehindobjects, k.enabled, f->glowbehindobjects, QI_GROUP,
        k.fadeifnearborder, k.enabled, f->fadeifnearborder, QI_GROUP,
        k.fadeifbehindobjects, k.enabled, f->fadeifbehindobjects, QI_GROUP,
        k.fadeifapproachingobjects, k.enabled, f->fadeifapproachingobjects, QI_GROUP,
        k.fadewithdistance, k.enabled, f->fadewithdistance, QI_GROUP,
        k.refdistance, &f->refdistance, QI_GROUP,
        k.scaleglowwithdistance, k.enabled, f->scaleglowwithdistance, QI_GROUP,
        k.scalereflexeswithdistance, k.enabled, f->scalereflexeswithdistance, QI_GROUP,
        QI_END);
}

void CommitElement(const FlareElement *element, QiToken kind, const char *name)
{
    const FlareKeywords &k = Keywords();
    Qi_LensFlare(kind, name, k.element, element->guid, k.enabled, element->enabled, QI_GROUP,
                 QI_END);
    // Parameters are addressed by their index within the element.
    int32_t p = 0;
    for (const FlareParameter *parameter = element->firstParameter; parameter;
         parameter = parameter->next, ++p) {
        Qi_LensFlare(kind, name,
            k.element, element->guid, QI_GROUP,
            k.parameter, &p,
            k.value, parameter->Qv_Current_Value,
            k.gradientdata, &parameter->gradientCount, parameter->gradientColors,
                parameter->gradientOffsets,
            k.arbitrarydata, &parameter->arbitraryDataSize, parameter->arbitraryData, QI_GROUP,
            QI_END);
    }
}

}  // namespace

void CommitFlareGlobals(const WorkingFlare *flare, QiToken kind, const char *name)
{
    CommitGlobals(flare, kind, name);
}

void CommitWorkingFlare(PluginInstance *instance, QiToken kind, const char *name)
{
    const WorkingFlare *flare = instance->workingFlare;
    if (!flare)
        return;
    CommitGlobals(flare, kind, name);
    for (const FlareElement *element = flare->firstElement; element; element = element->next)
        CommitElement(element, kind, name);
}
