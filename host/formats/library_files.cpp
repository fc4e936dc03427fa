// Library files of Qi_LensFlare's "savetofile" and "loadfromfile": the flare
// as the text of library_text.h, written or read at once.
#include <new>

#include "host/api/qi_core.h"
#include "host/core/flare_library.h"
#include "host/formats/file_text.h"
#include "host/formats/findings.h"
#include "host/formats/library_text.h"

namespace qi {

namespace {

constexpr const char *kOrigin = "Qi_LensFlare()";

constexpr int32_t kStatusCannotOpen = -1;
constexpr int32_t kStatusBadFile = -2;
constexpr int32_t kStatusNoMemory = -3;

int32_t Refuse(int32_t status, const char *errorName, const std::string &detail)
{
    Qi_Report_Error(3, errorName, kOrigin, detail.c_str());
    return status;
}

std::string Named(const char *path)
{
    return std::string("\"") + (path ? path : "") + "\"";
}

// The start of a report about the file, as the readers' findings begin.
std::string Where(const char *path)
{
    return std::string(path ? path : "") + ": ";
}

}  // namespace

int32_t SaveFlareLibrary(const Flare &flare, const char *path)
{
    try {
        std::string reason;
        if (!format::WriteTextFile(path, format::WriteLibraryText(flare), reason))
            return Refuse(kStatusCannotOpen, "ERR_FILE_WRITE", Where(path) + reason);
        return 0;
    } catch (const std::bad_alloc &) {
        return Refuse(kStatusNoMemory, "ERR_OUT_OF_MEMORY", "writing " + Named(path));
    }
}

int32_t LoadFlareLibrary(Flare &flare, const char *path)
{
    try {
        std::string text;
        switch (format::ReadTextFile(path, format::kMaxLibraryBytes, text)) {
        case format::ReadResult::Ok:
            break;
        case format::ReadResult::CannotOpen:
            return Refuse(kStatusCannotOpen, "ERR_FILE_OPEN",
                          Where(path) + "the file cannot be found or read");
        case format::ReadResult::TooLarge:
            return Refuse(kStatusBadFile, format::FaultName(format::Fault::Limit),
                          Where(path) + "the file is larger than " +
                              std::to_string(format::kMaxLibraryBytes >> 20) + " MiB");
        }
        Flare loaded;
        format::Findings findings;
        const bool read = format::ReadLibraryText(text, loaded, findings);
        format::ReportFindings(findings, kOrigin, path);
        if (!read)
            return kStatusBadFile;
        flare.globals = loaded.globals;
        flare.elements = std::move(loaded.elements);
        return 0;
    } catch (const std::bad_alloc &) {
        return Refuse(kStatusNoMemory, "ERR_OUT_OF_MEMORY", "reading " + Named(path));
    }
}

}  // namespace qi
