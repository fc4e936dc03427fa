// The arithmetic of the interactive colour selector's typed fields: a number
// per bar (255ths in RGB mode, degrees and percent in HSV mode) and the
// colour as "#RRGGBB".
#ifndef COLOUR_SELECTOR_FIELDS_H
#define COLOUR_SELECTOR_FIELDS_H

#include <cstdint>

// The largest number field 0..2 takes in a mode: 255 for red, green and
// blue; 359 degrees for the hue, 100 percent for saturation and value.
int32_t FieldLimit(int16_t mode, int field);

// A number field's text: an optional sign and decimal digits, nothing else.
// Numbers beyond a million read as a million (or its negative).
bool ParseFieldNumber(const char *text, int32_t *number);

// Sets the colour from a number typed into field 0..2, clamped to the
// field's range. Nothing changes when the clamped number is the one the
// field shows for the colour. Saturation and value typed as 0 become 1/255,
// as on their bars, so that hue and saturation keep their meaning.
bool TypeColourChannel(float colour[3], int16_t mode, int field, int32_t typed);

// The hex field's text: "#RRGGBB" of the colour's swatch bytes.
void FormatHexColour(const float colour[3], char text[8]);

// Reads "#RRGGBB" or "RRGGBB" in either case; false for any other text.
bool ParseHexColour(const char *text, uint8_t bytes[3]);

// Sets each channel whose swatch byte is not the typed one to byte / 255;
// the others keep their value exactly. True when a channel changed.
bool TypeHexColour(float colour[3], const uint8_t bytes[3]);

#endif
