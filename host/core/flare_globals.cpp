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
        Number("intensity", &FlareGlobals::intensity, QI_INTENSITY_MIN, QI_INTENSITY_MAX),
        Number("scale", &FlareGlobals::scale, QI_SCALE_MIN, QI_SCALE_MAX),
        Number("occlusionradius", &FlareGlobals::occlusionRadius, QI_OCCLUSIONRADIUS_MIN,
               QI_OCCLUSIONRADIUS_MAX),
        Number("anamorphicstretch", &FlareGlobals::anamorphicStretch, QI_ANAMORPHICSTRETCH_MIN,
               QI_ANAMORPHICSTRETCH_MAX),
        Toggle("fastdrag", &FlareGlobals::fastDrag),
        {"randomseed", nullptr, nullptr, &FlareGlobals::randomSeed, nullptr, 0.0f, 0.0f},
        {"color", nullptr, nullptr, nullptr, &FlareGlobals::color, 0.0f, 1.0f},
        Toggle("uselightparams", &FlareGlobals::useLightParams),
        Number("angle", &FlareGlobals::angle, QI_ANGLE_MIN, QI_ANGLE_MAX),
        Toggle("glowbehindobjects", &FlareGlobals::glowBehindObjects),
        Toggle("fadeifnearborder", &FlareGlobals::fadeIfNearBorder),
        Toggle("fadeifbehindobjects", &FlareGlobals::fadeIfBehindObjects),
        Toggle("fadeifapproachingobjects", &FlareGlobals::fadeIfApproachingObjects),
        Toggle("fadewithdistance", &FlareGlobals::fadeWithDistance),
        Number("refdistance", &FlareGlobals::refDistance, QI_REFDISTANCE_MIN, QI_REFDISTANCE_MAX),
        Toggle("scaleglowwithdistance", &FlareGlobals::scaleGlowWithDistance),
        Toggle("scalereflexeswithdistance", &FlareGlobals::scaleReflexesWithDistance),
    };
    return *fields;
}

}  // namespace qi
