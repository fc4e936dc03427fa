#include "host/app/library_option.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <system_error>

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

// Forgets the host's earlier errors, so that HostReason tells this call's.
void ForgetHostErrors()
{
    char detail[8];
    Qi_Take_Last_Error(detail, sizeof detail);
}

// The host's reason for the failure of the call about the file at path,
// without the path it begins with: "path: the disk is full" gives "the disk
// is full", "path:12: ..." gives "line 12: ...". Empty when there is none.
std::string HostReason(const std::string &path)
{
    char detail[512] = "";
    Qi_Take_Last_Error(detail, sizeof detail);
    std::string reason = detail;
    auto samePath = [&] {
        for (size_t i = 0; i < path.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(reason[i])) !=
                std::tolower(static_cast<unsigned char>(path[i])))
                return false;
        return true;
    };
    if (reason.size() > path.size() && reason[path.size()] == ':' && samePath()) {
        reason.erase(0, path.size() + 1);
        size_t digits = reason.find_first_not_of("0123456789");
        if (digits != 0 && digits != std::string::npos && reason[digits] == ':')
            reason.insert(0, "line ");
        reason.erase(0, reason.find_first_not_of(' '));
    }
    while (!reason.empty() && reason.back() == '.')
        reason.pop_back();
    return reason;
}

}  // namespace

bool LoadLibraryFile(QiToken kind, const char *name, const std::string &path, std::string &error)
{
    const std::string located = Locate(path);
    int32_t status = -1;
    ForgetHostErrors();
    Qi_LensFlare(kind, name, Qi_Inquire_Token("loadfromfile"), located.c_str(), &status, QI_END);
    if (status != 0) {
        const std::string reason = HostReason(located);
        error = "cannot load the library file '" + located + "': " + FileFailure(status, false) +
                (reason.empty() ? "" : " (" + reason + ")");
        return false;
    }
    return true;
}

bool SaveLibraryFile(QiToken kind, const char *name, const std::string &path, std::string &error)
{
    // Written beside the file and put in its place only once complete, so
    // that a failed save leaves the former file as it was.
    const std::string temporary = path + ".saving";
    int32_t status = -2;
    ForgetHostErrors();
    Qi_LensFlare(kind, name, Qi_Inquire_Token("savetofile"), temporary.c_str(), &status, QI_END);
    if (status != 0) {
        // A file that cannot be written is named with the system's cause.
        const std::string reason = HostReason(temporary);
        std::remove(temporary.c_str());
        error = "cannot save the library file '" + path +
                "': " + (status == -1 && !reason.empty() ? reason : FileFailure(status, true));
        return false;
    }
    std::error_code failure;
    std::filesystem::rename(temporary, path, failure);  // replaces the former file
    if (failure) {
        std::remove(temporary.c_str());
        error = "cannot replace the library file '" + path + "'; it was left as it was";
        return false;
    }
    return true;
}
