#include "model/flare_state.h"

#include <cstring>

namespace {

GlobalState CaptureGlobals(const WorkingFlare *f)
{
    GlobalState g = {};
    g.enabled = f->enabled;
    g.intensity = f->intensity;
    g.scale = f->scale;
    g.occlusionradius = f->occlusionradius;
    g.anamorphicstretch = f->anamorphicstretch;
    g.fastdrag = f->fastdrag;
    g.randomseed = f->randomseed;
    std::memcpy(g.color, f->color, sizeof g.color);
    g.uselightparams = f->uselightparams;
    g.angle = f->angle;
    g.glowbehindobjects = f->glowbehindobjects;
    g.fadeifnearborder = f->fadeifnearborder;
    g.fadeifbehindobjects = f->fadeifbehindobjects;
    g.fadeifapproachingobjects = f->fadeifapproachingobjects;
    g.fadewithdistance = f->fadewithdistance;
    g.refdistance = f->refdistance;
    g.scaleglowwithdistance = f->scaleglowwithdistance;
    g.scalereflexeswithdistance = f->scalereflexeswithdistance;
    return g;
}

void RestoreGlobals(WorkingFlare *f, const GlobalState &g)
{
    f->enabled = g.enabled;
    f->intensity = g.intensity;
    f->scale = g.scale;
    f->occlusionradius = g.occlusionradius;
    f->anamorphicstretch = g.anamorphicstretch;
    f->fastdrag = g.fastdrag;
    f->randomseed = g.randomseed;
    std::memcpy(f->color, g.color, sizeof f->color);
    f->uselightparams = g.uselightparams;
    f->angle = g.angle;
    f->glowbehindobjects = g.glowbehindobjects;
    f->fadeifnearborder = g.fadeifnearborder;
    f->fadeifbehindobjects = g.fadeifbehindobjects;
    f->fadeifapproachingobjects = g.fadeifapproachingobjects;
    f->fadewithdistance = g.fadewithdistance;
    f->refdistance = g.refdistance;
    f->scaleglowwithdistance = g.scaleglowwithdistance;
    f->scalereflexeswithdistance = g.scalereflexeswithdistance;
}

ParameterState CaptureParameter(const FlareParameter *p)
{
    ParameterState state = {};
    std::memcpy(state.value, p->Qv_Current_Value, sizeof state.value);
    if (p->gradientCount > 0 && p->gradientColors && p->gradientOffsets) {
        size_t n = size_t(p->gradientCount);
        state.colours.assign(p->gradientColors, p->gradientColors + 3 * n);
        state.offsets.assign(p->gradientOffsets, p->gradientOffsets + n);
    }
    if (p->arbitraryDataSize > 0 && p->arbitraryData)
        state.data.assign(p->arbitraryData, p->arbitraryData + p->arbitraryDataSize);
    return state;
}

// A host block holding the vector's bytes, or null when it is empty or the
// block cannot be had (reported).
template <typename T>
T *HostCopy(const std::vector<T> &values)
{
    if (values.empty())
        return nullptr;
    auto *copy = static_cast<T *>(Qi_Alloc_Memory(0, 1, values.size() * sizeof(T)));
    if (!copy) {
        Qi_Report_Error(3, "ERR_OUT_OF_MEMORY", "LensFlare_Undo()", "parameter data");
        return nullptr;
    }
    std::memcpy(copy, values.data(), values.size() * sizeof(T));
    return copy;
}

void RestoreParameter(FlareParameter *p, const ParameterState &state)
{
    std::memcpy(p->Qv_Current_Value, state.value, sizeof state.value);
    Qi_Free_Memory(p->gradientColors);
    Qi_Free_Memory(p->gradientOffsets);
    Qi_Free_Memory(p->arbitraryData);
    p->gradientColors = HostCopy(state.colours);
    p->gradientOffsets = HostCopy(state.offsets);
    p->gradientCount = p->gradientColors && p->gradientOffsets ? int32_t(state.offsets.size()) : 0;
    if (!p->gradientCount) {
        Qi_Free_Memory(p->gradientColors);
        Qi_Free_Memory(p->gradientOffsets);
        p->gradientColors = p->gradientOffsets = nullptr;
    }
    p->arbitraryData = HostCopy(state.data);
    p->arbitraryDataSize = p->arbitraryData ? int32_t(state.data.size()) : 0;
}

}  // namespace

FlareState CaptureFlareState(const WorkingFlare *flare)
{
    FlareState state = {};
    if (!flare)
        return state;
    state.globals = CaptureGlobals(flare);
    for (const FlareElement *e = flare->firstElement; e; e = e->next) {
        auto element = std::make_shared<ElementState>();
        element->type = e->name ? e->name : "";
        element->guid = e->guid ? e->guid : "";
        element->enabled = e->enabled;
        for (const FlareParameter *p = e->firstParameter; p; p = p->next)
            element->parameters.push_back(CaptureParameter(p));
        state.elements.push_back(element);
    }
    return state;
}

void RestoreFlareValues(WorkingFlare *flare, const FlareState &state)
{
    if (!flare)
        return;
    RestoreGlobals(flare, state.globals);
    for (FlareElement *e = flare->firstElement; e; e = e->next) {
        const ElementState *element = nullptr;
        for (const ElementStatePtr &candidate : state.elements)
            if (e->guid && candidate->guid == e->guid)
                element = candidate.get();
        if (!element)
            continue;
        e->enabled = element->enabled;
        FlareParameter *p = e->firstParameter;
        for (const ParameterState &parameter : element->parameters) {
            if (!p)
                break;
            RestoreParameter(p, parameter);
            p = p->next;
        }
    }
}
