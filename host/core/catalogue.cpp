// The catalogue of element types the host offers, and the default flare.
// docs/catalogue.md describes every type and parameter for users.
#include <cstring>

#include "host/core/flare_model.h"

namespace qi {

namespace {

ParamDef Base(const char *name, const char *description, ParamType type)
{
    ParamDef def{};
    def.name = name;
    def.description = description;
    def.type = type;
    def.listEntries = nullptr;
    return def;
}

void Fill(float (&v)[3], float a, float b, float c)
{
    v[0] = a;
    v[1] = b;
    v[2] = c;
}

// A float slider: control range, absolute limits, default, precision.
ParamDef Float(const char *name, const char *description, float uiMin, float uiMax,
               float absMin, float absMax, float value, int16_t precision,
               bool percentage = false)
{
    ParamDef def = Base(name, description, ParamType::FloatSlider);
    Fill(def.uiMin, uiMin, 0, 0);
    Fill(def.uiMax, uiMax, 0, 0);
    Fill(def.absMin, absMin, 0, 0);
    Fill(def.absMax, absMax, 0, 0);
    Fill(def.defaultValue, value, 0, 0);
    float step = 1.0f;
    for (int i = 0; i < precision; ++i)
        step /= 10.0f;
    Fill(def.delta, step, 0, 0);
    def.precision = precision;
    def.floatArg = true;
    def.percentage = percentage;
    return def;
}

ParamDef Intensity(float value)
{
    return Float("intensity", "Intensity", 0.0f, 2.0f, 0.0f, 50.0f, value, 1, true);
}

ParamDef Int(const char *name, const char *description, int uiMin, int uiMax, int absMin,
             int absMax, int value)
{
    ParamDef def = Base(name, description, ParamType::IntSlider);
    Fill(def.uiMin, float(uiMin), 0, 0);
    Fill(def.uiMax, float(uiMax), 0, 0);
    Fill(def.absMin, float(absMin), 0, 0);
    Fill(def.absMax, float(absMax), 0, 0);
    Fill(def.defaultValue, float(value), 0, 0);
    Fill(def.delta, 1, 0, 0);
    return def;
}

ParamDef AngleParam(const char *name, const char *description, float value)
{
    ParamDef def = Base(name, description, ParamType::Angle);
    Fill(def.uiMin, 0, 0, 0);
    Fill(def.uiMax, 360, 0, 0);
    Fill(def.absMin, -3600, 0, 0);
    Fill(def.absMax, 3600, 0, 0);
    Fill(def.defaultValue, value, 0, 0);
    Fill(def.delta, 1, 0, 0);
    def.precision = 1;
    def.floatArg = true;
    return def;
}

ParamDef Checkbox(const char *name, const char *description, bool value)
{
    ParamDef def = Base(name, description, ParamType::Checkbox);
    Fill(def.uiMax, 1, 0, 0);
    Fill(def.absMax, 1, 0, 0);
    Fill(def.defaultValue, value ? 1.0f : 0.0f, 0, 0);
    Fill(def.delta, 1, 0, 0);
    return def;
}

ParamDef Colour(const char *name, const char *description, float r, float g, float b)
{
    ParamDef def = Base(name, description, ParamType::Color);
    Fill(def.uiMax, 1, 1, 1);
    Fill(def.absMax, 1, 1, 1);
    Fill(def.defaultValue, r, g, b);
    Fill(def.delta, 1.0f / 255, 1.0f / 255, 1.0f / 255);
    def.precision = 3;
    def.floatArg = true;
    return def;
}

// A list; entries is "Name:value,..." with values from first to last.
ParamDef List(const char *name, const char *description, const char *entries, int first,
              int last, int value)
{
    ParamDef def = Base(name, description, ParamType::List);
    Fill(def.uiMin, float(first), 0, 0);
    Fill(def.uiMax, float(last), 0, 0);
    Fill(def.absMin, float(first), 0, 0);
    Fill(def.absMax, float(last), 0, 0);
    Fill(def.defaultValue, float(value), 0, 0);
    Fill(def.delta, 1, 0, 0);
    def.listEntries = entries;
    return def;
}

ParamDef GradientParam(const char *name, const char *description,
                       std::vector<GradientStop> stops)
{
    ParamDef def = Base(name, description, ParamType::Gradient);
    Fill(def.uiMax, 1, 1, 1);
    Fill(def.absMax, 1, 1, 1);
    def.defaultGradient = std::move(stops);
    return def;
}

ParamDef PointParam(const char *name, const char *description, float x, float y)
{
    ParamDef def = Base(name, description, ParamType::Point);
    Fill(def.uiMin, -2, -2, 0);
    Fill(def.uiMax, 2, 2, 0);
    Fill(def.absMin, -10, -10, 0);
    Fill(def.absMax, 10, 10, 0);
    Fill(def.defaultValue, x, y, 0);
    Fill(def.delta, 0.01f, 0.01f, 0);
    def.precision = 2;
    def.floatArg = true;
    return def;
}

ParamDef DataParam(const char *name, const char *description, std::vector<uint8_t> data)
{
    ParamDef def = Base(name, description, ParamType::ArbitraryData);
    def.defaultData = std::move(data);
    return def;
}

ParamDef AxisPosition(float value)
{
    return Float("position", "Position on Axis", -1.0f, 3.0f, -10.0f, 10.0f, value, 2);
}

ParamDef Radius(float uiMax, float value)
{
    return Float("radius", "Radius", 0.0f, uiMax, 0.0f, 20.0f, value, 3);
}

// The spectrum of a rainbow ring, violet inside to red outside, fading at
// both edges.
std::vector<GradientStop> RingSpectrum()
{
    return {{0.00f, {0.00f, 0.00f, 0.00f}}, {0.16f, {0.37f, 0.00f, 0.75f}},
            {0.32f, {0.00f, 0.00f, 1.00f}}, {0.49f, {0.00f, 1.00f, 0.00f}},
            {0.65f, {1.00f, 1.00f, 0.00f}}, {0.81f, {1.00f, 0.50f, 0.00f}},
            {1.00f, {0.00f, 0.00f, 0.00f}}};
}

std::vector<ElementType> BuildCatalogue()
{
    std::vector<ElementType> types = {
        {"glow", "Central Glow",
         {Intensity(0.9f), Radius(2.0f, 0.35f),
          Float("falloff", "Falloff", 0.5f, 8.0f, 0.1f, 32.0f, 2.5f, 2),
          Colour("color", "Color", 1.0f, 0.92f, 0.78f),
          GradientParam("colors", "Radial Colors",
                        {{0.0f, {1.0f, 1.0f, 1.0f}}, {0.35f, {1.0f, 0.85f, 0.55f}},
                         {1.0f, {1.0f, 0.45f, 0.15f}}}),
          List("profile", "Profile", "Smooth:0,Linear:1,Hot Core:2", 0, 2, 2),
          PointParam("offset", "Offset", 0.0f, 0.0f)}},
        {"streaks", "Star Streaks",
         {Intensity(0.6f), Float("length", "Length", 0.0f, 3.0f, 0.0f, 20.0f, 1.1f, 3),
          Int("count", "Number of Streaks", 2, 16, 1, 64, 6),
          Float("thickness", "Thickness", 0.001f, 0.05f, 0.0005f, 0.5f, 0.006f, 4),
          AngleParam("angle", "Rotation", 15.0f), Colour("color", "Color", 1.0f, 0.95f, 0.85f),
          Checkbox("randomlengths", "Random Lengths", true),
          Float("variation", "Length Variation", 0.0f, 1.0f, 0.0f, 1.0f, 0.5f, 2, true)}},
        {"halo", "Halo Ring",
         {Intensity(0.35f), Radius(2.0f, 0.75f),
          Float("width", "Ring Width", 0.005f, 0.5f, 0.001f, 5.0f, 0.07f, 3),
          Colour("color", "Color", 1.0f, 1.0f, 1.0f),
          GradientParam("colors", "Ring Colors", RingSpectrum())}},
        {"anamorph", "Anamorphic Streak",
         {Intensity(0.5f), Float("length", "Length", 0.0f, 4.0f, 0.0f, 40.0f, 2.2f, 3),
          Float("thickness", "Thickness", 0.001f, 0.1f, 0.0005f, 1.0f, 0.012f, 4),
          AngleParam("angle", "Tilt", 0.0f), Colour("color", "Color", 0.35f, 0.55f, 1.0f),
          DataParam("profile", "Brightness Profile",
                    {255, 230, 190, 150, 118, 92, 72, 56, 43, 33, 25, 18, 12, 7, 3, 0})}},
        {"inter", "Reflex Chain",
         {Intensity(0.35f), Int("count", "Number of Reflexes", 1, 30, 1, 200, 8),
          Float("start", "Start Position", -1.0f, 3.0f, -10.0f, 10.0f, 0.3f, 2),
          Float("spread", "Spread", 0.0f, 3.0f, 0.0f, 20.0f, 1.6f, 2), Radius(0.5f, 0.045f),
          Float("sizevariation", "Size Variation", 0.0f, 1.0f, 0.0f, 1.0f, 0.6f, 2, true),
          GradientParam("colors", "Colors",
                        {{0.0f, {0.3f, 1.0f, 0.4f}}, {0.5f, {0.3f, 0.6f, 1.0f}},
                         {1.0f, {1.0f, 0.5f, 0.2f}}}),
          Int("seed", "Seed", 0, 999, 0, 1000000, 0)}},
        {"dscflx", "Disc Reflex",
         {Intensity(0.3f), AxisPosition(0.6f), Radius(1.0f, 0.12f),
          Float("softness", "Edge Softness", 0.0f, 1.0f, 0.0f, 1.0f, 0.3f, 2, true),
          Colour("color", "Color", 0.6f, 1.0f, 0.7f),
          GradientParam("colors", "Radial Colors",
                        {{0.0f, {1.0f, 1.0f, 1.0f}}, {1.0f, {1.0f, 1.0f, 1.0f}}})}},
        {"rngflx", "Ring Reflex",
         {Intensity(0.3f), AxisPosition(1.4f), Radius(1.0f, 0.22f),
          Float("width", "Ring Width", 0.005f, 0.5f, 0.001f, 5.0f, 0.03f, 3),
          Colour("color", "Color", 1.0f, 1.0f, 1.0f),
          GradientParam("colors", "Ring Colors", RingSpectrum())}},
        {"prflx", "Polygon Reflex",
         {Intensity(0.3f), AxisPosition(1.8f), Radius(1.0f, 0.15f),
          Int("sides", "Number of Sides", 3, 12, 3, 32, 6), AngleParam("angle", "Rotation", 0.0f),
          Float("softness", "Edge Softness", 0.0f, 1.0f, 0.0f, 1.0f, 0.2f, 2, true),
          Colour("color", "Color", 0.7f, 0.6f, 1.0f),
          Checkbox("outline", "Outline Only", false)}},
    };
    for (size_t t = 0; t < types.size(); ++t)
        for (size_t p = 0; p < types[t].params.size(); ++p)
            types[t].params[p].guid = int64_t(0x10000 * (t + 1) + p);
    return types;
}

}  // namespace

const std::vector<ElementType> &Catalogue()
{
    static const std::vector<ElementType> *catalogue = new std::vector<ElementType>(BuildCatalogue());
    return *catalogue;
}

const ElementType *FindElementType(const std::string &name)
{
    for (const ElementType &type : Catalogue())
        if (name == type.name)
            return &type;
    return nullptr;
}

int ElementType::ParamIndex(const char *paramName) const
{
    for (size_t i = 0; i < params.size(); ++i)
        if (std::strcmp(params[i].name, paramName) == 0)
            return int(i);
    return -1;
}

// The default flare: a hot core with its glow, star streaks, a halo ring, an
// anamorphic streak and a chain of coloured discs, rings and polygons along
// the axis.
void MakeDefaultFlare(Flare &flare)
{
    struct Setting {
        const char *param;
        float a, b, c;
    };
    struct Placement {
        const char *type;
        std::vector<Setting> settings;
    };
    const Placement placements[] = {
        {"glow", {{"radius", 0.65f}, {"falloff", 1.8f}}},
        {"streaks", {}},
        {"halo", {{"radius", 0.7f}, {"width", 0.12f}, {"intensity", 0.2f}}},
        {"anamorph", {}},
        {"inter", {{"intensity", 0.5f}}},
        {"dscflx", {{"position", 0.55f}, {"radius", 0.06f}, {"color", 0.5f, 1.0f, 0.6f},
                    {"intensity", 0.4f}}},
        {"rngflx", {{"position", 1.25f}, {"radius", 0.2f}}},
        {"dscflx", {{"position", 1.45f}, {"radius", 0.14f}, {"color", 0.45f, 0.6f, 1.0f},
                    {"intensity", 0.3f}}},
        {"prflx", {{"position", 1.8f}, {"radius", 0.1f}, {"color", 1.0f, 0.55f, 0.3f}}},
        {"dscflx", {{"position", 2.2f}, {"radius", 0.28f}, {"color", 0.7f, 0.5f, 1.0f},
                    {"intensity", 0.25f}, {"softness", 0.6f}}},
    };
    flare.globals = FlareGlobals{};
    flare.elements.clear();
    for (const Placement &placement : placements) {
        const ElementType *type = FindElementType(placement.type);
        std::unique_ptr<Element> element = NewElement(*type);
        for (const Setting &s : placement.settings) {
            int i = type->ParamIndex(s.param);
            float components[3] = {s.a, s.b, s.c};
            SetParamValue(type->params[size_t(i)], element->values[size_t(i)], components);
        }
        InsertElement(flare, flare.elements.size(), std::move(element));
    }
}

}  // namespace qi
