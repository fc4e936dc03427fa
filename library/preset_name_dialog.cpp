#include "library/preset_name_dialog.h"

#include <cstdio>
#include <cstring>

#include "frame/bounded_text.h"
#include "frame/file_dialog.h"
#include "frame/file_paths.h"
#include "resources/library_ids.h"

namespace {

// What the dialog is given and gives back.
struct NameRequest {
    const char *folder;  // where the preset goes
    char *path;          // out: the preset's file (FILE_NAME_SIZE characters)
};

// Longest name the field takes; the path must fit besides.
const int kNameLimit = 120;

// The name as typed without surrounding blanks, final dots (which the file
// system drops) or a typed ".lnz".
void TidyName(char *name)
{
    size_t length = std::strlen(name);
    while (length > 0 && (name[length - 1] == ' ' || name[length - 1] == '.'))
        name[--length] = '\0';
    if (length > 4 && lstrcmpiA(name + length - 4, ".lnz") == 0)
        name[length -= 4] = '\0';
    size_t start = std::strspn(name, " ");
    std::memmove(name, name + start, length - start + 1);
}

// Fills request->path from the name field; false after telling why the
// name cannot be used.
bool TakeName(HWND dialog, NameRequest *request)
{
    char name[kNameLimit + 1] = "";
    GetDlgItemTextA(dialog, IDC_PRESET_NAME, name, sizeof name);
    TidyName(name);
    if (!name[0])
        return false;
    if (std::strpbrk(name, "\\/:*?\"<>|")) {
        MessageBoxA(dialog,
                    "A preset name cannot contain any of the characters \\ / : * ? \" < > |.",
                    "Filename Error", MB_OK);
        return false;
    }
    int written = std::snprintf(request->path, FILE_NAME_SIZE, "%s\\%s.lnz", request->folder, name);
    if (written < 0 || written >= FILE_NAME_SIZE) {
        request->path[0] = '\0';
        ShowPathMessage(dialog, "The name is too long for a file in the folder '%s'.",
                        request->folder, "Filename Error", MB_OK);
        return false;
    }
    return true;
}

INT_PTR CALLBACK PresetNameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *request = reinterpret_cast<NameRequest *>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SendDlgItemMessageA(dialog, IDC_PRESET_NAME, EM_LIMITTEXT, kNameLimit, 0);
        EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_PRESET_NAME && HIWORD(wParam) == EN_CHANGE)
            EnableWindow(GetDlgItem(dialog, IDOK),
                         GetWindowTextLengthA(GetDlgItem(dialog, IDC_PRESET_NAME)) > 0);
        else if (LOWORD(wParam) == IDOK && TakeName(dialog, request))
            EndDialog(dialog, 1);
        else if (LOWORD(wParam) == IDCANCEL)
            EndDialog(dialog, 0);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

int16_t AskPresetName(HWND owner, HINSTANCE instance, const char *folder, char *path)
{
    NameRequest request = {folder, path};
    path[0] = '\0';
    INT_PTR result = DialogBoxParamA(instance, "PresetNameDialog", owner, PresetNameProc,
                                     reinterpret_cast<LPARAM>(&request));
    return result == 1 ? 1 : 0;
}
