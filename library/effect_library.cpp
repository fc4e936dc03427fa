// Saving and loading the edited flare as a library file.
#include "library/effect_library.h"

#include <cstdio>

#include "frame/bounded_text.h"
#include "frame/file_dialog.h"
#include "frame/file_replace.h"
#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"
#include "library/effect_requester.h"
#include "model/working_flare.h"

char *lastLibraryFile = nullptr;

namespace {

const char kSubdirectory[] = "lensfx";

bool PathExists(const char *path)
{
    int32_t exists = 0;
    Qi_File_Exists(path, &exists);
    return exists != 0;
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

// Forgets the host's earlier errors, so that a failure tells its own.
void ForgetHostErrors()
{
    char reason[LOAD_REASON_SIZE];
    Qi_Take_Last_Error(reason, sizeof reason);
}

}  // namespace

int16_t ChooseLibrarySaveTarget(HWND owner, HINSTANCE instance, char *name)
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
        if (!PathExists(name) || AskToReplaceFile(owner, name))
            return 1;
    }
}

bool AskToReplaceFile(HWND owner, const char *path)
{
    return ShowPathMessage(owner, "%s\nThis file already exists.\n\nReplace existing file?", path,
                           "Info Request", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int16_t SaveFlareToLibrary(HWND owner, const char *path)
{
    Import_IO_Copy_String(&lastLibraryFile, path);
    char backup[FILE_NAME_SIZE];
    BackupName(path, backup);
    SafeSave save = {};
    save.target = path;
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
                      path, save.backupCause);
        MessageBoxA(owner, text, "File Write Error", MB_OK | MB_ICONWARNING);
    }
    return 1;
}

bool LibraryFileLoads(const char *path, char *reason)
{
    ForgetHostErrors();
    CreateTemporaryLight();
    int16_t loads = LoadIntoTemporaryLight(path);
    RemoveTemporaryLight();
    reason[0] = '\0';
    if (!loads)
        Qi_Take_Last_Error(reason, LOAD_REASON_SIZE);
    return loads != 0;
}

void DeleteFlareElementsAtHost()
{
    static const QiToken deleteToken = Qi_Inquire_Token("delete");
    PluginInstance *instance = currentInstance;
    if (!instance->workingFlare)
        return;
    for (const FlareElement *element = instance->workingFlare->firstElement; element;
         element = element->next)
        Qi_LensFlare(instance->handleType, instance->flareName, deleteToken, element->guid,
                     QI_END);
}

int16_t HostLoadsLibrary(const char *path, char *reason)
{
    static const QiToken loadfromfile = Qi_Inquire_Token("loadfromfile");
    PluginInstance *instance = currentInstance;
    ForgetHostErrors();
    int32_t status = -1;
    Qi_LensFlare(instance->handleType, instance->flareName, loadfromfile, path, &status, QI_END);
    reason[0] = '\0';
    if (status != 0)
        Qi_Take_Last_Error(reason, LOAD_REASON_SIZE);
    return status == 0 ? 1 : 0;
}

void TellLibraryLoadFailed(HWND owner, const char *path, const char *reason, bool restored)
{
    char sentence[LOAD_REASON_SIZE];
    HostReasonSentence(reason, path, sentence, sizeof sentence);
    char text[FILE_NAME_SIZE + 300 + LOAD_REASON_SIZE];
    std::snprintf(text, sizeof text,
                  "The lens flare effect file '%s' could not be loaded. It may be damaged or not "
                  "a lens effect file.%s%s%s",
                  path, sentence[0] ? "\n\n" : "", sentence,
                  restored ? "\n\nThe flare was given back as it was before the load." : "");
    MessageBoxA(owner, text, "Error", MB_OK);
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
