#include "model/flare_keywords.h"

namespace {

FlareKeywords LookUp()
{
    FlareKeywords k;
    k.enabled = Qi_Inquire_Token("enabled");
    k.intensity = Qi_Inquire_Token("intensity");
    k.scale = Qi_Inquire_Token("scale");
    k.occlusionradius = Qi_Inquire_Token("occlusionradius");
    k.anamorphicstretch = Qi_Inquire_Token("anamorphicstretch");
    k.fastdrag = Qi_Inquire_Token("fastdrag");
    k.randomseed = Qi_Inquire_Token("randomseed");
    k.color = Qi_Inquire_Token("color");
    k.rgb = Qi_Inquire_Token("rgb");
    k.uselightparams = Qi_Inquire_Token("uselightparams");
    k.angle = Qi_Inquire_Token("angle");
    k.glowbehindobjects = Qi_Inquire_Token("glowbehindobjects");
    k.fadeifnearborder = Qi_Inquire_Token("fadeifnearborder");
    k.fadeifbehindobjects = Qi_Inquire_Token("fadeifbehindobjects");
    k.fadeifapproachingobjects = Qi_Inquire_Token("fadeifapproachingobjects");
    k.fadewithdistance = Qi_Inquire_Token("fadewithdistance");
    k.refdistance = Qi_Inquire_Token("refdistance");
    k.scaleglowwithdistance = Qi_Inquire_Token("scaleglowwithdistance");
    k.scalereflexeswithdistance = Qi_Inquire_Token("scalereflexeswithdistance");
    k.numelements = Qi_Inquire_Token("numelements");
    k.element = Qi_Inquire_Token("element");
    k.numparameterdefinitions = Qi_Inquire_Token("numparameterdefinitions");
    k.description = Qi_Inquire_Token("description");
    k.name = Qi_Inquire_Token("name");
    k.guid = Qi_Inquire_Token("guid");
    k.parameter = Qi_Inquire_Token("parameter");
    k.parameterid = Qi_Inquire_Token("parameterid");
    k.definition = Qi_Inquire_Token("definition");
    k.type = Qi_Inquire_Token("type");
    k.absminrange = Qi_Inquire_Token("absminrange");
    k.absmaxrange = Qi_Inquire_Token("absmaxrange");
    k.uiminrange = Qi_Inquire_Token("uiminrange");
    k.uimaxrange = Qi_Inquire_Token("uimaxrange");
    k.defaultvalue = Qi_Inquire_Token("defaultvalue");
    k.delta = Qi_Inquire_Token("delta");
    k.precision = Qi_Inquire_Token("precision");
    k.floatarg = Qi_Inquire_Token("floatarg");
    k.displayaspercentage = Qi_Inquire_Token("displayaspercentage");
    k.value = Qi_Inquire_Token("value");
    k.gradientdata = Qi_Inquire_Token("gradientdata");
    k.arbitrarydata = Qi_Inquire_Token("arbitrarydata");
    return k;
}

}  // namespace

const FlareKeywords &Keywords()
{
    static const FlareKeywords keywords = LookUp();
    return keywords;
}
