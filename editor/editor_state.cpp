// The editor's shared flags and the rule by which edits reach the host.
#include "editor/editor_state.h"

#include "editor/element_panel.h"
#include "frame/plugin_instance.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "editor/undo.h"

int16_t updatingControls = 1;
int16_t currentPage = PAGE_NONE;

void CommitPendingEdits()
{
    PluginInstance *instance = currentInstance;
    if (currentPage == PAGE_ELEMENT && instance->currentElement)
        SaveElementPanel(instance, instance->dialogWindow, instance->currentElement);
    CommitWorkingFlare(instance, instance->handleType, instance->flareName);
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
