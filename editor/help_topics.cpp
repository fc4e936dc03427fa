#include "editor/help_topics.h"

#include <cstring>

#include "editor/editor_state.h"
#include "editor/undo.h"
#include "frame/plugin_instance.h"
#include "gradient/colour_slider.h"
#include "resources/gradient_ids.h"
#include "resources/resource.h"

const char kGeneralHelpTopic[] = "lens flare effects";

namespace {

const char kPreviewTopic[] = "lens flare preview";
const char kElementListTopic[] = "lens flare element list";
const char kSelectElementTopic[] = "lens flare select element";
const char kElementPageTopic[] = "lens flare element parameters";
const char kGlobalPageTopic[] = "lens flare global parameters";
const char kFadingPageTopic[] = "lens flare global fading parameters";
const char kSlidersTopic[] = "lens flare sliders";
const char kColoursTopic[] = "lens flare colours";
const char kGradientsTopic[] = "lens flare gradients";
const char kLibrariesTopic[] = "lens flare libraries";
const char kPresetsTopic[] = "lens flare presets";
const char kUndoTopic[] = "lens flare undo";

struct ControlTopic {
    int firstId, lastId;  // the controls of the editor, ids inclusive
    const char *topic;
};

// The editor's own controls; the page area's have the topic of the page.
const ControlTopic kControlTopics[] = {
    {IDOK, IDOK, kGeneralHelpTopic},
    {IDCANCEL, IDCANCEL, kUndoTopic},
    {IDC_HELP_BUTTON, IDC_HELP_BUTTON, kGeneralHelpTopic},
    {IDC_PREVIEW, IDC_PREVIEW, kPreviewTopic},
    {IDC_PREVIEW_GROUP, IDC_PREVIEW_GROUP, kPreviewTopic},
    {IDC_REALTIME_UPDATES, IDC_REDRAW_NOW, kPreviewTopic},
    {IDC_LIBRARY_LOAD, IDC_LIBRARY_SAVE, kLibrariesTopic},
    {IDC_ELEMENT_LIST, IDC_ELEMENT_LIST, kElementListTopic},
    {IDC_ELEMENT_ENABLED, IDC_MOVE_UP, kElementListTopic},
    {IDC_ADD_ELEMENT, IDC_COPY_ELEMENT, kElementListTopic},
    {IDC_SOLO, IDC_SOLO, kElementListTopic},
    {IDC_PRESETS, IDC_PRESETS, kPresetsTopic},
};

struct DialogTopic {
    const char *caption;  // the dialog's title
    const char *topic;
};

// The dialogs the editor opens over itself, by their titles.
const DialogTopic kDialogTopics[] = {
    {"Select Element", kSelectElementTopic},
    {"Interactive Color Selector", kColoursTopic},
    {"Named Color Selector", kColoursTopic},
    {"Color", kColoursTopic},
    {"Gradient Edit", kGradientsTopic},
    {"Load Color Gradient File", kGradientsTopic},
    {"Save Color Gradient File", kGradientsTopic},
    {"Select Lens Flare Effect File", kLibrariesTopic},
    {"Save a Lens Effect File", kLibrariesTopic},
    {"Lens Flare Presets", kPresetsTopic},
};

const char *PageTopic()
{
    switch (currentPage) {
    case PAGE_ELEMENT: return kElementPageTopic;
    case PAGE_GLOBAL: return kGlobalPageTopic;
    case PAGE_FADING: return kFadingPageTopic;
    }
    return kGeneralHelpTopic;
}

bool MenuHolds(HMENU menu, UINT command)
{
    return GetMenuState(menu, command, MF_BYCOMMAND) != UINT(-1);
}

const char *MenuTopic(HMENU menu)
{
    if (MenuHolds(menu, IDM_GRADIENT_LARGE_DIALOG))
        return kGradientsTopic;
    if (MenuHolds(menu, SC_UNDO_STEP))
        return kUndoTopic;
    return kGeneralHelpTopic;
}

const char *DialogTopicOf(HWND dialog)
{
    char caption[128] = "";
    GetWindowTextA(dialog, caption, sizeof caption);
    for (const DialogTopic &entry : kDialogTopics)
        if (std::strcmp(entry.caption, caption) == 0)
            return entry.topic;
    return kGeneralHelpTopic;
}

// A control of the editor (or a window inside one, such as a slider's field).
const char *ControlTopicOf(HWND editor, HWND window)
{
    if (window == editor)
        return PageTopic();
    for (HWND parent = GetParent(window); parent && parent != editor; parent = GetParent(window))
        window = parent;
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "TINYSLIDER") == 0)
        return kSlidersTopic;
    if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ColourSliderWndProc))
        return kGradientsTopic;
    int id = GetDlgCtrlID(window);
    for (const ControlTopic &entry : kControlTopics)
        if (id >= entry.firstId && id <= entry.lastId)
            return entry.topic;
    return PageTopic();
}

}  // namespace

const char *HelpTopicOf(HWND editor, const HELPINFO *help)
{
    if (!help)
        return PageTopic();
    if (help->iContextType == HELPINFO_MENUITEM)
        return MenuTopic(static_cast<HMENU>(help->hItemHandle));
    HWND window = static_cast<HWND>(help->hItemHandle);
    if (!IsWindow(window))
        return PageTopic();
    HWND dialog = GetAncestor(window, GA_ROOT);
    return dialog == editor ? ControlTopicOf(editor, window) : DialogTopicOf(dialog);
}

void ShowHelpFor(HWND editor, const HELPINFO *help)
{
    HostServices *services = currentInstance ? currentInstance->hostServices : nullptr;
    if (!services)
        return;
    HWND owner = editor;
    if (help && help->iContextType == HELPINFO_WINDOW && IsWindow(HWND(help->hItemHandle)))
        owner = GetAncestor(HWND(help->hItemHandle), GA_ROOT);
    services->ShowHelpTopic(owner, HelpTopicOf(editor, help));
}

std::vector<const char *> EditorHelpTopics()
{
    return {kGeneralHelpTopic, kPreviewTopic,     kElementListTopic, kSelectElementTopic,
            kElementPageTopic, kGlobalPageTopic,  kFadingPageTopic,  kSlidersTopic,
            kColoursTopic,     kGradientsTopic,   kLibrariesTopic,   kPresetsTopic,
            kUndoTopic};
}
