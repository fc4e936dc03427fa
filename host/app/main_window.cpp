#include "host/app/main_window.h"

#include <commctrl.h>

#include <cctype>
#include <cstdio>

#include "host/app/file_dialogs.h"
#include "host/app/kept_flare.h"
#include "host/app/library_option.h"
#include "host/app/plugin_host.h"
#include "host/app/quorix_resources.h"
#include "host/app/render_command.h"
#include "host/app/scene_view.h"
#include "host/app/window_placement.h"
#include "host/core/qi_host.h"

namespace {

// Posted to itself after creation when the plug-in did not start, so that
// the message box shows over the window.
constexpr UINT WM_APP_EDITOR_UNAVAILABLE = WM_APP + 1;
// Posted the same way when the kept flare could not be loaded.
constexpr UINT WM_APP_KEPT_FLARE_SET_ASIDE = WM_APP + 2;

constexpr int kDefaultWidth = 1000, kDefaultHeight = 680;
constexpr int kStatusLightWidth = 180;  // the status bar's first part: the light's position

const char kCaption[] = "Quorix";
const char kLibraryFilter[] = "Lens Flare Libraries (*.lnz)\0*.lnz\0All files (*.*)\0*.*\0";
const char kPictureFilter[] = "PNG pictures (*.png)\0*.png\0BMP pictures (*.bmp)\0*.bmp\0";

struct MainWindow {
    MainWindowSetup setup;
    QiToken lightKind;        // the light whose flare the window shows and edits
    PluginHost plugin;        // the lens flare editor; not started when pluginError is set
    std::string pluginError;  // why the editor is unavailable, or empty
    HWND view;                // the scene view (child kSceneViewId)
    HWND statusBar;           // the status bar (child kStatusBarId)
    bool startMaximized;      // the remembered placement was maximized
    std::string lastLibrary;  // the library file last loaded or saved, proposed next time
    std::string keptProblem;  // why the kept flare was set aside, or empty
    bool lightKept;           // a kept light position waits for the window to be shown
    int32_t keptX, keptY;     //   at this place in the view
};

MainWindow *StateOf(HWND window)
{
    return reinterpret_cast<MainWindow *>(GetWindowLongPtrA(window, 0));
}

// "cannot ..." as a sentence for a message box.
std::string Sentence(std::string text)
{
    if (!text.empty())
        text[0] = char(std::toupper(static_cast<unsigned char>(text[0])));
    return text + ".";
}

// The "lensfx" folder of the host's working directory, where the bundled
// libraries lie.
std::string LibraryFolder()
{
    const char *working = nullptr;
    Qi_Inquire_Environment("QX_WORKING_DIR", &working);
    return working && *working ? std::string(working) + "\\lensfx" : std::string();
}

void MainWindow_ShowStatus(const MainWindow *state)
{
    const SceneView *view = SceneViewOf(state->view);
    if (!view)
        return;
    char text[64];
    std::snprintf(text, sizeof text, "Light: %d, %d", int(view->lightX), int(view->lightY));
    SendMessageA(state->statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    std::snprintf(text, sizeof text, "Render: %.1f ms", view->renderMs);
    SendMessageA(state->statusBar, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>(text));
}

// File > New Flare: the light's flare goes back to the default flare, after
// the user agreed.
void MainWindow_NewFlare(MainWindow *state, HWND window)
{
    if (MessageBoxA(window,
                    "Replace the light's flare by the default flare?\n\nSave Library keeps the "
                    "present flare in a file.",
                    "New Flare", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Qi_Remove(state->lightKind, QIHOST_DEFAULT_LIGHT, QI_END);
    QiHost_Create_Default_Scene();
    RenderSceneView(state->view);
}

void MainWindow_OpenEditor(MainWindow *state, HWND window)
{
    if (!state->plugin.started())
        return;
    state->plugin.EditFlare(window, state->lightKind, QIHOST_DEFAULT_LIGHT);
    RenderSceneView(state->view);
}

void MainWindow_LoadLibrary(MainWindow *state, HWND window)
{
    FileDialogRequest request = {"Load Library", kLibraryFilter, "lnz", LibraryFolder(),
                                 state->lastLibrary};
    std::string path, error;
    if (!AskFileToOpen(window, request, path))
        return;
    if (!LoadLibraryFile(state->lightKind, QIHOST_DEFAULT_LIGHT, path, error)) {
        MessageBoxA(window, Sentence(error).c_str(), "Load Library", MB_OK | MB_ICONERROR);
        return;
    }
    state->lastLibrary = path;
    RenderSceneView(state->view);
}

void MainWindow_SaveLibrary(MainWindow *state, HWND window)
{
    FileDialogRequest request = {"Save Library", kLibraryFilter, "lnz", LibraryFolder(),
                                 state->lastLibrary};
    std::string path, error;
    if (!AskFileToSave(window, request, path))
        return;
    if (!SaveLibraryFile(state->lightKind, QIHOST_DEFAULT_LIGHT, path, error)) {
        MessageBoxA(window, Sentence(error).c_str(), "Save Library", MB_OK | MB_ICONERROR);
        return;
    }
    state->lastLibrary = path;
}

// Writes what the view shows, at its size, through the render command's code.
void MainWindow_RenderToFile(MainWindow *state, HWND window)
{
    const SceneView *view = SceneViewOf(state->view);
    if (!view || view->width <= 0 || view->height <= 0)
        return;
    FileDialogRequest request = {"Render to File", kPictureFilter, "png", "", "scene.png"};
    RenderOptions options = SceneViewRenderOptions(*view);
    std::string error;
    if (!AskFileToSave(window, request, options.out))
        return;
    if (!WriteFlarePicture(options, view->kind, view->name, nullptr, error))
        MessageBoxA(window, Sentence(error).c_str(), "Render to File", MB_OK | MB_ICONERROR);
}

void MainWindow_ShowEditorUnavailable(const MainWindow *state, HWND window)
{
    std::string text = "The Lens Flare Editor cannot be started:\n\n" + state->pluginError +
                       ".\n\nThe scene, Render to File, Load Library and Save Library work "
                       "without it.";
    MessageBoxA(window, text.c_str(), kCaption, MB_OK | MB_ICONWARNING);
}

void MainWindow_ShowKeptFlareSetAside(const MainWindow *state, HWND window)
{
    MessageBoxA(window, state->keptProblem.c_str(), kCaption, MB_OK | MB_ICONWARNING);
}

// The light's flare and position of the last session, before the view's
// first picture; a kept file that cannot be loaded is told once the window
// is up.
void MainWindow_RestoreKeptLight(MainWindow *state, HWND window)
{
    const MainWindowSetup &setup = state->setup;
    if (setup.keptFlare.empty())
        return;
    if (!RestoreKeptFlare(setup.keptFlare, state->lightKind, QIHOST_DEFAULT_LIGHT,
                          state->keptProblem))
        PostMessageA(window, WM_APP_KEPT_FLARE_SET_ASIDE, 0, 0);
    state->lightKept = ReadKeptLight(setup.iniPath.c_str(), state->keptX, state->keptY);
}

void MainWindow_KeepLight(const MainWindow *state)
{
    const SceneView *view = SceneViewOf(state->view);
    if (state->setup.keptFlare.empty() || !view)
        return;
    KeepFlare(state->setup.keptFlare, state->lightKind, QIHOST_DEFAULT_LIGHT);
    WriteKeptLight(state->setup.iniPath.c_str(), view->lightX, view->lightY);
}

void MainWindow_StartPlugin(MainWindow *state, HWND window)
{
    if (state->plugin.Start(state->setup.pluginPath, state->setup.services, kQuorixInitText,
                            state->pluginError))
        return;
    EnableMenuItem(GetMenu(window), IDM_LENS_FLARE_EDITOR, MF_BYCOMMAND | MF_GRAYED);
    PostMessageA(window, WM_APP_EDITOR_UNAVAILABLE, 0, 0);
}

// The status bar along the bottom, the view above it.
void MainWindow_OnSize(const MainWindow *state, int width, int height)
{
    SendMessageA(state->statusBar, WM_SIZE, 0, 0);
    RECT status;
    GetWindowRect(state->statusBar, &status);
    int viewHeight = height - (status.bottom - status.top);
    MoveWindow(state->view, 0, 0, width, viewHeight > 0 ? viewHeight : 0, TRUE);
}

LRESULT MainWindow_OnCreate(HWND window, const CREATESTRUCTA *create)
{
    auto *state = new MainWindow{*static_cast<const MainWindowSetup *>(create->lpCreateParams)};
    state->lightKind = Qi_Inquire_Token("light");
    MainWindow_RestoreKeptLight(state, window);
    state->statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "",
                                       WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window,
                                       reinterpret_cast<HMENU>(INT_PTR(kStatusBarId)),
                                       create->hInstance, nullptr);
    state->view = CreateSceneView(window, create->hInstance, kSceneViewId, state->lightKind,
                                  QIHOST_DEFAULT_LIGHT);
    if (!state->statusBar || !state->view) {
        delete state;  // the children go with the window
        return -1;
    }
    int parts[] = {kStatusLightWidth, -1};
    SendMessageA(state->statusBar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
    // A hidden top-level window has its first WM_SIZE only when it is shown;
    // the view gets its size, and its first picture, now.
    RECT client;
    GetClientRect(window, &client);
    MainWindow_OnSize(state, client.right, client.bottom);
    MainWindow_StartPlugin(state, window);
    return 0;
}

void MainWindow_OnCommand(MainWindow *state, HWND window, int id, int code)
{
    switch (id) {
    case IDM_NEW_FLARE:
        MainWindow_NewFlare(state, window);
        break;
    case IDM_LENS_FLARE_EDITOR:
        MainWindow_OpenEditor(state, window);
        break;
    case IDM_LOAD_LIBRARY:
        MainWindow_LoadLibrary(state, window);
        break;
    case IDM_SAVE_LIBRARY:
        MainWindow_SaveLibrary(state, window);
        break;
    case IDM_RENDER_TO_FILE:
        MainWindow_RenderToFile(state, window);
        break;
    case IDM_EXIT:
        SendMessageA(window, WM_CLOSE, 0, 0);
        break;
    case kSceneViewId:
        if (code == kSceneViewRendered)
            MainWindow_ShowStatus(state);
        break;
    }
}

void MainWindow_OnMinMaxInfo(MINMAXINFO *info)
{
    info->ptMinTrackSize.x = kMainWindowMinWidth;
    info->ptMinTrackSize.y = kMainWindowMinHeight;
}

// The placement is written while the window still has it; the plug-in goes
// before the window it was given as owner.
void MainWindow_OnDestroy(MainWindow *state, HWND window)
{
    WriteWindowPlacement(state->setup.iniPath.c_str(), window);
    MainWindow_KeepLight(state);
    state->plugin.Stop();
    PostQuitMessage(0);
}

void MainWindow_OnNcDestroy(MainWindow *state, HWND window)
{
    SetWindowLongPtrA(window, 0, 0);
    delete state;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
        return MainWindow_OnCreate(window, reinterpret_cast<CREATESTRUCTA *>(lParam));
    MainWindow *state = StateOf(window);
    if (!state)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE:
        MainWindow_OnSize(state, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        MainWindow_OnCommand(state, window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_GETMINMAXINFO:
        MainWindow_OnMinMaxInfo(reinterpret_cast<MINMAXINFO *>(lParam));
        return 0;
    case WM_APP_EDITOR_UNAVAILABLE:
        MainWindow_ShowEditorUnavailable(state, window);
        return 0;
    case WM_APP_KEPT_FLARE_SET_ASIDE:
        MainWindow_ShowKeptFlareSetAside(state, window);
        return 0;
    case WM_DESTROY:
        MainWindow_OnDestroy(state, window);
        return 0;
    case WM_NCDESTROY:
        MainWindow_OnNcDestroy(state, window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

ATOM RegisterMainWindowClass(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA cls = {};
    cls.lpfnWndProc = MainWindowProc;
    cls.cbWndExtra = sizeof(MainWindow *);
    cls.hInstance = instance;
    cls.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = MAIN_WINDOW_CLASS;
    ATOM atom = RegisterClassA(&cls);
    return atom ? atom : ATOM(GetClassInfoA(instance, MAIN_WINDOW_CLASS, &cls));
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, const MainWindowSetup &setup)
{
    if (!RegisterMainWindowClass(instance) || !RegisterSceneViewClass(instance))
        return nullptr;
    HMENU menu = LoadMenuA(instance, QUORIX_MENU_NAME);
    // The children cover the client area: erasing it under them would wipe
    // the parts of the status bar whose text has not changed since.
    HWND window = CreateWindowExA(0, MAIN_WINDOW_CLASS, kCaption,
                                  WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                  CW_USEDEFAULT, kDefaultWidth, kDefaultHeight, nullptr, menu,
                                  instance, const_cast<MainWindowSetup *>(&setup));
    if (!window) {
        if (menu)
            DestroyMenu(menu);
        return nullptr;
    }
    RECT restored;
    bool maximized = false;
    if (ReadWindowPlacement(setup.iniPath.c_str(), restored, maximized)) {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        placement.showCmd = SW_HIDE;
        placement.rcNormalPosition = restored;
        SetWindowPlacement(window, &placement);
        StateOf(window)->startMaximized = maximized;
    }
    return window;
}

void ShowMainWindow(HWND window, int showCommand)
{
    MainWindow *state = StateOf(window);
    bool ordinary = showCommand == SW_SHOWNORMAL || showCommand == SW_SHOWDEFAULT ||
                    showCommand == SW_SHOW;
    ShowWindow(window, state && state->startMaximized && ordinary ? SW_SHOWMAXIMIZED : showCommand);
    if (state && state->lightKept) {
        state->lightKept = false;
        MoveSceneViewLight(state->view, state->keptX, state->keptY);
    }
    UpdateWindow(window);
}

int RunMainWindow(HWND window)
{
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
    HACCEL accelerators = LoadAcceleratorsA(instance, QUORIX_ACCELERATORS_NAME);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (accelerators && TranslateAcceleratorA(window, accelerators, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
