// Qi_Copy: copies one value of a host type from one address to another.
#include <cstdarg>
#include <cstring>

#include "host/core/keyword_list.h"
#include "host/core/tokens.h"

extern "C" void Qi_Copy(QiToken type, const void *source, void *destination, ...)
{
    va_list args;
    va_start(args, destination);
    qi::VaListSlots slots(args);
    qi::KeywordList list(slots, "Qi_Copy()");
    const bool wellFormed = list.ExpectEnd("the destination");
    va_end(args);
    if (!wellFormed)
        return;
    if (type != QI_TOKEN("color"))
        list.BadKeyword(type, "is no type Qi_Copy copies (\"color\")");
    else if (!source || !destination)
        list.Fail(qi::kErrBadValue, "null source or destination");
    else
        std::memmove(destination, source, 3 * sizeof(float));
}
