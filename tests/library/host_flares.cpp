#include "tests/library/host_flares.h"

#include <cstring>
#include <sstream>

#include "model/working_flare.h"
#include "tests/support/token.h"

namespace {

const char kMaker[] = "LibraryTestMaker";

void Floats(std::ostringstream &out, const float *values, int count)
{
    for (int i = 0; i < count; ++i) {
        uint32_t bits;
        std::memcpy(&bits, &values[i], sizeof bits);
        out << ' ' << std::hex << bits << std::dec;
    }
}

void Parameter(std::ostringstream &out, const FlareParameter &p)
{
    out << "  parameter " << p.type << ' ' << p.guid << ' ' << (p.name ? p.name : "")
        << " value";
    Floats(out, p.Qv_Current_Value, 3);
    out << " gradient " << p.gradientCount;
    if (p.gradientColors)
        Floats(out, p.gradientColors, 3 * p.gradientCount);
    if (p.gradientOffsets)
        Floats(out, p.gradientOffsets, p.gradientCount);
    out << " data " << p.arbitraryDataSize << ' '
        << std::string(p.arbitraryData ? p.arbitraryData : "", size_t(p.arbitraryDataSize))
        << '\n';
}

}  // namespace

void MakeLibraryFile(const std::string &path, const std::vector<const char *> &types)
{
    Qi_Light(kMaker, T("model"), T("point"), QI_END);
    QiToken light = T("light");
    for (int32_t count = ElementCount(light, kMaker); count > 0; --count) {
        int32_t first = 0;
        const char *guid = nullptr;
        Qi_Inquire_LensFlare(light, kMaker, T("element"), &first, T("guid"), &guid, QI_GROUP,
                             QI_END);
        Qi_LensFlare(light, kMaker, T("delete"), guid, QI_END);
    }
    for (const char *type : types) {
        const char *guid = nullptr;
        Qi_LensFlare(light, kMaker, T("insert"), T("end"), type, &guid, QI_END);
    }
    int32_t status = -1;
    Qi_LensFlare(light, kMaker, T("savetofile"), path.c_str(), &status, QI_END);
    Qi_Remove(light, kMaker, QI_END);
}

std::string FlareValues(QiToken kind, const char *name)
{
    PluginInstance instance = {};
    LoadWorkingFlare(&instance, kind, name);
    std::ostringstream out;
    const WorkingFlare *f = instance.workingFlare;
    if (!f)
        return "";
    out << "globals " << f->enabled << ' ' << f->fastdrag << ' ' << f->randomseed << ' '
        << f->uselightparams << ' ' << f->glowbehindobjects << ' ' << f->fadeifnearborder << ' '
        << f->fadeifbehindobjects << ' ' << f->fadeifapproachingobjects << ' '
        << f->fadewithdistance << ' ' << f->scaleglowwithdistance << ' '
        << f->scalereflexeswithdistance;
    const float numbers[] = {f->intensity, f->scale, f->occlusionradius, f->anamorphicstretch,
                             f->angle, f->refdistance};
    Floats(out, numbers, 6);
    Floats(out, f->color, 3);
    out << "\nelements " << f->numelements << '\n';
    for (const FlareElement *e = f->firstElement; e; e = e->next) {
        out << " element " << (e->name ? e->name : "") << ' ' << e->enabled << ' '
            << (e->description ? e->description : "") << '\n';
        for (const FlareParameter *p = e->firstParameter; p; p = p->next)
            Parameter(out, *p);
    }
    ReleaseWorkingFlare(&instance);
    return out.str();
}

std::string LibraryFileValues(const std::string &path)
{
    Qi_Light(kMaker, T("model"), T("point"), QI_END);
    int32_t status = -1;
    Qi_LensFlare(T("light"), kMaker, T("loadfromfile"), path.c_str(), &status, QI_END);
    std::string values = status == 0 ? FlareValues(T("light"), kMaker) : "";
    Qi_Remove(T("light"), kMaker, QI_END);
    return values;
}

int32_t ElementCount(QiToken kind, const char *name)
{
    int32_t count = -1;
    Qi_Inquire_LensFlare(kind, name, T("numelements"), &count, QI_END);
    return count;
}

bool LightExists(const char *name)
{
    int32_t exists = 0;
    Qi_Handle_Name_Exists(name, &exists, T("light"), QI_END);
    return exists != 0;
}
