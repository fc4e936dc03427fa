// Numbers as the file formats write and read them. Floats are written in the
// shortest form that reads back to the same bits ("0.35", "1e-07", "-0").
#ifndef HOST_FORMATS_NUMBER_TEXT_H
#define HOST_FORMATS_NUMBER_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace qi::format {

std::string FormatFloat(float value);

// The whole word as a finite float in decimal notation ("1", "-0.5",
// "2.5e-3"); false for anything else, including infinities, NaN and values
// beyond the float range.
bool ParseFloat(std::string_view word, float &value);

// The whole word as a decimal integer with an optional '-'; false for
// anything else or a value outside the 64-bit range.
bool ParseInteger(std::string_view word, int64_t &value);

}  // namespace qi::format

#endif
