#include "host/core/name_pattern.h"

#include <cctype>

namespace qi {

namespace {

bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
}

}  // namespace

// Greedy matching with one point to return to: the last "*" seen and the
// place in the name it was tried at. Linear in practice, never recursive.
bool MatchesPattern(const char *pattern, const char *name)
{
    if (!pattern || !name)
        return false;
    const char *star = nullptr, *resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern && (*pattern == '?' || SameLetter(*pattern, *name))) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

}  // namespace qi
