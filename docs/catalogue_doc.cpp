// Writes docs/catalogue.md from the host's element catalogue, or checks that
// the committed file is current:
//   catalogue_doc                 prints the page
//   catalogue_doc --write FILE    writes it to FILE
//   catalogue_doc --check FILE    exits 1 when FILE differs
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "host/core/flare_model.h"

namespace {

using namespace qi;

std::string Number(float v)
{
    char text[32];
    if (v == float(long(v)))
        std::snprintf(text, sizeof text, "%ld", long(v));
    else
        std::snprintf(text, sizeof text, "%.4g", double(v));
    return text;
}

// The components of a three-float field the type uses.
std::string Components(const ParamDef &def, const float (&v)[3])
{
    switch (def.type) {
    case ParamType::Color:
        return "(" + Number(v[0]) + ", " + Number(v[1]) + ", " + Number(v[2]) + ")";
    case ParamType::Point:
        return "(" + Number(v[0]) + ", " + Number(v[1]) + ")";
    default:
        return Number(v[0]);
    }
}

std::string HexColour(const float (&rgb)[3])
{
    char text[16];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", unsigned(rgb[0] * 255.0f),
                  unsigned(rgb[1] * 255.0f), unsigned(rgb[2] * 255.0f));
    return text;
}

std::string Default(const ParamDef &def)
{
    switch (def.type) {
    case ParamType::Checkbox:
        return def.defaultValue[0] != 0 ? "on" : "off";
    case ParamType::List:
        return Number(def.defaultValue[0]) + " of " + def.listEntries;
    case ParamType::Gradient: {
        std::string stops;
        for (const GradientStop &stop : def.defaultGradient)
            stops += (stops.empty() ? "" : ", ") + Number(stop.offset) + " " +
                     HexColour(stop.rgb);
        return stops;
    }
    case ParamType::ArbitraryData:
        return std::to_string(def.defaultData.size()) + " bytes";
    default:
        return Components(def, def.defaultValue);
    }
}

std::string Page()
{
    std::ostringstream out;
    out << "# Element catalogue\n\n"
           "The element types a Quorix lens flare can hold, in the order the host offers them "
           "(`Qi_LensFlare_Enumerate_ElementInfo`), and the parameters of each, in the order of "
           "their indexes. Generated from the host's catalogue by `docs/catalogue_doc.cpp`"
           " (`build/native/tests/catalogue_doc --write docs/catalogue.md`); a test fails when "
           "this page is out of date.\n\n"
           "Units: sizes (radius, length, width, thickness) are in flare units, half the "
           "smaller side of the picture times the flare's global scale; positions on the flare "
           "axis run from the light (0) through the picture's centre (1) to the light's mirror "
           "image (2); angles are degrees counter-clockwise; colours are red, green, blue in "
           "0..1. A value set through `Qi_LensFlare` is clamped to its limits. \"UI range\" is "
           "what a control offers; a point shows x and y; a gradient's default lists its "
           "stops as offset and colour; a list's default is the value of one of its entries "
           "(`name:value`). Each type's section shows its element page in the editor, built "
           "from these definitions.\n\n"
           "## Types\n\n"
           "| Name | Description | Parameters |\n|---|---|---|\n";
    for (const ElementType &type : Catalogue())
        out << "| `" << type.name << "` | " << type.description << " | " << type.params.size()
            << " |\n";
    for (const ElementType &type : Catalogue()) {
        out << "\n## `" << type.name << "`: " << type.description << "\n\n"
            << "![The element page of a `" << type.name << "` element in the editor](panels/"
            << type.name << ".png)\n\n"
            << "| # | Name | Label | Type | UI range | Limits | Default | Step | Decimals | "
               "Shown as % |\n|---|---|---|---|---|---|---|---|---|---|\n";
        for (size_t i = 0; i < type.params.size(); ++i) {
            const ParamDef &def = type.params[i];
            const bool ranged = def.type != ParamType::Gradient &&
                                def.type != ParamType::ArbitraryData;
            out << "| " << i << " | `" << def.name << "` | " << def.description << " | "
                << ParamTypeKeyword(def.type) << " | "
                << (ranged ? Components(def, def.uiMin) + " to " + Components(def, def.uiMax)
                           : "")
                << " | "
                << (ranged ? Components(def, def.absMin) + " to " + Components(def, def.absMax)
                           : "")
                << " | " << Default(def) << " | " << (ranged ? Components(def, def.delta) : "")
                << " | " << def.precision << " | " << (def.percentage ? "yes" : "") << " |\n";
        }
    }
    return out.str();
}

}  // namespace

int main(int argc, char **argv)
{
    const std::string page = Page();
    if (argc == 1) {
        std::cout << page;
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        std::ofstream file(argv[2], std::ios::binary);
        file << page;
        return file ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--check") == 0) {
        std::ifstream file(argv[2], std::ios::binary);
        std::ostringstream committed;
        committed << file.rdbuf();
        if (committed.str() == page)
            return 0;
        std::cerr << argv[2] << " is out of date; run: catalogue_doc --write " << argv[2] << "\n";
        return 1;
    }
    std::cerr << "usage: catalogue_doc [--write FILE | --check FILE]\n";
    return 2;
}
