// "Library Save" and "Library Load" on the real system dialogs, with a
// stand-in editor window: the extension and the upper-case backup, the
// replace question, failed writes, the order of a load and the flare kept
// intact when a file cannot be loaded.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "editor/library_commands.h"
#include "host/api/qi_importio.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "library/effect_library.h"
#include "library/effect_requester.h"
#include "frame/file_dialog.h"
#include "tests/library/file_dialog_driver.h"
#include "tests/library/host_flares.h"
#include "tests/support/scratch_files.h"
#include "tests/support/modal_watcher.h"
#include "tests/support/plugin_calls.h"
#include "tests/support/test_services.h"
#include "tests/support/token.h"
#include "tests/support/window_text.h"

namespace {

// What the host and the plug-in held when the editor was told to refill its
// element list.
struct RefillSnapshot {
    int32_t hostElements, workingElements;
    int16_t updating;
};
std::vector<RefillSnapshot> refills;

LRESULT CALLBACK StandInProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WMU_REFILL_ELEMENT_LIST)
        refills.push_back({ElementCount(T("light"), QIHOST_DEFAULT_LIGHT),
                           currentInstance->workingFlare->numelements, updatingControls});
    return DefWindowProcA(window, message, wParam, lParam);
}

// The temporary files a save left in the folder.
int TemporaryFiles(const std::string &folder)
{
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\~lf*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

// The name the folder gives the file, in the case it was created with.
std::string NameOnDisk(const std::string &path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return "";
    FindClose(search);
    return found.cFileName;
}

class Library : public testing::Test {
protected:
    void SetUp() override
    {
        moduleHandle = GetModuleHandleA(nullptr);
        QiHost_Create_Default_Scene();
        instance_ = LinkedPlugin().NewInstance(&services_);
        instance_->handleType = T("light");
        lstrcpynA(instance_->flareName, QIHOST_DEFAULT_LIGHT, FLARE_NAME_SIZE);
        instance_->realtimeUpdates = 1;
        WNDCLASSA standIn = {};
        standIn.lpfnWndProc = StandInProc;
        standIn.hInstance = moduleHandle;
        standIn.lpszClassName = "LibraryEditorStandIn";
        RegisterClassA(&standIn);
        editor_ = CreateWindowA("LibraryEditorStandIn", "Lens Flare Editor", WS_OVERLAPPED, 0, 0,
                                100, 100, nullptr, nullptr, moduleHandle, nullptr);
        instance_->dialogWindow = editor_;
        LoadWorkingFlare(instance_, instance_->handleType, instance_->flareName);
        refills.clear();
        fx_ = ScratchPath("fx");
        CreateDirectoryA(fx_.c_str(), nullptr);
        working_ = ScratchPath("work");
        CreateDirectoryA(working_.c_str(), nullptr);
        CreateDirectoryA((working_ + "\\lensfx").c_str(), nullptr);
        QiHost_Set_Environment("QX_WORKING_DIR", working_.c_str());
    }
    void TearDown() override
    {
        QiHost_Set_Environment("QX_WORKING_DIR", nullptr);
        Qi_Free_Memory(lastLibraryFile);
        lastLibraryFile = nullptr;
        ReleaseWorkingFlare(instance_);
        instance_->dialogWindow = nullptr;
        DestroyWindow(editor_);
        LinkedPlugin().Destroy(instance_);
        EXPECT_FALSE(LightExists(TEMPORARY_LIGHT_NAME));
    }

    // Hands each file dialog, in the order they open, to the next action.
    void OnFileDialogs(std::vector<DialogStep> actions)
    {
        watcher_.OnDialog([this, actions](HWND dialog) {
            if (IsFileDialog(dialog) && opened_ < actions.size())
                RunDialogScript(dialog, {actions[opened_++]});
        });
    }

    void Remember(const std::string &path)
    {
        Import_IO_Copy_String(&lastLibraryFile, path.c_str());
    }

    TestServices services_{"effect_library_test.ini"};
    PluginInstance *instance_ = nullptr;
    HWND editor_ = nullptr;
    std::string fx_, working_;
    ModalWatcher watcher_;
    size_t opened_ = 0;
};

TEST_F(Library, SavingAddsTheExtensionAndKeepsAnUpperCaseBackupOfTheReplacedFile)
{
    const std::string stars = fx_ + "\\stars.lnz";
    std::string folder, fileType;
    OnFileDialogs({[&](HWND dialog) {
                       folder = DialogFolder(dialog);
                       fileType = DialogFileType(dialog);
                       ChooseFile(dialog, fx_ + "\\stars");
                   },
                   [&](HWND dialog) {
                       EXPECT_EQ(DialogFileField(dialog), "stars.lnz");
                       EXPECT_STRCASEEQ(DialogFolder(dialog).c_str(), fx_.c_str())
                           << "the dialog opens at the remembered file";
                       ChooseFile(dialog, fx_ + "\\stars");
                   }});
    EXPECT_EQ(SaveLibraryCommand(editor_), 1);
    EXPECT_STRCASEEQ(folder.c_str(), (working_ + "\\lensfx").c_str());
    EXPECT_EQ(fileType, "Lens Flare Libraries (*.lnz)");
    ASSERT_TRUE(lastLibraryFile);
    EXPECT_STRCASEEQ(lastLibraryFile, stars.c_str());
    const std::string first = ReadFile(stars);
    EXPECT_EQ(LibraryFileText(stars), FlareText());
    EXPECT_TRUE(watcher_.boxes().empty()) << "a new file needs no question";

    WriteFile(fx_ + "\\STARS.BAK", "an older backup");
    instance_->workingFlare->intensity = 0.25f;
    watcher_.QueueAnswer(IDYES);
    EXPECT_EQ(SaveLibraryCommand(editor_), 1);
    ASSERT_EQ(watcher_.boxes().size(), 1u);
    const CapturedBox &question = watcher_.boxes()[0];
    EXPECT_EQ(question.caption, "Info Request");
    EXPECT_STRCASEEQ(question.text.c_str(),
                     (stars + "\nThis file already exists.\n\nReplace existing file?").c_str());
    EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(question.defaultButton, IDNO);
    EXPECT_EQ(question.icon, LoadIconA(nullptr, IDI_QUESTION));

    EXPECT_EQ(NameOnDisk(fx_ + "\\stars.bak"), "STARS.BAK");
    EXPECT_EQ(ReadFile(fx_ + "\\STARS.BAK"), first) << "the replaced file is the backup";
    EXPECT_NE(ReadFile(stars), first);
    EXPECT_EQ(LibraryFileText(stars), FlareText());

    // A read-only backup is kept, and the save goes on without a new one.
    const std::string second = ReadFile(stars);
    SetFileAttributesA((fx_ + "\\STARS.BAK").c_str(), FILE_ATTRIBUTE_READONLY);
    instance_->workingFlare->intensity = 0.5f;
    opened_ = 0;
    watcher_.QueueAnswer(IDYES);
    EXPECT_EQ(SaveLibraryCommand(editor_), 1);
    SetFileAttributesA((fx_ + "\\STARS.BAK").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFile(fx_ + "\\STARS.BAK"), first);
    EXPECT_EQ(LibraryFileText(stars), FlareText());
    ASSERT_EQ(watcher_.boxes().size(), 3u);
    EXPECT_STRCASEEQ(watcher_.boxes()[2].text.c_str(),
                     ("The lens flare effect file '" + stars +
                      "' was saved, but no backup of the former file was made.\n\nThe older "
                      "backup is read-only and was kept.")
                         .c_str());
}

TEST_F(Library, NoToTheReplaceQuestionReopensTheDialogAtTheRememberedFile)
{
    WriteFile(fx_ + "\\first.lnz", "first");
    WriteFile(fx_ + "\\second.lnz", "second");
    Remember(fx_ + "\\first.lnz");
    watcher_.QueueAnswer(IDNO);
    OnFileDialogs({[&](HWND dialog) { ChooseFile(dialog, fx_ + "\\second.lnz"); },
                   [&](HWND dialog) {
                       EXPECT_EQ(DialogFileField(dialog), "first.lnz");
                       EXPECT_STRCASEEQ(DialogFolder(dialog).c_str(), fx_.c_str());
                       CancelFileDialog(dialog);
                   }});
    EXPECT_EQ(SaveLibraryCommand(editor_), 0);
    EXPECT_EQ(opened_, 2u);
    EXPECT_EQ(watcher_.boxes().size(), 1u);
    EXPECT_EQ(ReadFile(fx_ + "\\second.lnz"), "second");
    EXPECT_STRCASEEQ(lastLibraryFile, (fx_ + "\\first.lnz").c_str());
}

// A save that fails leaves the former file and its read-only backup as they
// were, byte for byte, and no temporary file; the message names the cause.
// The new name is remembered all the same.
TEST_F(Library, AFailedSaveLeavesTheFormerFileAndNamesTheCause)
{
    const std::string comet = fx_ + "\\comet.lnz", backup = fx_ + "\\COMET.BAK";
    const std::string former("former\r\n\0\xff", 10);
    struct Case {
        const char *name;
        bool held;  // the file is open in another program, which shares only reading
        int failingWrites;
        const char *cause;
    } cases[] = {
        {"the disk is full", false, 1, "The disk is full."},
        {"the file is in use", true, 0, "The file cannot be written: it is read-only or in use."},
    };
    for (const Case &c : cases) {
        WriteFile(comet, former);
        WriteFile(backup, "older backup");
        SetFileAttributesA(backup.c_str(), FILE_ATTRIBUTE_READONLY);
        HANDLE held = c.held ? CreateFileA(comet.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr)
                             : INVALID_HANDLE_VALUE;
        const size_t boxes = watcher_.boxes().size();
        watcher_.QueueAnswer(IDYES);
        opened_ = 0;
        OnFileDialogs({[&](HWND dialog) { ChooseFile(dialog, comet); }});
        QiHost_Fail_File_Writes(c.failingWrites);
        EXPECT_EQ(SaveLibraryCommand(editor_), 0) << c.name;
        QiHost_Fail_File_Writes(0);
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
        SetFileAttributesA(backup.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFile(comet), former) << c.name;
        EXPECT_EQ(ReadFile(backup), "older backup") << c.name;
        EXPECT_EQ(TemporaryFiles(fx_), 0) << c.name;
        ASSERT_EQ(watcher_.boxes().size(), boxes + 2) << c.name;
        EXPECT_EQ(watcher_.boxes().back().caption, "File Write Error");
        EXPECT_STRCASEEQ(watcher_.boxes().back().text.c_str(),
                         ("Error writing lens flare effect file '" + comet + "'.\n\n" + c.cause +
                          "\n\nThe former file was left as it was.")
                             .c_str())
            << c.name;
        EXPECT_STRCASEEQ(lastLibraryFile, comet.c_str());
    }
}

TEST_F(Library, LoadingShowsTheFlareWithoutElementsThenLoadsTheFile)
{
    const std::string rings = fx_ + "\\RINGS.LNZ";
    MakeLibraryFile(rings, {"glow", "rngflx", "halo"});
    OnFileDialogs({[&](HWND dialog) { ChooseFile(dialog, rings); }});
    EXPECT_EQ(LoadLibraryCommand(editor_), 1);
    ASSERT_EQ(refills.size(), 2u);
    EXPECT_EQ(refills[0].hostElements, 0) << "the elements were deleted first";
    EXPECT_EQ(refills[0].workingElements, 0) << "and the working flare reloaded";
    EXPECT_EQ(refills[0].updating, 1) << "while the change notifications were held off";
    EXPECT_EQ(refills[1].workingElements, 3) << "then the loaded flare is shown";
    EXPECT_EQ(updatingControls, 0);
    EXPECT_EQ(FlareText(), LibraryFileText(rings));
    EXPECT_STREQ(lastLibraryFile, Lower(rings).c_str())
        << "an upper-case extension is accepted; the lower-case path is remembered";
    EXPECT_TRUE(watcher_.boxes().empty());
}

TEST_F(Library, ARelativeRememberedPathIsOfferedInTheWorkingDirectory)
{
    Remember("lensfx\\stars.lnz");
    const std::string bare = ScratchPath("bare");
    CreateDirectoryA(bare.c_str(), nullptr);
    std::vector<std::string> folders, fields;
    auto look = [&](HWND dialog) {
        folders.push_back(DialogFolder(dialog));
        fields.push_back(DialogFileField(dialog));
        CancelFileDialog(dialog);
    };
    OnFileDialogs({look, look});
    const std::string before = FlareText();
    EXPECT_EQ(LoadLibraryCommand(editor_), 0);
    QiHost_Set_Environment("QX_WORKING_DIR", bare.c_str());
    EXPECT_EQ(LoadLibraryCommand(editor_), 0);
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_STRCASEEQ(folders[0].c_str(), (working_ + "\\lensfx").c_str());
    EXPECT_STRCASEEQ(folders[1].c_str(), bare.c_str()) << "without a lensfx folder";
    EXPECT_EQ(fields, (std::vector<std::string>{"stars.lnz", "stars.lnz"}));
    EXPECT_EQ(FlareText(), before);
    EXPECT_TRUE(refills.empty());
    EXPECT_STREQ(lastLibraryFile, "lensfx\\stars.lnz");
}

TEST_F(Library, AFileThatCannotBeLoadedLeavesTheFlareAsItWasAndSaysWhy)
{
    const std::string broken = fx_ + "\\broken.lnz";
    WriteFile(broken, "quorix-lensflare 1.0\nglobals\n    intensity much\nend\n");
    Remember(fx_ + "\\stars.lnz");
    const std::string before = FlareText();
    std::string fileType;
    OnFileDialogs({[&](HWND dialog) {
        fileType = DialogFileType(dialog);
        ChooseFile(dialog, broken);
    }});
    EXPECT_EQ(LoadLibraryCommand(editor_), 0);
    EXPECT_EQ(fileType, "Lens Flare Libraries (*.lnz)");
    ASSERT_EQ(watcher_.boxes().size(), 1u);
    EXPECT_EQ(watcher_.boxes()[0].caption, "Error");
    EXPECT_STRCASEEQ(watcher_.boxes()[0].text.c_str(),
                     ("The lens flare effect file '" + broken +
                      "' could not be loaded. It may be damaged or not a lens effect file.\n\n"
                      "Line 3: \"intensity\" \"much\" is not a number.")
                         .c_str());
    EXPECT_EQ(FlareText(), before);
    EXPECT_EQ(instance_->workingFlare->numelements, ElementCount(T("light"), QIHOST_DEFAULT_LIGHT));
    EXPECT_TRUE(refills.empty()) << "nothing was taken from the flare";
    EXPECT_STRCASEEQ(lastLibraryFile, (fx_ + "\\stars.lnz").c_str());
}

}  // namespace
