// What the fuzz targets hold every run to: a broken rule aborts the run, and
// every value of a flare keeps the limits of its definition.
#ifndef TESTS_SUPPORT_FUZZ_RULES_H
#define TESTS_SUPPORT_FUZZ_RULES_H

#include <cstdio>
#include <cstdlib>

#include "host/core/flare_model.h"

[[noreturn]] inline void Broken(const char *rule)
{
    std::fprintf(stderr, "a rule of the fuzz target is broken: %s\n", rule);
    std::abort();
}

// The first limit the flare's values leave, or null when they keep them all.
inline const char *BrokenLimit(const qi::Flare &flare)
{
    auto within = [](float v, float min, float max) { return v >= min && v <= max; };
    for (const qi::GlobalField &field : qi::GlobalFields()) {
        if (field.number && !within(flare.globals.*field.number, field.min, field.max))
            return "a global number leaves its limits";
        if (field.rgb)
            for (float c : flare.globals.*field.rgb)
                if (!within(c, field.min, field.max))
                    return "a global colour leaves its limits";
    }
    for (const auto &element : flare.elements)
        for (size_t p = 0; p < element->values.size(); ++p) {
            const qi::ParamDef &def = element->type->params[p];
            const qi::ParamValue &v = element->values[p];
            for (int i = 0; i < 3; ++i)
                if (!within(v.value[i], def.absMin[i], def.absMax[i]))
                    return "a value leaves its absolute limits";
            if (v.gradient.size() > size_t(qi::kMaxGradientEntries) ||
                v.data.size() > size_t(qi::kMaxDataBytes))
                return "a gradient or data block is too large";
            float last = 0.0f;
            for (const qi::GradientStop &stop : v.gradient) {
                if (!within(stop.offset, last, 1.0f))
                    return "gradient offsets leave 0..1 or decrease";
                last = stop.offset;
                for (float c : stop.rgb)
                    if (!within(c, 0.0f, 1.0f))
                        return "a gradient colour leaves 0..1";
            }
        }
    return nullptr;
}

#endif
