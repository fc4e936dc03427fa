#include <cstdio>

#include "host/formats/library_text.h"
#include "host/formats/number_text.h"

namespace qi::format {

namespace {

const char *Switch(bool on)
{
    return on ? "on" : "off";
}

void AppendFloats(std::string &out, const float *values, int count)
{
    for (int i = 0; i < count; ++i)
        out += " " + FormatFloat(values[i]);
    out += "\n";
}

void WriteGlobals(std::string &out, const FlareGlobals &globals)
{
    out += "globals\n";
    for (const GlobalField &field : GlobalFields()) {
        out += std::string("    ") + field.keyword;
        if (field.toggle)
            out += std::string(" ") + Switch(globals.*field.toggle) + "\n";
        else if (field.number)
            AppendFloats(out, &(globals.*field.number), 1);
        else if (field.integer)
            out += " " + std::to_string(globals.*field.integer) + "\n";
        else
            AppendFloats(out, globals.*field.rgb, 3);
    }
    out += "end\n";
}

void WriteData(std::string &out, const std::vector<uint8_t> &data)
{
    for (size_t i = 0; i < data.size(); i += kDataBytesPerLine) {
        out += "        ";
        for (size_t j = i; j < data.size() && j < i + kDataBytesPerLine; ++j) {
            char hex[3];
            std::snprintf(hex, sizeof hex, "%02x", data[j]);
            out += hex;
        }
        out += "\n";
    }
}

void WriteParameter(std::string &out, const ParamDef &def, const ParamValue &value)
{
    out += std::string("    ") + def.name;
    switch (def.type) {
    case ParamType::Gradient:
        out += " gradient " + std::to_string(value.gradient.size()) + "\n";
        for (const GradientStop &stop : value.gradient) {
            out += "        " + FormatFloat(stop.offset);
            AppendFloats(out, stop.rgb, 3);
        }
        break;
    case ParamType::ArbitraryData:
        out += " data " + std::to_string(value.data.size()) + "\n";
        WriteData(out, value.data);
        break;
    case ParamType::Color:
    case ParamType::Point:
        AppendFloats(out, value.value, 3);
        break;
    default:
        AppendFloats(out, value.value, 1);
        break;
    }
}

}  // namespace

std::string WriteLibraryText(const Flare &flare)
{
    std::string out = HeaderLine(kLibraryFormat);
    out += "# Quorix lens flare library: the global values, then the elements in drawing "
           "order.\n\n";
    WriteGlobals(out, flare.globals);
    out += "\nelements " + std::to_string(flare.elements.size()) + "\n";
    for (const auto &element : flare.elements) {
        out += std::string("\nelement ") + element->type->name + "\n";
        out += std::string("    enabled ") + Switch(element->enabled) + "\n";
        for (size_t i = 0; i < element->type->params.size(); ++i)
            WriteParameter(out, element->type->params[i], element->values[i]);
        out += "end\n";
    }
    return out;
}

}  // namespace qi::format
