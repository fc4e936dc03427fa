// The editor dialog: set-up, message and command dispatch, teardown, and the
// ways out: Ok, or the close box, which acts as Ok; Cancel or Escape, which
// give the flare back as it opened.
#include "editor/editor_dialog.h"

#include "colour/colour_selector.h"
#include "controls/tabbed_panel.h"
#include "editor/editor_keys.h"
#include "editor/editor_layout.h"
#include "editor/editor_settings.h"
#include "editor/editor_state.h"
#include "editor/element_clipboard.h"
#include "editor/element_list.h"
#include "editor/element_list_input.h"
#include "editor/element_menu.h"
#include "editor/element_panel.h"
#include "editor/element_rows.h"
#include "editor/element_solo.h"
#include "editor/global_pages.h"
#include "editor/global_sliders.h"
#include "editor/help_topics.h"
#include "editor/library_commands.h"
#include "editor/page_tabs.h"
#include "editor/panel_cache.h"
#include "editor/panel_scroll.h"
#include "editor/parameter_pages.h"
#include "editor/undo.h"
#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"
#include "library/effect_library.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "resources/resource.h"

namespace {

PluginInstance *Instance()
{
    return currentInstance;
}

void ShowRealtimeSwitch(HWND dialog)
{
    int16_t realtime = Instance()->realtimeUpdates;
    CheckDlgButton(dialog, IDC_REALTIME_UPDATES, realtime ? BST_CHECKED : BST_UNCHECKED);
    Import_IO_Set_Control_Enable(dialog, IDC_REDRAW_NOW, realtime ? 0 : 1);
}

// The flare, the settings, the preview, the element list, the tab strip and
// the sliders, in this order; the first preview last. Without a tab strip
// the dialog stays up without pages and sliders, and since updatingControls
// stays set nothing is committed before Ok.
BOOL Editor_OnInitDialog(HWND dialog)
{
    PluginInstance *instance = Instance();
    updatingControls = 1;
    LoadPreviewCursors();
    RegisterTabbedPanelClass();
    StartEditorLayout(dialog);
    Import_IO_Center_Window(GetParent(dialog), dialog);

    currentPage = PAGE_NONE;
    ShowParameterPage(dialog, PAGE_NONE, 1);

    instance->dialogWindow = dialog;
    instance->currentElement = nullptr;
    ReleaseWorkingFlare(instance);
    LoadWorkingFlare(instance, instance->handleType, instance->flareName);
    RefreshGlobalControls(dialog);

    instance->realtimeUpdates = ReadRealtimeSetting();
    ShowRealtimeSwitch(dialog);
    ReadLastLibraryFile();
    StartPanelCache(ReadKeepPagesSetting());
    ReadEditorPlacement();

    SetUpPreview(dialog);
    SetUpElementRows(dialog);
    StartElementListInput(dialog);
    StartSolo(dialog);
    SendMessageA(dialog, WMU_REFILL_ELEMENT_LIST, 0, 0);

    if (!CreatePageTabs(dialog)) {
        ReleaseElementRows();
        return FALSE;
    }
    ShowParameterPage(dialog, PAGE_ELEMENT);
    SelectPageTab(currentPage);
    AdoptTabbedPanelBackground(dialog, pageTabControl);
    ShowWindow(pageTabControl->hwnd, SW_SHOWNORMAL);

    CreateGlobalSliders(dialog);

    RefreshControl(dialog, IDC_BASE_COLOR);
    RestoreEditorPlacement(dialog);
    StartPreviewAtQuarter();
    updatingControls = 0;
    ShowElementEnabled(dialog);
    StartUndoHistory(dialog);
    StartEditorKeys(dialog);
    return FALSE;
}

void Editor_OnDestroy(HWND dialog)
{
    PluginInstance *instance = Instance();
    updatingControls = 1;
    previewBusy = 0;
    StoreEditorPlacement(dialog);
    EndEditorLayout();
    EndEditorKeys();
    EndUndoHistory();
    if (instance->currentElement)
        DestroyElementPanel(instance, instance->currentElement);
    ReleasePanelCache();
    ReleasePanelCaptions();
    ReleaseGlobalSliders();
    ReleaseWorkingFlare(instance);
    instance->currentElement = nullptr;
    DestroyPageTabs();
    EndSolo();
    ReleaseElementRows();
    TearDownPreview();
    Qi_Free_Memory(lastLibraryFile);
    lastLibraryFile = nullptr;
    currentPage = PAGE_NONE;
    instance->dialogWindow = nullptr;
}

// Ok acts only when the focus is on the Ok button itself, so that Enter
// typed into an edit field does not close the dialog.
void Editor_OnOk(HWND dialog)
{
    if (GetFocus() != GetDlgItem(dialog, IDOK))
        return;
    ShowGlobalFieldMinimums(dialog);
    StoreGlobalSliders(dialog);
    CommitPendingEdits();
    StoreLastLibraryFile();
    EndDialog(dialog, 1);
}

// Cancel and Escape. A flare that changed since the editor opened is given
// back as it was then, in the host too, once the user confirms; the
// question's default keeps the editor open. An unchanged flare is sent as
// it is, as Ok sends it: Redraw Now may have sent a change taken back since.
void Editor_OnCancel(HWND dialog)
{
    if (!FlareChangedSinceOpening()) {
        CommitPendingEdits();
    } else {
        if (MessageBoxA(dialog, "Discard the changes made to this flare?", "Info Request",
                        MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
            return;
        RestoreOpenedFlare(dialog);
    }
    StoreLastLibraryFile();
    EndDialog(dialog, 0);
}

// Turning realtime updates on pushes what was edited meanwhile at once.
void Editor_OnRealtimeSwitch(HWND dialog)
{
    PluginInstance *instance = Instance();
    instance->realtimeUpdates = instance->realtimeUpdates ? 0 : 1;
    WriteRealtimeSetting(instance->realtimeUpdates);
    Import_IO_Set_Control_Enable(dialog, IDC_REDRAW_NOW, instance->realtimeUpdates ? 0 : 1);
    if (instance->realtimeUpdates && !updatingControls) {
        CommitPendingEdits();
        RequestPreviewRedraw(-1, -1);
    }
}

void Editor_OnFasterUpdates(HWND dialog)
{
    static const QiToken fastdrag = Qi_Inquire_Token("fastdrag");
    static const QiToken enabled = Qi_Inquire_Token("enabled");
    PluginInstance *instance = Instance();
    if (!instance->workingFlare)
        return;
    Import_IO_Flip_Quorix_Toggle(dialog, IDC_FASTER_UPDATES, &instance->workingFlare->fastdrag);
    Qi_LensFlare(instance->handleType, instance->flareName, fastdrag, enabled,
                 instance->workingFlare->fastdrag, QI_END);
    RecordUndoStep();
    RequestPreviewRedraw(-1, -1);
}

void Editor_OnRedrawNow()
{
    CommitPendingEdits();
    RequestPreviewRedraw(-1, -1);
}

void Editor_OnHelp(HWND dialog)
{
    if (HostServices *services = Instance()->hostServices)
        services->ShowHelpTopic(dialog, kGeneralHelpTopic);
}

bool IsGlobalPageControl(int id)
{
    switch (id) {
    case IDC_FLARE_ENABLED: case IDC_USE_LIGHT_PARAMS: case IDC_RANDOM_SEED:
    case IDC_BASE_COLOR: case IDC_REF_DISTANCE:
        return true;
    }
    return id >= IDC_FADE_NEAR_BORDER && id <= IDC_SCALE_GLOW;
}

void Editor_OnOtherCommand(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    PluginInstance *instance = Instance();
    const WorkingFlare *flare = instance->workingFlare;
    if (flare && flare->numelements && flare->firstElement)
        ElementPanelCommand(instance, dialog, WM_COMMAND, wParam, lParam);
}

BOOL Editor_OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    if (previewBusy)
        return FALSE;
    int id = LOWORD(wParam), notification = HIWORD(wParam);
    if (notification == EN_KILLFOCUS)
        EndUndoTyping();
    switch (id) {
    case IDOK: Editor_OnOk(dialog); break;
    case IDCANCEL: Editor_OnCancel(dialog); break;
    case IDC_LIBRARY_LOAD: LoadLibraryCommand(dialog); break;
    case IDC_LIBRARY_SAVE: SaveLibraryCommand(dialog); break;
    case IDC_PRESETS: PresetsCommand(dialog); break;
    case IDC_ELEMENT_LIST:
        if (notification == LBN_SELCHANGE)
            OnElementSelected(dialog);
        break;
    case IDC_ELEMENT_ENABLED: ToggleElementEnabled(dialog); break;
    case IDC_ADD_ELEMENT: AddElement(dialog); break;
    case IDC_REMOVE_ELEMENT: RemoveCurrentElement(dialog); break;
    case IDC_MOVE_DOWN: MoveCurrentElement(dialog, true); break;
    case IDC_MOVE_UP: MoveCurrentElement(dialog, false); break;
    case IDC_REALTIME_UPDATES: Editor_OnRealtimeSwitch(dialog); break;
    case IDC_FASTER_UPDATES: Editor_OnFasterUpdates(dialog); break;
    case IDC_REDRAW_NOW: Editor_OnRedrawNow(); break;
    case IDC_HELP_BUTTON: Editor_OnHelp(dialog); break;
    case IDC_COPY_ELEMENT: DuplicateCurrentElement(dialog); break;
    case IDM_COPY_ELEMENT: CopyElementToClipboard(dialog); break;
    case IDM_PASTE_ELEMENT: PasteElementFromClipboard(dialog); break;
    case IDC_SOLO: OnSoloSwitch(dialog); break;
    default:
        if (IsGlobalPageControl(id))
            GlobalPageCommand(dialog, id, notification);
        else
            Editor_OnOtherCommand(dialog, wParam, lParam);
        break;
    }
    return TRUE;
}

BOOL Editor_OnSysCommand(HWND dialog, WPARAM command)
{
    if ((command & 0xFFF0) == SC_UNDO_STEP) {
        UndoEditorStep(dialog);
        return TRUE;
    }
    if ((command & 0xFFF0) == SC_REDO_STEP) {
        RedoEditorStep(dialog);
        return TRUE;
    }
    if ((command & 0xFFF0) != SC_CLOSE)
        return FALSE;
    SetFocus(GetDlgItem(dialog, IDOK));
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    return TRUE;
}

BOOL Editor_OnDrawItem(int id, const DRAWITEMSTRUCT *item)
{
    const WorkingFlare *flare = Instance()->workingFlare;
    if (id == IDC_BASE_COLOR)
        return flare ? HandleSwatchDrawItem(item, flare->color) : FALSE;
    if (id == IDC_ELEMENT_LIST)
        return DrawElementRow(item);
    if (id == IDC_PREVIEW) {
        FillPreviewMargins(item);
        return TRUE;
    }
    return DrawElementColourButton(id, item);
}

// While a render runs the cursor chosen last stays (the hourglass once the
// preview timer has fired); otherwise the arrow.
BOOL Editor_OnSetCursor()
{
    if (previewBusy)
        SetCursor(CurrentPreviewCursor());
    else
        SetArrowCursor();
    return FALSE;
}

void Editor_OnTimer(UINT_PTR timer)
{
    if (timer == PREVIEW_TIMER)
        SetWaitCursor();
}

BOOL Editor_OnTabClicked(HWND dialog, int16_t page)
{
    SwitchToPage(dialog, page);
    return TRUE;
}

BOOL Editor_OnContextMenu(HWND dialog, HWND window, LPARAM point)
{
    if (window != GetDlgItem(dialog, IDC_ELEMENT_LIST) || previewBusy)
        return FALSE;
    ShowElementMenu(dialog, window, point);
    return TRUE;
}

}  // namespace

void ReloadAfterLibraryLoad(HWND dialog)
{
    PluginInstance *instance = Instance();
    updatingControls = 1;
    if (currentPage == PAGE_ELEMENT && instance->currentElement)
        DestroyElementPanel(instance, instance->currentElement);
    instance->currentElement = nullptr;
    ReloadWorkingFlare();
    SendMessageA(dialog, WMU_REFILL_ELEMENT_LIST, 0, 0);
    RefreshGlobalControls(dialog);
    RefreshGlobalSliders(dialog);
    RefreshControl(dialog, IDC_BASE_COLOR);
    if (currentPage == PAGE_ELEMENT && instance->currentElement)
        BuildElementPanel(instance, dialog, instance->currentElement);
    ShowElementEnabled(dialog);
    updatingControls = 0;
    RecordUndoStep();
    RequestPreviewRedraw(-1, -1);
}

INT_PTR CALLBACK EditorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    int16_t handled = 0;
    LRESULT result = HandleDisplayBitmapMessage(&previewBitmap, dialog, message, wParam, lParam,
                                                &handled);
    if (handled)
        return result;
    if (OnDragListMessage(dialog, message, lParam, &result)) {
        SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
        return TRUE;
    }
    if (HandleEditorLayoutMessage(dialog, message, wParam, lParam))
        return FALSE;
    switch (message) {
    case WM_INITDIALOG: return Editor_OnInitDialog(dialog);
    case WM_DESTROY: Editor_OnDestroy(dialog); return FALSE;
    case WM_SETCURSOR: return Editor_OnSetCursor();
    case WM_DRAWITEM:
        return Editor_OnDrawItem(int(wParam), reinterpret_cast<const DRAWITEMSTRUCT *>(lParam));
    case WM_COMMAND: return Editor_OnCommand(dialog, wParam, lParam);
    case WM_SYSCOMMAND: return Editor_OnSysCommand(dialog, wParam);
    case WM_TIMER: Editor_OnTimer(wParam); return FALSE;
    case WM_HELP: ShowHelpFor(dialog, reinterpret_cast<const HELPINFO *>(lParam)); return TRUE;
    case WM_VSCROLL:
        return ScrollElementPanel(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam));
    case WMU_REFILL_ELEMENT_LIST: RefillElementList(dialog); return FALSE;
    case WMU_UNDO_REDO:
        if (wParam)
            RedoEditorStep(dialog);
        else
            UndoEditorStep(dialog);
        return TRUE;
    case TPN_CLICKED: return Editor_OnTabClicked(dialog, int16_t(LOWORD(wParam)));
    case WMU_NEXT_PAGE: ShowNeighbourPage(dialog, wParam ? -1 : 1); return TRUE;
    case WM_CONTEXTMENU:
        return Editor_OnContextMenu(dialog, reinterpret_cast<HWND>(wParam), lParam);
    }
    return FALSE;
}
