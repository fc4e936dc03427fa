// Name patterns of the host's enumerations: "*" stands for any run of
// characters, "?" for one character; letters compare case-insensitively.
#ifndef HOST_CORE_NAME_PATTERN_H
#define HOST_CORE_NAME_PATTERN_H

namespace qi {

bool MatchesPattern(const char *pattern, const char *name);

}  // namespace qi

#endif
