// The host's call trace for tests (QiHost_Set_Call_Trace).
#ifndef HOST_CORE_CALL_TRACE_H
#define HOST_CORE_CALL_TRACE_H

#include <cstdint>

namespace qi {

// Hands the call to the trace, when one is set.
void TraceCall(const char *function, int64_t firstSlot = 0);

}  // namespace qi

#endif
