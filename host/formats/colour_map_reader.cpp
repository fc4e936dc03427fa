#include <cmath>
#include <string>

#include "host/formats/colour_map_text.h"
#include "host/formats/number_text.h"
#include "host/formats/text_lines.h"

namespace qi::format {

bool ReadColourMapText(std::string_view text, GradientTable &table, Findings &findings)
{
    LineReader lines(text, findings);
    Line line;
    std::vector<float> colours;
    while (lines.Next(line)) {
        if (colours.size() == 3 * kMaxColourMapLines)
            return findings.Fail(Fault::Limit, line.number,
                                 "more than " + std::to_string(kMaxColourMapLines) + " colours");
        if (line.size() < 3)
            return findings.Fail(Fault::Syntax, line.number, "expected \"RED GREEN BLUE\"");
        for (size_t c = 0; c < 3; ++c) {
            int64_t value;
            if (!ParseInteger(line[c], value))
                return findings.Fail(Fault::Syntax, line.number,
                                     "\"" + std::string(line[c]) + "\" is not a whole number");
            if (value < 0 || value > 255)
                return findings.Fail(Fault::Range, line.number,
                                     std::to_string(value) + " is outside 0..255");
            colours.push_back(float(value) / 255.0f);
        }
    }
    if (findings.failed)
        return false;
    const size_t available = colours.size() / 3;
    if (available == 0)
        return findings.Fail(Fault::Truncated, lines.lineNumber(), "the file holds no colours");

    const size_t n = available < kMaxColourMapEntries ? available : kMaxColourMapEntries;
    table = GradientTable{};
    for (size_t k = 0; k < n; ++k) {
        const size_t source =
            n == 1 ? 0 : size_t(std::lround(double(k) * double(available - 1) / double(n - 1)));
        table.offsets.push_back(n == 1 ? 0.0f : float(double(k) / double(n - 1)));
        table.colours.insert(table.colours.end(), colours.begin() + long(3 * source),
                             colours.begin() + long(3 * source + 3));
        table.opacities.push_back(1.0f);
    }
    return true;
}

}  // namespace qi::format
