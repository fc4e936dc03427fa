// The table of a flare's global values and their limits.
#include "host/core/flare_model.h"

namespace qi {

namespace {

GlobalField Toggle(const char *keyword, bool FlareGlobals::*field)
{
    return {keyword, field, nullptr, nullptr, nullptr, 0.0f, 1.0f};
}

GlobalField Number(const char *keyword, float FlareGlobals::*field, float min, float max)
{
    return {keyword, nullptr, field, nullptr, nullptr, min, max};
}

}  // namespace

const std::vector<GlobalField> &GlobalFields()
{
    static const auto *fields = new std::vector<GlobalField>{
        Toggle("enabled", &FlareGlobals::enabled),
        Number("intensity", &FlareGlobals::intensity, 0.0f, 1e4f),
        Number("scale", &FlareGlobals::scale, 0.01f, 1e3f),
        Number("occlusionradius", &FlareGlobals::occlusionRadius, 0.001f, 100.0f),
        Number("anamorphicstretch", &FlareGlobals::anamorphicStretch, 0.01f, 100.0f),
        Toggle("fastdrag", &FlareGlobals::fastDrag),
        {"randomseed", nullptr, nullptr, &FlareGlobals::randomSeed, nullptr, 0.0f, 0.0f},
        {"color", nullptr, nullptr, nullptr, &FlareGlobals::color, 0.0f, 1.0f},
        Toggle("uselightparams", &FlareGlobals::useLightParams),
        Number("angle", &FlareGlobals::angle, -36000.0f, 36000.0f),
        Toggle("glowbehindobjects", &FlareGlobals::glowBehindObjects),
        Toggle("fadeifnearborder", &FlareGlobals::fadeIfNearBorder),
        Toggle("fadeifbehindobjects", &FlareGlobals::fadeIfBehindObjects),
        Toggle("fadeifapproachingobjects", &FlareGlobals::fadeIfApproachingObjects),
        Toggle("fadewithdistance", &FlareGlobals::fadeWithDistance),
        Number("refdistance", &FlareGlobals::refDistance, 0.001f, 1e9f),
        Toggle("scaleglowwithdistance", &FlareGlobals::scaleGlowWithDistance),
        Toggle("scalereflexeswithdistance", &FlareGlobals::scaleReflexesWithDistance),
    };
    return *fields;
}

}  // namespace qi
