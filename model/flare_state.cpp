#include "model/flare_state.h"

#include <cstring>

namespace {

// The global values from one record into the other: the working flare and
// its snapshot name their fields alike.
template <typename To, typename From>
void CopyGlobals(To &to, const From &from)
{
    to.enabled = from.enabled;
    to.intensity = from.intensity;
    to.scale = from.scale;
    to.occlusionradius = from.occlusionradius;
    to.anamorphicstretch = from.anamorphicstretch;
    to.fastdrag = from.fastdrag;
    to.randomseed = from.randomseed;
    std::memcpy(to.color, from.color, sizeof to.color);
    to.uselightparams = from.uselightparams;
    to.angle = from.angle;
    to.glowbehindobjects = from.glowbehindobjects;
    to.fadeifnearborder = from.fadeifnearborder;
    to.fadeifbehindobjects = from.fadeifbehindobjects;
    to.fadeifapproachingobjects = from.fadeifapproachingobjects;
    to.fadewithdistance = from.fadewithdistance;
    to.refdistance = from.refdistance;
    to.scaleglowwithdistance = from.scaleglowwithdistance;
    to.scalereflexeswithdistance = from.scalereflexeswithdistance;
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
    CopyGlobals(state.globals, *flare);
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
    CopyGlobals(*flare, state.globals);
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
