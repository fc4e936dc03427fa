#include "host/core/call_trace.h"

#include "host/core/qi_host.h"

namespace {

QiHostCallTrace trace = nullptr;
void *traceContext = nullptr;

}  // namespace

extern "C" void QiHost_Set_Call_Trace(QiHostCallTrace newTrace, void *context)
{
    trace = newTrace;
    traceContext = context;
}

namespace qi {

void TraceCall(const char *function, int64_t firstSlot)
{
    if (trace)
        trace(function, firstSlot, traceContext);
}

}  // namespace qi
