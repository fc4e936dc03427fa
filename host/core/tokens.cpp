// Keyword tokens: each distinct keyword text gets a stable 64-bit token.
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/core/tokens.h"

namespace {

// Tokens start well above 1 so that QI_END and QI_GROUP are never tokens and
// a small integer passed by mistake is unlikely to be one.
constexpr QiToken kFirstToken = 0x1000;

struct TokenTable {
    std::mutex lock;
    std::unordered_map<std::string, QiToken> byText;
    std::vector<const std::string *> byToken;
};

TokenTable &table()
{
    static TokenTable *t = new TokenTable;  // lives for the process
    return *t;
}

}  // namespace

extern "C" QiToken Qi_Inquire_Token(const char *keyword)
{
    if (!keyword)
        return 0;
    TokenTable &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    auto [it, added] = t.byText.emplace(keyword, kFirstToken + QiToken(t.byText.size()));
    if (added)
        t.byToken.push_back(&it->first);
    return it->second;
}

namespace qi {

const char *KeywordOf(QiToken token)
{
    TokenTable &t = table();
    std::lock_guard<std::mutex> guard(t.lock);
    QiToken index = token - kFirstToken;
    if (index < 0 || index >= QiToken(t.byToken.size()))
        return nullptr;
    return t.byToken[size_t(index)]->c_str();
}

}  // namespace qi
