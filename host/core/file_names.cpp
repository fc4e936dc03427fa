// File existence, file name extensions, and failures of file writes for tests.
#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/core/qi_host.h"
#include "host/formats/file_text.h"

namespace {

bool IsSeparator(char c)
{
    return c == '/' || c == '\\' || c == ':';
}

bool EqualsIgnoringCase(const char *a, const char *b, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// Start of the file part of a path: after the last separator.
size_t FilePartStart(const std::string &path)
{
    size_t i = path.size();
    while (i > 0 && !IsSeparator(path[i - 1]))
        --i;
    return i;
}

}  // namespace

extern "C" void Qi_File_Exists(const char *path, int32_t *exists)
{
    if (!exists)
        return;
    struct stat info;
    *exists = path && *path && stat(path, &info) == 0 ? 1 : 0;
}

extern "C" int16_t Qi_Check_For_File_Extension(const char *path, const char *extension)
{
    if (!path || !extension)
        return 0;
    size_t n = std::strlen(path), e = std::strlen(extension);
    return e > 0 && n >= e && EqualsIgnoringCase(path + n - e, extension, e) ? 1 : 0;
}

// The extension replaces the file part's last extension, or is appended when
// there is none. A file part written all in upper case gets the extension in
// upper case too (STARS.LNZ becomes STARS.BAK). When the result would not fit
// QI_PATH_MAX, the name before the extension is shortened so that the
// extension survives, and the shortening is reported.
extern "C" void Qi_Check_File_Extension(const char *source, char *destination,
                                        const char *extension)
{
    if (!destination)
        return;
    std::string path = source ? source : "";
    std::string ext = extension ? extension : "";
    if (!ext.empty() && ext[0] != '.')
        ext.insert(ext.begin(), '.');

    size_t file = FilePartStart(path);
    size_t dot = path.rfind('.');
    bool hasExtension = dot != std::string::npos && dot > file;
    bool upper = false, lower = false;
    for (size_t i = file; i < path.size(); ++i) {
        upper |= std::isupper(static_cast<unsigned char>(path[i])) != 0;
        lower |= std::islower(static_cast<unsigned char>(path[i])) != 0;
    }
    if (!Qi_Check_For_File_Extension(path.c_str(), ext.c_str())) {
        if (hasExtension)
            path.erase(dot);
        if (upper && !lower)
            for (char &c : ext)
                c = char(std::toupper(static_cast<unsigned char>(c)));
        path += ext;
    }
    if (path.size() >= QI_PATH_MAX) {
        size_t tail = ext.size();  // the path ends in the extension here
        path = path.substr(0, QI_PATH_MAX - 1 - tail) + path.substr(path.size() - tail);
        Qi_Report_Error(2, "ERR_PATH_TOO_LONG", "Qi_Check_File_Extension()", path.c_str());
    }
    std::memcpy(destination, path.c_str(), path.size() + 1);
}

extern "C" void QiHost_Fail_File_Writes(int32_t count)
{
    qi::format::FailTextFileWrites(count);
}
