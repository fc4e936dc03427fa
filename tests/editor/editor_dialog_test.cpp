// The editor dialog as the real lensflare.dll opens it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resources/resource.h"
#include "tests/support/test_services.h"
#include "tests/support/dialog_script.h"
#include "tests/support/modal_watcher.h"
#include "tests/support/plugin_calls.h"

namespace {

class EditorDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plugin_.entry && plugin_.command);
        instance_ = plugin_.NewInstance(&services_);
        ASSERT_NE(instance_, nullptr);
    }
    void TearDown() override { plugin_.Destroy(instance_); }

    void OpenEditor()
    {
        EXPECT_EQ(plugin_.Command(instance_, {"handle_type", "execute_lens_flare_dialog_box"},
                                  {Qi_Inquire_Token("light"), reinterpret_cast<int64_t>("Light1")}),
                  1);
    }

    PluginDll dll_;
    const PluginCalls &plugin_ = dll_.calls();
    PluginInstance *instance_ = nullptr;
    TestServices services_{"editor_dialog_test.ini"};
};

// The template holds a control for every id the editor looks up (0xFFFF is
// the element list's label) and no other.
TEST_F(EditorDialog, TemplateHoldsEveryControlOfTheEditor)
{
    const int ids[] = {
        IDOK, IDC_HELP_BUTTON, IDC_LIBRARY_LOAD, IDC_LIBRARY_SAVE, 0xFFFF, IDC_ELEMENT_LIST,
        IDC_ELEMENT_ENABLED, IDC_ADD_ELEMENT, IDC_COPY_ELEMENT, IDC_REMOVE_ELEMENT,
        IDC_MOVE_DOWN, IDC_MOVE_UP, IDC_PREVIEW_GROUP, IDC_PREVIEW, IDC_REALTIME_UPDATES,
        IDC_FASTER_UPDATES, IDC_REDRAW_NOW, IDC_PAGE_AREA, IDC_GLOBAL_REFERENCE,
        IDC_FLARE_ENABLED, IDC_USE_LIGHT_PARAMS, IDC_SEED_LABEL, IDC_RANDOM_SEED,
        IDC_INTENSITY_FRAME, IDC_SCALE_FRAME, IDC_ROTATION_FRAME, IDC_STRETCH_FRAME,
        IDC_BASE_COLOR_LABEL, IDC_BASE_COLOR, IDC_FADING_REFERENCE, IDC_FADE_NEAR_BORDER,
        IDC_FADE_BEHIND, IDC_FADE_APPROACHING, IDC_FADE_DISTANCE, IDC_GLOW_BEHIND,
        IDC_SCALE_REFLEXES, IDC_SCALE_GLOW, IDC_REF_DISTANCE_LABEL, IDC_REF_DISTANCE,
        IDC_OCCLUSION_FRAME};
    ModalWatcher watcher;
    int children = 0;
    LONG style = 0;
    std::string caption;
    RECT pageArea = {}, pageAreaUnits = {9, 202, 341, 130};  // x, y, width, height
    watcher.OnDialog([&](HWND dialog) {
        char text[64];
        GetWindowTextA(dialog, text, sizeof text);
        caption = text;
        style = GetWindowLongA(dialog, GWL_STYLE);
        for (int id : ids)
            EXPECT_NE(GetDlgItem(dialog, id), nullptr) << id;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            ++children;
        GetWindowRect(GetDlgItem(dialog, IDC_PAGE_AREA), &pageArea);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&pageArea), 2);
        MapDialogRect(dialog, &pageAreaUnits);
        PostCloseBox(dialog);
    });
    OpenEditor();
    EXPECT_EQ(caption, "Lens Flare Editor");
    EXPECT_EQ(children, int(std::size(ids)));
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
