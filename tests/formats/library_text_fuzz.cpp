// Fuzz target of the library file reader. For any input the reader either
// refuses it with a located fault, or gives a flare whose every value keeps
// its limits and which writes out as text that reads back to the same
// flare. A broken rule aborts.
#include <string>

#include "host/formats/library_text.h"
#include "tests/support/fuzz_rules.h"

namespace {

using namespace qi;

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
    if (const char *rule = BrokenLimit(flare))
        Broken(rule);
    if (flare.elements.size() > format::kMaxElements)
        Broken("more elements than a file may hold");
    const std::string written = format::WriteLibraryText(flare);
    Flare again;
    format::Findings second;
    if (!format::ReadLibraryText(written, again, second) || !second.skipped.empty())
        Broken("written text does not read back cleanly");
    if (format::WriteLibraryText(again) != written)
        Broken("reading and writing again changes the text");
    return 0;
}
