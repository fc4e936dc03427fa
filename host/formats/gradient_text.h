// The text of colour gradient files (".grd"), described for users in
// docs/formats.md: the interpolation, then the entries of offset, red, green,
// blue and, when the file keeps them, opacity.
#ifndef HOST_FORMATS_GRADIENT_TEXT_H
#define HOST_FORMATS_GRADIENT_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

#include "host/formats/findings.h"
#include "host/formats/gradient_table.h"
#include "host/formats/header_line.h"

namespace qi::format {

constexpr FormatVersion kGradientFormat{"quorix-gradient", "colour gradient", 1, 0};

// Largest gradient or colour map file.
constexpr size_t kMaxGradientFileBytes = size_t(1) << 20;

// The table must pass CheckGradientTable. Opacities are written only when
// `withOpacity` is set.
std::string WriteGradientText(const GradientTable &table, bool withOpacity);

// True when the text begins with the gradient format's name.
bool IsGradientText(std::string_view text);

// Reads a gradient file; an entry without an opacity is opaque. False when
// the text has a fault (in `findings`); `table` is then to be dropped.
bool ReadGradientText(std::string_view text, GradientTable &table, Findings &findings);

}  // namespace qi::format

#endif
