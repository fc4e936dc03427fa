// Library files through the running editor: a loaded flare shows in the
// list, the element page and the global sliders, and an untouched Ok stores
// it exactly; with realtime updates off the saved file holds the edit. (That
// every bundled preset reads back value for value is the format tests' part.)
#include <windows.h>

#include <string>
#include <vector>

#include "editor/editor_dialog.h"
#include "editor/editor_state.h"
#include "controls/tabbed_panel.h"
#include "editor/global_sliders.h"
#include "model/working_flare.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/library/file_dialog_driver.h"
#include "tests/library/host_flares.h"
#include "tests/support/scratch_files.h"
#include "tests/support/token.h"
#include "tests/support/window_text.h"

namespace {

class EditorLibrary : public EditorTest {
protected:
    // The file dialogs the editor opens take these names, in order.
    void ChooseFiles(std::vector<std::string> names)
    {
        chosen_ = 0;
        onNestedDialog_ = [this, names](HWND dialog) {
            if (IsFileDialog(dialog) && chosen_ < names.size())
                ChooseFile(dialog, names[chosen_++]);
        };
    }

    size_t chosen_ = 0;
};

std::vector<std::string> ListItems(HWND editor)
{
    std::vector<std::string> items;
    HWND list = GetDlgItem(editor, IDC_ELEMENT_LIST);
    for (LRESULT i = 0, n = SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
        char text[256] = "";
        SendMessageA(list, LB_GETTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

TEST_F(EditorLibrary, ALoadedFlareShowsEverywhereAndAnUntouchedOkStoresIt)
{
    // Globals unlike the default flare's, two elements, the first one off.
    const float values[] = {1.5f, 2.5f, 30.0f, 1.25f, 0.08f};
    const char *keywords[] = {"intensity", "scale", "angle", "anamorphicstretch",
                              "occlusionradius"};
    const std::string path = ScratchPath("loaded.lnz");
    MakeLibraryFile(path, {"halo", "streaks"}, [&](const char *light) {
        for (int i = 0; i < 5; ++i)
            Qi_LensFlare(T("light"), light, T(keywords[i]), &values[i], QI_END);
        int32_t first = 0;
        const char *guid = nullptr;
        Qi_Inquire_LensFlare(T("light"), light, T("element"), &first, T("guid"), &guid, QI_GROUP,
                             QI_END);
        Qi_LensFlare(T("light"), light, T("element"), guid, T("enabled"), T("off"), QI_GROUP,
                     QI_END);
    });

    ChooseFiles({path});
    RunEditor({[&](HWND dialog) {
        Click(dialog, IDC_LIBRARY_LOAD);
        EXPECT_EQ(ListItems(dialog), (std::vector<std::string>{"Halo Ring", "Star Streaks"}));
        const WorkingFlare *flare = currentInstance->workingFlare;
        EXPECT_EQ(currentPage, PAGE_ELEMENT);
        EXPECT_EQ(currentInstance->currentElement, flare->firstElement);
        const FlareParameter *intensity = flare->firstElement->firstParameter;
        ASSERT_TRUE(intensity && intensity->controlWindow) << "the page shows the halo's panel";
        EXPECT_TRUE(IsWindowVisible(intensity->controlWindow));
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_ELEMENT_LIST, LB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ELEMENT_ENABLED), BST_UNCHECKED);
        const TinySlider *sliders[] = {globalIntensitySlider, globalScaleSlider,
                                       globalRotationSlider, anamorphicStretchSlider,
                                       occlusionRadiusSlider};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(sliders[i]->floatValue, values[i]) << keywords[i];
    }});
    EXPECT_EQ(chosen_, 1u);
    EXPECT_EQ(FlareText(), LibraryFileText(path));
    EXPECT_EQ(IniValue("Lens-Flare-UI", "Last-Library-SaveTo-Filename"), Lower(path));
}

// With realtime updates off, a save and a load each commit the pending edit
// first. The file is damaged by another program between the editor's trial
// load and the real one: the flare, with the edit, is given back at the
// host and in the editor, and the message says so.
TEST_F(EditorLibrary, AFileDamagedJustBeforeTheRealLoadGivesTheFlareBack)
{
    SetIniValue("Lens-Flare-UI", "Realtime-Updates", "0");
    const std::string path = ScratchPath("changing.lnz"), saved = ScratchPath("edited.lnz");
    MakeLibraryFile(path, {"halo", "streaks"});
    ChooseFiles({saved, path});
    std::vector<std::string> listBefore;
    std::string hostBefore;
    RunEditor({[&](HWND dialog) {
        listBefore = ListItems(dialog);
        SendMessageA(dialog, TPN_CLICKED, PAGE_GLOBAL, 0);
        const float before = HostFloat("intensity");
        DragSlider(globalIntensitySlider->hwnd, globalIntensitySlider->thumbX,
                   globalIntensitySlider->width - 20);
        ASSERT_NE(currentInstance->workingFlare->intensity, before);
        ASSERT_EQ(HostFloat("intensity"), before) << "realtime updates are off";
        Click(dialog, IDC_LIBRARY_SAVE);
        EXPECT_EQ(LibraryFileText(saved), FlareText());
        EXPECT_EQ(HostFloat("intensity"), currentInstance->workingFlare->intensity);
        DragSlider(globalIntensitySlider->hwnd, globalIntensitySlider->thumbX, 20);
        SendMessageA(dialog, TPN_CLICKED, PAGE_ELEMENT, 0);
        const float dragged = currentInstance->workingFlare->intensity;
        ASSERT_NE(HostFloat("intensity"), dragged);
        DamageFileAtLoad(path, 2);
        Click(dialog, IDC_LIBRARY_LOAD);
        EXPECT_EQ(HostFloat("intensity"), dragged) << "the pending edit was committed first";
        EXPECT_EQ(currentInstance->workingFlare->intensity, dragged);
        EXPECT_EQ(ListItems(dialog), listBefore);
        EXPECT_EQ(currentInstance->workingFlare->numelements, int32_t(listBefore.size()));
        EXPECT_EQ(HostElements("name").size(), listBefore.size());
        ASSERT_TRUE(currentInstance->currentElement);
        EXPECT_TRUE(currentInstance->currentElement->firstParameter->controlWindow)
            << "the element page shows the first element again";
        hostBefore = FlareText();
    }});
    EXPECT_EQ(FlareText(), hostBefore) << "Ok changed nothing more";
    ASSERT_EQ(watcher_.boxes().size(), 1u);
    EXPECT_EQ(watcher_.boxes()[0].caption, "Error");
    EXPECT_STRCASEEQ(watcher_.boxes()[0].text.c_str(),
                     ("The lens flare effect file '" + Lower(path) +
                      "' could not be loaded. It may be damaged or not a lens effect file.\n\n"
                      "Line 3: \"intensity\" \"much\" is not a number.\n\n"
                      "The flare was given back as it was before the load.")
                         .c_str());
}

}  // namespace
