// The plug-in's two exports: the entry point that creates and destroys
// instances, and the scripted command that opens the editor.
#include "frame/plugin_entry.h"

#include <cstring>

#include "editor/editor_dialog.h"
#include "frame/bounded_text.h"
#include "host/api/qi_importio.h"
#include "model/working_flare.h"

namespace {

const char kBadToken[] = "ERR_GEOM_IMPORT_BAD_TOKEN";
const char kEntryOrigin[] = "LensFlare_Entry()";

void ReportBadKeyword(const char *keyword)
{
    Qi_Report_Error(4, kBadToken, kEntryOrigin, keyword);
}

// A new instance, current from now on; null when the record cannot be had.
PluginInstance *CreatePluginInstance(HostServices *services)
{
    auto *instance = static_cast<PluginInstance *>(Qi_Alloc_Memory(0, 1, sizeof(PluginInstance)));
    if (!instance) {
        Qi_Report_Error(3, "ERR_OUT_OF_MEMORY", kEntryOrigin, "new_instance");
        return nullptr;
    }
    instance->workingFlare = nullptr;
    currentInstance = instance;
    instance->initText = nullptr;
    Import_IO_Copy_String(&instance->initText, hostInitText);
    instance->moduleInstance = moduleHandle;
    instance->hostServices = services;
    return instance;
}

void DestroyPluginInstance(PluginInstance *instance)
{
    if (instance) {
        ReleaseWorkingFlare(instance);
        Qi_Free_Memory(instance->initText);
        Qi_Free_Memory(instance);
    }
    currentInstance = nullptr;
}

// "execute": the keywords after it are checked and otherwise ignored.
void RunExecuteStep(const char **keywords)
{
    for (; *keywords; ++keywords)
        if (std::strcmp(*keywords, "filename") != 0)
            ReportBadKeyword(*keywords);
}

// Copies the host object's name, cut to fit flareName; a cut is reported,
// since the cut name may name no object or another one.
void StoreFlareName(PluginInstance *instance, const char *name)
{
    if (!CopyText(instance->flareName, sizeof instance->flareName, name))
        Qi_Report_Error(2, "ERR_NAME_TOO_LONG", kEntryOrigin,
                        "execute_lens_flare_dialog_box: name cut to 1023 characters");
}

// The dialog works on currentInstance; the instance the host named becomes
// current first, so that the editor always edits the object just stored.
void OpenEditor(PluginInstance *instance, HWND ownerWindow)
{
    currentInstance = instance;
    DialogBoxParamA(currentInstance->moduleInstance, "LensFlareDialogBox", ownerWindow,
                    EditorDialogProc, 0);
}

}  // namespace

extern "C" void Quorix_Plugin_EntryPoint(const char **keywords, int64_t *values, int32_t *status,
                                         PluginInstance *instance)
{
    if (status)
        *status = 0;
    if (!keywords)
        return;
    HostServices *services = nullptr;  // "parent_hInstance" of this call only
    for (size_t i = 0; keywords[i] && keywords[i][0]; ++i) {
        const char *keyword = keywords[i];
        if (std::strcmp(keyword, "parent_hInstance") == 0) {
            services = reinterpret_cast<HostServices *>(values[i]);
        } else if (std::strcmp(keyword, "initialize") == 0) {
            Import_IO_Copy_String(&hostInitText, reinterpret_cast<const char *>(values[i]));
        } else if (std::strcmp(keyword, "new_instance") == 0) {
            values[i] = reinterpret_cast<int64_t>(CreatePluginInstance(services));
        } else if (std::strcmp(keyword, "destroy_instance") == 0) {
            DestroyPluginInstance(instance);
        } else if (std::strcmp(keyword, "execute") == 0) {
            RunExecuteStep(keywords + i + 1);
            return;
        }
        // "parent_hWnd", "shutdown" and unknown keywords: nothing to do.
    }
}

extern "C" int64_t DLL_ExecuteLensFlareASCIICommand(PluginInstance *instance, HWND ownerWindow,
                                                    const char **keywords, int64_t *values)
{
    if (!instance)
        return 0;
    if (!instance->hostServices) {
        MessageBoxA(nullptr, "Could not link to the Quorix interface API methods.",
                    "Plug-in Error", MB_OK);
        return 1;
    }
    if (!keywords)
        return 1;
    for (size_t i = 0; keywords[i]; ++i) {
        const char *keyword = keywords[i];
        if (std::strcmp(keyword, "handle_type") == 0) {
            instance->handleType = values[i];
        } else if (std::strcmp(keyword, "execute_lens_flare_dialog_box") == 0) {
            StoreFlareName(instance, reinterpret_cast<const char *>(values[i]));
            OpenEditor(instance, ownerWindow);
        } else {
            ReportBadKeyword(keyword);
        }
    }
    return 1;
}
