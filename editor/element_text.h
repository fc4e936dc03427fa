// One flare element as text, the form in which the editor puts an element on
// the clipboard: a versioned, human-readable block that names the element's
// type and each parameter by its name (docs/formats.md):
//
//   quorix-lensflare-element 1.0
//   element glow
//       enabled on
//       radius 0.9
//       color 1 0.93 0.8
//       colors gradient 2
//           0 1 1 1
//           1 1 0.55 0.2
//       profile data 4
//           0a0b0c0d
//   end
//
// Reading checks the text's form only; whether the host's type has those
// parameters and takes those values is the host's to say.
#ifndef EDITOR_ELEMENT_TEXT_H
#define EDITOR_ELEMENT_TEXT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Limits of the text and of what it holds.
constexpr size_t kElementTextMaxBytes = 1u << 20;
constexpr size_t kElementTextMaxLine = 1024;
constexpr size_t kElementTextMaxName = 64;
constexpr size_t kElementTextMaxParameters = 256;
constexpr size_t kElementTextMaxGradient = 1024;  // entries
constexpr size_t kElementTextMaxData = 65536;     // bytes

struct TextParameter {
    std::string name;               // the parameter's name within its type
    int valueCount = 0;             // numbers on its value line: 0 (no such line) to 3
    float value[3] = {0, 0, 0};     // the numbers; those not given are 0
    bool hasGradient = false;       // a "NAME gradient COUNT" block was given
    std::vector<float> offsets;     // one per gradient entry
    std::vector<float> colours;     // red, green, blue per gradient entry
    bool hasData = false;           // a "NAME data SIZE" block was given
    std::vector<uint8_t> data;      // the data block's bytes
};

struct TextElement {
    std::string type;                       // the element type's name
    bool enabled = true;                    // "enabled on" or "off"
    std::vector<TextParameter> parameters;  // in the order of the text
};

// The text of an element, lines ended by "\r\n" (the clipboard's form).
// Numbers are written in the shortest form that reads back to the same
// bits. A parameter's value line is written when valueCount is not 0.
std::string WriteElementText(const TextElement &element);

// Reads a text of WriteElementText's form (lines may end in "\n" or
// "\r\n"; '#' starts a comment). On success fills *element and returns
// true; otherwise returns false with *error saying what is wrong, as
// "Line 4: ..." where a line is at fault, and leaves *element alone.
bool ReadElementText(const char *text, size_t size, TextElement *element, std::string *error);

#endif
