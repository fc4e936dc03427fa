// The host's lens flares: element types and their parameter definitions
// (the catalogue), flares made of elements, and the named scene objects that
// own them. Portable C++; used by the keyword engine, the renderer and the
// file formats.
//
// Units shared by every part of the host:
// - Sizes (radius, length, width, thickness) are in flare units: one unit is
//   half the smaller side of the picture, times the flare's global scale.
// - Positions on the flare axis run from the light (0) through the picture's
//   centre (1) to the light's mirror image (2); negative values lie behind
//   the light.
// - Angles are degrees, counter-clockwise, 0 pointing right.
// - Colours are red, green, blue in 0..1.
#ifndef HOST_CORE_FLARE_MODEL_H
#define HOST_CORE_FLARE_MODEL_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/api/qi_core.h"

namespace qi {

enum class ParamType {
    FloatSlider,    // "floatslider"
    IntSlider,      // "intslider"
    Angle,          // "angle", degrees
    Checkbox,       // "checkbox": 0 or 1
    Color,          // "color": three components
    List,           // "list": the chosen entry's value; entries in the data block
    Gradient,       // "gradient": entries of offset and colour
    Point,          // "point": x, y (and z) in flare units
    ArbitraryData,  // "arbitrarydata": a byte block
};

// The host keyword of a parameter type, and back (false for an unknown one).
const char *ParamTypeKeyword(ParamType type);
bool ParamTypeFromKeyword(const std::string &keyword, ParamType &type);

// One entry of a colour gradient.
struct GradientStop {
    float offset;  // 0..1, never decreasing along the gradient
    float rgb[3];
};

// The definition of one parameter of an element type.
struct ParamDef {
    const char *name;         // internal name ("radius", "length", ...)
    const char *description;  // label shown beside the parameter's control
    ParamType type;
    float uiMin[3];           // range a control offers
    float uiMax[3];
    float absMin[3];          // limits a value is clamped to when set
    float absMax[3];
    float defaultValue[3];
    float delta[3];           // step size
    int16_t precision;        // decimals shown
    bool floatArg;            // continuous value (a float slider)
    bool percentage;          // shown times 100 with "%"
    const char *listEntries;  // "Name:value,Name:value" for lists, else null
    std::vector<GradientStop> defaultGradient;  // gradients only
    std::vector<uint8_t> defaultData;           // arbitrary data only
    int64_t guid;             // stable identity of this definition
};

// One element type of the catalogue.
struct ElementType {
    const char *name;         // the host's name ("dscflx")
    const char *description;  // human-readable ("Disc Reflex")
    std::vector<ParamDef> params;

    // Index of the parameter of that name, or -1.
    int ParamIndex(const char *paramName) const;
};

// The catalogue, in the order the host offers it. Types live for the process.
const std::vector<ElementType> &Catalogue();
const ElementType *FindElementType(const std::string &name);

// The current value of one parameter of an element.
struct ParamValue {
    float value[3] = {0, 0, 0};
    std::vector<GradientStop> gradient;  // gradients
    std::vector<uint8_t> data;           // lists (entry text, zero-terminated) and arbitrary data
    // Contiguous copies of `gradient` that inquiries hand out to callers
    // (colours as red, green, blue triples; offsets); refreshed by each
    // inquiry, so they stay put until the next one about this parameter.
    std::vector<float> exportedColors, exportedOffsets;
};

// One element of a flare. Its guid text keeps its address for the element's
// life (plug-ins keep the pointer between loads).
struct Element {
    const ElementType *type = nullptr;
    std::string guid;
    bool enabled = true;
    std::vector<ParamValue> values;  // parallel to type->params
    int64_t parameterIdBase = 0;     // parameterid of parameter i is base + i

    // The value of the parameter of that name; null when the type has none.
    const ParamValue *Find(const char *paramName) const;
    // The first component of a scalar parameter, or fallback.
    float Scalar(const char *paramName, float fallback) const;
};

// The flare's global values.
struct FlareGlobals {
    bool enabled = true;
    float intensity = 1.0f;
    float scale = 1.0f;
    float occlusionRadius = 0.05f;    // flare units: where plane 4 is sampled around the light
    float anamorphicStretch = 1.0f;   // >1 widens horizontally: heights are divided by it
    bool fastDrag = false;            // cheaper approximate renders while dragging
    int32_t randomSeed = 1;
    float color[3] = {1.0f, 1.0f, 1.0f};  // tints the whole flare
    bool useLightParams = true;       // multiply by the light's colour and intensity
    float angle = 0.0f;               // degrees, turns every element
    bool glowBehindObjects = false;
    bool fadeIfNearBorder = false;
    bool fadeIfBehindObjects = true;
    bool fadeIfApproachingObjects = false;
    bool fadeWithDistance = false;
    float refDistance = 100.0f;
    bool scaleGlowWithDistance = false;
    bool scaleReflexesWithDistance = false;
};

// The global values by their host keyword, with the limits a number (or
// each colour component) must keep; the keyword engine clamps to them and
// library files are checked against them.
struct GlobalField {
    const char *keyword;
    bool FlareGlobals::*toggle;        // exactly one of these four is set
    float FlareGlobals::*number;
    int32_t FlareGlobals::*integer;    // any 32-bit value
    float (FlareGlobals::*rgb)[3];
    float min, max;
};

// Every global value, in the order the host lists them.
const std::vector<GlobalField> &GlobalFields();

// Largest gradient and data block a parameter holds.
constexpr int32_t kMaxGradientEntries = 1024;
constexpr int32_t kMaxDataBytes = 65536;

struct Flare {
    FlareGlobals globals;
    std::vector<std::unique_ptr<Element>> elements;  // drawing order
};

// A new element of the type with every parameter at its default and a guid
// unique in the process.
std::unique_ptr<Element> NewElement(const ElementType &type);

// Sets a parameter's value, each component clamped to the definition's
// absolute limits (NaN becomes the lower limit).
void SetParamValue(const ParamDef &def, ParamValue &value, const float *components);

// Replaces a flare by the host's built-in default flare.
void MakeDefaultFlare(Flare &flare);

// Element list operations. Indexes out of range do nothing and return false.
Element *InsertElement(Flare &flare, size_t index, std::unique_ptr<Element> element);
bool DeleteElement(Flare &flare, size_t index);
// Swaps the element with its neighbour below (down) or above; at the ends
// nothing moves and true is returned.
bool MoveElement(Flare &flare, size_t index, bool down);
// Index of the element with that guid, or -1.
long FindElement(const Flare &flare, const char *guid);

// A named object of the scene that owns a lens flare.
struct HostObject {
    QiToken kind = 0;          // token of "light" or "camera"
    std::string name;
    float lightColor[3] = {1.0f, 1.0f, 1.0f};  // the light's own colour
    float lightIntensity = 1.0f;
    float distance = 100.0f;   // from the camera, in scene units (for distance fading)
    Flare flare;
};

// The scene's objects. The host is driven from one thread; the store takes
// no locks.
HostObject *FindObject(QiToken kind, const std::string &name);
// Creates an object with the default flare; null when one of that kind and
// name exists already or the kind is neither "light" nor "camera".
HostObject *CreateObject(QiToken kind, const std::string &name);
bool RemoveObject(QiToken kind, const std::string &name);
// Removes every object (for tests and the host's shutdown).
void ClearObjects();

}  // namespace qi

#endif
