// The editor's shared flags and the rule by which edits reach the host.
#include "editor/editor_state.h"

#include "editor/element_panel.h"
#include "frame/plugin_instance.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "editor/undo.h"

int16_t updatingControls = 1;
int16_t currentPage = PAGE_NONE;

namespace {

// A drag step committed a value the host still holds: no commit since.
bool dragStepAtHost = false;

// A pointer move waiting in the queue: the drag goes on past this step.
bool PointerMoveWaiting()
{
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_NOREMOVE | PM_NOYIELD) != 0;
}

}  // namespace

void CommitPendingEdits()
{
    PluginInstance *instance = currentInstance;
    if (currentPage == PAGE_ELEMENT && instance->currentElement)
        SaveElementPanel(instance, instance->dialogWindow, instance->currentElement);
    CommitWorkingFlare(instance, instance->handleType, instance->flareName);
    dragStepAtHost = false;
}

void CommitFasterUpdates()
{
    static const QiToken fastdrag = Qi_Inquire_Token("fastdrag");
    static const QiToken enabled = Qi_Inquire_Token("enabled");
    PluginInstance *instance = currentInstance;
    if (instance->workingFlare)
        Qi_LensFlare(instance->handleType, instance->flareName, fastdrag, enabled,
                     instance->workingFlare->fastdrag, QI_END);
}

void OnParameterChanged(uint32_t controlId)
{
    if (updatingControls)
        return;
    RecordUndoStep(TypingField(controlId));
    CommitLiveEdit();
}

void CommitLiveEdit()
{
    if (updatingControls || previewBusy || !currentInstance->realtimeUpdates)
        return;
    CommitPendingEdits();
    RequestPreviewRedraw(-1, -1);
}

void OnSliderDrag(QiToken phase, uint16_t, float)
{
    static const QiToken update = Qi_Inquire_Token("update");
    static const QiToken end = Qi_Inquire_Token("end");
    const bool live = !updatingControls && !previewBusy && currentInstance->realtimeUpdates;
    if (phase == update && live && !PointerMoveWaiting()) {
        CommitLiveEdit();
        dragStepAtHost = true;
        if (previewControl)
            UpdateWindow(previewControl);
    } else if (phase == end && dragStepAtHost) {
        CommitLiveEdit();
    }
}
