// The host's table of named colours.
#ifndef HOST_CORE_COLOUR_NAMES_H
#define HOST_CORE_COLOUR_NAMES_H

#include <cstdint>

namespace qi {

struct ColourName {
    const char *name;  // "AliceBlue"
    uint8_t red, green, blue;
};

// The table, in alphabetical order; it lives for the process.
const ColourName *ColourNamesBegin();
const ColourName *ColourNamesEnd();

// The colour of that name, compared case-insensitively; null when unknown.
const ColourName *FindColourName(const char *name);

// The colour's red, green and blue in 0..1 (each byte / 255).
void ColourNameRgb(const ColourName &colour, float rgb[3]);

}  // namespace qi

#endif
