// Lens flares of the host as the library tests make and compare them.
#ifndef TESTS_LIBRARY_HOST_FLARES_H
#define TESTS_LIBRARY_HOST_FLARES_H

#include <functional>
#include <string>
#include <vector>

#include "host/api/qi_core.h"
#include "host/core/qi_host.h"

// Writes a library file whose flare has elements of these types, in order,
// with their default values; `edit` may then change the flare, which it is
// given as the name of a host light.
void MakeLibraryFile(const std::string &path, const std::vector<const char *> &types,
                     const std::function<void(const char *light)> &edit = nullptr);

// The flare of (kind, name) as the host writes it to a library file: every
// value, floats exact, the elements in order. Empty when it cannot be written.
std::string FlareText(QiToken kind = Qi_Inquire_Token("light"),
                      const char *name = QIHOST_DEFAULT_LIGHT);

// The flare a library file loads into, as FlareText gives it; empty when the
// host cannot load the file.
std::string LibraryFileText(const std::string &path);

int32_t ElementCount(QiToken kind, const char *name);

bool LightExists(const char *name);

// Another program rewrites the library file at path with a damaged text
// just as the host is asked to load it for the nth time from now (1 the
// next load); the loads of other files count too.
void DamageFileAtLoad(const std::string &path, int nth);

#endif
