#include "host/app/kept_flare.h"

#include <windows.h>

#include <climits>
#include <cstdio>

#include "host/app/library_option.h"

namespace {

constexpr int kMissing = INT_MIN;

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int ReadInt(const char *iniPath, const char *key)
{
    return static_cast<int>(GetPrivateProfileIntA(kKeptLightSection, key, kMissing, iniPath));
}

void WriteInt(const char *iniPath, const char *key, int32_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%ld", long(value));
    WritePrivateProfileStringA(kKeptLightSection, key, text, iniPath);
}

}  // namespace

std::string SetAsideName(const std::string &path)
{
    const std::string extension = ".lnz";
    if (path.size() > extension.size() &&
        _stricmp(path.c_str() + path.size() - extension.size(), extension.c_str()) == 0)
        return path.substr(0, path.size() - extension.size()) + ".damaged" + extension;
    return path + ".damaged";
}

bool RestoreKeptFlare(const std::string &path, QiToken kind, const char *name,
                      std::string &problem)
{
    std::string error;
    if (!Exists(path) || LoadLibraryFile(kind, name, path, error))
        return true;
    const std::string aside = SetAsideName(path);
    problem = "The flare kept from the last session cannot be loaded: " + error + ".\n\n";
    if (MoveFileExA(path.c_str(), aside.c_str(), MOVEFILE_REPLACE_EXISTING))
        problem += "The file was set aside as '" + aside + "'.";
    else
        problem += "The file could not be set aside and will be replaced when Quorix closes.";
    problem += " The light has the default flare.";
    return false;
}

bool KeepFlare(const std::string &path, QiToken kind, const char *name)
{
    std::string error;
    if (SaveLibraryFile(kind, name, path, error))
        return true;
    Qi_Report_Error(3, "ERR_FILE_WRITE", "quorix.exe", error.c_str());
    return false;
}

bool ReadKeptLight(const char *iniPath, int32_t &x, int32_t &y)
{
    const int keptX = ReadInt(iniPath, "X"), keptY = ReadInt(iniPath, "Y");
    if (keptX < 0 || keptY < 0 || keptX > SHRT_MAX || keptY > SHRT_MAX)
        return false;
    x = keptX;
    y = keptY;
    return true;
}

void WriteKeptLight(const char *iniPath, int32_t x, int32_t y)
{
    WriteInt(iniPath, "X", x);
    WriteInt(iniPath, "Y", y);
}
