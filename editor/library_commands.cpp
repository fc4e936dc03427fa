#include "editor/library_commands.h"

#include "editor/editor_dialog.h"
#include "editor/editor_state.h"
#include "editor/element_list.h"
#include "editor/element_panel.h"
#include "editor/undo.h"
#include "frame/file_paths.h"
#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"
#include "library/effect_library.h"
#include "library/preset_browser.h"
#include "preview/preview.h"

namespace {

// The flare shown without its elements: they are deleted at the host, the
// working flare reloaded, the list refilled and the preview redrawn, with
// the change notifications kept away meanwhile.
void ShowFlareWithoutElements(HWND editor)
{
    PluginInstance *instance = currentInstance;
    updatingControls = 1;
    if (instance->currentElement)
        DestroyElementPanel(instance, instance->currentElement);
    DeleteFlareElementsAtHost();
    ReloadWorkingFlare();
    SendMessageA(editor, WMU_REFILL_ELEMENT_LIST, 0, 0);
    updatingControls = 0;
    RequestPreviewRedraw(-1, -1);
}

}  // namespace

int16_t LoadLibraryIntoEditor(HWND owner, const char *path)
{
    HWND editor = currentInstance->dialogWindow;
    // The step a failed load goes back to is the flare as the user sees it.
    CommitPendingEdits();
    RecordUndoStep();
    char reason[LOAD_REASON_SIZE];
    if (!LibraryFileLoads(path, reason)) {
        TellLibraryLoadFailed(owner, path, reason, false);
        return 0;
    }
    ShowFlareWithoutElements(editor);
    if (!HostLoadsLibrary(path, reason)) {
        // The file changed since it was tried.
        RestoreCurrentStep(editor);
        TellLibraryLoadFailed(owner, path, reason, true);
        return 0;
    }
    Import_IO_Copy_String(&lastLibraryFile, path);
    ReloadAfterLibraryLoad(editor);
    return 1;
}

int16_t LoadLibraryCommand(HWND dialog)
{
    char path[FILE_NAME_SIZE];
    if (!ChooseEffectFile(dialog, "lensfx", "Select Lens Flare Effect File", lastLibraryFile,
                          path, currentInstance->moduleInstance))
        return 0;
    return LoadLibraryIntoEditor(dialog, path);
}

int16_t SaveLibraryCommand(HWND dialog)
{
    char name[FILE_NAME_SIZE];
    if (!ChooseLibrarySaveTarget(dialog, currentInstance->moduleInstance, name))
        return 0;
    // With realtime updates off the edits are only in the working flare.
    CommitPendingEdits();
    return SaveFlareToLibrary(dialog, name);
}

void PresetsCommand(HWND dialog)
{
    PresetBrowserLink link = {LoadLibraryIntoEditor, CommitPendingEdits};
    ShowPresetBrowser(dialog, currentInstance->moduleInstance, link);
}
