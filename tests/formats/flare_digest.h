// Every value of a flare as exact text (floats by their bits), for telling
// whether two flares are the same.
#ifndef TESTS_FORMATS_FLARE_DIGEST_H
#define TESTS_FORMATS_FLARE_DIGEST_H

#include <string>

#include "host/core/flare_model.h"

// With `guids` false the elements' identities are left out.
std::string FlareDigest(const qi::Flare &flare, bool guids);

#endif
