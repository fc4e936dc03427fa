#include "editor/add_element_dialog.h"

#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"

const char *newElementType = nullptr;
int32_t newElementPlacement = PLACE_AT_END;

namespace {

enum { IDC_TYPE_LIST = 2000 };

int16_t addDialogFilling = 1;  // 1 while the list is filled and after the dialog is gone

void FillTypeList(HWND dialog)
{
    const QiToken numelements = Qi_Inquire_Token("numelements");
    const QiToken element = Qi_Inquire_Token("element");
    const QiToken description = Qi_Inquire_Token("description");
    const QiToken name = Qi_Inquire_Token("name");
    int32_t count = 0;
    Qi_LensFlare_Enumerate_ElementInfo(numelements, &count, QI_END);
    HWND list = GetDlgItem(dialog, IDC_TYPE_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (int32_t i = 0; i < count; ++i) {
        const char *typeDescription = nullptr, *typeName = nullptr;
        Qi_LensFlare_Enumerate_ElementInfo(element, &i, description, &typeDescription, name,
                                           &typeName, QI_GROUP, QI_END);
        const char *text = typeDescription ? typeDescription : "";
        LRESULT item = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SendMessageA(list, LB_SETITEMDATA, WPARAM(item), reinterpret_cast<LPARAM>(typeName));
        if (i == 0)
            newElementType = typeName;
    }
    SendMessageA(list, LB_SETCURSEL, 0, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

// OK is offered only while a type is chosen.
void ShowTypeChosen(HWND dialog)
{
    EnableWindow(GetDlgItem(dialog, IDOK), newElementType ? TRUE : FALSE);
}

BOOL AddElement_OnInitDialog(HWND dialog)
{
    addDialogFilling = 1;
    CheckRadioButton(dialog, PLACE_BEFORE_SELECTED, PLACE_AT_END, newElementPlacement);
    Import_IO_Center_Window(GetParent(dialog), dialog);
    FillTypeList(dialog);
    ShowTypeChosen(dialog);
    addDialogFilling = 0;
    return FALSE;
}

void AddElement_OnTypeSelected(HWND dialog)
{
    if (addDialogFilling)
        return;
    LRESULT index = SendDlgItemMessageA(dialog, IDC_TYPE_LIST, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return;
    newElementType = reinterpret_cast<const char *>(
        SendDlgItemMessageA(dialog, IDC_TYPE_LIST, LB_GETITEMDATA, WPARAM(index), 0));
    ShowTypeChosen(dialog);
}

BOOL AddElement_OnCommand(HWND dialog, int id, int notification)
{
    switch (id) {
    case PLACE_BEFORE_SELECTED: case PLACE_AFTER_SELECTED: case PLACE_AT_START: case PLACE_AT_END:
        newElementPlacement = id;
        CheckRadioButton(dialog, PLACE_BEFORE_SELECTED, PLACE_AT_END, id);
        return TRUE;
    case IDC_TYPE_LIST:
        if (notification == LBN_SELCHANGE)
            AddElement_OnTypeSelected(dialog);
        return TRUE;
    case IDOK:
        if (newElementType)
            EndDialog(dialog, 1);
        return TRUE;
    case IDCANCEL:
        EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK AddElementDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return AddElement_OnInitDialog(dialog);
    case WM_COMMAND: return AddElement_OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DESTROY: addDialogFilling = 1; return FALSE;
    }
    return FALSE;
}

int16_t RunAddElementDialog(HWND owner)
{
    newElementType = nullptr;
    INT_PTR result = DialogBoxParamA(currentInstance->moduleInstance, "AddElementDialog", owner,
                                     AddElementDialogProc, 0);
    return result == 1 && newElementType ? 1 : 0;
}
