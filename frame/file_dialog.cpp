// The open and save common dialogs, started at the folder the remembered
// name or the host's working directory gives.
#include "frame/file_dialog.h"

#include <cstdio>
#include <cstring>

#include "frame/bounded_text.h"
#include "host/api/qi_core.h"
#include "host/api/qi_importio.h"

namespace {

bool HostPathExists(const char *path)
{
    int32_t exists = 0;
    Qi_File_Exists(path, &exists);
    return exists != 0;
}

// Sends a query that writes a text of at most FILE_NAME_SIZE characters into
// text; true when the dialog answered with a text that fits. The buffer is
// zero-terminated in every case: a dialog that had to cut the text may have
// left it without a terminating zero.
bool QueryDialogText(HWND dialog, UINT message, char *text)
{
    text[0] = '\0';
    LRESULT result = SendMessageA(dialog, message, FILE_NAME_SIZE, reinterpret_cast<LPARAM>(text));
    text[FILE_NAME_SIZE - 1] = '\0';
    if (result <= 0 || result > FILE_NAME_SIZE) {
        text[0] = '\0';
        return false;
    }
    return true;
}

}  // namespace

const char *HostWorkingDirectory()
{
    const char *working = nullptr;
    Qi_Inquire_Environment("QX_WORKING_DIR", &working);
    return working ? working : "";
}

void EnterWorkingDirectory()
{
    const char *working = HostWorkingDirectory();
    if (*working)
        SetCurrentDirectoryA(working);
}

void GetInitialDirectory(const char *subdirectory, char *out)
{
    ComposeInitialDirectory(HostWorkingDirectory(), subdirectory, HostPathExists, out);
}

int16_t ShowFileDialog(HWND owner, int16_t open, const char *subdirectory, char *filter,
                       const char *title, char *name, DWORD extraFlags,
                       LPOFNHOOKPROC hook, const char *templateName, HINSTANCE instance)
{
    DialogStart start;
    ComposeDialogStart(name, HostWorkingDirectory(), subdirectory, HostPathExists, &start);
    for (size_t i = 0, n = std::strlen(filter); i < n; ++i)
        if (filter[i] == '|')
            filter[i] = '\0';

    char fileTitle[FILE_NAME_SIZE] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.hInstance = instance;
    dialog.lpstrFilter = filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = start.file;
    dialog.nMaxFile = FILE_NAME_SIZE;
    dialog.lpstrFileTitle = fileTitle;
    dialog.nMaxFileTitle = FILE_NAME_SIZE;
    dialog.lpstrInitialDir = start.directory[0] ? start.directory : nullptr;
    dialog.lpstrTitle = title;
    dialog.lpfnHook = hook;
    dialog.lpTemplateName = templateName;
    dialog.Flags = extraFlags | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (open)
        dialog.Flags |= OFN_FILEMUSTEXIST;
    if (!(open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog)))
        return 0;
    CopyText(name, FILE_NAME_SIZE, start.file);
    return 1;
}

void PlaceOpenDialog(HWND hookDialog)
{
    HWND openDialog = GetParent(hookDialog);
    if (openDialog)
        Import_IO_Center_Window(GetWindow(openDialog, GW_OWNER), openDialog);
}

int16_t GetOpenDialogSelection(HWND hookDialog, char *path)
{
    HWND dialog = GetParent(hookDialog);
    if (!QueryDialogText(dialog, CDM_GETSPEC, path) || !path[0]) {
        path[0] = '\0';
        return 0;
    }
    return QueryDialogText(dialog, CDM_GETFILEPATH, path) && path[0] ? 1 : 0;
}

int ShowPathMessage(HWND owner, const char *format, const char *path, const char *caption,
                    UINT type)
{
    char text[FILE_NAME_SIZE + 200];
    std::snprintf(text, sizeof text, format, path ? path : "");
    return MessageBoxA(owner, text, caption, type);
}
