// Fuzz target of the colour map reader. For any input the reader either
// refuses it with a located fault, or gives a gradient of 1 to 100 evenly
// spaced, opaque entries. A broken rule aborts.
#include <string>

#include "host/formats/colour_map_text.h"
#include "tests/support/fuzz_rules.h"

namespace {

using namespace qi::format;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    GradientTable table;
    Findings findings;
    const bool read = ReadColourMapText(text, table, findings);
    if (read == findings.failed)
        Broken("the result and the findings disagree");
    if (!read)
        return 0;
    EntryFault fault;
    if (!CheckGradientTable(table, fault) || table.size() > kMaxColourMapEntries)
        Broken("a colour map is no gradient of at most 100 entries");
    const size_t n = table.size();
    for (size_t k = 0; k < n; ++k)
        if (table.offsets[k] != (n == 1 ? 0.0f : float(double(k) / double(n - 1))) ||
            table.opacities[k] != 1.0f)
            Broken("entries are not evenly spaced and opaque");
    return 0;
}
