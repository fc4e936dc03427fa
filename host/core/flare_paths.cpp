// Qi_Inquire_LensFlare and Qi_LensFlare: the value paths of a lens flare.
//
// A list is read in three scopes. At the top stand the flare's global values
// and "numelements". "element" selects an element and opens its group (its
// "enabled", texts and parameter count); QI_GROUP closes a group and keeps
// the element selected. "parameter" selects a parameter of that element and
// opens its group ("parameterid", "definition", "value", "gradientdata",
// "arbitrarydata"). Commands ("insert", ...) stand alone in their call.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "host/core/flare_calls.h"
#include "host/core/flare_commands.h"
#include "host/core/flare_model.h"
#include "host/core/keyword_list.h"
#include "host/core/tokens.h"

namespace qi {

namespace {

enum class Scope { Top, Element, Parameter };

// The state of one call while its list is read.
struct Cursor {
    CallMode mode;
    KeywordList &list;
    Plan &plan;
    Flare &flare;
    Scope scope = Scope::Top;
    Element *element = nullptr;     // selected by "element"
    size_t parameter = 0;           // selected by "parameter" (Scope::Parameter)

    bool inquire() const { return mode == CallMode::Inquire; }
    const ParamDef &def() const { return element->type->params[parameter]; }
    ParamValue &value() const { return element->values[parameter]; }
};

// Reads an int32 through an index address.
bool ReadIndex(Cursor &c, const char *what, int32_t &index)
{
    void *address;
    if (!c.list.Address(address, what))
        return false;
    std::memcpy(&index, address, sizeof index);
    return true;
}

// Global values ------------------------------------------------------------

// The second keyword of a global path: toggles other than "enabled" are
// "keyword" "enabled" in both calls; a colour is set as "color" "rgb".
const char *Qualifier(const GlobalField &field)
{
    return field.toggle && std::strcmp(field.keyword, "enabled") != 0 ? "enabled" : nullptr;
}

const char *SetQualifier(const GlobalField &field)
{
    return field.rgb ? "rgb" : nullptr;
}

bool RunGlobal(Cursor &c, const GlobalField &path)
{
    const char *qualifier = Qualifier(path), *setQualifier = SetQualifier(path);
    if (qualifier && !c.list.Expect(qualifier, path.keyword))
        return false;
    if (setQualifier && !c.inquire() && !c.list.Expect(setQualifier, path.keyword))
        return false;
    FlareGlobals &globals = c.flare.globals;
    void *address;
    if (path.toggle) {
        if (c.inquire()) {
            if (!c.list.Address(address, path.keyword))
                return false;
            c.plan.Write(address, SwitchToken(globals.*path.toggle));
            return true;
        }
        bool on;
        if (!SwitchValue(c.list, on, path.keyword))
            return false;
        c.plan.Add([&globals, &path, on] { globals.*path.toggle = on; });
        return true;
    }
    if (!c.list.Address(address, path.keyword))
        return false;
    if (path.integer) {
        if (c.inquire()) {
            c.plan.Write(address, globals.*path.integer);
        } else {
            int32_t v;
            std::memcpy(&v, address, sizeof v);
            c.plan.Add([&globals, &path, v] { globals.*path.integer = v; });
        }
        return true;
    }
    int count = path.rgb ? 3 : 1;
    float *field = path.rgb ? globals.*path.rgb : &(globals.*path.number);
    if (c.inquire()) {
        c.plan.WriteFloats(address, field, count);
        return true;
    }
    std::array<float, 3> v{};
    ReadFloats(address, v.data(), count);
    for (int i = 0; i < count; ++i)
        v[size_t(i)] = ClampNumber(v[size_t(i)], path.min, path.max);
    c.plan.Add([field, v, count] { std::copy(v.begin(), v.begin() + count, field); });
    return true;
}

// Paths of the element and parameter groups ----------------------------------

struct Path {
    const char *keyword;
    bool set;                      // also in set calls (every path can be inquired)
    bool (*run)(Cursor &c, const char *keyword);
};

template <size_t N>
const Path *FindPath(const Path (&paths)[N], const char *keyword)
{
    for (const Path &path : paths)
        if (std::strcmp(path.keyword, keyword) == 0)
            return &path;
    return nullptr;
}

bool NumElements(Cursor &c, const char *keyword)
{
    void *address;
    if (!c.list.Address(address, keyword))
        return false;
    c.plan.Write(address, int32_t(c.flare.elements.size()));
    return true;
}

bool NumParameterDefinitions(Cursor &c, const char *keyword)
{
    void *address;
    if (!c.list.Address(address, keyword))
        return false;
    c.plan.Write(address, int32_t(c.element->type->params.size()));
    return true;
}

bool ElementEnabled(Cursor &c, const char *keyword)
{
    Element *element = c.element;
    if (c.inquire()) {
        void *address;
        if (!c.list.Address(address, keyword))
            return false;
        c.plan.Write(address, SwitchToken(element->enabled));
        return true;
    }
    bool on;
    if (!SwitchValue(c.list, on, keyword))
        return false;
    c.plan.Add([element, on] { element->enabled = on; });
    return true;
}

bool WriteText(Cursor &c, const char *keyword, const char *text)
{
    void *address;
    if (!c.list.Address(address, keyword))
        return false;
    c.plan.Write(address, text);
    return true;
}

bool ElementDescription(Cursor &c, const char *keyword)
{
    return WriteText(c, keyword, c.element->type->description);
}

bool ElementName(Cursor &c, const char *keyword)
{
    return WriteText(c, keyword, c.element->type->name);
}

bool ElementGuid(Cursor &c, const char *keyword)
{
    return WriteText(c, keyword, c.element->guid.c_str());
}

bool ParameterId(Cursor &c, const char *keyword)
{
    void *address;
    if (!c.list.Address(address, keyword))
        return false;
    c.plan.Write(address, int64_t(c.element->parameterIdBase + int64_t(c.parameter)));
    return true;
}

// "definition" and its second keyword.
bool Definition(Cursor &c, const char *keyword)
{
    struct Field {
        const char *keyword;
        float (ParamDef::*range)[3];  // the three-float fields
    };
    static const Field kRanges[] = {
        {"absminrange", &ParamDef::absMin}, {"absmaxrange", &ParamDef::absMax},
        {"uiminrange", &ParamDef::uiMin},   {"uimaxrange", &ParamDef::uiMax},
        {"defaultvalue", &ParamDef::defaultValue}, {"delta", &ParamDef::delta},
    };
    QiToken token;
    if (!c.list.Keyword(token))
        return false;
    const char *field = KeywordOf(token);
    const ParamDef &def = c.def();
    if (!field)
        return c.list.BadKeyword(token, "after \"definition\"");
    for (const Field &f : kRanges)
        if (std::strcmp(field, f.keyword) == 0) {
            void *address;
            if (!c.list.Address(address, field))
                return false;
            c.plan.WriteFloats(address, def.*f.range, 3);
            return true;
        }
    bool floatArg = std::strcmp(field, "floatarg") == 0;
    if (floatArg || std::strcmp(field, "displayaspercentage") == 0) {
        void *address;
        if (!c.list.Expect("enabled", field) || !c.list.Address(address, field))
            return false;
        c.plan.Write(address, SwitchToken(floatArg ? def.floatArg : def.percentage));
        return true;
    }
    if (std::strcmp(field, "description") == 0)
        return WriteText(c, field, def.description);
    if (std::strcmp(field, "name") == 0)
        return WriteText(c, field, def.name);
    void *address;
    if (std::strcmp(field, "type") == 0) {
        if (!c.list.Address(address, field))
            return false;
        c.plan.Write(address, Qi_Inquire_Token(ParamTypeKeyword(def.type)));
        return true;
    }
    if (std::strcmp(field, "guid") == 0) {
        if (!c.list.Address(address, field))
            return false;
        c.plan.Write(address, int64_t(def.guid));
        return true;
    }
    if (std::strcmp(field, "precision") == 0) {
        if (!c.list.Address(address, field))
            return false;
        c.plan.Write(address, int16_t(def.precision));
        return true;
    }
    return c.list.BadKeyword(token, "after \"definition\"");
}

bool Value(Cursor &c, const char *keyword)
{
    // Colours and points are three floats; every other value is one.
    const ParamType type = c.def().type;
    const int count = type == ParamType::Color || type == ParamType::Point ? 3 : 1;
    void *address;
    if (!c.list.Address(address, keyword))
        return false;
    ParamValue &value = c.value();
    if (c.inquire()) {
        c.plan.WriteFloats(address, value.value, count);
        return true;
    }
    std::array<float, 3> v;
    std::copy(value.value, value.value + 3, v.begin());
    ReadFloats(address, v.data(), count);
    const ParamDef &def = c.def();
    c.plan.Add([&def, &value, v] { SetParamValue(def, value, v.data()); });
    return true;
}

// Validates and copies a caller's gradient: offsets finite and never
// decreasing, offsets and colours clamped to 0..1.
bool ReadGradient(Cursor &c, const void *countAddress, const void *colours, const void *offsets,
                  std::vector<GradientStop> &stops)
{
    if (!countAddress)
        return c.list.Fail(kErrBadValue, "null gradient count address");
    int32_t count;
    std::memcpy(&count, countAddress, sizeof count);
    if (count < 0 || count > kMaxGradientEntries)
        return c.list.Fail(kErrBadValue, "gradient count " + std::to_string(count) +
                                             " outside 0.." +
                                             std::to_string(kMaxGradientEntries));
    if (count > 0 && (!colours || !offsets))
        return c.list.Fail(kErrBadValue, "gradient of " + std::to_string(count) +
                                             " entries without its arrays");
    stops.resize(size_t(count));
    for (int32_t i = 0; i < count; ++i) {
        GradientStop &stop = stops[size_t(i)];
        ReadFloats(static_cast<const float *>(offsets) + i, &stop.offset, 1);
        ReadFloats(static_cast<const float *>(colours) + 3 * i, stop.rgb, 3);
        if (!std::isfinite(stop.offset))
            return c.list.Fail(kErrBadValue, "gradient offset " + std::to_string(i) +
                                                 " is not a finite number");
        stop.offset = ClampNumber(stop.offset, 0.0f, 1.0f);
        if (i > 0 && stop.offset < stops[size_t(i) - 1].offset)
            return c.list.Fail(kErrBadValue, "gradient offset " + std::to_string(i) +
                                                 " lies before the one ahead of it");
        for (float &component : stop.rgb)
            component = ClampNumber(component, 0.0f, 1.0f);
    }
    return true;
}

bool GradientData(Cursor &c, const char *keyword)
{
    const bool gradient = c.def().type == ParamType::Gradient;
    ParamValue &value = c.value();
    void *count, *colours, *offsets;
    if (c.inquire()) {
        if (!c.list.Address(count, keyword) || !c.list.Address(colours, keyword) ||
            !c.list.Address(offsets, keyword))
            return false;
        c.plan.Add([&value, gradient, count, colours, offsets] {
            value.exportedColors.clear();
            value.exportedOffsets.clear();
            if (gradient)
                for (const GradientStop &stop : value.gradient) {
                    value.exportedOffsets.push_back(stop.offset);
                    value.exportedColors.insert(value.exportedColors.end(), stop.rgb,
                                                stop.rgb + 3);
                }
            const int32_t n = int32_t(value.exportedOffsets.size());
            const float *colourArray = n ? value.exportedColors.data() : nullptr;
            const float *offsetArray = n ? value.exportedOffsets.data() : nullptr;
            std::memcpy(count, &n, sizeof n);
            std::memcpy(colours, &colourArray, sizeof colourArray);
            std::memcpy(offsets, &offsetArray, sizeof offsetArray);
        });
        return true;
    }
    if (!c.list.OptionalAddress(count) || !c.list.OptionalAddress(colours) ||
        !c.list.OptionalAddress(offsets))
        return false;
    if (!gradient)
        return true;
    std::vector<GradientStop> stops;
    if (!ReadGradient(c, count, colours, offsets, stops))
        return false;
    c.plan.Add([&value, stops = std::move(stops)] { value.gradient = stops; });
    return true;
}

bool ArbitraryData(Cursor &c, const char *keyword)
{
    ParamValue &value = c.value();
    void *size, *block;
    if (c.inquire()) {
        if (!c.list.Address(size, keyword) || !c.list.Address(block, keyword))
            return false;
        c.plan.Write(size, int32_t(value.data.size()));
        c.plan.Write(block, static_cast<const void *>(value.data.empty() ? nullptr
                                                                         : value.data.data()));
        return true;
    }
    if (!c.list.OptionalAddress(size) || !c.list.OptionalAddress(block))
        return false;
    // A list's entries belong to its definition; other types carry no data.
    if (c.def().type != ParamType::ArbitraryData)
        return true;
    if (!size)
        return c.list.Fail(kErrBadValue, "null data size address");
    int32_t n;
    std::memcpy(&n, size, sizeof n);
    if (n < 0 || n > kMaxDataBytes)
        return c.list.Fail(kErrBadValue, "data size " + std::to_string(n) + " outside 0.." +
                                             std::to_string(kMaxDataBytes));
    if (n > 0 && !block)
        return c.list.Fail(kErrBadValue, "data block of " + std::to_string(n) +
                                             " bytes at a null address");
    const uint8_t *bytes = static_cast<const uint8_t *>(block);
    std::vector<uint8_t> data(bytes, bytes + n);
    c.plan.Add([&value, data = std::move(data)] { value.data = data; });
    return true;
}

const Path kTopPaths[] = {
    {"numelements", false, NumElements},
};

const Path kElementPaths[] = {
    {"numparameterdefinitions", false, NumParameterDefinitions},
    {"enabled", true, ElementEnabled},
    {"description", false, ElementDescription},
    {"name", false, ElementName},
    {"guid", false, ElementGuid},
};

const Path kParameterPaths[] = {
    {"parameterid", false, ParameterId},
    {"definition", false, Definition},
    {"value", true, Value},
    {"gradientdata", true, GradientData},
    {"arbitrarydata", true, ArbitraryData},
};

// Selecting elements and parameters ------------------------------------------

bool SelectElement(Cursor &c)
{
    if (c.inquire()) {
        int32_t index;
        if (!ReadIndex(c, "element", index))
            return false;
        if (index < 0 || size_t(index) >= c.flare.elements.size())
            return c.list.Fail(kErrNoElement, "element index " + std::to_string(index) +
                                                  " (the flare has " +
                                                  std::to_string(c.flare.elements.size()) + ")");
        c.element = c.flare.elements[size_t(index)].get();
    } else {
        const char *guid;
        if (!c.list.Text(guid))
            return false;
        long index = FindElement(c.flare, guid);
        if (index < 0)
            return c.list.Fail(kErrNoElement, "no element with guid " + QuoteText(guid));
        c.element = c.flare.elements[size_t(index)].get();
    }
    c.scope = Scope::Element;
    return true;
}

bool SelectParameter(Cursor &c)
{
    if (!c.element)
        return c.list.Fail(kErrBadList, "\"parameter\" before any \"element\"");
    int32_t index;
    if (!ReadIndex(c, "parameter", index))
        return false;
    size_t count = c.element->type->params.size();
    if (index < 0 || size_t(index) >= count)
        return c.list.Fail(kErrNoParameter, "parameter index " + std::to_string(index) + " of a \"" +
                                                c.element->type->name + "\" element (it has " +
                                                std::to_string(count) + ")");
    c.parameter = size_t(index);
    c.scope = Scope::Parameter;
    return true;
}

bool RunPath(Cursor &c, const Path &path, const char *keyword)
{
    if (!c.inquire() && !path.set)
        return c.list.Fail(kErrBadKeyword, std::string("\"") + keyword + "\" can only be inquired");
    return path.run(c, keyword);
}

bool Step(Cursor &c, QiToken token)
{
    if (token == QI_GROUP) {
        c.scope = Scope::Top;
        return true;
    }
    if (token == QI_TOKEN("element"))
        return SelectElement(c);
    if (token == QI_TOKEN("parameter"))
        return SelectParameter(c);
    const char *keyword = KeywordOf(token);
    switch (c.scope) {
    case Scope::Parameter:
        if (const Path *path = keyword ? FindPath(kParameterPaths, keyword) : nullptr)
            return RunPath(c, *path, keyword);
        return c.list.BadKeyword(token, "in a parameter group");
    case Scope::Element:
        if (const Path *path = keyword ? FindPath(kElementPaths, keyword) : nullptr)
            return RunPath(c, *path, keyword);
        return c.list.BadKeyword(token, "in an element group");
    case Scope::Top:
        break;
    }
    if (!keyword)
        return c.list.BadKeyword(token, "where a keyword belongs");
    for (const GlobalField &path : GlobalFields())
        if (std::strcmp(path.keyword, keyword) == 0)
            return RunGlobal(c, path);
    if (const Path *path = FindPath(kTopPaths, keyword))
        return RunPath(c, *path, keyword);
    if (!c.inquire() && IsFlareCommand(token))
        return c.list.Fail(kErrBadList, std::string("\"") + keyword +
                                            "\" must be the only entry of its call");
    return c.list.BadKeyword(token, "is not a keyword of a lens flare");
}

}  // namespace

void RunLensFlare(CallMode mode, QiToken kind, const char *name, SlotSource &slots)
{
    KeywordList list(slots, mode == CallMode::Inquire ? "Qi_Inquire_LensFlare()"
                                                      : "Qi_LensFlare()");
    QiToken token;
    if (!list.Keyword(token))
        return;
    if (mode == CallMode::Set && IsFlareCommand(token)) {
        RunFlareCommand(token, kind, name, list);
        return;
    }
    HostObject *object = FindTarget(list, kind, name);
    if (!object)
        return;
    Plan plan;
    Cursor cursor{mode, list, plan, object->flare};
    while (token != QI_END)
        if (!Step(cursor, token) || !list.Keyword(token))
            return;
    plan.Run();
}

}  // namespace qi
