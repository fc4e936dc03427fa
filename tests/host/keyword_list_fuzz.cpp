// Fuzz target of the keyword engine. An input is a run of calls against a
// fresh scene; each byte becomes one slot, chosen from what the engine asks
// for at that point: keywords and values from fixed tables, addresses inside
// a scratch block the harness owns, texts from guids and type names copied
// into harness-owned strings. The scratch block starts with small integers
// (element and parameter indexes, counts) and goes on with the input's bytes
// (floats, arrays, data blocks).
//
// After every call the harness checks what a caller relies on: at most one
// report; a reported call and every inquiry leave the scene as it was; all
// values stay within their limits. A broken rule aborts.
//
// The seed files in fuzz/keyword_list hold byte indexes into the tables
// below; new entries go at the ends of the tables.
#include <cstring>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "host/core/flare_calls.h"
#include "host/core/flare_model.h"
#include "host/core/qi_host.h"
#include "tests/formats/flare_digest.h"
#include "tests/support/fuzz_rules.h"

namespace {

using namespace qi;

// The library file commands are left out: they touch the file system.
const char *const kKeywords[] = {
    nullptr, nullptr,  // QI_END, QI_GROUP
    "element", "parameter", "numelements", "numparameterdefinitions", "enabled", "description",
    "name", "guid", "parameterid", "definition", "type", "absminrange", "absmaxrange",
    "uiminrange", "uimaxrange", "defaultvalue", "delta", "precision", "floatarg",
    "displayaspercentage", "value", "gradientdata", "arbitrarydata", "intensity", "scale",
    "occlusionradius", "anamorphicstretch", "fastdrag", "randomseed", "color", "rgb",
    "uselightparams", "angle", "glowbehindobjects", "fadeifnearborder", "fadeifbehindobjects",
    "fadeifapproachingobjects", "fadewithdistance", "refdistance", "scaleglowwithdistance",
    "scalereflexeswithdistance", "insert", "before", "after", "start", "end", "delete", "move",
    "up", "down", "model", "point", "bdfsave", "distance", "on", "off", "light", "camera",
    "bogus",
};
constexpr size_t kKeywordCount = sizeof kKeywords / sizeof *kKeywords;

const char *const kNames[] = {"Fuzz", "Other"};

// Addresses point into the first kAddressable bytes: small integers up to
// kIndexArea, the input's bytes after it. The rest is room for the largest
// block the engine reads from one address.
constexpr size_t kIndexArea = 1024;
constexpr size_t kAddressable = 4096;
constexpr size_t kScratchSize = kAddressable + 65536 + 16;

void FillScratch(std::vector<uint8_t> &scratch, const uint8_t *data, size_t size)
{
    for (size_t i = 0; i < kIndexArea / 4; ++i) {
        const int32_t small = int32_t(i % 16);
        std::memcpy(&scratch[4 * i], &small, sizeof small);
    }
    for (size_t i = kIndexArea; i < scratch.size(); ++i)
        scratch[i] = size ? data[i % size] : 0;
}

QiToken KeywordToken(uint8_t byte)
{
    size_t index = byte % kKeywordCount;
    if (index < 2)
        return QiToken(index);
    return Qi_Inquire_Token(kKeywords[index]);
}

class FuzzSlots final : public SlotSource {
public:
    FuzzSlots(const uint8_t *data, size_t size, std::vector<uint8_t> &scratch)
        : data_(data), size_(size), scratch_(scratch)
    {
    }

    bool Next(SlotUse use, uint64_t &slot) override
    {
        uint8_t byte;
        if (!Byte(byte))
            return false;
        switch (use) {
        case SlotUse::Keyword:
        case SlotUse::Value:
            slot = uint64_t(byte >= 0xF0 ? QiToken(byte - 0xF0) : KeywordToken(byte));
            break;
        case SlotUse::Address:
            if (byte == 0)
                slot = 0;
            else if (byte < 128)
                slot = Address(4 * size_t(byte));
            else
                slot = Address(kIndexArea + size_t(byte) * 61 % (kAddressable - kIndexArea));
            break;
        case SlotUse::Text:
            slot = byte == 0 ? 0 : Address(Text(byte));
            break;
        }
        return true;
    }

    // The next byte of the input; false at its end.
    bool Byte(uint8_t &byte)
    {
        if (position_ == size_)
            return false;
        byte = data_[position_++];
        return true;
    }

private:
    uint64_t Address(size_t offset) { return uint64_t(uintptr_t(scratch_.data() + offset)); }
    uint64_t Address(const std::string &text) { return uint64_t(uintptr_t(text.c_str())); }

    // A guid of the fuzzed light's elements, a type name, or a stray text.
    const std::string &Text(uint8_t byte)
    {
        HostObject *light = FindObject(Qi_Inquire_Token("light"), kNames[0]);
        const std::vector<ElementType> &types = Catalogue();
        if (byte & 1 && light && !light->flare.elements.empty())
            texts_.push_back(light->flare.elements[byte / 2 % light->flare.elements.size()]->guid);
        else if (byte & 2)
            texts_.push_back(types[byte / 4 % types.size()].name);
        else
            texts_.push_back(byte & 4 ? "" : "{LF-FFFFFFFF}");
        return texts_.back();
    }

    const uint8_t *data_;
    size_t size_;
    size_t position_ = 0;
    std::vector<uint8_t> &scratch_;
    std::deque<std::string> texts_;  // keep their addresses for the run
};

// Everything the engine can change, as text.
std::string SceneDigest()
{
    std::ostringstream out;
    for (const char *kind : {"light", "camera"})
        for (const char *name : kNames)
            if (const HostObject *object = FindObject(Qi_Inquire_Token(kind), name))
                out << kind << name << object->lightColor[0] << object->lightColor[1]
                    << object->lightColor[2] << object->lightIntensity << object->distance
                    << FlareDigest(object->flare, true);
    return out.str();
}

void CheckLimits()
{
    if (const HostObject *light = FindObject(Qi_Inquire_Token("light"), kNames[0]))
        if (const char *rule = BrokenLimit(light->flare))
            Broken(rule);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ClearObjects();
    CreateObject(Qi_Inquire_Token("light"), kNames[0]);
    static std::vector<uint8_t> scratch(kScratchSize);
    FillScratch(scratch, data, size);

    FuzzSlots slots(data, size, scratch);
    uint8_t call, first, which;
    while (slots.Byte(call) && slots.Byte(which)) {
        const char *name = kNames[which % 2];
        const QiToken kind = Qi_Inquire_Token(which & 2 ? "camera" : "light");
        const std::string before = SceneDigest();
        QiHost_Clear_Errors();
        bool inquiry = false;
        switch (call % 6) {
        case 0:
            inquiry = true;
            RunLensFlare(CallMode::Inquire, kind, name, slots);
            break;
        case 1:
            RunLensFlare(CallMode::Set, kind, name, slots);
            break;
        case 2:
            if (!slots.Byte(first))
                return 0;
            inquiry = true;
            RunElementInfo(KeywordToken(first), slots);
            break;
        case 3:
            RunLight(name, slots);
            break;
        case 4:
            RunRemove(kind, name, slots);
            break;
        case 5: {
            int32_t exists = -1;
            inquiry = true;
            RunHandleNameExists(name, which & 4 ? nullptr : &exists, slots);
            break;
        }
        }
        const int32_t reports = QiHost_Error_Count();
        if (reports > 1)
            Broken("a call made more than one report");
        if ((reports == 1 || inquiry) && SceneDigest() != before)
            Broken("a reported call or an inquiry changed the scene");
        CheckLimits();
    }
    ClearObjects();
    return 0;
}
