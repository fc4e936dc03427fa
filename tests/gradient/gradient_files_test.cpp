// Gradient files through the control's menu commands and the host, with
// the system's file dialogs driven as a user would: what is written and
// read back, the remembered file, every failure the user is shown, and the
// requester's preview of the file under the cursor. Files live in a
// scratch folder of this program's own.
#include <windows.h>
#include <dlgs.h>

#include <cstring>
#include <functional>
#include <string>

#include "gradient/gradient_files.h"
#include "host/core/qi_host.h"
#include "frame/file_dialog.h"
#include "resources/gradient_ids.h"
#include "tests/gradient/gradient_control_fixture.h"
#include "tests/library/file_dialog_driver.h"
#include "tests/support/scratch_files.h"
#include "tests/support/test_services.h"

namespace {

const char kSunset[] = "quorix-gradient 1.0\n"
                       "entries 3\n"
                       "    0     0.18 0.05 0.35\n"
                       "    0.55  1    0.4  0.1\n"
                       "    1     1    0.95 0.75\n"
                       "end\n";

class GradientFiles : public GradientControl {
protected:
    void SetUp() override
    {
        GradientControl::SetUp();
        working_ = ScratchPath("work");
        colormap_ = working_ + "\\colormap";
        WriteFile(ScratchPath("work\\colormap\\sunset.grd"), kSunset);
        QiHost_Set_Environment("QX_WORKING_DIR", working_.c_str());
        DeleteFileA(ini_.c_str());
        instance_.moduleInstance = moduleHandle;
        instance_.hostServices = &services_;
        currentInstance = &instance_;
        liveBlocks_ = QiHost_Live_Blocks();
    }

    void TearDown() override
    {
        EXPECT_EQ(QiHost_Live_Blocks(), liveBlocks_) << "every host array is released";
        currentInstance = nullptr;
        QiHost_Set_Environment("QX_WORKING_DIR", nullptr);
        GradientControl::TearDown();
    }

    // Runs a file command of the control; `act` handles the file dialog.
    void RunFileCommand(uint16_t id, std::function<void(HWND)> act)
    {
        AnswerDialogs(act);
        SendMessageA(button_, WM_COMMAND, id, 0);
    }

    std::string Remembered() const
    {
        char name[FILE_NAME_SIZE] = "";
        GetPrivateProfileStringA("LensFlare", "LastGradientDirectory", "", name, sizeof name,
                                 ini_.c_str());
        return name;
    }

    std::string working_, colormap_;
    std::string ini_ = ScratchPath("gradient.ini");
    TestServices services_{ini_};
    PluginInstance instance_ = {};
    int64_t liveBlocks_ = 0;
};

TEST_F(GradientFiles, ASavedGradientGetsItsExtensionAndReadsBackUnchanged)
{
    SendMessageA(button_, WM_COMMAND, IDM_PRESET_RING, 0);
    SelectPivot(&slider_->pivots, 3);
    const GradientPivots ring = slider_->pivots;
    changes.clear();
    RunFileCommand(IDM_GRADIENT_SAVE, [](HWND dialog) { ChooseFile(dialog, "ring"); });
    const std::string saved = colormap_ + "\\ring.grd";
    EXPECT_TRUE(FileExists(saved)) << "typed without extension";
    EXPECT_STRCASEEQ(Remembered().c_str(), saved.c_str());
    EXPECT_EQ(changes, std::vector<uint32_t>{kId});

    SendMessageA(button_, WM_COMMAND, IDM_PRESET_BLUE, 0);
    SendMessageA(button_, WM_COMMAND, IDM_GRADIENT_CARDINAL, 0);
    SelectPivot(&slider_->pivots, 1);
    std::string offered;
    RunFileCommand(IDM_GRADIENT_LOAD, [&](HWND dialog) {
        offered = DialogFileField(dialog);
        ChooseFile(dialog, offered);
    });
    EXPECT_EQ(offered, "ring.grd") << "the remembered file is offered";
    EXPECT_EQ(Pivots(), PivotsOf(ring)) << "positions and colours come back unchanged";
    EXPECT_EQ(slider_->pivots.interpolation, Qi_Inquire_Token("linear"));
    EXPECT_EQ(Selected(), std::vector<int>{1}) << "a load leaves the selection flags";
    EXPECT_EQ(changes.size(), 4u);
    EXPECT_TRUE(watcher_.NewTexts(true).empty());
}

TEST_F(GradientFiles, SaveFailuresAreShownAndNothingIsWrittenAfterCancel)
{
    CreateDirectoryA((colormap_ + "\\taken.grd").c_str(), nullptr);
    RunFileCommand(IDM_GRADIENT_SAVE, [](HWND dialog) { ChooseFile(dialog, "taken"); });
    SetPivots({});
    RunFileCommand(IDM_GRADIENT_SAVE, [](HWND dialog) { ChooseFile(dialog, "empty.grd"); });
    EXPECT_EQ(watcher_.NewTexts(true), (std::vector<std::string>{
                           "Error: Could not open the gradient file for writing.\n\nThe file "
                           "cannot be written: it is read-only or in use.\n\nNo file was "
                           "written.",
                           "Error: Too few entry in the gradient (need 1 or more)."}));
    EXPECT_FALSE(FileExists(colormap_ + "\\empty.grd"));
    EXPECT_EQ(changes.size(), 2u) << "a save that was carried out reports, whatever happened";

    SetPivots({{0, 0}});
    RunFileCommand(IDM_GRADIENT_SAVE, [](HWND dialog) {
        SetDlgItemTextA(dialog, cmb13, "cancelled.grd");
        CancelFileDialog(dialog);
    });
    EXPECT_FALSE(FileExists(colormap_ + "\\cancelled.grd"));
    EXPECT_TRUE(watcher_.NewTexts(true).empty());
}

// A failed write leaves the former file byte for byte and says why; a name
// too long to take ".grd" is refused rather than shortened into another
// file's name (typed into the system's dialog, such a name ends Wine's).
TEST_F(GradientFiles, AFailedSaveLeavesTheFormerFileAndALongNameIsRefused)
{
    QiHost_Fail_File_Writes(1);
    RunFileCommand(IDM_GRADIENT_SAVE, [](HWND dialog) { ChooseFile(dialog, "sunset"); });
    QiHost_Fail_File_Writes(0);
    EXPECT_EQ(ReadFile(colormap_ + "\\sunset.grd"), kSunset);
    EXPECT_EQ(watcher_.NewTexts(true),
              std::vector<std::string>{"Error: Could not open the gradient file for writing.\n\n"
                                       "The disk is full.\n\nThe former file was left as it was."});

    const std::string longName = colormap_ + "\\" + std::string(FILE_NAME_SIZE, 'g');
    char name[FILE_NAME_SIZE];
    for (size_t length : {FILE_NAME_SIZE - 5, FILE_NAME_SIZE - 4}) {
        const std::string chosen = longName.substr(0, length);
        std::strcpy(name, chosen.c_str());
        const bool fits = length + 4 < FILE_NAME_SIZE;
        EXPECT_EQ(TakeGradientSaveName(button_, name), fits ? 1 : 0) << length;
        EXPECT_EQ(name, fits ? chosen + ".grd" : chosen) << length;
        EXPECT_EQ(watcher_.NewTexts(true),
                  fits ? std::vector<std::string>{}
                       : std::vector<std::string>{"Filename Error: The file name '" + chosen +
                                                  "' is too long to end in .grd."});
    }
}

TEST_F(GradientFiles, LoadFailuresAreShownAndLeaveTheTable)
{
    WriteFile(colormap_ + "\\broken.grd", "quorix-gradient 1.0\nentries 2\n    0 1 1 1\nend\n");
    WriteFile(colormap_ + "\\notes.txt", "");
    SetPivots({{0x123456, 0}, {0x654321, 99}});
    const GradientPivots before = slider_->pivots;

    RunFileCommand(IDM_GRADIENT_LOAD, [](HWND dialog) { ChooseFile(dialog, "broken.grd"); });
    HANDLE locked = CreateFileA((colormap_ + "\\sunset.grd").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    RunFileCommand(IDM_GRADIENT_LOAD, [](HWND dialog) { ChooseFile(dialog, "sunset.grd"); });
    CloseHandle(locked);
    RunFileCommand(IDM_GRADIENT_LOAD, [](HWND dialog) {
        QiHost_Fail_Allocations(0, 3);
        ChooseFile(dialog, "sunset.grd");
    });
    QiHost_Fail_Allocations(0, 0);
    EXPECT_EQ(watcher_.NewTexts(true),
              (std::vector<std::string>{"Error: Parsing error encountered in the gradient file.",
                                        "Error: Could not find or open the gradient file.",
                                        "Error: Out of memory while parsing the gradient file."}));
    EXPECT_EQ(changes.size(), 3u) << "an error still counts as a load";

    RunFileCommand(IDM_GRADIENT_LOAD, [](HWND dialog) { ChooseFile(dialog, "notes.txt"); });
    RunFileCommand(IDM_GRADIENT_LOAD, CancelFileDialog);
    EXPECT_EQ(watcher_.NewTexts(true),
              std::vector<std::string>{"Filename Error: The filename does not have the file "
                                       "extensions of .grd or .cmp."});
    EXPECT_EQ(changes.size(), 3u) << "a refused name counts as cancelled";

    // A host that reads a file without entries: refused, arrays released.
    float *offsets = static_cast<float *>(Qi_Alloc_Memory(0, 1, 4));
    float *colours = static_cast<float *>(Qi_Alloc_Memory(0, 1, 12));
    TakeLoadedGradient(slider_, 0, 0, offsets, colours, nullptr, Qi_Inquire_Token("linear"));
    EXPECT_EQ(watcher_.NewTexts(true),
              std::vector<std::string>{"Error: The gradient file does not hold any color."});
    EXPECT_EQ(std::memcmp(&slider_->pivots, &before, sizeof before), 0);
}

// The strip shows the selected file's gradient, and nothing once a damaged
// file or a folder is selected.
TEST_F(GradientFiles, TheRequesterPreviewsTheFileUnderTheSelectionAndBlanksOtherwise)
{
    WriteFile(colormap_ + "\\broken.grd", "quorix-gradient 1.0\nentries 2\n    0 1 1 1\nend\n");
    CreateDirectoryA((colormap_ + "\\older").c_str(), nullptr);
    struct Row {
        const char *select;
        bool blank;
    };
    const Row rows[] = {{"sunset.grd", false}, {"broken.grd", true}, {"sunset.grd", false},
                        {"older", true}};
    COLORREF left = 0, middle = 0, right = 0;
    int width = 0;
    RunFileCommand(IDM_GRADIENT_LOAD, [&](HWND dialog) {
        HWND strip = FindDialogControl(dialog, IDC_REQUESTER_PREVIEW);
        ASSERT_NE(strip, nullptr);
        RECT client;
        GetClientRect(strip, &client);
        const int area = client.right * client.bottom;
        for (const Row &row : rows) {
            ASSERT_TRUE(SelectInFileList(dialog, row.select)) << row.select;
            int face = CountShownPixels(strip, client, [](COLORREF pixel) {
                return pixel == GetSysColor(COLOR_BTNFACE);
            });
            EXPECT_EQ(face, row.blank ? area : 0) << row.select;
        }
        ASSERT_TRUE(SelectInFileList(dialog, "sunset.grd"));
        DibCanvas canvas(strip);
        width = canvas.width();
        left = canvas.Pixel(0, canvas.height() / 2);
        middle = canvas.Pixel(canvas.width() * 55 / 100, canvas.height() / 2);
        right = canvas.Pixel(canvas.width() - 1, canvas.height() / 2);
        CancelFileDialog(dialog);
    });
    EXPECT_GT(width, 300);
    EXPECT_EQ(left, RGB(45, 12, 89)) << "the first entry's colour";
    EXPECT_EQ(middle, RGB(255, 102, 25)) << "the entry at 0.55";
    EXPECT_EQ(GetRValue(right), 255) << "close to the last entry's colour";
    EXPECT_NEAR(GetGValue(right), 242, 4);
    EXPECT_NEAR(GetBValue(right), 191, 4);
    EXPECT_TRUE(changes.empty());
}

}  // namespace
