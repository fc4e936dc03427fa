#include "editor/element_solo.h"

#include <cstring>

#include "editor/element_copy.h"
#include "editor/scratch_light.h"
#include "frame/plugin_instance.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "resources/resource.h"

namespace {

bool soloOn = false;

// The host's index of the current element: its place in the working flare,
// whose order is the host's; -1 without one.
int32_t CurrentIndex(const PluginInstance *instance)
{
    int32_t index = 0;
    for (const FlareElement *e = instance->workingFlare ? instance->workingFlare->firstElement
                                                        : nullptr;
         e; e = e->next, ++index)
        if (e == instance->currentElement)
            return index;
    return -1;
}

// The scratch light made the host's flare without its other elements: the
// globals and the selected element as the host holds them (with realtime
// updates off, edits not yet sent stay out of the preview, as they do
// without Solo).
bool SoloSource(QiToken *kind, const char **name)
{
    const PluginInstance *instance = currentInstance;
    if (!soloOn || !instance || !EmptyScratchLight())
        return false;
    WorkingFlare globals = {};
    LoadFlareGlobals(&globals, instance->handleType, instance->flareName);
    CommitFlareGlobals(&globals, ScratchLightKind(), kScratchLightName);
    TextElement element;
    if (ReadHostElement(instance->handleType, instance->flareName, CurrentIndex(instance),
                        &element))
        InsertTextElement(ScratchLightKind(), kScratchLightName, element, nullptr);
    *kind = ScratchLightKind();
    *name = kScratchLightName;
    return true;
}

}  // namespace

void StartSolo(HWND dialog)
{
    soloOn = false;
    CheckDlgButton(dialog, IDC_SOLO, BST_UNCHECKED);
    previewSource = SoloSource;
}

void EndSolo()
{
    soloOn = false;
    previewSource = nullptr;
}

void OnSoloSwitch(HWND dialog)
{
    soloOn = IsDlgButtonChecked(dialog, IDC_SOLO) == BST_CHECKED;
    RequestPreviewRedraw(-1, -1);
}

bool SoloShowsSelection()
{
    return soloOn;
}
