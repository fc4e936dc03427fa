// quorix.exe's main window in process, driven with real messages: the light
// dragged with the mouse and its pixels, the status bar, the editor opened
// by Ctrl+E through the message loop, the File menu's dialogs, the
// placement kept in the INI file, and a plug-in that does not start.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <regex>
#include <string>

#include "tests/support/stb_image_static.h"

#include "host/app/kept_flare.h"
#include "host/app/main_window.h"
#include "host/app/quorix_resources.h"
#include "host/app/scene_picture.h"
#include "host/app/scene_view.h"
#include "host/app/window_placement.h"
#include "host/core/qi_host.h"
#include "resources/resource.h"
#include "tests/library/file_dialog_driver.h"
#include "tests/library/host_flares.h"
#include "tests/support/dib_canvas.h"
#include "tests/support/host_channel.h"
#include "tests/support/modal_watcher.h"
#include "tests/support/scratch_files.h"
#include "tests/support/test_services.h"

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        QiHost_Create_Default_Scene();
        DeleteFileA(ini_.c_str());
    }

    void TearDown() override
    {
        if (IsWindow(window_))
            DestroyWindow(window_);
        MSG quit;
        PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the window's own
        ClearHostReports();
    }

    // The main window as WinMain opens it, its posted messages handled.
    void Open(const std::string &plugin = "lensflare.dll", const std::string &keptFlare = "")
    {
        MainWindowSetup setup = {ini_, plugin, &services_, keptFlare};
        window_ = CreateMainWindow(GetModuleHandleA(nullptr), setup);
        ASSERT_NE(window_, nullptr);
        ShowMainWindow(window_, SW_SHOWNORMAL);
        Pump();
        view_ = GetDlgItem(window_, kSceneViewId);
        ASSERT_NE(SceneViewOf(view_), nullptr);
    }

    const SceneView &View() const { return *SceneViewOf(view_); }

    void Mouse(UINT message, POINT at)
    {
        WPARAM buttons = message == WM_LBUTTONUP ? 0 : MK_LBUTTON;
        SendMessageA(view_, message, buttons, MAKELPARAM(at.x, at.y));
    }

    std::string Status(int part) const
    {
        char text[256] = "";
        SendMessageA(GetDlgItem(window_, kStatusBarId), SB_GETTEXTA, part,
                     reinterpret_cast<LPARAM>(text));
        return text;
    }

    // How many pixels of the status bar's part, as the screen shows it, are
    // dark as its text is.
    int StatusTextPixels(int part) const
    {
        HWND bar = GetDlgItem(window_, kStatusBarId);
        RECT r;
        SendMessageA(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&r));
        DibCanvas canvas(r.right, r.bottom, kWhite);
        HDC dc = GetDC(bar);
        BitBlt(canvas.dc(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
        ReleaseDC(bar, dc);
        return canvas.Count(r.left, r.top, r.right, r.bottom, RGB(0, 0, 0));
    }

    int IniValue(const char *key) const
    {
        return int(GetPrivateProfileIntA(kWindowPlacementSection, key, -1, ini_.c_str()));
    }

    const std::string ini_ = ScratchPath("quorix.ini");
    TestServices services_{ini_};
    HWND window_ = nullptr;
    HWND view_ = nullptr;
};

TEST_F(MainWindowTest, DraggedLightShowsItsCoreUnderTheMouseAndHidesBehindTheObject)
{
    Open();
    const SceneRect slab = SceneObjectRect(View().width, View().height);
    const POINT open = {slab.left / 2, View().height / 5};
    const POINT hidden = {(slab.left + slab.right) / 2, (slab.top + slab.bottom) / 2};
    const POINT backdrop = {View().width - 3, 2};
    const POINT object = {slab.right - 3, View().height - 3};

    Mouse(WM_LBUTTONDOWN, open);
    EXPECT_EQ(GetCapture(), view_);
    EXPECT_EQ(DibCanvas(view_).Pixel(open.x, open.y), kWhite);
    EXPECT_EQ(Status(0), "Light: " + std::to_string(open.x) + ", " + std::to_string(open.y));
    EXPECT_TRUE(std::regex_match(Status(1), std::regex("Render: [0-9]+\\.[0-9] ms"))) << Status(1);

    // Behind the object nothing of the flare is left: the picture is the bare
    // scene, the light's pixel the object's colour, the backdrop plain.
    Mouse(WM_MOUSEMOVE, hidden);
    {
        DibCanvas canvas(view_);
        EXPECT_EQ(canvas.Pixel(hidden.x, hidden.y), canvas.Pixel(object.x, object.y));
        EXPECT_EQ(canvas.Pixel(open.x, open.y), canvas.Pixel(backdrop.x, backdrop.y));
        EXPECT_NE(canvas.Pixel(hidden.x, hidden.y), canvas.Pixel(open.x, open.y));
    }
    EXPECT_EQ(Status(0), "Light: " + std::to_string(hidden.x) + ", " + std::to_string(hidden.y));

    // Dragged out of the view, the light stays at its edge.
    Mouse(WM_MOUSEMOVE, {-40, View().height + 40});
    EXPECT_EQ(View().lightX, 0);
    EXPECT_EQ(View().lightY, View().height - 1);

    Mouse(WM_LBUTTONUP, {0, 0});
    EXPECT_EQ(GetCapture(), nullptr);
    const uint32_t renders = View().renders;
    Mouse(WM_MOUSEMOVE, open);
    EXPECT_EQ(View().lightX, 0) << "without the button the light stays";
    EXPECT_EQ(View().renders, renders);
}

// The light as a new start of the program finds it: the default light.
void StartAgain()
{
    Qi_Remove(Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, QI_END);
    QiHost_Create_Default_Scene();
}

// The light's flare and place come back at the next start, and the place
// still shows once the window has grown; New Flare brings the default flare
// back; a kept file that cannot be loaded is set aside with a message, and
// the window starts with the default flare.
TEST_F(MainWindowTest, TheLightsFlareAndPlaceAreKeptFromOneSessionToTheNext)
{
    const std::string kept = ScratchPath("kept\\flare.lnz");
    const std::string defaultFlare = FlareText();
    Open("lensflare.dll", kept);
    Mouse(WM_LBUTTONDOWN, {150, 90});
    Mouse(WM_LBUTTONUP, {150, 90});
    const float intensity = 2.5f;
    Qi_LensFlare(Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("intensity"),
                 &intensity, QI_END);
    const std::string edited = FlareText();
    SendMessageA(window_, WM_COMMAND, IDM_EXIT, 0);

    StartAgain();
    ASSERT_EQ(FlareText(), defaultFlare);
    Open("lensflare.dll", kept);
    EXPECT_EQ(FlareText(), edited) << "the flare of the last session";
    EXPECT_EQ(Status(0), "Light: 150, 90");
    ShowWindow(window_, SW_MAXIMIZE);
    Pump();
    UpdateWindow(window_);
    EXPECT_GT(StatusTextPixels(0), 0) << "the light's place shows once the window has grown";

    ModalWatcher watcher;
    watcher.QueueAnswer(IDNO);
    watcher.QueueAnswer(IDYES);
    SendMessageA(window_, WM_COMMAND, IDM_NEW_FLARE, 0);
    EXPECT_EQ(FlareText(), edited) << "No keeps the flare";
    SendMessageA(window_, WM_COMMAND, IDM_NEW_FLARE, 0);
    EXPECT_EQ(FlareText(), defaultFlare);
    ASSERT_EQ(watcher.boxes().size(), 2u);
    EXPECT_EQ(watcher.boxes()[0].caption, "New Flare");
    DestroyWindow(window_);

    const std::string damaged = "quorix-lensflare 1.0\nglobals\n    intensity much\n";
    WriteFile(kept, damaged);
    Open("lensflare.dll", kept);
    ASSERT_EQ(watcher.boxes().size(), 3u);
    EXPECT_NE(watcher.boxes()[2].text.find("set aside as '" + SetAsideName(kept) + "'"),
              std::string::npos)
        << watcher.boxes()[2].text;
    EXPECT_EQ(ReadFile(SetAsideName(kept)), damaged);
    EXPECT_EQ(FlareText(), defaultFlare);
    EXPECT_TRUE(IsWindowVisible(window_));
}

// What the closing timer of the editor test saw.
struct EditorRun {
    bool open = false;            // the editor has been seen and the window not yet closed
    uint32_t rendersWhileOpen = 0;
    uint32_t rendersAfter = 0;    // once the editor had gone
};
EditorRun editorRun;

// Closes the main window, which ends its message loop, once the editor has
// gone and the window is enabled again.
void CALLBACK CloseAfterEditor(HWND, UINT, UINT_PTR, DWORD)
{
    HWND main = FindWindowA(MAIN_WINDOW_CLASS, nullptr);
    if (!editorRun.open || !main || !IsWindowEnabled(main))
        return;
    editorRun.open = false;
    editorRun.rendersAfter = SceneViewOf(GetDlgItem(main, kSceneViewId))->renders;
    PostMessageA(main, WM_CLOSE, 0, 0);
}

// Ctrl+E goes through the window's accelerators to the plug-in, whose editor
// is owned by the main window; the scene is rendered again once it closes.
TEST_F(MainWindowTest, CtrlEOpensTheEditorOverTheWindowAndTheSceneIsRenderedWhenItCloses)
{
    Open();
    ModalWatcher watcher;
    HWND owner = nullptr;
    watcher.OnDialog([&](HWND editor) {
        owner = GetWindow(editor, GW_OWNER);
        editorRun = {true, View().renders, 0};
        RunDialogScript(editor, {[](HWND d) { PostCloseBox(d); }});
    });
    UINT_PTR closer = SetTimer(nullptr, 0, 20, CloseAfterEditor);
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageA(window_, WM_KEYDOWN, 'E', 1);
    EXPECT_EQ(RunMainWindow(window_), 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    KillTimer(nullptr, closer);

    ASSERT_EQ(watcher.dialogs().size(), 1u);
    EXPECT_EQ(owner, window_);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(editorRun.rendersAfter, editorRun.rendersWhileOpen + 1);
}

TEST_F(MainWindowTest, RenderToFileWritesThePictureTheViewShowsToAPngOrBmpFile)
{
    Open();
    Mouse(WM_LBUTTONDOWN, {100, 80});
    Mouse(WM_LBUTTONUP, {100, 80});
    const std::string path = ScratchPath("scene.png");
    ModalWatcher watcher;
    watcher.OnDialog([&](HWND dialog) { ChooseFile(dialog, path); });
    SendMessageA(window_, WM_COMMAND, IDM_RENDER_TO_FILE, 0);
    EXPECT_TRUE(watcher.boxes().empty());

    int w = 0, h = 0, channels = 0;
    unsigned char *pixels = stbi_load(path.c_str(), &w, &h, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(w, View().width);
    EXPECT_EQ(h, View().height);
    DibCanvas canvas(view_);
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char *p = pixels + (size_t(y) * w + x) * 3;
            differing += canvas.Pixel(x, y) != RGB(p[0], p[1], p[2]);
        }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(canvas.Pixel(100, 80), kWhite);
    stbi_image_free(pixels);

    watcher.OnDialog([&](HWND dialog) { ChooseFile(dialog, ScratchPath("scene.jpg")); });
    SendMessageA(window_, WM_COMMAND, IDM_RENDER_TO_FILE, 0);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].text, "The file name must end in .png or .bmp.");
}

TEST_F(MainWindowTest, LibrariesGoThroughTheFileDialogsAndAFailedLoadSaysWhy)
{
    Open();
    ModalWatcher watcher;
    const std::string saved = ScratchPath("saved.lnz");
    std::string fileType;
    watcher.OnDialog([&](HWND dialog) {
        RunDialogScript(dialog, {[&](HWND d) {
                            fileType = DialogFileType(d);
                            ChooseFile(d, saved);
                        }});
    });
    SendMessageA(window_, WM_COMMAND, IDM_SAVE_LIBRARY, 0);
    EXPECT_EQ(ReadFile(saved).rfind("quorix-lensflare", 0), 0u);
    EXPECT_EQ(fileType, "Lens Flare Libraries (*.lnz)");

    // Loading it back brings the flare, switched off meanwhile, back on screen.
    Qi_LensFlare(Qi_Inquire_Token("light"), QIHOST_DEFAULT_LIGHT, Qi_Inquire_Token("enabled"),
                 Qi_Inquire_Token("off"), QI_END);
    RenderSceneView(view_);
    const POINT light = {View().lightX, View().lightY};
    ASSERT_NE(DibCanvas(view_).Pixel(light.x, light.y), kWhite);
    SendMessageA(window_, WM_COMMAND, IDM_LOAD_LIBRARY, 0);
    EXPECT_EQ(DibCanvas(view_).Pixel(light.x, light.y), kWhite);

    const std::string broken = ScratchPath("broken.lnz");
    WriteFile(broken, "quorix-lensflare 1.0\nglobals\n");
    watcher.OnDialog([&](HWND dialog) { ChooseFile(dialog, broken); });
    SendMessageA(window_, WM_COMMAND, IDM_LOAD_LIBRARY, 0);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].caption, "Load Library");
    EXPECT_EQ(watcher.boxes()[0].text,
              "Cannot load the library file '" + broken +
                  "': the file is no valid lens flare library (line 2: the file ends where the "
                  "\"end\" of the globals belongs).")
        << "the host's reason follows";
    EXPECT_EQ(DibCanvas(view_).Pixel(light.x, light.y), kWhite) << "the flare is unchanged";

    // A write that fails names its cause.
    watcher.OnDialog([&](HWND dialog) { ChooseFile(dialog, ScratchPath("full.lnz")); });
    QiHost_Fail_File_Writes(1);
    SendMessageA(window_, WM_COMMAND, IDM_SAVE_LIBRARY, 0);
    QiHost_Fail_File_Writes(0);
    ASSERT_EQ(watcher.boxes().size(), 2u);
    EXPECT_EQ(watcher.boxes()[1].text,
              "Cannot save the library file '" + ScratchPath("full.lnz") + "': the disk is full.");
}

TEST_F(MainWindowTest, PlacementIsWrittenAtCloseAndUsedAtStartUnlessItIsOffScreen)
{
    Open();
    SetWindowPos(window_, nullptr, 40, 30, 720, 520, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(window_, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_FALSE(IsWindow(window_));
    EXPECT_EQ(IniValue("Left"), 40);
    EXPECT_EQ(IniValue("Top"), 30);
    EXPECT_EQ(IniValue("Width"), 720);
    EXPECT_EQ(IniValue("Height"), 520);
    EXPECT_EQ(IniValue("Maximized"), 0);

    Open();
    RECT r;
    GetWindowRect(window_, &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right, 760);
    EXPECT_EQ(r.bottom, 550);
    ShowWindow(window_, SW_MAXIMIZE);
    DestroyWindow(window_);
    EXPECT_EQ(IniValue("Maximized"), 1);
    EXPECT_EQ(IniValue("Width"), 720) << "the restored size is kept";
    Open();
    EXPECT_TRUE(IsZoomed(window_));
    DestroyWindow(window_);

    // A screen that has gone, or a damaged file: the default place instead.
    const char *const kBad[][4] = {{"-4000", "30", "720", "520"},
                                   {"40", "2000", "720", "520"},
                                   {"40", "30", "12", "9"},
                                   {"40", "30", "nonsense", "520"}};
    for (const auto &bad : kBad) {
        const char *keys[] = {"Left", "Top", "Width", "Height"};
        for (int i = 0; i < 4; ++i)
            WritePrivateProfileStringA(kWindowPlacementSection, keys[i], bad[i], ini_.c_str());
        Open();
        GetWindowRect(window_, &r);
        EXPECT_GE(r.left, 0) << bad[0] << " " << bad[1] << " " << bad[2];
        EXPECT_LT(r.top, GetSystemMetrics(SM_CYSCREEN) / 2);
        EXPECT_GE(r.right - r.left, kMainWindowMinWidth);
        EXPECT_GE(r.bottom - r.top, kMainWindowMinHeight);
        DestroyWindow(window_);
    }
}

// A plug-in file that is no DLL: a box names the file and the reason; the
// window works on without the editor, whose menu item and accelerator are
// disabled.
TEST_F(MainWindowTest, APluginThatIsNoDllIsNamedAndTheWindowWorksWithoutTheEditor)
{
    const std::string fake = ScratchPath("lensflare.dll");
    WriteFile(fake, "not a module");
    ModalWatcher watcher;
    Open(fake);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].caption, "Quorix");
    EXPECT_NE(watcher.boxes()[0].text.find(fake + ": not a Windows x64 DLL"), std::string::npos)
        << watcher.boxes()[0].text;
    EXPECT_EQ(GetMenuState(GetMenu(window_), IDM_LENS_FLARE_EDITOR, MF_BYCOMMAND) & MF_GRAYED,
              UINT(MF_GRAYED));
    SendMessageA(window_, WM_COMMAND, IDM_LENS_FLARE_EDITOR, 0);
    EXPECT_TRUE(watcher.dialogs().empty());
    EXPECT_EQ(DibCanvas(view_).Pixel(View().lightX, View().lightY), kWhite);
}

}  // namespace
