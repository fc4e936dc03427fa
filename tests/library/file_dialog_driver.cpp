#include "tests/library/file_dialog_driver.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include "tests/support/window_text.h"

namespace {

// The file name field: a combo box in the Explorer-style dialog, an edit
// field in others.
HWND FileField(HWND fileDialog)
{
    HWND field = GetDlgItem(fileDialog, cmb13);
    return field ? field : GetDlgItem(fileDialog, edt1);
}

}  // namespace

std::string DialogFolder(HWND fileDialog)
{
    char folder[MAX_PATH] = "";
    SendMessageA(fileDialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    return folder;
}

std::string DialogFileField(HWND fileDialog)
{
    return WindowText(FileField(fileDialog));
}

std::string DialogFileType(HWND fileDialog)
{
    HWND types = GetDlgItem(fileDialog, cmb1);
    LRESULT shown = SendMessageA(types, CB_GETCURSEL, 0, 0);
    char text[256] = "";
    if (shown >= 0 && SendMessageA(types, CB_GETLBTEXTLEN, shown, 0) < LRESULT(sizeof text))
        SendMessageA(types, CB_GETLBTEXT, shown, reinterpret_cast<LPARAM>(text));
    return text;
}

void ChooseFile(HWND fileDialog, const std::string &name)
{
    SetWindowTextA(FileField(fileDialog), name.c_str());
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

bool SelectInFileList(HWND fileDialog, const std::string &fileName)
{
    HWND view = FindWindowExA(fileDialog, nullptr, "SHELLDLL_DefView", nullptr);
    HWND list = view ? FindWindowExA(view, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
    if (!list)
        return false;
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING;
    find.psz = fileName.c_str();
    LRESULT index = SendMessageA(list, LVM_FINDITEMA, WPARAM(-1), reinterpret_cast<LPARAM>(&find));
    if (index < 0)
        return false;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    return true;
}

void CancelFileDialog(HWND fileDialog)
{
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

HWND FindDialogControl(HWND fileDialog, int id)
{
    struct Search {
        int id;
        HWND found;
    } search = {id, nullptr};
    EnumChildWindows(
        fileDialog,
        [](HWND child, LPARAM data) {
            auto *s = reinterpret_cast<Search *>(data);
            s->found = GetDlgCtrlID(child) == s->id ? child : nullptr;
            return s->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsFileDialog(HWND window)
{
    return FileField(window) != nullptr;
}
