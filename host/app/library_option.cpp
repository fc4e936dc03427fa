#include "host/app/library_option.h"

namespace {

bool IsRelative(const std::string &path)
{
    return !path.empty() && path[0] != '/' && path[0] != '\\' &&
           !(path.size() > 1 && path[1] == ':');
}

bool Exists(const std::string &path)
{
    int32_t exists = 0;
    Qi_File_Exists(path.c_str(), &exists);
    return exists != 0;
}

// The path as given, or its place under the working directory's "lensfx"
// folder when only that exists.
std::string Locate(const std::string &path)
{
    const char *working = nullptr;
    Qi_Inquire_Environment("QX_WORKING_DIR", &working);
    if (Exists(path) || !IsRelative(path) || !working || !*working)
        return path;
    std::string candidate = working;
    if (candidate.back() != '/' && candidate.back() != '\\')
        candidate += '/';
    candidate += "lensfx/" + path;
    return Exists(candidate) ? candidate : path;
}

// The host's file status in words (0 is success).
const char *FileFailure(int32_t status, bool save)
{
    switch (status) {
    case -1:
        return save ? "the file cannot be written" : "the file cannot be opened";
    case -2:
        return save ? "the flare cannot be saved" : "the file is no valid lens flare library";
    case -3:
        return "there is not enough memory";
    default:
        return "the host refused the call";
    }
}

}  // namespace

bool LoadLibraryFile(QiToken kind, const char *name, const std::string &path, std::string &error)
{
    const std::string located = Locate(path);
    int32_t status = -1;
    Qi_LensFlare(kind, name, Qi_Inquire_Token("loadfromfile"), located.c_str(), &status, QI_END);
    if (status != 0) {
        error = "cannot load the library file '" + located + "': " + FileFailure(status, false);
        return false;
    }
    return true;
}

bool SaveLibraryFile(QiToken kind, const char *name, const std::string &path, std::string &error)
{
    int32_t status = -2;
    Qi_LensFlare(kind, name, Qi_Inquire_Token("savetofile"), path.c_str(), &status, QI_END);
    if (status != 0) {
        error = "cannot save the library file '" + path + "': " + FileFailure(status, true);
        return false;
    }
    return true;
}
