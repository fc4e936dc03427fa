// Fuzz target of the library file reader. For any input the reader either
// refuses it with a located fault, or gives a flare whose every value keeps
// its limits and which writes out as text that reads back to the same
// flare. A broken rule aborts.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/formats/library_text.h"

namespace {

using namespace qi;

[[noreturn]] void Broken(const char *rule)
{
    std::fprintf(stderr, "library reader broke a rule: %s\n", rule);
    std::abort();
}

bool Within(float v, float min, float max)
{
    return v >= min && v <= max;
}

void CheckLimits(const Flare &flare)
{
    for (const GlobalField &field : GlobalFields()) {
        if (field.number && !Within(flare.globals.*field.number, field.min, field.max))
            Broken("a global number leaves its limits");
        if (field.rgb)
            for (float c : flare.globals.*field.rgb)
                if (!Within(c, field.min, field.max))
                    Broken("a global colour leaves its limits");
    }
    if (flare.elements.size() > format::kMaxElements)
        Broken("more elements than a file may hold");
    for (const auto &element : flare.elements)
        for (size_t p = 0; p < element->values.size(); ++p) {
            const ParamDef &def = element->type->params[p];
            const ParamValue &v = element->values[p];
            for (int i = 0; i < 3; ++i)
                if (!Within(v.value[i], def.absMin[i], def.absMax[i]))
                    Broken("a value leaves its absolute limits");
            float last = 0.0f;
            if (v.gradient.size() > size_t(kMaxGradientEntries) ||
                v.data.size() > size_t(kMaxDataBytes))
                Broken("a gradient or data block is too large");
            for (const GradientStop &stop : v.gradient) {
                if (!Within(stop.offset, last, 1.0f))
                    Broken("gradient offsets leave 0..1 or decrease");
                last = stop.offset;
                for (float c : stop.rgb)
                    if (!Within(c, 0.0f, 1.0f))
                        Broken("a gradient colour leaves 0..1");
            }
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    Flare flare;
    format::Findings findings;
    const bool read = format::ReadLibraryText(text, flare, findings);
    if (read == findings.failed)
        Broken("the result and the findings disagree");
    if (!read) {
        if (findings.error.message.empty())
            Broken("a fault without a message");
        return 0;
    }
    CheckLimits(flare);
    const std::string written = format::WriteLibraryText(flare);
    Flare again;
    format::Findings second;
    if (!format::ReadLibraryText(written, again, second) || !second.skipped.empty())
        Broken("written text does not read back cleanly");
    if (format::WriteLibraryText(again) != written)
        Broken("reading and writing again changes the text");
    return 0;
}
