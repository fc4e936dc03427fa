// Host tokens of the keywords under which the working flare travels. Tokens
// are stable for the process, so they are looked up once.
#ifndef MODEL_FLARE_KEYWORDS_H
#define MODEL_FLARE_KEYWORDS_H

#include "host/api/qi_core.h"

struct FlareKeywords {
    QiToken enabled, intensity, scale, occlusionradius, anamorphicstretch, fastdrag, randomseed,
        color, rgb, uselightparams, angle, glowbehindobjects, fadeifnearborder,
        fadeifbehindobjects, fadeifapproachingobjects, fadewithdistance, refdistance,
        scaleglowwithdistance, scalereflexeswithdistance, numelements;
    QiToken element, numparameterdefinitions, description, name, guid;
    QiToken parameter, parameterid, definition, type, absminrange, absmaxrange, uiminrange,
        uimaxrange, defaultvalue, delta, precision, floatarg, displayaspercentage, value,
        gradientdata, arbitrarydata;
};

const FlareKeywords &Keywords();

#endif
