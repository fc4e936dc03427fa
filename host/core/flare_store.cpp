// Flares, their elements and the scene objects that own them.
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <utility>

#include "host/core/flare_model.h"

namespace qi {

namespace {

const char *const kTypeKeywords[] = {"floatslider", "intslider", "angle",
                                     "checkbox",    "color",     "list",
                                     "gradient",    "point",     "arbitrarydata"};

std::atomic<uint32_t> nextGuid{1};
std::atomic<int64_t> nextParameterIds{0x100000};

using ObjectKey = std::pair<QiToken, std::string>;

std::map<ObjectKey, std::unique_ptr<HostObject>> &Objects()
{
    static auto *objects = new std::map<ObjectKey, std::unique_ptr<HostObject>>;
    return *objects;
}

}  // namespace

const char *ParamTypeKeyword(ParamType type)
{
    return kTypeKeywords[static_cast<int>(type)];
}

bool ParamTypeFromKeyword(const std::string &keyword, ParamType &type)
{
    for (size_t i = 0; i < sizeof kTypeKeywords / sizeof *kTypeKeywords; ++i)
        if (keyword == kTypeKeywords[i]) {
            type = static_cast<ParamType>(i);
            return true;
        }
    return false;
}

const ParamValue *Element::Find(const char *paramName) const
{
    int i = type ? type->ParamIndex(paramName) : -1;
    return i < 0 ? nullptr : &values[size_t(i)];
}

float Element::Scalar(const char *paramName, float fallback) const
{
    const ParamValue *value = Find(paramName);
    return value ? value->value[0] : fallback;
}

std::unique_ptr<Element> NewElement(const ElementType &type)
{
    auto element = std::make_unique<Element>();
    element->type = &type;
    char guid[32];
    std::snprintf(guid, sizeof guid, "{LF-%08X}", unsigned(nextGuid++));
    element->guid = guid;
    element->parameterIdBase = nextParameterIds.fetch_add(0x100);
    element->values.resize(type.params.size());
    for (size_t i = 0; i < type.params.size(); ++i) {
        const ParamDef &def = type.params[i];
        ParamValue &value = element->values[i];
        std::memcpy(value.value, def.defaultValue, sizeof value.value);
        value.gradient = def.defaultGradient;
        if (def.type == ParamType::List && def.listEntries)
            value.data.assign(def.listEntries, def.listEntries + std::strlen(def.listEntries) + 1);
        else
            value.data = def.defaultData;
    }
    return element;
}

void SetParamValue(const ParamDef &def, ParamValue &value, const float *components)
{
    for (int i = 0; i < 3; ++i) {
        float v = components[i];
        if (std::isnan(v) || v < def.absMin[i])
            v = def.absMin[i];
        if (v > def.absMax[i])
            v = def.absMax[i];
        value.value[i] = v;
    }
}

Element *InsertElement(Flare &flare, size_t index, std::unique_ptr<Element> element)
{
    if (index > flare.elements.size() || !element)
        return nullptr;
    Element *raw = element.get();
    flare.elements.insert(flare.elements.begin() + long(index), std::move(element));
    return raw;
}

bool DeleteElement(Flare &flare, size_t index)
{
    if (index >= flare.elements.size())
        return false;
    flare.elements.erase(flare.elements.begin() + long(index));
    return true;
}

bool MoveElement(Flare &flare, size_t index, bool down)
{
    if (index >= flare.elements.size())
        return false;
    size_t other = down ? index + 1 : index - 1;
    if ((down && other < flare.elements.size()) || (!down && index > 0))
        std::swap(flare.elements[index], flare.elements[other]);
    return true;
}

long FindElement(const Flare &flare, const char *guid)
{
    if (!guid)
        return -1;
    for (size_t i = 0; i < flare.elements.size(); ++i)
        if (flare.elements[i]->guid == guid)
            return long(i);
    return -1;
}

HostObject *FindObject(QiToken kind, const std::string &name)
{
    auto it = Objects().find({kind, name});
    return it == Objects().end() ? nullptr : it->second.get();
}

HostObject *CreateObject(QiToken kind, const std::string &name)
{
    if (kind != Qi_Inquire_Token("light") && kind != Qi_Inquire_Token("camera"))
        return nullptr;
    auto &slot = Objects()[{kind, name}];
    if (slot)
        return nullptr;
    slot = std::make_unique<HostObject>();
    slot->kind = kind;
    slot->name = name;
    MakeDefaultFlare(slot->flare);
    return slot.get();
}

bool RemoveObject(QiToken kind, const std::string &name)
{
    return Objects().erase({kind, name}) > 0;
}

void ClearObjects()
{
    Objects().clear();
}

}  // namespace qi
