// The real lensflare.dll, loaded as the host loads it and driven through
// both exports with their keyword protocols; the editor it opens.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/core/qi_host.h"
#include "resources/resource.h"
#include "tests/support/test_services.h"
#include "tests/support/window_text.h"
#include "tests/support/host_channel.h"
#include "tests/support/modal_watcher.h"
#include "tests/support/plugin_calls.h"

namespace {

const HostReport BadToken(const char *keyword)
{
    return {4, "ERR_GEOM_IMPORT_BAD_TOKEN", "LensFlare_Entry()", keyword};
}

class PluginEntry : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plugin_.entry && plugin_.command);
        QiHost_Create_Default_Scene();
        ClearHostReports();
        liveBefore_ = QiHost_Live_Blocks();
    }

    void TearDown() override
    {
        for (PluginInstance *instance : instances_)
            plugin_.Destroy(instance);
        QiHost_Fail_Allocations(0, 0);
        EXPECT_EQ(TakeHostReports(), std::vector<HostReport>{})
            << "no report the test did not expect";
    }

    // An instance destroyed when the test ends.
    PluginInstance *Keep(PluginInstance *instance)
    {
        if (instance)
            instances_.push_back(instance);
        return instance;
    }

    PluginInstance *NewInstance(HostServices *services, const char *initText = nullptr)
    {
        return Keep(plugin_.NewInstance(services, initText));
    }

    void Destroy(PluginInstance *instance)
    {
        plugin_.Destroy(instance);
        instances_.erase(std::remove(instances_.begin(), instances_.end(), instance),
                         instances_.end());
    }

    PluginDll dll_;
    const PluginCalls &plugin_ = dll_.calls();
    std::vector<PluginInstance *> instances_;
    int64_t liveBefore_ = 0;
    TestServices services_{"test.ini"};
};

// An empty keyword ends a list; unknown keywords are passed over silently,
// but after "execute" every further keyword is reported and nothing is done.
TEST_F(PluginEntry, EntryListsEndAtAnEmptyKeywordAndExecuteReportsTheRest)
{
    int32_t status = -1;
    plugin_.entry(nullptr, nullptr, &status, nullptr);
    EXPECT_EQ(status, 0) << "a null list";
    const struct {
        const char *name;
        std::vector<const char *> keywords;
        std::vector<int64_t> values;  // left as they were
        std::vector<HostReport> reports;
    } rows[] = {
        {"an empty keyword first", {"", "new_instance"}, {0, 7}, {}},
        {"unknown keywords", {"parent_hWnd", "shutdown", "no_such_keyword", "New_Instance"},
         {1, 2, 3, 4}, {}},
        {"execute alone", {"execute", "filename"}, {0, 0}, {}},
        {"execute and more", {"execute", "filename", "bogus", "new_instance", ""},
         {0, 0, 0, 9, 0}, {BadToken("bogus"), BadToken("new_instance"), BadToken("")}},
    };
    for (const auto &row : rows) {
        std::vector<int64_t> after = plugin_.Entry(row.keywords, row.values);
        after.resize(row.values.size());  // the end marker's slot left out
        EXPECT_EQ(after, row.values) << row.name;
        EXPECT_EQ(TakeHostReports(), row.reports) << row.name;
        EXPECT_EQ(QiHost_Live_Blocks(), liveBefore_) << row.name << ": nothing was made";
    }
    std::vector<int64_t> values = plugin_.Entry({"no_such_keyword", "new_instance"}, {3, 0});
    EXPECT_NE(Keep(reinterpret_cast<PluginInstance *>(values[1])), nullptr)
        << "the list goes on after an unknown keyword";
}

// An instance takes the module, the services of its own list only, and its
// own copy of the last "initialize" text.
TEST_F(PluginEntry, InstancesTakeTheModuleTheirListsServicesAndACopyOfTheInitText)
{
    std::string text = "first text";
    plugin_.Entry({"parent_hInstance", "initialize"},
                  {reinterpret_cast<int64_t>(&services_), reinterpret_cast<int64_t>(text.c_str())});
    text = "changed by the host";
    PluginInstance *later = NewInstance(nullptr);
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->hostServices, nullptr);

    std::vector<int64_t> values =
        plugin_.Entry({"new_instance", "parent_hInstance", "new_instance"},
                      {0, reinterpret_cast<int64_t>(&services_), 0});
    PluginInstance *before = Keep(reinterpret_cast<PluginInstance *>(values[0]));
    PluginInstance *after = Keep(reinterpret_cast<PluginInstance *>(values[2]));
    EXPECT_EQ(before->hostServices, nullptr);
    EXPECT_EQ(after->hostServices, &services_);
    EXPECT_EQ(after->moduleInstance, dll_.module());
    for (PluginInstance *instance : {later, before, after})
        EXPECT_STREQ(instance->initText, "first text");
    EXPECT_NE(before->initText, after->initText) << "each instance owns its own copy";

    PluginInstance *second = NewInstance(&services_, "second text");
    EXPECT_STREQ(second->initText, "second text");
    EXPECT_STREQ(after->initText, "first text");
}

// A destroyed instance gives back its record and its copy of the init
// text; one that cannot be allocated is not written.
TEST_F(PluginEntry, DestroyReleasesEverythingTheInstanceOwns)
{
    PluginInstance *instance = NewInstance(&services_, "init");
    ASSERT_NE(instance, nullptr);
    int64_t withModuleText = QiHost_Live_Blocks();
    Destroy(instance);
    EXPECT_EQ(QiHost_Live_Blocks(), withModuleText - 2) << "the module keeps its own copy";
    plugin_.Entry({"destroy_instance"}, {0}, nullptr);

    QiHost_Fail_Allocations(0, 1);
    std::vector<int64_t> values = plugin_.Entry({"new_instance"}, {0});
    EXPECT_EQ(values[0], 0);
    EXPECT_EQ(QiHost_Live_Blocks(), withModuleText - 2);
    EXPECT_EQ(TakeReportNames(), std::vector<std::string>{"ERR_OUT_OF_MEMORY"});
    EXPECT_NE(NewInstance(&services_), nullptr) << "the next allocation works again";
}

// Without an instance a command does nothing; without services it says so
// and does nothing else; with both it stores the last handle type given and
// reports the keywords it does not know.
TEST_F(PluginEntry, CommandsNeedAnInstanceAndServicesAndStoreTheLastHandleType)
{
    ModalWatcher watcher;
    EXPECT_EQ(plugin_.Command(nullptr, {"handle_type"}, {1}), 0);
    EXPECT_TRUE(watcher.boxes().empty());

    PluginInstance *bare = NewInstance(nullptr);
    EXPECT_EQ(plugin_.Command(bare, {"handle_type", "bogus"}, {5, 0}), 1);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    EXPECT_EQ(watcher.boxes()[0].caption, "Plug-in Error");
    EXPECT_EQ(watcher.boxes()[0].text, "Could not link to the Quorix interface API methods.");
    EXPECT_EQ(bare->handleType, 0) << "nothing else is done";
    EXPECT_TRUE(watcher.dialogs().empty());

    PluginInstance *instance = NewInstance(&services_);
    const char *none[] = {nullptr};
    EXPECT_EQ(plugin_.command(instance, nullptr, none, nullptr), 1);
    EXPECT_EQ(plugin_.Command(instance, {"handle_type", "", "Handle_Type", "handle_type"},
                              {0x1234, 0, 0, 0x5678}),
              1);
    EXPECT_EQ(instance->handleType, 0x5678);
    std::vector<HostReport> expected = {BadToken(""), BadToken("Handle_Type")};
    EXPECT_EQ(TakeHostReports(), expected);
}

// With the instance created last destroyed, the command's own instance is
// still the one the editor works on, with the handle type it was given before.
TEST_F(PluginEntry, EditorWorksOnTheCommandsInstanceAndItsEarlierHandleType)
{
    PluginInstance *instance = NewInstance(&services_);
    Destroy(NewInstance(&services_));
    ModalWatcher watcher;
    QiToken typeSeen = -1;
    HWND dialogSeen = nullptr;
    watcher.OnDialog([&](HWND dialog) {
        typeSeen = instance->handleType;
        dialogSeen = instance->dialogWindow;
        PostCloseBox(dialog);
    });
    plugin_.Command(instance, {"execute_lens_flare_dialog_box"}, {reinterpret_cast<int64_t>("L")});
    EXPECT_EQ(typeSeen, 0) << "a fresh instance has no handle type";
    plugin_.Command(instance, {"handle_type"}, {0x77});
    plugin_.Command(instance, {"execute_lens_flare_dialog_box"}, {reinterpret_cast<int64_t>("L")});
    EXPECT_EQ(typeSeen, 0x77);
    ASSERT_EQ(watcher.dialogs().size(), 2u);
    EXPECT_EQ(dialogSeen, watcher.dialogs()[1]);
    ClearHostReports();  // the previews found no object "L" of those kinds
}

TEST_F(PluginEntry, OverlongNameIsCutToFitWithoutTouchingTheNextField)
{
    PluginInstance *instance = NewInstance(&services_);
    ModalWatcher watcher;
    watcher.OnDialog(PostCloseBox);
    std::string name(3000, 'n');
    name[1022] = 'L';
    name[1023] = 'X';
    plugin_.Command(instance, {"handle_type", "execute_lens_flare_dialog_box"},
                    {0x99, reinterpret_cast<int64_t>(name.c_str())});
    EXPECT_EQ(std::strlen(instance->flareName), 1023u);
    EXPECT_EQ(instance->flareName[1022], 'L');
    EXPECT_EQ(instance->handleType, 0x99);
    const std::vector<std::string> reports = TakeReportNames();
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports[0], "ERR_NAME_TOO_LONG") << "before the preview finds no such light";
    EXPECT_EQ(watcher.dialogs().size(), 1u);
}

// The editor opens from the template, which holds a control for every id
// the editor looks up (0xFFFF is the element list's label) and no other;
// keywords after the dialog run once it has closed.
TEST_F(PluginEntry, CommandOpensTheEditorFromItsTemplateAndGoesOnAfterItClosed)
{
    PluginInstance *instance = NewInstance(&services_);
    const int ids[] = {
        IDOK, IDCANCEL, IDC_HELP_BUTTON, IDC_LIBRARY_LOAD, IDC_LIBRARY_SAVE, 0xFFFF,
        IDC_ELEMENT_LIST, IDC_ELEMENT_ENABLED, IDC_ADD_ELEMENT, IDC_COPY_ELEMENT,
        IDC_REMOVE_ELEMENT, IDC_MOVE_DOWN, IDC_MOVE_UP, IDC_PREVIEW_GROUP, IDC_PREVIEW, IDC_REALTIME_UPDATES,
        IDC_FASTER_UPDATES, IDC_REDRAW_NOW, IDC_PAGE_AREA, IDC_GLOBAL_REFERENCE,
        IDC_FLARE_ENABLED, IDC_USE_LIGHT_PARAMS, IDC_SEED_LABEL, IDC_RANDOM_SEED,
        IDC_INTENSITY_FRAME, IDC_SCALE_FRAME, IDC_ROTATION_FRAME, IDC_STRETCH_FRAME,
        IDC_BASE_COLOR_LABEL, IDC_BASE_COLOR, IDC_FADING_REFERENCE, IDC_FADE_NEAR_BORDER,
        IDC_FADE_BEHIND, IDC_FADE_APPROACHING, IDC_FADE_DISTANCE, IDC_GLOW_BEHIND,
        IDC_SCALE_REFLEXES, IDC_SCALE_GLOW, IDC_REF_DISTANCE_LABEL, IDC_REF_DISTANCE,
        IDC_OCCLUSION_FRAME, IDC_SOLO, IDC_PRESETS};
    ModalWatcher watcher;
    int children = 0;
    LONG style = 0;
    std::string caption, nameSeen;
    size_t reportsWhileOpen = 99;
    QiToken typeSeen = 0;
    RECT pageArea = {}, pageAreaUnits = {9, 202, 341, 130};  // x, y, width, height
    watcher.OnDialog([&](HWND dialog) {
        caption = WindowText(dialog);
        reportsWhileOpen = HostReports().size();
        typeSeen = instance->handleType;
        nameSeen = instance->flareName;
        EXPECT_EQ(instance->dialogWindow, dialog);
        style = GetWindowLongA(dialog, GWL_STYLE);
        for (int id : ids)
            EXPECT_NE(GetDlgItem(dialog, id), nullptr) << id;
        // Besides the template's controls the editor makes the tab strip and
        // the element panel's controls (ids from 10000).
        for (HWND child = GetWindow(dialog, GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            char cls[16] = "";
            GetClassNameA(child, cls, sizeof cls);
            int id = GetDlgCtrlID(child);
            if (lstrcmpA(cls, "TABBEDLF") != 0 && (id < 10000 || id == 0xFFFF))
                ++children;
        }
        GetWindowRect(GetDlgItem(dialog, IDC_PAGE_AREA), &pageArea);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&pageArea), 2);
        MapDialogRect(dialog, &pageAreaUnits);
        PostCloseBox(dialog);
    });
    EXPECT_EQ(plugin_.Command(instance, {"handle_type", "execute_lens_flare_dialog_box", "after"},
                              {Qi_Inquire_Token("light"), reinterpret_cast<int64_t>("Light1"), 0}),
              1);
    EXPECT_EQ(caption, "Lens Flare Editor");
    EXPECT_EQ(watcher.dialogs().size(), 1u);
    EXPECT_EQ(typeSeen, Qi_Inquire_Token("light"));
    EXPECT_EQ(nameSeen, "Light1");
    EXPECT_EQ(reportsWhileOpen, 0u);
    std::vector<HostReport> expected = {BadToken("after")};
    EXPECT_EQ(TakeHostReports(), expected);
    EXPECT_EQ(instance->workingFlare, nullptr);
    EXPECT_EQ(children, int(std::size(ids)));
    EXPECT_EQ(style & 0x00C800C4, 0x00C800C4) << std::hex << style;
    EXPECT_EQ(pageArea.left, pageAreaUnits.left);
    EXPECT_EQ(pageArea.top, pageAreaUnits.top);
    EXPECT_EQ(pageArea.right - pageArea.left, pageAreaUnits.right);
    EXPECT_EQ(pageArea.bottom - pageArea.top, pageAreaUnits.bottom);
}

}  // namespace
