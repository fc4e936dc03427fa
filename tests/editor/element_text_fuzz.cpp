// Fuzz target of the element text: any bytes are read; a text that reads is
// written again, and what is written must read back to the same element and
// the same text. A broken rule aborts.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "editor/element_text.h"

namespace {

[[noreturn]] void Broken(const char *rule)
{
    std::fprintf(stderr, "a rule of the fuzz target is broken: %s\n", rule);
    std::abort();
}

void CheckLimits(const TextElement &e)
{
    if (e.type.empty() || e.type.size() > kElementTextMaxName)
        Broken("the type's name leaves its limits");
    if (e.parameters.size() > kElementTextMaxParameters)
        Broken("too many parameters");
    for (const TextParameter &p : e.parameters) {
        if (p.valueCount < 0 || p.valueCount > 3 || p.offsets.size() > kElementTextMaxGradient ||
            p.colours.size() != 3 * p.offsets.size() || p.data.size() > kElementTextMaxData)
            Broken("a parameter leaves its limits");
        for (float v : p.value)
            if (!std::isfinite(v))
                Broken("a number is not finite");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    TextElement element;
    std::string error;
    if (!ReadElementText(reinterpret_cast<const char *>(data), size, &element, &error)) {
        if (error.empty())
            Broken("a refusal without a reason");
        return 0;
    }
    CheckLimits(element);
    const std::string text = WriteElementText(element);
    TextElement again;
    if (!ReadElementText(text.data(), text.size(), &again, &error))
        Broken("a written text does not read back");
    if (WriteElementText(again) != text)
        Broken("a written text reads back to another element");
    return 0;
}
