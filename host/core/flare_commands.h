// The commands of Qi_LensFlare: "insert", "delete", "move", "savetofile" and
// "loadfromfile". Each is the only entry of its call.
#ifndef HOST_CORE_FLARE_COMMANDS_H
#define HOST_CORE_FLARE_COMMANDS_H

#include "host/api/qi_core.h"
#include "host/core/flare_model.h"
#include "host/core/keyword_list.h"

namespace qi {

// The object a lens flare call is about; null after a report.
HostObject *FindTarget(KeywordList &list, QiToken kind, const char *name);

bool IsFlareCommand(QiToken keyword);

// Reads the command's arguments and the closing QI_END from `list`, then
// runs it on the flare of the object (kind, name).
void RunFlareCommand(QiToken command, QiToken kind, const char *name, KeywordList &list);

}  // namespace qi

#endif
