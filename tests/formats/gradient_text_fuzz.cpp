// Fuzz target of the gradient file reader. For any input the reader either
// refuses it with a located fault, or gives a table that is a gradient and
// writes out as text that reads back to the same table. A broken rule
// aborts.
#include <string>

#include "host/formats/gradient_text.h"
#include "tests/support/fuzz_rules.h"

namespace {

using namespace qi::format;

bool Same(const GradientTable &a, const GradientTable &b)
{
    return a.offsets == b.offsets && a.colours == b.colours && a.opacities == b.opacities &&
           a.interpolation == b.interpolation;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    GradientTable table;
    Findings findings;
    const bool read = ReadGradientText(text, table, findings);
    if (read == findings.failed)
        Broken("the result and the findings disagree");
    if (!read)
        return 0;
    EntryFault fault;
    if (!CheckGradientTable(table, fault))
        Broken("a table that was read is no gradient");
    GradientTable again;
    Findings second;
    if (!ReadGradientText(WriteGradientText(table, true), again, second) || !Same(table, again))
        Broken("written text does not read back to the same table");
    return 0;
}
