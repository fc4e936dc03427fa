// Qi_Enumerate over the named colours, and Qi_Inquire_Colorname.
#include <cstdarg>
#include <cstddef>
#include <cstring>

#include "host/core/colour_names.h"
#include "host/core/keyword_list.h"
#include "host/core/name_pattern.h"
#include "host/core/tokens.h"

static_assert(offsetof(QiEnumRecord, valid) == 4, "enumeration record layout");
static_assert(offsetof(QiEnumRecord, name) == 24, "enumeration record layout");
static_assert(offsetof(QiEnumRecord, color) == 64, "enumeration record layout");
static_assert(offsetof(QiEnumRecord, userData) == 72, "enumeration record layout");

namespace {

void EnumerateColourNames(const char *pattern, void *userData, QiEnumFn callback, QiToken kind)
{
    int64_t index = 0;
    for (const qi::ColourName *c = qi::ColourNamesBegin(); c != qi::ColourNamesEnd();
         ++c, ++index) {
        if (!qi::MatchesPattern(pattern, c->name))
            continue;
        float rgb[3];
        qi::ColourNameRgb(*c, rgb);
        QiEnumRecord record;
        std::memset(&record, 0, sizeof record);
        record.valid = 1;
        record.kind = kind;
        record.index = index;
        record.name = c->name;
        record.color = rgb;
        record.userData = userData;
        if (callback(&record) != 0)
            return;
    }
}

}  // namespace

extern "C" void Qi_Enumerate(int64_t flags, const char *pattern, int64_t order, void *userData,
                             int64_t reserved, QiEnumFn callback, QiToken kind, ...)
{
    va_list args;
    va_start(args, kind);
    qi::VaListSlots slots(args);
    qi::KeywordList list(slots, "Qi_Enumerate()");
    const bool wellFormed = list.ExpectEnd("the kind");
    va_end(args);
    if (!wellFormed)
        return;
    if (kind != QI_TOKEN("colorname"))
        list.BadKeyword(kind, "is no kind this host enumerates (\"colorname\")");
    else if (flags != 0 || order != 1 || reserved != 0)
        list.Fail(qi::kErrBadValue, "flags, order and reserved must be 0, 1 and 0");
    else if (!pattern || !callback)
        list.Fail(qi::kErrBadValue, "null pattern or callback");
    else
        EnumerateColourNames(pattern, userData, callback, kind);
}

extern "C" int16_t Qi_Inquire_Colorname(const char *name, float *rgb, ...)
{
    va_list args;
    va_start(args, rgb);
    qi::VaListSlots slots(args);
    qi::KeywordList list(slots, "Qi_Inquire_Colorname()");
    const bool wellFormed = list.ExpectEnd("the colour address");
    va_end(args);
    if (!wellFormed)
        return 0;
    if (!rgb) {
        list.Fail(qi::kErrBadValue, "null colour address");
        return 0;
    }
    const qi::ColourName *colour = qi::FindColourName(name);
    if (!colour)
        return 0;
    qi::ColourNameRgb(*colour, rgb);
    return 1;
}
