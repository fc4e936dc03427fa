// The text of lens flare library files (".lnz"), described for users in
// docs/formats.md: the flare's global values, then its elements in drawing
// order, each with its type, enabled switch and every parameter's value by
// name.
#ifndef HOST_FORMATS_LIBRARY_TEXT_H
#define HOST_FORMATS_LIBRARY_TEXT_H

#include <cstddef>
#include <string>
#include <string_view>

#include "host/core/flare_model.h"
#include "host/formats/findings.h"
#include "host/formats/header_line.h"

namespace qi::format {

constexpr FormatVersion kLibraryFormat{"quorix-lensflare", "lens flare library", 1, 0};

constexpr size_t kMaxLibraryBytes = size_t(32) << 20;
constexpr size_t kMaxElements = 1024;
// Longest element type or key name.
constexpr size_t kMaxNameLength = 64;
// Bytes of a data block per line.
constexpr size_t kDataBytesPerLine = 32;

std::string WriteLibraryText(const Flare &flare);

// Reads a whole library into `flare`, which must be new: its elements are
// created with new guids. False when the text has a fault (in `findings`);
// `flare` then holds a part of the file and is to be dropped.
bool ReadLibraryText(std::string_view text, Flare &flare, Findings &findings);

}  // namespace qi::format

#endif
