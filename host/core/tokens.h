// Host-internal helpers around keyword tokens.
#ifndef HOST_CORE_TOKENS_H
#define HOST_CORE_TOKENS_H

#include "host/api/qi_core.h"

namespace qi {

// The keyword text of a token (owned by the token table), or null when the
// value is no token.
const char *KeywordOf(QiToken token);

// The token of a keyword, looked up once per call site.
#define QI_TOKEN(text) ([]() { static const QiToken t = Qi_Inquire_Token(text); return t; }())

}  // namespace qi

#endif
