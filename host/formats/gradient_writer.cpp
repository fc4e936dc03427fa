#include "host/formats/gradient_text.h"
#include "host/formats/number_text.h"

namespace qi::format {

std::string WriteGradientText(const GradientTable &table, bool withOpacity)
{
    std::string out = HeaderLine(kGradientFormat);
    out += withOpacity ? "# Entries: offset, red, green, blue, opacity.\n"
                       : "# Entries: offset, red, green, blue.\n";
    out += std::string("interpolation ") + InterpolationKeyword(table.interpolation) + "\n";
    out += "entries " + std::to_string(table.size()) + "\n";
    for (size_t i = 0; i < table.size(); ++i) {
        out += "    " + FormatFloat(table.offsets[i]);
        for (size_t c = 0; c < 3; ++c)
            out += " " + FormatFloat(table.colours[3 * i + c]);
        if (withOpacity)
            out += " " + FormatFloat(table.opacities[i]);
        out += "\n";
    }
    out += "end\n";
    return out;
}

}  // namespace qi::format
