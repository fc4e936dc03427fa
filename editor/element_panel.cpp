// The element page until its parameter controls exist: an element with
// parameters becomes current and shows its enabled switch, and the page area
// stays empty. The panel functions have no controls to build, save or destroy.
#include "editor/element_panel.h"

#include "host/api/qi_importio.h"
#include "resources/resource.h"

namespace {

void InvalidatePageArea(HWND dialog)
{
    RECT area;
    GetClientRect(GetDlgItem(dialog, IDC_PAGE_AREA), &area);
    MapWindowPoints(GetDlgItem(dialog, IDC_PAGE_AREA), dialog, reinterpret_cast<POINT *>(&area), 2);
    InflateRect(&area, -1, -1);
    InvalidateRect(dialog, &area, FALSE);
}

}  // namespace

void BuildElementPanel(PluginInstance *instance, HWND dialog, FlareElement *element)
{
    if (!element)
        return;
    InvalidatePageArea(dialog);
    instance->currentElement = nullptr;
    if (element->numparameters <= 0)
        return;
    instance->currentElement = element;
    Import_IO_Set_Quorix_Toggle(dialog, IDC_ELEMENT_ENABLED, element->enabled);
}

void SaveElementPanel(PluginInstance *, HWND, FlareElement *) {}

void DestroyElementPanel(PluginInstance *instance, FlareElement *)
{
    if (instance->dialogWindow)
        InvalidatePageArea(instance->dialogWindow);
}

void ElementPanelCommand(PluginInstance *, HWND, UINT, WPARAM, LPARAM) {}

BOOL DrawElementColourButton(int, const DRAWITEMSTRUCT *)
{
    return FALSE;
}
