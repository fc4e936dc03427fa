#include "colour/named_colour_selector.h"

#include "colour/colour_math.h"
#include "colour/colour_selector.h"
#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"
#include "resources/colour_ids.h"

namespace {

// Refreshes the numbers and the swatch from the selected name.
const int kRefreshCommand = 1044;

float namedColour[3];           // the colour being chosen; filled and read by the opener
float namedSavedColour[3];      // namedColour as the dialog opened, for Cancel
char *selectedColourName;       // the name shown (host-allocated), or null

QiToken ColourToken()
{
    return Qi_Inquire_Token("color");
}

// Whether two colours show the same numbers.
bool SameShownColour(const float *a, const float *b)
{
    for (int k = 0; k < 3; ++k) {
        if (ScaleTo255(a[k]) != ScaleTo255(b[k]))
            return false;
    }
    return true;
}

BOOL Named_OnInitDialog(HWND dialog)
{
    Import_IO_Center_Window(GetParent(dialog), dialog);
    Qi_Copy(ColourToken(), namedColour, namedSavedColour, QI_END);
    Qi_Free_Memory(selectedColourName);
    selectedColourName = nullptr;
    HWND list = GetDlgItem(dialog, IDC_NAME_LIST);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    Qi_Enumerate(0, "*", 1, dialog, 0, ListColourName, Qi_Inquire_Token("colorname"), QI_END);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    if (selectedColourName) {
        LRESULT index = SendMessageA(list, LB_FINDSTRING, WPARAM(-1),
                                     reinterpret_cast<LPARAM>(selectedColourName));
        if (index != LB_ERR)
            SendMessageA(list, LB_SETCURSEL, WPARAM(index), 0);
    }
    SendMessageA(dialog, WM_COMMAND, kRefreshCommand, 0);
    return TRUE;
}

void Named_OnRefresh(HWND dialog)
{
    if (selectedColourName)
        Qi_Inquire_Colorname(selectedColourName, namedColour, QI_END);
    const int numbers[3] = {IDC_NAMED_RED, IDC_NAMED_GREEN, IDC_NAMED_BLUE};
    for (int k = 0; k < 3; ++k)
        Import_IO_QdInt_To_Dialog(dialog, int16_t(numbers[k]), ScaleTo255(namedColour[k]));
    RefreshControl(dialog, IDC_NAMED_SWATCH);
}

// The newly selected name becomes selectedColourName. When its copy cannot be
// allocated no name is kept, and the colour stays as it was.
void Named_OnSelectionChange(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_NAME_LIST);
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR)
        return;
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, WPARAM(index), 0);
    if (length != LB_ERR) {
        Qi_Free_Memory(selectedColourName);
        selectedColourName = static_cast<char *>(Qi_Alloc_Memory(1, 0, size_t(length) + 1));
        if (selectedColourName)
            SendMessageA(list, LB_GETTEXT, WPARAM(index),
                         reinterpret_cast<LPARAM>(selectedColourName));
    }
    SendMessageA(dialog, WM_COMMAND, kRefreshCommand, 0);
}

void Named_OnCancel(HWND dialog)
{
    Qi_Copy(ColourToken(), namedSavedColour, namedColour, QI_END);
    EndDialog(dialog, 0);
}

INT_PTR Named_OnCommand(HWND dialog, int id, int notification)
{
    switch (id) {
    case kRefreshCommand: Named_OnRefresh(dialog); return TRUE;
    case IDOK: EndDialog(dialog, 1); return TRUE;
    case IDCANCEL: Named_OnCancel(dialog); return TRUE;
    case IDC_NAME_LIST:
        if (notification == LBN_SELCHANGE)
            Named_OnSelectionChange(dialog);
        return FALSE;
    }
    return FALSE;
}

INT_PTR Named_OnDrawItem(int id, const DRAWITEMSTRUCT *item)
{
    return id == IDC_NAMED_SWATCH ? HandleSwatchDrawItem(item, namedColour) : 0;
}

void Named_OnDestroy()
{
    Qi_Free_Memory(selectedColourName);
    selectedColourName = nullptr;
}

}  // namespace

int32_t ListColourName(QiEnumRecord *record)
{
    if (record->valid == 0)
        return 0;
    HWND dialog = static_cast<HWND>(record->userData);
    SendDlgItemMessageA(dialog, IDC_NAME_LIST, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(record->name));
    // A later match replaces an earlier one: the host's last matching name wins.
    if (SameShownColour(record->color, namedColour))
        Import_IO_Copy_String(&selectedColourName, record->name);
    return 0;
}

INT_PTR CALLBACK NamedColourSelectorProc(HWND dialog, UINT message, WPARAM wParam,
                                         LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return Named_OnInitDialog(dialog);
    case WM_COMMAND: return Named_OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_DRAWITEM:
        return Named_OnDrawItem(int(wParam), reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    case WM_DESTROY: Named_OnDestroy(); return FALSE;
    }
    return FALSE;
}

void OpenNamedColourSelector(HWND owner, float colour[3])
{
    HINSTANCE module = currentInstance ? currentInstance->moduleInstance : moduleHandle;
    Qi_Copy(ColourToken(), colour, namedColour, QI_END);
    DialogBoxParamA(module, "NamedColorSelector", owner, NamedColourSelectorProc, 0);
    Qi_Copy(ColourToken(), namedColour, colour, QI_END);
}
