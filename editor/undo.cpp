#include "editor/undo.h"

#include <map>
#include <string>

#include "editor/editor_state.h"
#include "editor/element_list.h"
#include "editor/element_panel.h"
#include "editor/global_pages.h"
#include "editor/global_sliders.h"
#include "colour/colour_selector.h"
#include "frame/plugin_instance.h"
#include "model/flare_state.h"
#include "preview/preview.h"
#include "resources/resource.h"

namespace {

FlareHistory history;          // the open editor's steps
HWND undoDialog = nullptr;     // the editor the keys and the menu belong to
bool restoring = false;        // a step is being restored: its own changes are no steps

// The working flare as the user sees it: a gradient edited on the element
// page lives in its control until the panel is saved.
FlareState CaptureEditorFlare()
{
    PluginInstance *instance = currentInstance;
    if (currentPage == PAGE_ELEMENT && instance->currentElement)
        SaveElementPanel(instance, instance->dialogWindow, instance->currentElement);
    return CaptureFlareState(instance->workingFlare);
}

void ShowUndoMenu()
{
    if (!undoDialog)
        return;
    HMENU menu = GetSystemMenu(undoDialog, FALSE);
    EnableMenuItem(menu, SC_UNDO_STEP, MF_BYCOMMAND | (CanUndo(history) ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, SC_REDO_STEP, MF_BYCOMMAND | (CanRedo(history) ? MF_ENABLED : MF_GRAYED));
}

// Turns the host's element list into the target's with host commands. An
// element made anew gets a new guid, which every step takes over.
void RebuildElementList(const FlareState &now, const FlareState &target)
{
    static const QiToken insert = Qi_Inquire_Token("insert"), end = Qi_Inquire_Token("end"),
                         remove = Qi_Inquire_Token("delete"), move = Qi_Inquire_Token("move"),
                         up = Qi_Inquire_Token("up");
    PluginInstance *instance = currentInstance;
    std::map<std::string, std::string> madeAnew;  // target's guid -> the host's
    for (const ListCommand &command : PlanElementList(now, target)) {
        auto anew = madeAnew.find(command.guid);
        const char *guid = anew != madeAnew.end() ? anew->second.c_str() : command.guid.c_str();
        if (command.kind == ListCommand::Delete) {
            Qi_LensFlare(instance->handleType, instance->flareName, remove, guid, QI_END);
        } else if (command.kind == ListCommand::MoveUp) {
            Qi_LensFlare(instance->handleType, instance->flareName, move, up, guid, QI_END);
        } else {
            const char *newGuid = nullptr;
            Qi_LensFlare(instance->handleType, instance->flareName, insert, end,
                         command.type.c_str(), &newGuid, QI_END);
            if (newGuid)
                madeAnew[command.guid] = newGuid;
        }
    }
    for (const auto &renamed : madeAnew)
        RenameElement(&history, renamed.first, renamed.second);
}

// Shows the restored flare: the list (keeping the selected element when it
// is still there), the page, the global controls and sliders.
void ShowRestoredFlare(HWND dialog, const std::string &selected)
{
    SendMessageA(dialog, WMU_REFILL_ELEMENT_LIST, 0, 0);
    SelectElementByGuid(dialog, selected.c_str());
    RefreshGlobalControls(dialog);
    RefreshGlobalSliders(dialog);
    RefreshControl(dialog, IDC_BASE_COLOR);
}

// Sends what the step changed to the host: everything when the element list
// changed (it is at the host already), with realtime updates on, or when the
// whole flare must go (`all`); with them off, only what the switches that
// commit in either mode would send: the whole flare for an enabled switch,
// "fastdrag" alone for Faster Updates. Returns whether the host's flare
// changed.
bool SendRestoredStep(const FlareState &now, const FlareState &target, bool listChanged, bool all)
{
    PluginInstance *instance = currentInstance;
    if (all || listChanged || instance->realtimeUpdates || !SameEnabledSwitches(now, target)) {
        CommitWorkingFlare(instance, instance->handleType, instance->flareName);
        return true;
    }
    if (now.globals.fastdrag == target.globals.fastdrag)
        return false;
    CommitFasterUpdates();
    return true;
}

// A restore that shows a message box (a panel built again may) lets its
// loop run queued undos and redos; they are ignored until it is done.
// `all`: the whole flare goes to the host, whatever the realtime switch.
void RestoreStep(HWND dialog, const FlareState *target, bool all = false)
{
    PluginInstance *instance = currentInstance;
    if (!target || !instance->workingFlare)
        return;
    restoring = true;
    updatingControls = 1;
    const FlareElement *current = instance->currentElement;
    std::string selected = current && current->guid ? current->guid : "";
    if (currentPage == PAGE_ELEMENT && instance->currentElement)
        DestroyElementPanel(instance, instance->currentElement);
    FlareState now = CaptureFlareState(instance->workingFlare);
    bool listChanged = !SameElementList(now, *target);
    if (listChanged) {
        RebuildElementList(now, *target);
        ReloadWorkingFlare();
    }
    RestoreFlareValues(instance->workingFlare, *target);
    bool toHost = SendRestoredStep(now, *target, listChanged, all);
    ShowRestoredFlare(dialog, selected);
    updatingControls = 0;
    restoring = false;
    if (toHost)
        RequestPreviewRedraw(-1, -1);
    ShowUndoMenu();
}

}  // namespace

void StartUndoHistory(HWND dialog)
{
    undoDialog = dialog;
    ResetHistory(&history, CaptureEditorFlare());
    HMENU menu = GetSystemMenu(dialog, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, SC_UNDO_STEP, "Undo\tCtrl+Z");
    AppendMenuA(menu, MF_STRING, SC_REDO_STEP, "Redo\tCtrl+Y");
    ShowUndoMenu();
}

void EndUndoHistory()
{
    undoDialog = nullptr;
    ClearHistory(&history);
}

void RecordUndoStep(int32_t field)
{
    if (!undoDialog || restoring || !currentInstance->workingFlare)
        return;
    if (RecordState(&history, CaptureEditorFlare(), field))
        ShowUndoMenu();
}

void EndUndoTyping()
{
    EndTyping(&history);
}

void UndoEditorStep(HWND dialog)
{
    if (undoDialog && !previewBusy && !restoring)
        RestoreStep(dialog, UndoStep(&history));
}

void RedoEditorStep(HWND dialog)
{
    if (undoDialog && !previewBusy && !restoring)
        RestoreStep(dialog, RedoStep(&history));
}

bool FlareChangedSinceOpening()
{
    return undoDialog && currentInstance->workingFlare &&
           !SameState(CaptureEditorFlare(), history.opened);
}

void RestoreOpenedFlare(HWND dialog)
{
    if (undoDialog && !previewBusy && !restoring)
        RestoreStep(dialog, &history.opened, true);
}

void RestoreCurrentStep(HWND dialog)
{
    if (undoDialog && !history.states.empty())
        RestoreStep(dialog, &history.states[history.current]);
}

size_t UndoHistoryBytes()
{
    return HistoryBytes(history);
}

int32_t TypingField(uint32_t controlId)
{
    HWND focus = GetFocus();
    char cls[8] = "";
    if (!focus || !GetClassNameA(focus, cls, sizeof cls) || lstrcmpiA(cls, "Edit") != 0)
        return 0;
    int id = int(controlId & 0xFFFF);
    return GetDlgCtrlID(focus) == id || GetDlgCtrlID(GetParent(focus)) == id ? id : 0;
}
