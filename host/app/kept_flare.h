// The main window's light kept between sessions: its flare as a library
// file in the settings folder, its position in the settings file (section
// "Quorix-Light": "X", "Y", view pixels from the top-left corner).
#ifndef HOST_APP_KEPT_FLARE_H
#define HOST_APP_KEPT_FLARE_H

#include <cstdint>
#include <string>

#include "host/api/qi_core.h"

constexpr char kKeptLightSection[] = "Quorix-Light";

// The name a kept flare file that cannot be loaded is set aside under:
// "flare.lnz" becomes "flare.damaged.lnz".
std::string SetAsideName(const std::string &path);

// Loads the kept flare file, when there is one, into the flare of (kind,
// name). A file that cannot be loaded is set aside (SetAsideName) and the
// flare stays as it was; false then, with what to tell the user in
// `problem`.
bool RestoreKeptFlare(const std::string &path, QiToken kind, const char *name,
                      std::string &problem);

// Writes the flare of (kind, name) to path through a temporary file that
// replaces it only once it is complete. False when it cannot be written;
// the cause goes to the host's error channel.
bool KeepFlare(const std::string &path, QiToken kind, const char *name);

// The kept light position; false when none is kept or it is damaged.
bool ReadKeptLight(const char *iniPath, int32_t &x, int32_t &y);
void WriteKeptLight(const char *iniPath, int32_t x, int32_t y);

#endif
