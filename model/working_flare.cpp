// Records of the working flare: appending, removing and releasing.
#include "model/working_flare.h"

namespace {

template <typename Record>
Record *AllocateRecord(const char *what)
{
    auto *record = static_cast<Record *>(Qi_Alloc_Memory(0, 1, sizeof(Record)));
    if (!record)
        Qi_Report_Error(3, "ERR_OUT_OF_MEMORY", "LensFlare_Model()", what);
    return record;
}

void ReleaseParameters(FlareElement *element)
{
    FlareParameter *parameter = element->firstParameter;
    while (parameter) {
        FlareParameter *next = parameter->next;
        Qi_Free_Memory(parameter->gradientColors);
        Qi_Free_Memory(parameter->gradientOffsets);
        Qi_Free_Memory(parameter->arbitraryData);
        Qi_Free_Memory(parameter);
        parameter = next;
    }
    element->firstParameter = nullptr;
    element->numparameters = 0;
}

}  // namespace

FlareElement *AppendElement(WorkingFlare *flare)
{
    auto *element = AllocateRecord<FlareElement>("flare element");
    if (!element)
        return nullptr;
    FlareElement *last = flare->firstElement;
    while (last && last->next)
        last = last->next;
    if (last) {
        element->prev = last;
        last->next = element;
    } else {
        flare->firstElement = element;
    }
    flare->numelements++;
    return element;
}

FlareParameter *AppendParameter(FlareElement *element)
{
    auto *parameter = AllocateRecord<FlareParameter>("flare parameter");
    if (!parameter)
        return nullptr;
    FlareParameter *last = element->firstParameter;
    while (last && last->next)
        last = last->next;
    if (last) {
        parameter->prev = last;
        last->next = parameter;
    } else {
        element->firstParameter = parameter;
    }
    element->numparameters++;
    return parameter;
}

void RemoveElement(WorkingFlare *flare, FlareElement *element)
{
    if (element->prev)
        element->prev->next = element->next;
    if (element->next)
        element->next->prev = element->prev;
    if (flare->firstElement == element)
        flare->firstElement = element->next;
    ReleaseParameters(element);
    Qi_Free_Memory(element);
    flare->numelements--;
}

void ReleaseWorkingFlare(PluginInstance *instance)
{
    WorkingFlare *flare = instance->workingFlare;
    if (!flare)
        return;
    while (flare->firstElement)
        RemoveElement(flare, flare->firstElement);
    Qi_Free_Memory(flare);
    instance->workingFlare = nullptr;
}
