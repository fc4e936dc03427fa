#include "editor/element_list.h"

#include <cstring>

#include "editor/add_element_dialog.h"
#include "editor/editor_state.h"
#include "editor/element_panel.h"
#include "editor/element_rows.h"
#include "editor/element_solo.h"
#include "editor/global_sliders.h"
#include "editor/undo.h"
#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "resources/resource.h"

namespace {

// Before the element page shows another element: what the user edited
// goes to the host, and no panel outlives the element it edits.
void SaveDestroyAndCommit(HWND dialog)
{
    PluginInstance *instance = currentInstance;
    if (currentPage == PAGE_ELEMENT && instance->currentElement) {
        SaveElementPanel(instance, dialog, instance->currentElement);
        DestroyElementPanel(instance, instance->currentElement);
        CommitWorkingFlare(instance, instance->handleType, instance->flareName);
    }
}

// The current element shown: its panel on the element page, its switch.
void ShowCurrentElement(HWND dialog)
{
    PluginInstance *instance = currentInstance;
    if (currentPage == PAGE_ELEMENT && instance->currentElement)
        BuildElementPanel(instance, dialog, instance->currentElement);
    ShowElementEnabled(dialog);
}

struct ListKeywords {
    QiToken insert, before, after, start, end, remove, move, up, down;
};

const ListKeywords &Keywords()
{
    static const ListKeywords keywords = {
        Qi_Inquire_Token("insert"), Qi_Inquire_Token("before"), Qi_Inquire_Token("after"),
        Qi_Inquire_Token("start"),  Qi_Inquire_Token("end"),    Qi_Inquire_Token("delete"),
        Qi_Inquire_Token("move"),   Qi_Inquire_Token("up"),     Qi_Inquire_Token("down")};
    return keywords;
}

// Inserts an element of the chosen type at the host; the new element's
// guid, or null when the host refused it. "Before" and "after" without a
// current element add at the end.
const char *InsertChosenElement(PluginInstance *instance)
{
    const ListKeywords &k = Keywords();
    const FlareElement *current = instance->currentElement;
    const char *newGuid = nullptr;
    int32_t placement = newElementPlacement;
    if (!current && (placement == PLACE_BEFORE_SELECTED || placement == PLACE_AFTER_SELECTED))
        placement = PLACE_AT_END;
    if (placement == PLACE_BEFORE_SELECTED || placement == PLACE_AFTER_SELECTED)
        Qi_LensFlare(instance->handleType, instance->flareName, k.insert,
                     placement == PLACE_BEFORE_SELECTED ? k.before : k.after, newElementType,
                     current->guid, &newGuid, QI_END);
    else
        Qi_LensFlare(instance->handleType, instance->flareName, k.insert,
                     placement == PLACE_AT_START ? k.start : k.end, newElementType, &newGuid,
                     QI_END);
    return newGuid;
}

// Greys what cannot act on the current element: Copy and Remove without
// one, Move Up on the first and Move Down on the last. A button that loses
// the focus so gives it to the list.
void UpdateElementButtons(HWND dialog)
{
    const FlareElement *element = currentInstance->currentElement;
    const struct {
        int id;
        bool enabled;
    } buttons[] = {{IDC_COPY_ELEMENT, element != nullptr},
                   {IDC_REMOVE_ELEMENT, element != nullptr},
                   {IDC_MOVE_UP, element && element->prev},
                   {IDC_MOVE_DOWN, element && element->next}};
    for (const auto &b : buttons) {
        HWND button = GetDlgItem(dialog, b.id);
        if (!b.enabled && GetFocus() == button)
            SetFocus(GetDlgItem(dialog, IDC_ELEMENT_LIST));
        EnableWindow(button, b.enabled ? TRUE : FALSE);
    }
}

}  // namespace

void CommitBeforeListChange()
{
    PluginInstance *instance = currentInstance;
    CommitPendingEdits();
    if (currentPage == PAGE_ELEMENT && instance->currentElement)
        DestroyElementPanel(instance, instance->currentElement);
}

void FinishListChange(HWND dialog, const char *guid)
{
    char *kept = nullptr;
    if (guid)
        Import_IO_Copy_String(&kept, guid);
    ReloadWorkingFlare();
    SendMessageA(dialog, WMU_REFILL_ELEMENT_LIST, 0, 0);
    SelectElementByGuid(dialog, kept);
    RecordUndoStep();
    RequestPreviewRedraw(-1, -1);
    Qi_Free_Memory(kept);
}

void RefillElementList(HWND dialog)
{
    PluginInstance *instance = currentInstance;
    const WorkingFlare *flare = instance->workingFlare;
    HWND list = GetDlgItem(dialog, IDC_ELEMENT_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    Import_IO_Set_Control_Enable(dialog, IDC_LIBRARY_SAVE, flare && flare->numelements ? 1 : 0);
    if (!flare || !flare->numelements || !flare->firstElement) {
        UpdateElementButtons(dialog);
        return;
    }
    instance->currentElement = flare->firstElement;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    int16_t index = 0;
    for (FlareElement *element = flare->firstElement; element; element = element->next, ++index) {
        SendMessageA(list, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(element->description ? element->description : ""));
        SendMessageA(list, LB_SETITEMDATA, WPARAM(index), reinterpret_cast<LPARAM>(element));
        if (element == instance->currentElement)
            SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void ReloadWorkingFlare()
{
    PluginInstance *instance = currentInstance;
    ReleaseWorkingFlare(instance);
    instance->currentElement = nullptr;
    LoadWorkingFlare(instance, instance->handleType, instance->flareName);
    RebindGlobalSliders();
}

void ShowElementEnabled(HWND dialog)
{
    static const QiToken off = Qi_Inquire_Token("off");
    const FlareElement *element = currentInstance->currentElement;
    Import_IO_Set_Quorix_Toggle(dialog, IDC_ELEMENT_ENABLED, element ? element->enabled : off);
    UpdateElementButtons(dialog);
}

void OnElementSelected(HWND dialog)
{
    PluginInstance *instance = currentInstance;
    HWND list = GetDlgItem(dialog, IDC_ELEMENT_LIST);
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return;
    auto *element = reinterpret_cast<FlareElement *>(SendMessageA(list, LB_GETITEMDATA, index, 0));
    if (currentPage == PAGE_ELEMENT) {
        SaveDestroyAndCommit(dialog);
        BuildElementPanel(instance, dialog, element);
    } else {
        instance->currentElement = element;
    }
    ShowElementEnabled(dialog);
    if (SoloShowsSelection())
        RequestPreviewRedraw(-1, -1);
}

void ToggleElementEnabled(HWND dialog)
{
    PluginInstance *instance = currentInstance;
    FlareElement *element = instance->currentElement;
    if (!element) {
        // The box checks itself when clicked; without an element it stays off.
        ShowElementEnabled(dialog);
        return;
    }
    Import_IO_Flip_Quorix_Toggle(dialog, IDC_ELEMENT_ENABLED, &element->enabled);
    RedrawElementRow(dialog, element);
    if (updatingControls || previewBusy)
        return;
    RecordUndoStep();
    CommitWorkingFlare(instance, instance->handleType, instance->flareName);
    RequestPreviewRedraw(-1, -1);
}

void AddElement(HWND dialog)
{
    PluginInstance *instance = currentInstance;
    if (!RunAddElementDialog(dialog))
        return;
    CommitBeforeListChange();
    const char *newGuid = InsertChosenElement(instance);
    ReloadWorkingFlare();
    SendMessageA(dialog, WMU_REFILL_ELEMENT_LIST, 0, 0);
    if (newGuid)
        SelectElementByGuid(dialog, newGuid);
    else
        ShowCurrentElement(dialog);
    RecordUndoStep();
    RequestPreviewRedraw(-1, -1);
}

void RemoveCurrentElement(HWND dialog)
{
    PluginInstance *instance = currentInstance;
    if (!instance->currentElement)
        return;
    CommitBeforeListChange();
    Qi_LensFlare(instance->handleType, instance->flareName, Keywords().remove,
                 instance->currentElement->guid, QI_END);
    ReloadWorkingFlare();
    WorkingFlare *flare = instance->workingFlare;
    instance->currentElement = flare ? flare->firstElement : nullptr;
    SendMessageA(dialog, WMU_REFILL_ELEMENT_LIST, 0, 0);
    ShowCurrentElement(dialog);
    RecordUndoStep();
    RequestPreviewRedraw(-1, -1);
}

void MoveCurrentElement(HWND dialog, bool down)
{
    PluginInstance *instance = currentInstance;
    if (!instance->currentElement)
        return;
    char *guid = nullptr;
    Import_IO_Copy_String(&guid, instance->currentElement->guid);
    CommitBeforeListChange();
    const ListKeywords &k = Keywords();
    Qi_LensFlare(instance->handleType, instance->flareName, k.move, down ? k.down : k.up,
                 instance->currentElement->guid, QI_END);
    ReloadWorkingFlare();
    SendMessageA(dialog, WMU_REFILL_ELEMENT_LIST, 0, 0);
    SelectElementByGuid(dialog, guid);
    RecordUndoStep();
    RequestPreviewRedraw(-1, -1);
    Qi_Free_Memory(guid);
}

void ToggleRowElement(HWND dialog, int index)
{
    static const QiToken on = Qi_Inquire_Token("on"), off = Qi_Inquire_Token("off");
    PluginInstance *instance = currentInstance;
    auto *element = reinterpret_cast<FlareElement *>(
        SendDlgItemMessageA(dialog, IDC_ELEMENT_LIST, LB_GETITEMDATA, WPARAM(index), 0));
    if (!element || element == reinterpret_cast<FlareElement *>(LB_ERR) || previewBusy ||
        updatingControls)
        return;
    if (element == instance->currentElement) {
        ToggleElementEnabled(dialog);
        return;
    }
    element->enabled = element->enabled == off ? on : off;
    RedrawElementRow(dialog, element);
    RecordUndoStep();
    CommitWorkingFlare(instance, instance->handleType, instance->flareName);
    RequestPreviewRedraw(-1, -1);
}

void MoveElementTo(HWND dialog, int from, int to)
{
    const ListKeywords &k = Keywords();
    PluginInstance *instance = currentInstance;
    auto *element = reinterpret_cast<FlareElement *>(
        SendDlgItemMessageA(dialog, IDC_ELEMENT_LIST, LB_GETITEMDATA, WPARAM(from), 0));
    int count = int(SendDlgItemMessageA(dialog, IDC_ELEMENT_LIST, LB_GETCOUNT, 0, 0));
    if (from == to || from < 0 || to < 0 || from >= count || to >= count || !element ||
        element == reinterpret_cast<FlareElement *>(LB_ERR))
        return;
    char *guid = nullptr;
    Import_IO_Copy_String(&guid, element->guid);
    CommitBeforeListChange();
    for (int at = from; at != to; at += to > from ? 1 : -1)
        Qi_LensFlare(instance->handleType, instance->flareName, k.move,
                     to > from ? k.down : k.up, guid, QI_END);
    FinishListChange(dialog, guid);
    Qi_Free_Memory(guid);
}

void SelectElementByGuid(HWND dialog, const char *guid)
{
    PluginInstance *instance = currentInstance;
    HWND list = GetDlgItem(dialog, IDC_ELEMENT_LIST);
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; guid && i < count; ++i) {
        auto *element = reinterpret_cast<FlareElement *>(SendMessageA(list, LB_GETITEMDATA, i, 0));
        if (!element || !element->guid || std::strcmp(element->guid, guid) != 0)
            continue;
        SendMessageA(list, LB_SETCURSEL, WPARAM(i), 0);
        SendMessageA(list, LB_SETTOPINDEX, WPARAM(i), 0);
        instance->currentElement = element;
        ShowCurrentElement(dialog);
        return;
    }
    ShowCurrentElement(dialog);
}
