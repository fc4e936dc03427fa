#include "tests/formats/flare_digest.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

void Bits(std::ostream &out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char text[12];
    std::snprintf(text, sizeof text, "%08x ", bits);
    out << text;
}

}  // namespace

std::string FlareDigest(const qi::Flare &flare, bool guids)
{
    std::ostringstream out;
    const qi::FlareGlobals &g = flare.globals;
    for (const qi::GlobalField &field : qi::GlobalFields()) {
        out << field.keyword << "=";
        if (field.toggle)
            out << (g.*field.toggle) << " ";
        else if (field.number)
            Bits(out, g.*field.number);
        else if (field.integer)
            out << (g.*field.integer) << " ";
        else
            for (float component : g.*field.rgb)
                Bits(out, component);
    }
    for (const auto &element : flare.elements) {
        out << "\n" << element->type->name << (guids ? element->guid : "") << element->enabled;
        for (const qi::ParamValue &value : element->values) {
            out << "|";
            for (float component : value.value)
                Bits(out, component);
            for (const qi::GradientStop &stop : value.gradient) {
                Bits(out, stop.offset);
                for (float component : stop.rgb)
                    Bits(out, component);
            }
            for (uint8_t byte : value.data)
                out << int(byte) << ",";
        }
    }
    return out.str();
}
