// An in-process stand-in for the host core, linked into the model tests in
// place of qicore.dll: it records every lens flare call slot by slot and
// answers inquire calls from a scripted flare. It knows just enough of the
// keyword grammar to tell where each call's list ends.
#ifndef TESTS_MODEL_RECORDING_HOST_H
#define TESTS_MODEL_RECORDING_HOST_H

#include <cstdint>
#include <string>
#include <vector>

#include "model/working_flare.h"

struct RecordedCall {
    bool inquire;                // Qi_Inquire_LensFlare, else Qi_LensFlare
    QiToken kind;
    std::string name;
    std::vector<int64_t> slots;  // everything after the name, QI_END included
    std::vector<int32_t> indexes;  // the 32-bit values behind "element" and "parameter"
                                   // addresses, read during the call
};

struct ScriptedParameter {
    QiToken type = 0;
    int64_t parameterid = 0, guid = 0;
    const char *description = "", *name = "";
    float absmin[3] = {}, absmax[3] = {}, uimin[3] = {}, uimax[3] = {}, defaultvalue[3] = {},
          delta[3] = {};
    int16_t precision = 0;
    QiToken floatarg = 0, percentage = 0;
    float value[3] = {};
    int32_t gradientCount = 0;   // may disagree with the arrays (negative, say)
    std::vector<float> colours, offsets;
    int32_t dataSize = 0;        // may be negative
    std::vector<char> data;
};

struct ScriptedElement {
    QiToken enabled = 0;
    const char *description = "", *name = "", *guid = "";
    int32_t parameterCount = 0;  // answered for "numparameterdefinitions"
    std::vector<ScriptedParameter> parameters;
};

struct ScriptedFlare {
    WorkingFlare globals = {};   // the global fields answered; its list is unused
    int32_t elementCount = 0;    // answered for "numelements"
    std::vector<ScriptedElement> elements;
};

namespace recording_host {

// Forgets every call, the script, and the allocation counters.
void Reset();
ScriptedFlare &Script();
const std::vector<RecordedCall> &Calls();
void ClearCalls();
int64_t LiveBlocks();
// Makes allocation number `n` (0 = the next one) fail.
void FailAllocation(int n);
// Reports received through Qi_Report_Error, as "NAME: detail".
const std::vector<std::string> &Reports();

}  // namespace recording_host

#endif
