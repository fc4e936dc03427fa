// The preset browser over the running editor, with the bundled presets and
// a user's folder: the grid holds every file and the search narrows it,
// Load applies the file as Library Load does, Save Current and Delete work
// on the user's folder, pictures come from the cache when they can, and
// failures give a message or an empty grid, never a lost flare.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "controls/tabbed_panel.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "editor/undo.h"
#include "host/core/qi_host.h"
#include "library/picture_cache_file.h"
#include "library/preset_browser.h"
#include "library/preset_pictures.h"
#include "model/working_flare.h"
#include "resources/library_ids.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/library/host_flares.h"
#include "tests/library/preset_collection.h"
#include "tests/support/scratch_files.h"
#include "tests/support/token.h"
#include "tests/support/window_text.h"

namespace {

HWND Grid(HWND browser)
{
    return GetDlgItem(browser, IDC_PRESET_GRID);
}

// Lets the browser make every picture, as it does between messages.
void WaitForPictures(HWND browser)
{
    HWND progress = GetDlgItem(browser, IDC_PRESET_PROGRESS);
    for (int spins = 0; spins < 100000 && IsWindowVisible(progress); ++spins)
        Pump();
}

struct Item {
    std::string name;
    int image;
    RECT bounds;
};

std::vector<Item> Items(HWND browser)
{
    std::vector<Item> items;
    HWND grid = Grid(browser);
    for (int i = 0, n = int(SendMessageA(grid, LVM_GETITEMCOUNT, 0, 0)); i < n; ++i) {
        char text[300] = "";
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(grid, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        RECT bounds = {LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(grid, LVM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&bounds));
        items.push_back({text, item.iImage, bounds});
    }
    return items;
}

std::vector<std::string> Names(HWND browser)
{
    std::vector<std::string> names;
    for (const Item &item : Items(browser))
        names.push_back(item.name);
    return names;
}

int ItemNamed(HWND browser, const std::string &name)
{
    std::vector<std::string> names = Names(browser);
    auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : int(found - names.begin());
}

void SelectItem(HWND browser, int index)
{
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Grid(browser), LVM_SETITEMSTATE, WPARAM(index), reinterpret_cast<LPARAM>(&state));
}

int SelectedItem(HWND browser)
{
    return int(SendMessageA(Grid(browser), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void Search(HWND browser, const char *text)
{
    SetDlgItemTextA(browser, IDC_PRESET_SEARCH, text);
}

// Counts the library files the host loads meanwhile.
int loads = 0;
void CountLoads(const char *function, int64_t firstSlot, void *)
{
    if (std::string(function) == "Qi_LensFlare" && firstSlot == T("loadfromfile"))
        ++loads;
}

class PresetBrowser : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        QiHost_Set_Environment("QX_WORKING_DIR", LF_DATA_DIR);
        mine_ = ScratchPath("mine");
        SetIniValue("Lens-Flare-UI", "Preset-Folder", mine_.c_str());
        cache_ = iniPath_.substr(0, iniPath_.find_last_of('\\') + 1) + PRESET_CACHE_NAME;
        DeleteFileA(cache_.c_str());
    }
    void TearDown() override
    {
        DeleteFileA(cache_.c_str());
        QiHost_Set_Environment("QX_WORKING_DIR", nullptr);
        QiHost_Set_Call_Trace(nullptr, nullptr);
        EditorTest::TearDown();
    }

    // Opens the editor, runs `before` in it, then opens the browser with
    // "Presets..." and runs the steps in it once every picture is made; the
    // browser is then closed with its close box, and `after` runs in the
    // editor. Counts the loads of library files during the browser's life.
    void Browse(std::vector<DialogStep> steps, std::vector<DialogStep> before = {},
                std::vector<DialogStep> after = {})
    {
        steps.insert(steps.begin(), WaitForPictures);
        steps.push_back(PostCloseBox);
        onNestedDialog_ = [this, steps](HWND dialog) {
            if (WindowText(dialog) == "Lens Flare Presets")
                RunDialogScript(dialog, steps);
            else if (onNameDialog_)
                onNameDialog_(dialog);
        };
        before.push_back([](HWND editor) {
            loads = 0;
            QiHost_Set_Call_Trace(CountLoads, nullptr);
            Click(editor, IDC_PRESETS);
            QiHost_Set_Call_Trace(nullptr, nullptr);
            EXPECT_FALSE(LightExists(PRESET_LIGHT_NAME)) << "the browser's light is gone";
        });
        before.insert(before.end(), after.begin(), after.end());
        RunEditor(before);
    }

    // The name dialog takes the next of these names, then closes unless
    // the name was taken.
    void NameWith(std::vector<std::string> names)
    {
        named_ = 0;
        onNameDialog_ = [this, names](HWND dialog) {
            const std::string name = names.at(named_++);
            RunDialogScript(dialog, {[name](HWND d) {
                                         SetDlgItemTextA(d, IDC_PRESET_NAME, name.c_str());
                                         Click(d, IDOK);
                                     },
                                     [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); }});
        };
    }

    std::string mine_, cache_;
    std::function<void(HWND)> onNameDialog_;  // handed the "Save Current" name dialog
    size_t named_ = 0;
};

TEST_F(PresetBrowser, TheGridHoldsEveryFileTheSearchNarrowsItAndTheCacheServesAgain)
{
    const PresetCollection &collection = GeneratedPresets();
    SetIniValue("Lens-Flare-UI", "Preset-Folder", collection.folder.c_str());
    std::vector<std::string> expected;
    for (const std::string &name : PresetNames())
        expected.push_back(name.substr(0, name.size() - 4));
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> mine;
    for (const auto &preset : collection.types)
        mine.push_back(preset.first);
    mine.insert(mine.end(), collection.damaged.begin(), collection.damaged.end());
    std::sort(mine.begin(), mine.end());
    expected.insert(expected.end(), mine.begin(), mine.end());
    // The generated presets whose name begins with prefix and that have an
    // element of one of the types.
    auto having = [&](const char *prefix, std::vector<std::string> types) {
        size_t count = 0;
        for (const auto &preset : collection.types)
            if (preset.first.rfind(prefix, 0) == 0 &&
                std::find_first_of(preset.second.begin(), preset.second.end(), types.begin(),
                                   types.end()) != preset.second.end())
                ++count;
        return count;
    };
    struct Narrowing {
        const char *search;
        size_t count;
    } narrowings[] = {
        {"preset_01", 10},
        {"DAMAGED", collection.damaged.size()},
        {"RNGFLX preset_", having("preset_", {"rngflx"})},
        {"ring preset_1", having("preset_1", {"rngflx", "halo"})},  // "Ring Reflex", "Halo Ring"
        {"no such preset", 0},
    };
    Browse({[&](HWND browser) {
        EXPECT_EQ(Names(browser), expected);
        std::vector<Item> items = Items(browser);
        for (size_t i = 0; i < items.size(); ++i) {
            bool damaged = items[i].name.rfind("damaged_", 0) == 0;
            EXPECT_EQ(items[i].image == IMAGE_DAMAGED, damaged) << items[i].name;
            EXPECT_GT(items[i].image, damaged ? IMAGE_PENDING : IMAGE_DAMAGED) << items[i].name;
        }
        for (const Narrowing &n : narrowings) {
            Search(browser, n.search);
            EXPECT_EQ(Items(browser).size(), n.count) << n.search;
        }
        Search(browser, "");
        EXPECT_EQ(Items(browser).size(), expected.size());
    }});
    EXPECT_EQ(loads, int(expected.size()));
    Browse({[&](HWND browser) {
        std::vector<Item> items = Items(browser);
        EXPECT_EQ(items.size(), expected.size());
        for (const Item &item : items)
            EXPECT_GT(item.image, IMAGE_PENDING) << item.name;
    }});
    EXPECT_EQ(loads, 0) << "every picture came from the cache";
}

TEST_F(PresetBrowser, LoadAppliesThePresetAsLibraryLoadDoesAndUndoTakesItBack)
{
    const std::string before = FlareText();
    struct Way {
        const char *how, *preset;
        std::function<void(HWND browser, int item)> act;
    } ways[] = {
        // Posted, so that the dialog takes the key as a user's.
        {"Enter", "sun",
         [](HWND b, int) {
             PostMessageA(Grid(b), WM_KEYDOWN, VK_RETURN, 0);
             Pump();
         }},
        {"a double-click", "starburst",
         [](HWND b, int item) {
             RECT r = Items(b)[size_t(item)].bounds;
             SendMessageA(Grid(b), WM_LBUTTONDBLCLK, MK_LBUTTON,
                          MAKELPARAM((r.left + r.right) / 2, r.top + 20));
         }},
        {"Load", "sci_fi", [](HWND b, int) { Click(b, IDC_PRESET_LOAD); }},
    };
    std::vector<DialogStep> steps;
    for (const Way &way : ways) {
        steps.push_back([&way](HWND browser) {
            int item = ItemNamed(browser, way.preset);
            SelectItem(browser, item);
            SetFocus(Grid(browser));
            way.act(browser, item);
        });
        steps.push_back([&way](HWND browser) {
            EXPECT_EQ(FlareText(), LibraryFileText(PresetPath(std::string(way.preset) + ".lnz")))
                << way.how;
            EXPECT_TRUE(IsWindowVisible(browser)) << way.how;
        });
    }
    std::vector<std::string> loaded;
    Browse(steps, {}, {[&](HWND editor) {
        for (int undo = 0; undo < 3; ++undo) {
            loaded.push_back(FlareText());
            SendMessageA(editor, WM_SYSCOMMAND, SC_UNDO_STEP, 0);
        }
        EXPECT_EQ(FlareText(), before);
    }});
    EXPECT_EQ(loaded[1], LibraryFileText(PresetPath("starburst.lnz"))) << "one undo, one load";
    EXPECT_TRUE(watcher_.NewTexts().empty());
}

TEST_F(PresetBrowser, SaveCurrentAddsAPresetThatLoadsBackEqual)
{
    SetIniValue("Lens-Flare-UI", "Realtime-Updates", "0");
    const std::string saved = mine_ + "\\My Flare.lnz";
    float dragged = 0;
    NameWith({"bad:name", "My Flare", "My Flare.lnz"});
    watcher_.QueueAnswer(IDOK);
    watcher_.QueueAnswer(IDYES);
    Browse({[](HWND browser) { Click(browser, IDC_PRESET_SAVE); },
            [](HWND browser) { Click(browser, IDC_PRESET_SAVE); },
            [&](HWND browser) {
                EXPECT_EQ(LibraryFileText(saved), FlareText());
                EXPECT_EQ(HostFloat("intensity"), dragged) << "the edit was committed first";
                int item = ItemNamed(browser, "My Flare");
                ASSERT_GE(item, 0);
                EXPECT_EQ(SelectedItem(browser), item);
                EXPECT_GT(Items(browser)[size_t(item)].image, IMAGE_DAMAGED);
                Click(browser, IDC_PRESET_SAVE);
            }},
           {[&](HWND editor) {
               SendMessageA(editor, TPN_CLICKED, PAGE_GLOBAL, 0);
               DragSlider(globalIntensitySlider->hwnd, globalIntensitySlider->thumbX,
                          globalIntensitySlider->width - 20);
               dragged = currentInstance->workingFlare->intensity;
               EXPECT_NE(HostFloat("intensity"), dragged) << "realtime updates are off";
           }});
    EXPECT_EQ(named_, 3u);
    EXPECT_EQ(watcher_.NewTexts(),
              (std::vector<std::string>{
                  "A preset name cannot contain any of the characters \\ / : * ? \" < > |.",
                  saved + "\nThis file already exists.\n\nReplace existing file?"}));
    EXPECT_TRUE(FileExists(mine_ + "\\MY FLARE.BAK"));
}

TEST_F(PresetBrowser, DeleteMovesAUserPresetAwayAndRefusesABundledOne)
{
    CreateDirectoryA(mine_.c_str(), nullptr);
    for (const char *name : {"a", "b"})
        CopyFileA(PresetPath("sun.lnz").c_str(), (mine_ + "\\" + name + ".lnz").c_str(), FALSE);
    const RECT place = {30, 40, 760, 600};
    // The recycle bin's file and its record, none left from an earlier run.
    const char *data = std::getenv("XDG_DATA_HOME");
    ASSERT_TRUE(data);
    std::string trashed[2] = {std::string("Z:") + data + "\\Trash\\files\\a.lnz",
                              std::string("Z:") + data + "\\Trash\\info\\a.lnz.trashinfo"};
    for (std::string &file : trashed) {
        std::replace(file.begin(), file.end(), '/', '\\');
        DeleteFileA(file.c_str());
    }
    watcher_.QueueAnswer(IDYES);
    Browse({[&](HWND browser) {
        SelectItem(browser, ItemNamed(browser, "a"));
        SendMessageA(Grid(browser), WM_KEYDOWN, VK_DELETE, 0);
        EXPECT_EQ(ItemNamed(browser, "a"), -1);
        EXPECT_EQ(SelectedItem(browser), ItemNamed(browser, "b"));
        SelectItem(browser, ItemNamed(browser, "sun"));
        Click(browser, IDC_PRESET_DELETE);
        EXPECT_GE(ItemNamed(browser, "sun"), 0);
        SelectItem(browser, ItemNamed(browser, "vintage_lens"));
        SendMessageA(Grid(browser), WM_KEYDOWN, VK_DOWN, 0);
        EXPECT_EQ(SelectedItem(browser), ItemNamed(browser, "b"));
        SetWindowPos(browser, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER);
    }});
    EXPECT_FALSE(FileExists(mine_ + "\\a.lnz"));
    EXPECT_TRUE(FileExists(trashed[0])) << "in the recycle bin, to be restored";
    for (const std::string &file : trashed)
        DeleteFileA(file.c_str());
    EXPECT_TRUE(FileExists(PresetPath("sun.lnz")));
    EXPECT_EQ(watcher_.NewTexts(),
              (std::vector<std::string>{
                  "Move the preset 'a' to the recycle bin?",
                  "'sun' is one of the bundled presets, which cannot be deleted."}));
    RECT reopened = {};
    Browse({[&](HWND browser) { GetWindowRect(browser, &reopened); }});
    EXPECT_TRUE(EqualRect(&reopened, &place)) << "the browser's kept place and size";
}

TEST_F(PresetBrowser, FailuresAreToldAndCostNothing)
{
    const std::string empty = ScratchPath("empty"), blocker = ScratchPath("blocker.txt");
    CreateDirectoryA(empty.c_str(), nullptr);
    WriteFile(blocker, "a file where a folder would go");
    struct Failure {
        const char *what;
        std::function<void()> setUp;
        std::vector<const char *> names;  // given to Save Current
        DialogStep act;
        std::vector<std::string> messages;  // their beginnings
        std::vector<std::string> items;     // the user's presets afterwards
        bool noMemory = false;              // the host has none as the browser opens
    } failures[] = {
        {"no presets anywhere", [&] { QiHost_Set_Environment("QX_WORKING_DIR", empty.c_str()); },
         {}, [](HWND b) { EXPECT_EQ(WindowText(GetDlgItem(b, IDC_PRESET_STATUS)), "No presets"); },
         {}, {}},
        {"the user's folder vanishes while the browser is open",
         [&] { CopyFileA(PresetPath("sun.lnz").c_str(), (mine_ + "\\gone.lnz").c_str(), FALSE); },
         {"back"},
         [&](HWND b) {
             DeleteFileA((mine_ + "\\gone.lnz").c_str());
             RemoveDirectoryA(mine_.c_str());
             SelectItem(b, ItemNamed(b, "gone"));
             Click(b, IDC_PRESET_LOAD);
             Click(b, IDC_PRESET_SAVE);

         },
         {"The lens flare effect file '" + Lower(mine_) + "\\gone.lnz' could not be loaded."},
         {"back", "gone"}},
        {"a file stands where the user's folder would be",
         [&] { SetIniValue("Lens-Flare-UI", "Preset-Folder", (blocker + "\\presets").c_str()); },
         {"x"}, [](HWND b) { Click(b, IDC_PRESET_SAVE); },
         {"The preset folder '" + blocker + "\\presets' cannot be made."}, {}},
        {"the disk refuses the file", [] {}, {"y"},
         [](HWND b) {
             QiHost_Fail_File_Writes(1);
             Click(b, IDC_PRESET_SAVE);
         },
         {"Error writing lens flare effect file '" + mine_ + "\\y.lnz'."}, {}},
        {"no memory for the pictures", [] {}, {}, [](HWND) {},
         {"The preset browser cannot be opened: there is no memory"}, {}, true},
    };
    for (const Failure &failure : failures) {
        QiHost_Set_Environment("QX_WORKING_DIR", LF_DATA_DIR);
        SetIniValue("Lens-Flare-UI", "Preset-Folder", mine_.c_str());
        CreateDirectoryA(mine_.c_str(), nullptr);
        failure.setUp();
        std::vector<std::string> names(failure.names.begin(), failure.names.end());
        NameWith(names);
        std::string before;
        std::vector<std::string> items;
        Browse({failure.act,
                [&](HWND b) {
                    const std::vector<std::string> bundled = PresetNames();
                    for (const Item &item : Items(b))
                        if (!std::count(bundled.begin(), bundled.end(), item.name + ".lnz"))
                            items.push_back(item.name);
                }},
               {[&](HWND) {
                   before = FlareText();
                   if (failure.noMemory)
                       QiHost_Fail_Allocations(0, 1000000);
               }},
               {[&](HWND) {
                   QiHost_Fail_Allocations(0, 0);
                   EXPECT_EQ(FlareText(), before) << failure.what;
               }});
        QiHost_Fail_File_Writes(0);
        QiHost_Fail_Allocations(0, 0);
        std::vector<std::string> messages = watcher_.NewTexts();
        ASSERT_EQ(messages.size(), failure.messages.size())
            << failure.what << ": " << testing::PrintToString(messages);
        for (size_t i = 0; i < messages.size(); ++i)
            EXPECT_EQ(Lower(messages[i]).rfind(Lower(failure.messages[i]), 0), 0u)
                << failure.what << ": " << messages[i];
        std::sort(items.begin(), items.end());
        EXPECT_EQ(items, failure.items) << failure.what;
        for (const std::string &item : items)
            DeleteFileA((mine_ + "\\" + item + ".lnz").c_str());
        RemoveDirectoryA(mine_.c_str());
    }
}

}  // namespace
