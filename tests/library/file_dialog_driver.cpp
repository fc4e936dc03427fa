#include "tests/library/file_dialog_driver.h"

#include <commdlg.h>
#include <dlgs.h>

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
    char text[MAX_PATH] = "";
    GetWindowTextA(FileField(fileDialog), text, sizeof text);
    return text;
}

void ChooseFile(HWND fileDialog, const std::string &name)
{
    SetWindowTextA(FileField(fileDialog), name.c_str());
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void CancelFileDialog(HWND fileDialog)
{
    PostMessageA(fileDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

bool IsFileDialog(HWND window)
{
    return FileField(window) != nullptr;
}
