#include "tests/support/dialog_script.h"

#include <map>

namespace {

struct Script {
    HWND dialog;
    std::vector<DialogStep> steps;
    size_t next = 0;
};

std::map<UINT_PTR, Script> scripts;

void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    auto it = scripts.find(timer);
    if (it == scripts.end())
        return;
    Script &script = it->second;
    if (script.next >= script.steps.size() || !IsWindow(script.dialog)) {
        KillTimer(nullptr, timer);
        scripts.erase(it);
        return;
    }
    DialogStep step = script.steps[script.next++];
    step(script.dialog);
}

}  // namespace

void RunDialogScript(HWND dialog, std::vector<DialogStep> steps)
{
    UINT_PTR timer = SetTimer(nullptr, 0, 10, OnTick);
    scripts[timer] = Script{dialog, std::move(steps)};
}
