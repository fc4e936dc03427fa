#include "editor/element_copy.h"

#include <cstring>

#include "model/flare_keywords.h"

namespace {

struct TypeTokens {
    QiToken color, point, gradient, arbitrarydata, on, off;
};

const TypeTokens &Types()
{
    static const TypeTokens types = {Qi_Inquire_Token("color"), Qi_Inquire_Token("point"),
                                     Qi_Inquire_Token("gradient"),
                                     Qi_Inquire_Token("arbitrarydata"), Qi_Inquire_Token("on"),
                                     Qi_Inquire_Token("off")};
    return types;
}

// Numbers a value of the type takes: three for colours and points.
int ValueCount(QiToken type)
{
    return type == Types().color || type == Types().point ? 3 : 1;
}

// One parameter's values as text; the arrays are copied.
TextParameter ParameterText(QiToken type, const char *name, const float value[3],
                            int32_t gradientCount, const float *colours, const float *offsets,
                            int32_t dataSize, const void *data)
{
    const TypeTokens &t = Types();
    TextParameter p;
    p.name = name ? name : "";
    std::memcpy(p.value, value, sizeof p.value);
    p.valueCount = ValueCount(type);
    if (type == t.gradient || type == t.arbitrarydata) {
        uint32_t bits = 0;
        std::memcpy(&bits, &value[0], sizeof bits);
        p.valueCount = bits ? 1 : 0;
        p.value[1] = p.value[2] = 0.0f;
    }
    p.hasGradient = type == t.gradient;
    if (p.hasGradient && gradientCount > 0 && colours && offsets) {
        p.offsets.assign(offsets, offsets + gradientCount);
        p.colours.assign(colours, colours + 3 * size_t(gradientCount));
    }
    p.hasData = type == t.arbitrarydata;
    if (p.hasData && dataSize > 0 && data) {
        const uint8_t *bytes = static_cast<const uint8_t *>(data);
        p.data.assign(bytes, bytes + dataSize);
    }
    return p;
}

// Index of the element with that guid in the host's flare, or -1.
int32_t HostIndexOf(QiToken kind, const char *name, const char *guid)
{
    const FlareKeywords &k = Keywords();
    int32_t count = 0;
    Qi_Inquire_LensFlare(kind, name, k.numelements, &count, QI_END);
    for (int32_t e = 0; e < count; ++e) {
        const char *g = nullptr;
        Qi_Inquire_LensFlare(kind, name, k.element, &e, k.guid, &g, QI_GROUP, QI_END);
        if (g && std::strcmp(g, guid) == 0)
            return e;
    }
    return -1;
}

struct HostParameter {
    std::string name;
    QiToken type;
};

std::vector<HostParameter> HostParameters(QiToken kind, const char *name, int32_t e)
{
    const FlareKeywords &k = Keywords();
    int32_t count = 0;
    Qi_Inquire_LensFlare(kind, name, k.element, &e, k.numparameterdefinitions, &count, QI_GROUP,
                         QI_END);
    std::vector<HostParameter> parameters;
    for (int32_t p = 0; p < count; ++p) {
        const char *parameterName = nullptr;
        QiToken type = 0;
        Qi_Inquire_LensFlare(kind, name, k.element, &e, QI_GROUP, k.parameter, &p, k.definition,
                             k.name, &parameterName, k.definition, k.type, &type, QI_GROUP,
                             QI_END);
        parameters.push_back({parameterName ? parameterName : "", type});
    }
    return parameters;
}

// Why a parameter of the text does not fit the host's parameter, or "".
std::string Misfit(const TextParameter &p, QiToken type)
{
    const TypeTokens &t = Types();
    const bool block = type == t.gradient || type == t.arbitrarydata;
    if (p.valueCount && p.valueCount != ValueCount(type) && !(block && p.valueCount == 1))
        return "the parameter " + p.name + " takes " +
               (ValueCount(type) == 3 ? "three numbers" : "one number");
    if (p.hasGradient && type != t.gradient)
        return "the parameter " + p.name + " takes no gradient";
    if (p.hasData && type != t.arbitrarydata)
        return "the parameter " + p.name + " takes no data";
    return "";
}

// Sends one parameter's values: each part the text gives, in a call of its own.
void SendParameter(QiToken kind, const char *name, const char *guid, int32_t index,
                   const TextParameter &p)
{
    const FlareKeywords &k = Keywords();
    if (p.valueCount)
        Qi_LensFlare(kind, name, k.element, guid, QI_GROUP, k.parameter, &index, k.value,
                     p.value, QI_GROUP, QI_END);
    if (p.hasGradient) {
        int32_t count = int32_t(p.offsets.size());
        Qi_LensFlare(kind, name, k.element, guid, QI_GROUP, k.parameter, &index, k.gradientdata,
                     &count, count ? p.colours.data() : nullptr,
                     count ? p.offsets.data() : nullptr, QI_GROUP, QI_END);
    }
    if (p.hasData) {
        int32_t size = int32_t(p.data.size());
        Qi_LensFlare(kind, name, k.element, guid, QI_GROUP, k.parameter, &index, k.arbitrarydata,
                     &size, size ? p.data.data() : nullptr, QI_GROUP, QI_END);
    }
}

// The host's reason for the latest failed call, or "" when none failed.
std::string HostRefusal()
{
    char detail[512] = "";
    return Qi_Take_Last_Error(detail, int32_t(sizeof detail)) >= 3 ? detail : "";
}

// Sets the new element's switch and values; "" or why it cannot be made.
std::string SendValues(QiToken kind, const char *name, const char *guid,
                       const TextElement &element, std::vector<std::string> *skipped)
{
    const FlareKeywords &k = Keywords();
    const int32_t e = HostIndexOf(kind, name, guid);
    const std::vector<HostParameter> parameters = HostParameters(kind, name, e);
    Qi_LensFlare(kind, name, k.element, guid, k.enabled,
                 element.enabled ? Types().on : Types().off, QI_GROUP, QI_END);
    for (const TextParameter &p : element.parameters) {
        int32_t index = 0;
        while (size_t(index) < parameters.size() && parameters[size_t(index)].name != p.name)
            ++index;
        if (size_t(index) == parameters.size()) {
            skipped->push_back(p.name);
            continue;
        }
        std::string misfit = Misfit(p, parameters[size_t(index)].type);
        if (!misfit.empty())
            return misfit;
        SendParameter(kind, name, guid, index, p);
    }
    return HostRefusal();
}

}  // namespace

TextElement ElementToText(const FlareElement *element)
{
    TextElement text;
    text.type = element->name ? element->name : "";
    text.enabled = element->enabled != Types().off;
    for (const FlareParameter *p = element->firstParameter; p; p = p->next)
        text.parameters.push_back(ParameterText(p->type, p->name, p->Qv_Current_Value,
                                                p->gradientCount, p->gradientColors,
                                                p->gradientOffsets, p->arbitraryDataSize,
                                                p->arbitraryData));
    return text;
}

bool ReadHostElement(QiToken kind, const char *name, int32_t index, TextElement *element)
{
    const FlareKeywords &k = Keywords();
    int32_t count = 0;
    Qi_Inquire_LensFlare(kind, name, k.numelements, &count, QI_END);
    if (index < 0 || index >= count)
        return false;
    const char *type = nullptr;
    QiToken enabled = 0;
    Qi_Inquire_LensFlare(kind, name, k.element, &index, k.name, &type, k.enabled, &enabled,
                         QI_GROUP, QI_END);
    element->type = type ? type : "";
    element->enabled = enabled != Types().off;
    element->parameters.clear();
    for (const HostParameter &hp : HostParameters(kind, name, index)) {
        int32_t p = int32_t(element->parameters.size()), gradientCount = 0, dataSize = 0;
        float value[3] = {0, 0, 0};
        float *colours = nullptr, *offsets = nullptr;
        void *data = nullptr;
        Qi_Inquire_LensFlare(kind, name, k.element, &index, QI_GROUP, k.parameter, &p, k.value,
                             value, k.gradientdata, &gradientCount, &colours, &offsets,
                             k.arbitrarydata, &dataSize, &data, QI_GROUP, QI_END);
        element->parameters.push_back(ParameterText(hp.type, hp.name.c_str(), value,
                                                    gradientCount, colours, offsets, dataSize,
                                                    data));
    }
    return true;
}

InsertedElement InsertTextElement(QiToken kind, const char *name, const TextElement &element,
                                  const char *after)
{
    static const QiToken insert = Qi_Inquire_Token("insert"), afterToken = Qi_Inquire_Token("after"),
                         end = Qi_Inquire_Token("end"), remove = Qi_Inquire_Token("delete");
    InsertedElement result;
    HostRefusal();
    const char *guid = nullptr;
    if (after)
        Qi_LensFlare(kind, name, insert, afterToken, element.type.c_str(), after, &guid, QI_END);
    else
        Qi_LensFlare(kind, name, insert, end, element.type.c_str(), &guid, QI_END);
    if (!guid) {
        result.refusal = HostRefusal();
        if (result.refusal.empty())
            result.refusal = "the host made no element of the type " + element.type;
        return result;
    }
    result.refusal = SendValues(kind, name, guid, element, &result.skipped);
    if (!result.refusal.empty()) {
        Qi_LensFlare(kind, name, remove, guid, QI_END);
        HostRefusal();
        result.skipped.clear();
        return result;
    }
    result.guid = guid;
    return result;
}
