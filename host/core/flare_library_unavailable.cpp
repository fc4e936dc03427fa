// Library files are not readable or writable in this build yet: both
// operations report so and fail, leaving the flare and the file untouched.
#include "host/core/flare_library.h"

namespace qi {

namespace {

constexpr int32_t kStatusNotAvailable = -1;

int32_t NotAvailable(const char *what)
{
    Qi_Report_Error(3, "ERR_NOT_AVAILABLE", "Qi_LensFlare()", what);
    return kStatusNotAvailable;
}

}  // namespace

int32_t SaveFlareLibrary(const Flare &, const char *)
{
    return NotAvailable("\"savetofile\": library files are not available in this host yet");
}

int32_t LoadFlareLibrary(Flare &, const char *)
{
    return NotAvailable("\"loadfromfile\": library files are not available in this host yet");
}

}  // namespace qi
