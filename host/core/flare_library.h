// Lens flare library files (".lnz"): what the "savetofile" and
// "loadfromfile" commands of Qi_LensFlare run. Each function reports its own
// failures through Qi_Report_Error; the command hands its status to the
// caller.
#ifndef HOST_CORE_FLARE_LIBRARY_H
#define HOST_CORE_FLARE_LIBRARY_H

#include <cstdint>

#include "host/core/flare_model.h"

namespace qi {

// Writes the flare's global values and elements to the file at `path`.
// Returns 0 on success, else a nonzero status.
int32_t SaveFlareLibrary(const Flare &flare, const char *path);

// Reads the file at `path` into the flare: its global values and elements
// replace the flare's. Returns 0 on success; on failure the flare is
// unchanged and the status is nonzero.
int32_t LoadFlareLibrary(Flare &flare, const char *path);

}  // namespace qi

#endif
