#include "tests/model/recording_host.h"

#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>

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
    static const std::set<std::string> prefixes = {
        "definition", "fastdrag", "uselightparams", "glowbehindobjects", "fadeifnearborder",
        "fadeifbehindobjects", "fadeifapproachingobjects", "fadewithdistance",
        "scaleglowwithdistance", "scalereflexeswithdistance", "floatarg", "displayaspercentage"};
    return prefixes.count(keyword) != 0;
}

// Where the answer to a path lies in a scripted record.
struct Field {
    const char *path;
    size_t offset, size;
};
#define GLOBAL(path, member) {path, offsetof(WorkingFlare, member), sizeof(WorkingFlare::member)}
#define ELEMENT(path, member) {path, offsetof(FlareElement, member), sizeof(FlareElement::member)}
#define PARAMETER(path, member) \
    {path, offsetof(FlareParameter, member), sizeof(FlareParameter::member)}

const Field kGlobalFields[] = {
    GLOBAL("enabled", enabled), GLOBAL("intensity", intensity), GLOBAL("scale", scale),
    GLOBAL("occlusionradius", occlusionradius), GLOBAL("anamorphicstretch", anamorphicstretch),
    GLOBAL("fastdrag enabled", fastdrag), GLOBAL("randomseed", randomseed),
    GLOBAL("color", color), GLOBAL("uselightparams enabled", uselightparams),
    GLOBAL("angle", angle), GLOBAL("glowbehindobjects enabled", glowbehindobjects),
    GLOBAL("fadeifnearborder enabled", fadeifnearborder),
    GLOBAL("fadeifbehindobjects enabled", fadeifbehindobjects),
    GLOBAL("fadeifapproachingobjects enabled", fadeifapproachingobjects),
    GLOBAL("fadewithdistance enabled", fadewithdistance), GLOBAL("refdistance", refdistance),
    GLOBAL("scaleglowwithdistance enabled", scaleglowwithdistance),
    GLOBAL("scalereflexeswithdistance enabled", scalereflexeswithdistance),
    GLOBAL("numelements", numelements)};

const Field kElementFields[] = {
    ELEMENT("numparameterdefinitions", numparameters), ELEMENT("enabled", enabled),
    ELEMENT("description", description), ELEMENT("name", name), ELEMENT("guid", guid)};

const Field kParameterFields[] = {
    PARAMETER("parameterid", parameterid), PARAMETER("definition type", type),
    PARAMETER("definition guid", guid), PARAMETER("definition description", description),
    PARAMETER("definition name", name), PARAMETER("definition absminrange", absminrange),
    PARAMETER("definition absmaxrange", absmaxrange),
    PARAMETER("definition uiminrange", uiminrange),
    PARAMETER("definition uimaxrange", uimaxrange),
    PARAMETER("definition defaultvalue", defaultvalue), PARAMETER("definition delta", delta),
    PARAMETER("definition precision", precision),
    PARAMETER("definition floatarg enabled", floatarg),
    PARAMETER("definition displayaspercentage enabled", displayaspercentage),
    PARAMETER("value", Qv_Current_Value)};

// Copies the record's field for the path to the address in v[0].
template <size_t N, typename Record>
void AnswerField(const Field (&fields)[N], const Record &record, const std::string &path,
                 const int64_t *v)
{
    for (const Field &field : fields)
        if (path == field.path)
            std::memcpy(reinterpret_cast<void *>(v[0]),
                        reinterpret_cast<const char *>(&record) + field.offset, field.size);
}

template <typename T>
void Put(int64_t address, T value)
{
    *reinterpret_cast<T *>(address) = value;
}

const ScriptedElement *SelectedElement()
{
    HostState &s = State();
    bool valid = s.element >= 0 && size_t(s.element) < s.script.elements.size();
    return valid ? &s.script.elements[size_t(s.element)] : nullptr;
}

void AnswerParameter(const std::string &path, const int64_t *v)
{
    const ScriptedElement *e = SelectedElement();
    int index = State().parameter;
    if (!e || size_t(index) >= e->parameters.size())
        return;
    const ScriptedParameter &p = e->parameters[size_t(index)];
    if (path == "gradientdata") {
        Put<int32_t>(v[0], p.fields.gradientCount);
        Put<const float *>(v[1], p.colours.empty() ? nullptr : p.colours.data());
        Put<const float *>(v[2], p.offsets.empty() ? nullptr : p.offsets.data());
    } else if (path == "arbitrarydata") {
        Put<int32_t>(v[0], p.fields.arbitraryDataSize);
        Put<const char *>(v[1], p.data.empty() ? nullptr : p.data.data());
    } else {
        AnswerField(kParameterFields, p.fields, path, v);
    }
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
        if (const ScriptedElement *e = SelectedElement())
            AnswerField(kElementFields, e->fields, path, values);
    } else {
        AnswerField(kGlobalFields, s.script.globals, path, values);
    }
}

void Record(bool inquire, QiToken kind, const char *name, va_list args)
{
    HostState &s = State();
    RecordedCall call{inquire, kind, name ? name : "", {}};
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
