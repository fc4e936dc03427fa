// The exported keyword-list functions: each hands its variadic list to the
// keyword engine, which reads every slot as 64 bits.
#include <cstdarg>

#include "host/core/call_trace.h"
#include "host/core/flare_calls.h"

namespace {

void TraceFirstSlot(const char *function, va_list args)
{
    va_list first;
    va_copy(first, args);
    qi::TraceCall(function, va_arg(first, int64_t));
    va_end(first);
}

}  // namespace

extern "C" {

void Qi_Inquire_LensFlare(QiToken kind, const char *name, ...)
{
    va_list args;
    va_start(args, name);
    TraceFirstSlot("Qi_Inquire_LensFlare", args);
    qi::VaListSlots slots(args);
    qi::RunLensFlare(qi::CallMode::Inquire, kind, name, slots);
    va_end(args);
}

void Qi_LensFlare(QiToken kind, const char *name, ...)
{
    va_list args;
    va_start(args, name);
    TraceFirstSlot("Qi_LensFlare", args);
    qi::VaListSlots slots(args);
    qi::RunLensFlare(qi::CallMode::Set, kind, name, slots);
    va_end(args);
}

void Qi_LensFlare_Enumerate_ElementInfo(QiToken keyword, ...)
{
    va_list args;
    va_start(args, keyword);
    qi::VaListSlots slots(args);
    qi::RunElementInfo(keyword, slots);
    va_end(args);
}

void Qi_Light(const char *name, ...)
{
    va_list args;
    va_start(args, name);
    qi::VaListSlots slots(args);
    qi::RunLight(name, slots);
    va_end(args);
}

void Qi_Remove(QiToken kind, const char *name, ...)
{
    va_list args;
    va_start(args, name);
    qi::VaListSlots slots(args);
    qi::RunRemove(kind, name, slots);
    va_end(args);
}

void Qi_Handle_Name_Exists(const char *name, int32_t *exists, ...)
{
    va_list args;
    va_start(args, exists);
    qi::VaListSlots slots(args);
    qi::RunHandleNameExists(name, exists, slots);
    va_end(args);
}

}  // extern "C"
