#include "host/app/file_dialogs.h"

#include <commdlg.h>

#include "host/api/qi_core.h"

namespace {

bool AskFile(HWND owner, const FileDialogRequest &request, DWORD flags,
             BOOL(WINAPI *show)(OPENFILENAMEA *), std::string &path)
{
    char file[QI_PATH_MAX] = "";
    lstrcpynA(file, request.name.c_str(), sizeof file);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = request.filter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = request.folder.empty() ? nullptr : request.folder.c_str();
    dialog.lpstrTitle = request.title;
    dialog.lpstrDefExt = request.extension;
    dialog.Flags = flags | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!show(&dialog))
        return false;
    path = file;
    return true;
}

}  // namespace

bool AskFileToOpen(HWND owner, const FileDialogRequest &request, std::string &path)
{
    return AskFile(owner, request, OFN_FILEMUSTEXIST, GetOpenFileNameA, path);
}

bool AskFileToSave(HWND owner, const FileDialogRequest &request, std::string &path)
{
    return AskFile(owner, request, OFN_OVERWRITEPROMPT, GetSaveFileNameA, path);
}
