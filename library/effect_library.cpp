// Saving and loading the edited flare as a library file.
#include "library/effect_library.h"

#include <cstdio>

#include "editor/editor_state.h"
#include "editor/element_list.h"
#include "editor/element_panel.h"
#include "editor/undo.h"
#include "frame/bounded_text.h"
#include "host/api/qi_importio.h"
#include "model/working_flare.h"
#include "library/effect_requester.h"
#include "frame/file_dialog.h"
#include "frame/file_replace.h"
#include "preview/preview.h"

namespace {

const char kSubdirectory[] = "lensfx";

bool PathExists(const char *path)
{
    int32_t exists = 0;
    Qi_File_Exists(path, &exists);
    return exists != 0;
}

// Runs the save dialog at lastLibraryFile until the user picks a new file or
// agrees to replace an existing one; No to the question reopens the dialog
// at lastLibraryFile, not at the refused name. 1 with the name ending in
// ".lnz", 0 when cancelled or the name cannot take the extension.
int16_t ChooseSaveTarget(HWND owner, HINSTANCE instance, char *name)
{
    for (;;) {
        CopyText(name, FILE_NAME_SIZE, lastLibraryFile);
        char filter[] = "Lens Flare Libraries (*.lnz)|*.lnz|";
        if (!ShowFileDialog(owner, 0, kSubdirectory, filter, "Save a Lens Effect File", name, 0,
                            nullptr, nullptr, instance))
            return 0;
        char chosen[FILE_NAME_SIZE];
        CopyText(chosen, sizeof chosen, name);
        Qi_Check_File_Extension(chosen, name, ".lnz");
        if (!ExtensionKeptName(chosen, name)) {
            ShowPathMessage(owner, "The file name '%s' is too long to end in .lnz.", chosen,
                            "Filename Error", MB_OK);
            return 0;
        }
        if (!PathExists(name))
            return 1;
        if (ShowPathMessage(owner, "%s\nThis file already exists.\n\nReplace existing file?",
                            name, "Info Request",
                            MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
            return 1;
    }
}

// The backup name of a library: its upper-case name with the extension
// ".bak"; empty when the extension does not fit.
void BackupName(const char *name, char *backup)
{
    char upper[FILE_NAME_SIZE];
    CopyText(upper, sizeof upper, name);
    CharUpperA(upper);
    Qi_Check_File_Extension(upper, backup, ".bak");
    if (!ExtensionKeptName(upper, backup))
        backup[0] = '\0';
}

// The host writes the edited flare, as it holds it, to the file.
int32_t WriteFlare(const char *path, void *)
{
    static const QiToken savetofile = Qi_Inquire_Token("savetofile");
    PluginInstance *plugin = currentInstance;
    int32_t status = -1;
    Qi_LensFlare(plugin->handleType, plugin->flareName, savetofile, path, &status, QI_END);
    return status;
}

// Whether the host can load the file: tried on the temporary light, before
// the flare loses anything.
bool LibraryFileLoads(const char *path)
{
    CreateTemporaryLight();
    int16_t loads = LoadIntoTemporaryLight(path);
    RemoveTemporaryLight();
    return loads != 0;
}

// Deletes the flare's elements at the host and shows the flare without
// them: the working flare is reloaded, the list refilled and the preview
// redrawn, with the change notifications kept away meanwhile.
void DeleteFlareElements(HWND editor, PluginInstance *instance)
{
    static const QiToken deleteToken = Qi_Inquire_Token("delete");
    updatingControls = 1;
    if (instance->workingFlare) {
        for (FlareElement *element = instance->workingFlare->firstElement; element;
             element = element->next) {
            if (element == instance->currentElement)
                DestroyElementPanel(instance, element);
            Qi_LensFlare(instance->handleType, instance->flareName, deleteToken, element->guid,
                         QI_END);
        }
    }
    // Reloaded the editor's way, so that its global sliders write into the
    // new working flare.
    ReloadWorkingFlare();
    SendMessageA(editor, WMU_REFILL_ELEMENT_LIST, 0, 0);
    updatingControls = 0;
    RequestPreviewRedraw(-1, -1);
}

// Says that the file cannot be loaded, with the host's reason below, so that
// a person can mend the file.
void TellLoadFailed(HWND owner, const char *path)
{
    char reason[SAVE_CAUSE_SIZE], sentence[SAVE_CAUSE_SIZE];
    Qi_Take_Last_Error(reason, sizeof reason);
    HostReasonSentence(reason, path, sentence, sizeof sentence);
    char text[FILE_NAME_SIZE + 200 + SAVE_CAUSE_SIZE];
    std::snprintf(text, sizeof text,
                  "The lens flare effect file '%s' could not be loaded. It may be damaged or not "
                  "a lens effect file.%s%s",
                  path, sentence[0] ? "\n\n" : "", sentence);
    MessageBoxA(owner, text, "Error", MB_OK);
}

// Forgets the host's earlier errors, so that a failure tells its own.
void ForgetHostErrors()
{
    char reason[SAVE_CAUSE_SIZE];
    Qi_Take_Last_Error(reason, sizeof reason);
}

}  // namespace

int16_t SaveEffectLibrary(HWND owner, HINSTANCE instance)
{
    char name[FILE_NAME_SIZE];
    if (!ChooseSaveTarget(owner, instance, name))
        return 0;
    Import_IO_Copy_String(&lastLibraryFile, name);

    // With realtime updates off the edits are only in the working flare.
    CommitPendingEdits();
    char backup[FILE_NAME_SIZE];
    BackupName(name, backup);
    SafeSave save = {};
    save.target = name;
    save.backup = backup;
    if (!SaveThroughTemporaryFile(&save, WriteFlare, nullptr)) {
        ShowSaveFailure(owner, "Error writing lens flare effect file '%s'.", save,
                        "File Write Error");
        return 0;
    }
    if (save.backupCause[0]) {
        char text[FILE_NAME_SIZE + 200 + SAVE_CAUSE_SIZE];
        std::snprintf(text, sizeof text,
                      "The lens flare effect file '%s' was saved, but no backup of the former "
                      "file was made.\n\n%s",
                      name, save.backupCause);
        MessageBoxA(owner, text, "File Write Error", MB_OK | MB_ICONWARNING);
    }
    return 1;
}

int16_t LoadEffectLibrary(HWND owner, HINSTANCE instance)
{
    static const QiToken loadfromfile = Qi_Inquire_Token("loadfromfile");
    char path[FILE_NAME_SIZE];
    if (!ChooseEffectFile(owner, kSubdirectory, "Select Lens Flare Effect File", lastLibraryFile,
                          path, instance))
        return 0;
    ForgetHostErrors();
    if (!LibraryFileLoads(path)) {
        TellLoadFailed(owner, path);
        return 0;
    }

    PluginInstance *plugin = currentInstance;
    DeleteFlareElements(owner, plugin);
    int32_t status = -1;
    ForgetHostErrors();
    Qi_LensFlare(plugin->handleType, plugin->flareName, loadfromfile, path, &status, QI_END);
    if (status != 0) {
        // The file changed since it was tried; the flare has no elements
        // left, a step the user can undo.
        RecordUndoStep();
        TellLoadFailed(owner, path);
        return 0;
    }
    Import_IO_Copy_String(&lastLibraryFile, path);
    return 1;
}

int16_t ChooseEffectFile(HWND owner, const char *subdirectory, const char *title,
                         const char *currentPath, char *outPath, HINSTANCE instance)
{
    if (!subdirectory)
        subdirectory = kSubdirectory;
    char name[FILE_NAME_SIZE];
    DropSubdirectoryPrefix(currentPath, subdirectory, name);
    EnterWorkingDirectory();
    char filter[] = "Lens Flare Libraries (*.lnz)|*.lnz|";
    int16_t chosen = ShowFileDialog(owner, 1, subdirectory, filter, title, name,
                                    OFN_EXPLORER | OFN_LONGNAMES | OFN_ENABLETEMPLATE |
                                        OFN_ENABLEHOOK,
                                    EffectRequesterHook, "LensFlareFileRequestor", instance);
    // The requester removes its light as it closes; this holds whatever way
    // the dialog ended.
    RemoveTemporaryLight();
    if (!chosen)
        return 0;
    LowerCasePath(name);
    if (!Qi_Check_For_File_Extension(name, ".lnz")) {
        MessageBoxA(owner,
                    "The filename does not have the file extensions of .lnz (lens effect file).",
                    "Filename Error", MB_OK);
        return 0;
    }
    CopyText(outPath, FILE_NAME_SIZE, name);
    return 1;
}
