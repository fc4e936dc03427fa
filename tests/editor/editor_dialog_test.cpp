// The editor dialog as the real lensflare.dll opens it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "frame/plugin_instance.h"
#include "host/api/qi_plugin.h"
#include "resources/resource.h"
#include "tests/support/test_services.h"
#include "tests/support/dialog_script.h"
#include "tests/support/host_channel.h"
#include "tests/support/modal_watcher.h"

namespace {

class EditorDialog : public testing::Test {
protected:
    void SetUp() override
    {
        module_ = LoadLibraryA("lensflare.dll");
        ASSERT_NE(module_, nullptr);
        entry_ = reinterpret_cast<QiPluginEntryFn>(GetProcAddress(module_, "Quorix_Plugin_EntryPoint"));
        command_ = reinterpret_cast<QiPluginCommandFn>(
            GetProcAddress(module_, "DLL_ExecuteLensFlareASCIICommand"));
        const char *keywords[] = {"parent_hInstance", "new_instance", nullptr};
        int64_t values[] = {reinterpret_cast<int64_t>(&services_), 0, 0};
        int32_t status;
        entry_(keywords, values, &status, nullptr);
        instance_ = reinterpret_cast<PluginInstance *>(values[1]);
        ASSERT_NE(instance_, nullptr);
    }

    void TearDown() override
    {
        const char *keywords[] = {"destroy_instance", nullptr};
        int64_t values[] = {0, 0};
        int32_t status;
        entry_(keywords, values, &status, instance_);
        FreeLibrary(module_);
    }

    void OpenEditor()
    {
        const char *keywords[] = {"handle_type", "execute_lens_flare_dialog_box", nullptr};
        int64_t values[] = {Qi_Inquire_Token("light"), reinterpret_cast<int64_t>("Light1"), 0};
        EXPECT_EQ(command_(instance_, nullptr, keywords, values), 1);
    }

    HMODULE module_ = nullptr;
    QiPluginEntryFn entry_ = nullptr;
    QiPluginCommandFn command_ = nullptr;
    PluginInstance *instance_ = nullptr;
    TestServices services_{"editor_dialog_test.ini"};
};

struct ControlRow {
    int id;
    const char *className;
    const char *text;
};

TEST_F(EditorDialog, TemplateHoldsEveryControlOfTheEditor)
{
    const ControlRow rows[] = {
        {IDOK, "Button", "Ok"},
        {IDC_HELP_BUTTON, "Button", "&Help"},
        {IDC_LIBRARY_LOAD, "Button", "Library &Load"},
        {IDC_LIBRARY_SAVE, "Button", "Library &Save"},
        {0xFFFF, "Static", "&Element List"},
        {IDC_ELEMENT_LIST, "ListBox", ""},
        {IDC_ELEMENT_ENABLED, "Button", "Ele&ment Enabled"},
        {IDC_ADD_ELEMENT, "Button", "&Add"},
        {IDC_COPY_ELEMENT, "Button", "&Copy"},
        {IDC_REMOVE_ELEMENT, "Button", "&Remove"},
        {IDC_MOVE_DOWN, "Button", "Move &Down"},
        {IDC_MOVE_UP, "Button", "Move &Up"},
        {IDC_PREVIEW_GROUP, "Button", "Preview"},
        {IDC_PREVIEW, "Button", ""},
        {IDC_REALTIME_UPDATES, "Button", "&Realtime Updates"},
        {IDC_FASTER_UPDATES, "Button", "&Faster Updates"},
        {IDC_REDRAW_NOW, "Button", "Redraw &Now"},
        {IDC_PAGE_AREA, "Static", "param area"},
        {IDC_GLOBAL_REFERENCE, "Static", "param area"},
        {IDC_FLARE_ENABLED, "Button", "Lens Flare Enabled"},
        {IDC_USE_LIGHT_PARAMS, "Button", "Multiply by Light Color and Intensity"},
        {IDC_SEED_LABEL, "Static", "Random Seed:"},
        {IDC_RANDOM_SEED, "Edit", ""},
        {IDC_INTENSITY_FRAME, "Static", ""},
        {IDC_SCALE_FRAME, "Static", ""},
        {IDC_ROTATION_FRAME, "Static", ""},
        {IDC_STRETCH_FRAME, "Static", ""},
        {IDC_BASE_COLOR_LABEL, "Static", "Base Color:"},
        {IDC_BASE_COLOR, "Button", ""},
        {IDC_FADING_REFERENCE, "Static", "param area"},
        {IDC_FADE_NEAR_BORDER, "Button", "Fade If Near Border"},
        {IDC_FADE_BEHIND, "Button", "Fade if Behind Objects"},
        {IDC_FADE_APPROACHING, "Button", "Fade If Approaching Objects"},
        {IDC_FADE_DISTANCE, "Button", "Fade With Distance"},
        {IDC_GLOW_BEHIND, "Button", "Glow Behind Objects"},
        {IDC_SCALE_REFLEXES, "Button", "Scale Reflexes With Distance"},
        {IDC_SCALE_GLOW, "Button", "Scale Glow With Distance"},
        {IDC_REF_DISTANCE_LABEL, "Static", "Reference Distance For Fading and Scaling:"},
        {IDC_REF_DISTANCE, "Edit", ""},
        {IDC_OCCLUSION_FRAME, "Static", ""},
    };
    ModalWatcher watcher;
    int found = 0, children = 0;
    LONG style = 0;
    RECT pageArea = {}, pageAreaUnits = {9, 202, 341, 130};  // x, y, width, height
    watcher.OnDialog([&](HWND dialog) {
        char caption[64];
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "Lens Flare Editor");
        style = GetWindowLongA(dialog, GWL_STYLE);
        for (const ControlRow &row : rows) {
            HWND control = GetDlgItem(dialog, row.id);
            EXPECT_NE(control, nullptr) << row.id;
            if (!control)
                continue;
            char className[32], text[128];
            GetClassNameA(control, className, sizeof className);
            GetWindowTextA(control, text, sizeof text);
            EXPECT_STRCASEEQ(className, row.className) << row.id;
            EXPECT_STREQ(text, row.text) << row.id;
            ++found;
        }
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++children;
        GetWindowRect(GetDlgItem(dialog, IDC_PAGE_AREA), &pageArea);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&pageArea), 2);
        MapDialogRect(dialog, &pageAreaUnits);
        PostCloseBox(dialog);
    });
    OpenEditor();
    EXPECT_EQ(found, int(std::size(rows)));
    EXPECT_EQ(children, int(std::size(rows)));
    EXPECT_EQ(style & 0x00C800C4, 0x00C800C4) << std::hex << style;
    EXPECT_EQ(pageArea.left, pageAreaUnits.left);
    EXPECT_EQ(pageArea.top, pageAreaUnits.top);
    EXPECT_EQ(pageArea.right - pageArea.left, pageAreaUnits.right);
    EXPECT_EQ(pageArea.bottom - pageArea.top, pageAreaUnits.bottom);
}

TEST_F(EditorDialog, OnlyOkWithFocusOrTheCloseBoxEndTheDialog)
{
    ModalWatcher watcher;
    std::vector<bool> visible;
    watcher.OnDialog([&](HWND dialog) {
        RunDialogScript(dialog, {
            [](HWND) {},  // let the dialog settle as the active window
            [](HWND d) {  // Enter typed into the reference distance field
                SetFocus(GetDlgItem(d, IDC_REF_DISTANCE));
                SendMessageA(d, WM_COMMAND, IDOK, 0);
            },
            [&](HWND d) {
                visible.push_back(IsWindowVisible(d) != 0);
                SendMessageA(d, WM_COMMAND, IDCANCEL, 0);  // Escape
            },
            [&](HWND d) {
                visible.push_back(IsWindowVisible(d) != 0);
                SetFocus(GetDlgItem(d, IDOK));
                SendMessageA(GetDlgItem(d, IDOK), BM_CLICK, 0, 0);
            },
        });
    });
    OpenEditor();
    EXPECT_EQ(visible, (std::vector<bool>{true, true}));
    EXPECT_EQ(watcher.dialogs().size(), 1u);

    ModalWatcher closing;
    closing.OnDialog(PostCloseBox);
    OpenEditor();
    EXPECT_EQ(closing.dialogs().size(), 1u) << "the close box ends the dialog like Ok";
}

}  // namespace
