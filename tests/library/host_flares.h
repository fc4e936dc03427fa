// Lens flares of the host as the library tests make and compare them:
// library files written from chosen element types, and every value of a
// flare read through the plug-in's working model.
#ifndef TESTS_LIBRARY_HOST_FLARES_H
#define TESTS_LIBRARY_HOST_FLARES_H

#include <string>
#include <vector>

#include "host/api/qi_core.h"

// Writes a library file whose flare has elements of these types, in order,
// each with its default values.
void MakeLibraryFile(const std::string &path, const std::vector<const char *> &types);

// Every value of the flare of the host object (kind, name) as text, floats
// by their bits; the identities the host gives elements and parameters are
// left out.
std::string FlareValues(QiToken kind, const char *name);

// The values of the flare a library file holds, as FlareValues gives them;
// empty when the host cannot load the file.
std::string LibraryFileValues(const std::string &path);

int32_t ElementCount(QiToken kind, const char *name);

bool LightExists(const char *name);

#endif
