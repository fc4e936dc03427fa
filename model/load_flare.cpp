// Loading the working flare from the host: one call for the global values,
// one per element, one per parameter. The host's arrays and blocks are only
// valid during the call that returns them, so the model keeps copies.
#include <cstring>

#include "model/flare_keywords.h"
#include "model/working_flare.h"

namespace {

void LoadGlobals(WorkingFlare *f, QiToken kind, const char *name, int32_t *count)
{
    const FlareKeywords &k = Keywords();
    Qi_Inquire_LensFlare(kind, name,
        k.enabled, &f->enabled, QI_GROUP,
        k.intensity, &f->intensity, QI_GROUP,
        k.scale, &f->scale, QI_GROUP,
        k.occlusionradius, &f->occlusionradius, QI_GROUP,
        k.anamorphicstretch, &f->anamorphicstretch, QI_GROUP,
        k.fastdrag, k.enabled, &f->fastdrag, QI_GROUP,
        k.randomseed, &f->randomseed, QI_GROUP,
        k.color, f->color, QI_GROUP,
        k.uselightparams, k.enabled, &f->uselightparams, QI_GROUP,
        k.angle, &f->angle, QI_GROUP,
        k.glowbehindobjects, k.enabled, &f->glowbehindobjects, QI_GROUP,
        k.fadeifnearborder, k.enabled, &f->fadeifnearborder, QI_GROUP,
        k.fadeifbehindobjects, k.enabled, &f->fadeifbehindobjects, QI_GROUP,
        k.fadeifapproachingobjects, k.enabled, &f->fadeifapproachingobjects, QI_GROUP,
        k.fadewithdistance, k.enabled, &f->fadewithdistance, QI_GROUP,
        k.refdistance, &f->refdistance, QI_GROUP,
        k.scaleglowwithdistance, k.enabled, &f->scaleglowwithdistance, QI_GROUP,
        k.scalereflexeswithdistance, k.enabled, &f->scalereflexeswithdistance, QI_GROUP,
        k.numelements, count, QI_GROUP,
        QI_END);
}

// Copies `bytes` bytes of a host array into a new block; null when there is
// nothing to copy or the block cannot be had (reported).
template <typename T>
T *CopyHostBlock(const void *source, size_t bytes)
{
    if (!source || bytes == 0)
        return nullptr;
    auto *copy = static_cast<T *>(Qi_Alloc_Memory(0, 1, bytes));
    if (!copy) {
        Qi_Report_Error(3, "ERR_OUT_OF_MEMORY", "LensFlare_Model()", "parameter data");
        return nullptr;
    }
    std::memcpy(copy, source, bytes);
    return copy;
}

// Keeps copies of the parameter's gradient and data block. A negative count
// or size is taken as none, and so is a gradient count that comes without
// both arrays; a copy that cannot be made leaves the count or size 0, so
// that counts always describe what the model holds.
void KeepParameterArrays(FlareParameter *p, const float *colours, const float *offsets,
                         const char *block)
{
    if (p->gradientCount > 0 && colours && offsets) {
        size_t n = size_t(p->gradientCount);
        p->gradientColors = CopyHostBlock<float>(colours, n * 3 * sizeof(float));
        p->gradientOffsets = CopyHostBlock<float>(offsets, n * sizeof(float));
        if (!p->gradientColors || !p->gradientOffsets) {
            Qi_Free_Memory(p->gradientColors);
            Qi_Free_Memory(p->gradientOffsets);
            p->gradientColors = p->gradientOffsets = nullptr;
            p->gradientCount = 0;
        }
    } else {
        p->gradientCount = 0;
    }
    if (p->arbitraryDataSize > 0 && block) {
        p->arbitraryData = CopyHostBlock<char>(block, size_t(p->arbitraryDataSize));
        if (!p->arbitraryData)
            p->arbitraryDataSize = 0;
    } else if (p->arbitraryDataSize < 0) {
        p->arbitraryDataSize = 0;
    }
}

void LoadParameter(FlareParameter *p, QiToken kind, const char *name, int32_t e, int32_t index)
{
    const FlareKeywords &k = Keywords();
    float *colours = nullptr;
    float *offsets = nullptr;
    char *block = nullptr;
    Qi_Inquire_LensFlare(kind, name,
        k.element, &e, QI_GROUP,
        k.parameter, &index,
        k.parameterid, &p->parameterid,
        k.definition, k.type, &p->type,
        k.definition, k.guid, &p->guid,
        k.definition, k.description, &p->description,
        k.definition, k.name, &p->name,
        k.definition, k.absminrange, p->absminrange,
        k.definition, k.absmaxrange, p->absmaxrange,
        k.definition, k.uiminrange, p->uiminrange,
        k.definition, k.uimaxrange, p->uimaxrange,
        k.definition, k.defaultvalue, p->defaultvalue,
        k.definition, k.delta, p->delta,
        k.definition, k.precision, &p->precision,
        k.definition, k.floatarg, k.enabled, &p->floatarg,
        k.definition, k.displayaspercentage, k.enabled, &p->displayaspercentage,
        k.value, p->Qv_Current_Value,
        k.gradientdata, &p->gradientCount, &colours, &offsets,
        k.arbitrarydata, &p->arbitraryDataSize, &block, QI_GROUP,
        QI_END);
    KeepParameterArrays(p, colours, offsets, block);
}

// Loads one element and its parameters; false when a record could not be
// allocated, which ends the load.
bool LoadElement(WorkingFlare *flare, QiToken kind, const char *name, int32_t e)
{
    const FlareKeywords &k = Keywords();
    FlareElement *element = AppendElement(flare);
    if (!element)
        return false;
    int32_t count = 0;
    Qi_Inquire_LensFlare(kind, name,
        k.element, &e,
        k.numparameterdefinitions, &count,
        k.enabled, &element->enabled,
        k.description, &element->description,
        k.name, &element->name,
        k.guid, &element->guid, QI_GROUP,
        QI_END);
    for (int32_t p = 0; p < count; ++p) {
        FlareParameter *parameter = AppendParameter(element);
        if (!parameter)
            return false;
        LoadParameter(parameter, kind, name, e, p);
    }
    return true;
}

}  // namespace

void LoadFlareGlobals(WorkingFlare *flare, QiToken kind, const char *name)
{
    int32_t count = 0;
    LoadGlobals(flare, kind, name, &count);
}

void LoadWorkingFlare(PluginInstance *instance, QiToken kind, const char *name)
{
    if (!instance->workingFlare) {
        instance->workingFlare =
            static_cast<WorkingFlare *>(Qi_Alloc_Memory(0, 1, sizeof(WorkingFlare)));
        if (!instance->workingFlare) {
            Qi_Report_Error(3, "ERR_OUT_OF_MEMORY", "LensFlare_Model()", "working flare");
            return;
        }
    }
    WorkingFlare *flare = instance->workingFlare;
    int32_t count = 0;
    LoadGlobals(flare, kind, name, &count);
    for (int32_t e = 0; e < count; ++e)
        if (!LoadElement(flare, kind, name, e))
            break;
}
