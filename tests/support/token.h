// The host's token of a keyword, in the short form keyword lists are written
// with in tests.
#ifndef TESTS_SUPPORT_TOKEN_H
#define TESTS_SUPPORT_TOKEN_H

#include "host/api/qi_core.h"

inline QiToken T(const char *keyword)
{
    return Qi_Inquire_Token(keyword);
}

#endif
