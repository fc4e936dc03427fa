#include "tests/library/host_flares.h"

#include <windows.h>

#include "tests/support/scratch_files.h"
#include "tests/support/token.h"

namespace {

const char kMaker[] = "LibraryTestMaker";

struct PendingDamage {
    std::string path;
    int loadsLeft;
} damage;

void DamageOnLoad(const char *function, int64_t firstSlot, void *)
{
    if (std::string(function) != "Qi_LensFlare" || firstSlot != T("loadfromfile") ||
        --damage.loadsLeft > 0)
        return;
    WriteFile(damage.path, "quorix-lensflare 1.0\nglobals\n    intensity much\nend\n");
    QiHost_Set_Call_Trace(nullptr, nullptr);
}

}  // namespace

void MakeLibraryFile(const std::string &path, const std::vector<const char *> &types,
                     const std::function<void(const char *light)> &edit)
{
    Qi_Light(kMaker, T("model"), T("point"), QI_END);
    for (int32_t count = ElementCount(T("light"), kMaker); count > 0; --count) {
        int32_t first = 0;
        const char *guid = nullptr;
        Qi_Inquire_LensFlare(T("light"), kMaker, T("element"), &first, T("guid"), &guid,
                             QI_GROUP, QI_END);
        Qi_LensFlare(T("light"), kMaker, T("delete"), guid, QI_END);
    }
    for (const char *type : types) {
        const char *guid = nullptr;
        Qi_LensFlare(T("light"), kMaker, T("insert"), T("end"), type, &guid, QI_END);
    }
    if (edit)
        edit(kMaker);
    int32_t status = -1;
    Qi_LensFlare(T("light"), kMaker, T("savetofile"), path.c_str(), &status, QI_END);
    Qi_Remove(T("light"), kMaker, QI_END);
}

std::string FlareText(QiToken kind, const char *name)
{
    const std::string path = ScratchPath("flare-text.lnz");
    int32_t status = -1;
    Qi_LensFlare(kind, name, T("savetofile"), path.c_str(), &status, QI_END);
    std::string text = status == 0 ? ReadFile(path) : "";
    DeleteFileA(path.c_str());
    return text;
}

std::string LibraryFileText(const std::string &path)
{
    Qi_Light(kMaker, T("model"), T("point"), QI_END);
    int32_t status = -1;
    Qi_LensFlare(T("light"), kMaker, T("loadfromfile"), path.c_str(), &status, QI_END);
    std::string text = status == 0 ? FlareText(T("light"), kMaker) : "";
    Qi_Remove(T("light"), kMaker, QI_END);
    return text;
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

void DamageFileAtLoad(const std::string &path, int nth)
{
    damage = {path, nth};
    QiHost_Set_Call_Trace(DamageOnLoad, nullptr);
}
