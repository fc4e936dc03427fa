// Colour map files (".cmp"): plain text palettes of up to 256 lines of
// "RED GREEN BLUE" in 0..255, as the palette files of fractal programs; text
// after the third number of a line is a comment.
#ifndef HOST_FORMATS_COLOUR_MAP_TEXT_H
#define HOST_FORMATS_COLOUR_MAP_TEXT_H

#include <cstddef>
#include <string_view>

#include "host/formats/findings.h"
#include "host/formats/gradient_table.h"

namespace qi::format {

constexpr size_t kMaxColourMapLines = 256;
// A colour map becomes a gradient of at most this many evenly spaced entries.
constexpr size_t kMaxColourMapEntries = 100;

// Reads a colour map as a linear, opaque gradient with offsets from 0 to 1:
// every colour when there are at most kMaxColourMapEntries, else that many
// colours picked evenly from first to last.
bool ReadColourMapText(std::string_view text, GradientTable &table, Findings &findings);

}  // namespace qi::format

#endif
