// The host's flare of a light (Light1 unless named) read back through the
// host's calls, as exact text (FlareDigest), each element's part of it
// (without guids: equal for two elements of equal values), and the values
// that differ between two such texts.
#ifndef TESTS_EDITOR_HOST_FLARE_DIGEST_H
#define TESTS_EDITOR_HOST_FLARE_DIGEST_H

#include <string>
#include <vector>

std::string HostFlareDigest(const char *light = "Light1", bool guids = true);
std::vector<std::string> HostElementDigests(const char *light = "Light1");

// The values two digests differ in, each by its name: a global value by its
// keyword ("angle"), an element's switch as "element 2" and a parameter as
// "element 2 parameter 4" (counted from 0).
std::vector<std::string> ChangedValues(const std::string &before, const std::string &after);

#endif
