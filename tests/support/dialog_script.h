// Runs test steps inside a modal dialog's own message loop: each step runs
// on its own timer tick, so that whatever a step posts or sends has been
// handled before the next one starts.
#ifndef TESTS_SUPPORT_DIALOG_SCRIPT_H
#define TESTS_SUPPORT_DIALOG_SCRIPT_H

#include <windows.h>

#include <functional>
#include <vector>

using DialogStep = std::function<void(HWND dialog)>;

// Starts the steps on `dialog` (typically from ModalWatcher::OnDialog).
// The last step is expected to end the dialog.
void RunDialogScript(HWND dialog, std::vector<DialogStep> steps);

#endif
