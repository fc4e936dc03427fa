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
};

// The scripted flare keeps its answers in the model's own records, under
// the fields named like the keywords; their list pointers are unused. Counts
// ("numelements", "numparameterdefinitions", "gradientdata" and
// "arbitrarydata" sizes) may disagree with the lists, and be negative.
struct ScriptedParameter {
    FlareParameter fields = {};
    std::vector<float> colours, offsets;
    std::vector<char> data;
};

struct ScriptedElement {
    FlareElement fields = {};
    std::vector<ScriptedParameter> parameters;
};

struct ScriptedFlare {
    WorkingFlare globals = {};
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
