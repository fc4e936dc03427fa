#include "tests/model/recording_host.h"

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <map>

namespace {

struct HostState {
    std::map<std::string, QiToken> tokens;
    std::map<QiToken, std::string> keywords;
    ScriptedFlare script;
    std::vector<RecordedCall> calls;
    std::vector<std::string> reports;
    int64_t liveBlocks = 0;
    int allocationsUntilFailure = -1;
    int element = -1, parameter = -1;  // selected by "element" and "parameter"
};

HostState &State()
{
    static HostState state;
    return state;
}

std::string KeywordOf(int64_t slot)
{
    auto it = State().keywords.find(slot);
    return it == State().keywords.end() ? std::string() : it->second;
}

// Keywords that are followed by another keyword rather than a value.
bool IsPrefix(const std::string &keyword)
{
    static const char *const prefixes[] = {
        "definition",          "fastdrag",         "uselightparams",
        "glowbehindobjects",   "fadeifnearborder", "fadeifbehindobjects",
        "fadeifapproachingobjects", "fadewithdistance", "scaleglowwithdistance",
        "scalereflexeswithdistance", "floatarg",   "displayaspercentage"};
    for (const char *prefix : prefixes)
        if (keyword == prefix)
            return true;
    return false;
}

template <typename T>
void Put(int64_t address, T value)
{
    *reinterpret_cast<T *>(address) = value;
}

void PutTriple(int64_t address, const float *source)
{
    std::memcpy(reinterpret_cast<float *>(address), source, 3 * sizeof(float));
}

const ScriptedParameter *SelectedParameter()
{
    HostState &s = State();
    if (s.element < 0 || size_t(s.element) >= s.script.elements.size())
        return nullptr;
    const ScriptedElement &e = s.script.elements[size_t(s.element)];
    if (s.parameter < 0 || size_t(s.parameter) >= e.parameters.size())
        return nullptr;
    return &e.parameters[size_t(s.parameter)];
}

void AnswerDefinition(const std::string &path, const int64_t *v)
{
    const ScriptedParameter *p = SelectedParameter();
    if (!p)
        return;
    if (path == "definition type") Put<int64_t>(v[0], p->type);
    else if (path == "definition guid") Put<int64_t>(v[0], p->guid);
    else if (path == "definition description") Put<const char *>(v[0], p->description);
    else if (path == "definition name") Put<const char *>(v[0], p->name);
    else if (path == "definition absminrange") PutTriple(v[0], p->absmin);
    else if (path == "definition absmaxrange") PutTriple(v[0], p->absmax);
    else if (path == "definition uiminrange") PutTriple(v[0], p->uimin);
    else if (path == "definition uimaxrange") PutTriple(v[0], p->uimax);
    else if (path == "definition defaultvalue") PutTriple(v[0], p->defaultvalue);
    else if (path == "definition delta") PutTriple(v[0], p->delta);
    else if (path == "definition precision") Put<int16_t>(v[0], p->precision);
    else if (path == "definition floatarg enabled") Put<int64_t>(v[0], p->floatarg);
    else if (path == "definition displayaspercentage enabled") Put<int64_t>(v[0], p->percentage);
}

void AnswerParameter(const std::string &path, const int64_t *v)
{
    const ScriptedParameter *p = SelectedParameter();
    if (!p)
        return;
    if (path == "parameterid") {
        Put<int64_t>(v[0], p->parameterid);
    } else if (path == "value") {
        PutTriple(v[0], p->value);
    } else if (path == "gradientdata") {
        Put<int32_t>(v[0], p->gradientCount);
        Put<const float *>(v[1], p->colours.empty() ? nullptr : p->colours.data());
        Put<const float *>(v[2], p->offsets.empty() ? nullptr : p->offsets.data());
    } else if (path == "arbitrarydata") {
        Put<int32_t>(v[0], p->dataSize);
        Put<const char *>(v[1], p->data.empty() ? nullptr : p->data.data());
    } else {
        AnswerDefinition(path, v);
    }
}

void AnswerElement(const std::string &path, const int64_t *v)
{
    HostState &s = State();
    if (s.element < 0 || size_t(s.element) >= s.script.elements.size())
        return;
    const ScriptedElement &e = s.script.elements[size_t(s.element)];
    if (path == "numparameterdefinitions") Put<int32_t>(v[0], e.parameterCount);
    else if (path == "enabled") Put<int64_t>(v[0], e.enabled);
    else if (path == "description") Put<const char *>(v[0], e.description);
    else if (path == "name") Put<const char *>(v[0], e.name);
    else if (path == "guid") Put<const char *>(v[0], e.guid);
}

void AnswerGlobal(const std::string &path, const int64_t *v)
{
    const WorkingFlare &g = State().script.globals;
    struct Switch {
        const char *path;
        QiToken value;
    } switches[] = {
        {"enabled", g.enabled},
        {"fastdrag enabled", g.fastdrag},
        {"uselightparams enabled", g.uselightparams},
        {"glowbehindobjects enabled", g.glowbehindobjects},
        {"fadeifnearborder enabled", g.fadeifnearborder},
        {"fadeifbehindobjects enabled", g.fadeifbehindobjects},
        {"fadeifapproachingobjects enabled", g.fadeifapproachingobjects},
        {"fadewithdistance enabled", g.fadewithdistance},
        {"scaleglowwithdistance enabled", g.scaleglowwithdistance},
        {"scalereflexeswithdistance enabled", g.scalereflexeswithdistance},
    };
    for (const Switch &sw : switches)
        if (path == sw.path)
            return Put<int64_t>(v[0], sw.value);
    struct Number {
        const char *path;
        float value;
    } numbers[] = {{"intensity", g.intensity},   {"scale", g.scale},
                   {"occlusionradius", g.occlusionradius},
                   {"anamorphicstretch", g.anamorphicstretch},
                   {"angle", g.angle},           {"refdistance", g.refdistance}};
    for (const Number &n : numbers)
        if (path == n.path)
            return Put<float>(v[0], n.value);
    if (path == "randomseed")
        Put<int32_t>(v[0], g.randomseed);
    else if (path == "color")
        PutTriple(v[0], g.color);
    else if (path == "numelements")
        Put<int32_t>(v[0], State().script.elementCount);
}

// Answers one path of an inquire call. An element group is open from
// "element" to its closing QI_GROUP; "parameter" refers to the element last
// selected.
void Answer(const std::string &path, const int64_t *values, bool inElementGroup)
{
    HostState &s = State();
    if (path == "element") {
        s.element = *reinterpret_cast<int32_t *>(values[0]);
        s.parameter = -1;
    } else if (path == "parameter") {
        s.parameter = *reinterpret_cast<int32_t *>(values[0]);
    } else if (s.parameter >= 0) {
        AnswerParameter(path, values);
    } else if (inElementGroup) {
        AnswerElement(path, values);
    } else {
        AnswerGlobal(path, values);
    }
}

void Record(bool inquire, QiToken kind, const char *name, va_list args)
{
    HostState &s = State();
    RecordedCall call{inquire, kind, name ? name : "", {}, {}};
    s.element = s.parameter = -1;
    bool inElementGroup = false;
    for (;;) {
        int64_t slot = va_arg(args, int64_t);
        call.slots.push_back(slot);
        if (slot == QI_END)
            break;
        if (slot == QI_GROUP) {
            inElementGroup = false;
            continue;
        }
        std::string keyword = KeywordOf(slot), path = keyword;
        while (IsPrefix(keyword)) {
            int64_t next = va_arg(args, int64_t);
            call.slots.push_back(next);
            keyword = KeywordOf(next);
            path += " " + keyword;
        }
        int count = keyword == "gradientdata" ? 3 : keyword == "arbitrarydata" ? 2 : 1;
        int64_t values[3];
        for (int i = 0; i < count; ++i) {
            values[i] = va_arg(args, int64_t);
            call.slots.push_back(values[i]);
        }
        if (!inquire && keyword == "color" && KeywordOf(values[0]) == "rgb") {
            call.slots.push_back(va_arg(args, int64_t));  // "color" "rgb" value
            path += " rgb";
        }
        if (keyword == "element")
            inElementGroup = true;
        if (keyword == "parameter" || (keyword == "element" && inquire))
            call.indexes.push_back(*reinterpret_cast<int32_t *>(values[0]));
        if (inquire)
            Answer(path, values, inElementGroup);
    }
    s.calls.push_back(std::move(call));
}

}  // namespace

namespace recording_host {

void Reset()
{
    HostState &s = State();
    s.script = ScriptedFlare{};
    s.calls.clear();
    s.reports.clear();
    s.liveBlocks = 0;
    s.allocationsUntilFailure = -1;
}

ScriptedFlare &Script() { return State().script; }
const std::vector<RecordedCall> &Calls() { return State().calls; }
void ClearCalls() { State().calls.clear(); }
int64_t LiveBlocks() { return State().liveBlocks; }
void FailAllocation(int n) { State().allocationsUntilFailure = n; }
const std::vector<std::string> &Reports() { return State().reports; }

}  // namespace recording_host

extern "C" {

QiToken Qi_Inquire_Token(const char *keyword)
{
    HostState &s = State();
    auto [it, added] = s.tokens.emplace(keyword, QiToken(0x2000 + s.tokens.size()));
    if (added)
        s.keywords[it->second] = keyword;
    return it->second;
}

void *Qi_Alloc_Memory(int16_t, int16_t, size_t bytes)
{
    HostState &s = State();
    if (s.allocationsUntilFailure >= 0 && s.allocationsUntilFailure-- == 0)
        return nullptr;
    ++s.liveBlocks;
    return std::calloc(1, bytes ? bytes : 1);
}

void Qi_Free_Memory(void *block)
{
    if (!block)
        return;
    --State().liveBlocks;
    std::free(block);
}

void Qi_Report_Error(int32_t, const char *errorName, const char *, const char *detail)
{
    State().reports.push_back(std::string(errorName) + ": " + (detail ? detail : ""));
}

void Qi_Inquire_LensFlare(QiToken kind, const char *name, ...)
{
    va_list args;
    va_start(args, name);
    Record(true, kind, name, args);
    va_end(args);
}

void Qi_LensFlare(QiToken kind, const char *name, ...)
{
    va_list args;
    va_start(args, name);
    Record(false, kind, name, args);
    va_end(args);
}

}  // extern "C"
