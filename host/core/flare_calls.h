// The keyword engine's calls, one per exported keyword-list function, each
// reading its list from any slot source. The exported functions hand them
// their variadic lists; tests and the fuzz target hand them slot arrays.
#ifndef HOST_CORE_FLARE_CALLS_H
#define HOST_CORE_FLARE_CALLS_H

#include <cstdint>

#include "host/api/qi_core.h"
#include "host/core/slot_source.h"

namespace qi {

enum class CallMode {
    Inquire,  // every value is an address the host fills
    Set,      // values go by value (tokens, guids) or by address (numbers)
};

// Qi_Inquire_LensFlare (Inquire) and Qi_LensFlare (Set).
void RunLensFlare(CallMode mode, QiToken kind, const char *name, SlotSource &slots);

// Qi_LensFlare_Enumerate_ElementInfo; `keyword` is the list's first slot.
void RunElementInfo(QiToken keyword, SlotSource &slots);

// Qi_Light, Qi_Remove and Qi_Handle_Name_Exists.
void RunLight(const char *name, SlotSource &slots);
void RunRemove(QiToken kind, const char *name, SlotSource &slots);
void RunHandleNameExists(const char *name, int32_t *exists, SlotSource &slots);

}  // namespace qi

#endif
