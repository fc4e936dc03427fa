#include "tests/editor/host_flare_digest.h"

#include <map>
#include <memory>
#include <sstream>

#include "host/core/qi_host.h"
#include "tests/formats/flare_digest.h"
#include "tests/support/token.h"

namespace {

// The digest names element types only; one record per name serves them.
const qi::ElementType *TypeNamed(const char *name)
{
    static std::map<std::string, std::unique_ptr<qi::ElementType>> types;
    std::unique_ptr<qi::ElementType> &type = types[name ? name : ""];
    if (!type) {
        type = std::make_unique<qi::ElementType>();
        type->name = types.find(name ? name : "")->first.c_str();
    }
    return type.get();
}

void ReadGlobals(const char *light, qi::FlareGlobals &g)
{
    for (const qi::GlobalField &field : qi::GlobalFields()) {
        const std::string keyword = field.keyword;
        if (field.toggle) {
            QiToken value = 0;
            if (keyword == "enabled")
                Qi_Inquire_LensFlare(T("light"), light, T("enabled"), &value, QI_END);
            else
                Qi_Inquire_LensFlare(T("light"), light, T(field.keyword), T("enabled"), &value,
                                     QI_END);
            g.*field.toggle = value == T("on");
        } else if (field.number) {
            Qi_Inquire_LensFlare(T("light"), light, T(field.keyword), &(g.*field.number), QI_END);
        } else if (field.integer) {
            Qi_Inquire_LensFlare(T("light"), light, T(field.keyword), &(g.*field.integer),
                                 QI_END);
        } else {
            Qi_Inquire_LensFlare(T("light"), light, T(field.keyword), g.*field.rgb, QI_END);
        }
    }
}

qi::ParamValue ReadParameter(const char *light, int32_t e, int32_t p)
{
    qi::ParamValue value;
    int32_t count = 0, size = 0;
    const float *colours = nullptr, *offsets = nullptr;
    const uint8_t *block = nullptr;
    Qi_Inquire_LensFlare(T("light"), light, T("element"), &e, QI_GROUP, T("parameter"), &p,
                         T("value"), value.value, T("gradientdata"), &count, &colours, &offsets,
                         T("arbitrarydata"), &size, &block, QI_GROUP, QI_END);
    for (int32_t i = 0; i < count; ++i)
        value.gradient.push_back(
            {offsets[i], {colours[3 * i], colours[3 * i + 1], colours[3 * i + 2]}});
    if (size > 0)
        value.data.assign(block, block + size);
    return value;
}

}  // namespace

std::string HostFlareDigest(const char *light, bool guids)
{
    qi::Flare flare;
    ReadGlobals(light, flare.globals);
    int32_t count = 0;
    Qi_Inquire_LensFlare(T("light"), light, T("numelements"), &count, QI_END);
    for (int32_t e = 0; e < count; ++e) {
        auto element = std::make_unique<qi::Element>();
        const char *name = nullptr, *guid = nullptr;
        QiToken enabled = 0;
        int32_t parameters = 0;
        Qi_Inquire_LensFlare(T("light"), light, T("element"), &e, T("name"), &name, T("guid"),
                             &guid, T("enabled"), &enabled, T("numparameterdefinitions"),
                             &parameters, QI_GROUP, QI_END);
        element->type = TypeNamed(name);
        element->guid = guid ? guid : "";
        element->enabled = enabled == T("on");
        for (int32_t p = 0; p < parameters; ++p)
            element->values.push_back(ReadParameter(light, e, p));
        flare.elements.push_back(std::move(element));
    }
    return FlareDigest(flare, guids);
}

std::vector<std::string> HostElementDigests(const char *light)
{
    std::istringstream lines(HostFlareDigest(light, false));
    std::vector<std::string> elements;
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line))
        elements.push_back(line);
    return elements;
}

namespace {

// A digest's values by name: its first line holds "keyword=..." words, each
// further line an element's switch and then its parameters between '|'.
std::map<std::string, std::string> Values(const std::string &digest)
{
    std::map<std::string, std::string> values;
    std::istringstream lines(digest);
    std::string line, word, current;
    std::getline(lines, line);
    std::istringstream words(line);
    while (words >> word) {
        size_t equals = word.find('=');
        if (equals != std::string::npos)
            current = word.substr(0, equals);
        values[current] += word + " ";
    }
    for (int e = 0; std::getline(lines, line); ++e) {
        std::istringstream parts(line);
        std::string part, name = "element " + std::to_string(e);
        for (int p = -1; std::getline(parts, part, '|'); ++p)
            values[p < 0 ? name : name + " parameter " + std::to_string(p)] = part;
    }
    return values;
}

}  // namespace

std::vector<std::string> ChangedValues(const std::string &before, const std::string &after)
{
    std::map<std::string, std::string> a = Values(before), b = Values(after);
    std::vector<std::string> changed;
    for (const auto &value : a)
        if (!b.count(value.first) || b[value.first] != value.second)
            changed.push_back(value.first);
    for (const auto &value : b)
        if (!a.count(value.first))
            changed.push_back(value.first);
    return changed;
}
