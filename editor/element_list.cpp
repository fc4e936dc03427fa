#include "editor/element_list.h"

#include "editor/editor_state.h"
#include "editor/element_panel.h"
#include "editor/global_sliders.h"
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

}  // namespace

void RefillElementList(HWND dialog)
{
    PluginInstance *instance = currentInstance;
    const WorkingFlare *flare = instance->workingFlare;
    HWND list = GetDlgItem(dialog, IDC_ELEMENT_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    Import_IO_Set_Control_Enable(dialog, IDC_LIBRARY_SAVE, flare && flare->numelements ? 1 : 0);
    if (!flare || !flare->numelements || !flare->firstElement)
        return;
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
    if (updatingControls || previewBusy)
        return;
    CommitWorkingFlare(instance, instance->handleType, instance->flareName);
    RequestPreviewRedraw(-1, -1);
}

