// The library requester driven inside the real open dialog: the picture
// follows the selection with the light where the flare needs it, the
// "Preview" switch blanks it at once and is kept between openings, and the
// temporary light lives exactly as long as the requester.
#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>

#include <algorithm>
#include <string>
#include <vector>

#include "frame/plugin_instance.h"
#include "host/core/qi_host.h"
#include "library/effect_library.h"
#include "library/effect_requester.h"
#include "frame/file_dialog.h"
#include "resources/library_ids.h"
#include "tests/library/file_dialog_driver.h"
#include "tests/library/host_flares.h"
#include "tests/support/scratch_files.h"
#include "tests/support/dib_canvas.h"
#include "tests/support/modal_watcher.h"
#include "tests/support/token.h"

namespace {

// Where the picture's saturated core lies: the mean of the pixels whose
// brightest channel is at least 250, y counted from the bottom row.
struct Core {
    double x = -1, y = -1;
    int pixels = 0;
};

Core BrightCore(const DisplayBitmap &bitmap)
{
    const BITMAPINFOHEADER &header = bitmap.bitmapInfo->bmiHeader;
    Core core;
    double sumX = 0, sumY = 0;
    for (int y = 0; y < header.biHeight; ++y) {
        for (int x = 0; x < header.biWidth; ++x) {
            const uint8_t *p = bitmap.bits + y * bitmap.rowBytes + 3 * x;
            if (std::max({p[0], p[1], p[2]}) >= 250) {
                sumX += x;
                sumY += y;
                ++core.pixels;
            }
        }
    }
    if (core.pixels) {
        core.x = sumX / core.pixels;
        core.y = sumY / core.pixels;
    }
    return core;
}

int Width()
{
    return requesterBitmap.bitmapInfo->bmiHeader.biWidth;
}

int Height()
{
    return requesterBitmap.bitmapInfo->bmiHeader.biHeight;
}

// The requester's panel: the parent of its picture.
HWND Panel(HWND fileDialog)
{
    return GetParent(FindDialogControl(fileDialog, IDC_REQUESTER_PICTURE));
}

// Bright pixels the picture button shows on screen.
int ShownBrightPixels(HWND panel)
{
    HWND picture = GetDlgItem(panel, IDC_REQUESTER_PICTURE);
    DibCanvas canvas(picture);
    int bright = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            bright += GetGValue(canvas.Pixel(x, y)) >= 250;
    return bright;
}

void ClickPreviewSwitch(HWND panel)
{
    SendDlgItemMessageA(panel, IDC_REQUESTER_PREVIEW_ON, BM_CLICK, 0, 0);
}

class Requester : public testing::Test {
protected:
    void SetUp() override
    {
        working_ = ScratchPath("work");
        MakeLibraryFile(ScratchPath("work\\lensfx\\glow.lnz"), {"glow"});
        MakeLibraryFile(ScratchPath("work\\lensfx\\rings.lnz"), {"glow", "rngflx"});
        MakeLibraryFile(ScratchPath("work\\lensfx\\chain.lnz"), {"streaks", "inter", "glow"});
        WriteFile(ScratchPath("work\\lensfx\\notes.txt"), "not a library");
        QiHost_Set_Environment("QX_WORKING_DIR", working_.c_str());
        requesterPreviewOn = 1;
    }
    void TearDown() override
    {
        QiHost_Set_Environment("QX_WORKING_DIR", nullptr);
        EXPECT_FALSE(LightExists(TEMPORARY_LIGHT_NAME)) << "the requester left its light";
    }

    // Opens the requester and runs the steps inside the open dialog, one per
    // timer tick; the last step closes it. Returns what ChooseEffectFile did.
    int16_t Open(std::vector<DialogStep> steps, char *path, HWND owner = nullptr)
    {
        watcher_.OnDialog([steps](HWND dialog) {
            if (IsFileDialog(dialog))
                RunDialogScript(dialog, steps);
        });
        return ChooseEffectFile(owner, nullptr, "Select Lens Flare Effect File", nullptr, path,
                                GetModuleHandleA(nullptr));
    }

    std::string working_;
    ModalWatcher watcher_;
};

TEST_F(Requester, PictureFollowsTheSelectionWithTheLightWhereTheFlareNeedsIt)
{
    // An owner low on the screen: the requester must still be wholly on it.
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, area.left,
                                 area.bottom - 60, 300, 60, nullptr, nullptr, nullptr, nullptr);
    char path[FILE_NAME_SIZE] = "";
    int16_t chosen = Open(
        {[](HWND dialog) {
             RECT frame, area;
             GetWindowRect(dialog, &frame);
             SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
             EXPECT_TRUE(frame.top >= area.top && frame.bottom <= area.bottom &&
                         frame.left >= area.left && frame.right <= area.right)
                 << "the requester, grown by its preview, stays on the screen";
             EXPECT_TRUE(LightExists(TEMPORARY_LIGHT_NAME));
             EXPECT_EQ(requesterBitmap.hasImage, 0) << "nothing selected yet";
             ASSERT_TRUE(SelectInFileList(dialog, "glow.lnz"));
             ASSERT_EQ(requesterBitmap.hasImage, 1);
             Core core = BrightCore(requesterBitmap);
             EXPECT_NEAR(core.x, Width() / 2, 1.5) << "the light at the centre";
             EXPECT_NEAR(core.y, Height() - Height() / 2, 1.5);
             EXPECT_GT(ShownBrightPixels(Panel(dialog)), 0) << "the button shows the picture";
         },
         [](HWND dialog) {
             SelectInFileList(dialog, "rings.lnz");
             Core core = BrightCore(requesterBitmap);
             EXPECT_NEAR(core.x, Width() / 4, 1.5) << "a ring reflex moves the light";
             EXPECT_NEAR(core.y, Height() - Height() / 4, 1.5) << "a quarter from the top";
             EXPECT_EQ(ElementCount(T("light"), TEMPORARY_LIGHT_NAME), 2)
                 << "earlier previews never pile up in the light";
         },
         [](HWND dialog) {
             SelectInFileList(dialog, "chain.lnz");
             Core core = BrightCore(requesterBitmap);
             EXPECT_NEAR(core.x, Width() / 4, 1.5) << "a reflex chain moves the light";
             EXPECT_EQ(ElementCount(T("light"), TEMPORARY_LIGHT_NAME), 3);
             ChooseFile(dialog, "CHAIN.LNZ");
         }},
        path, owner);
    DestroyWindow(owner);
    EXPECT_EQ(chosen, 1);
    std::string expected = working_ + "\\lensfx\\chain.lnz";
    CharLowerA(expected.data());
    EXPECT_STREQ(path, expected.c_str()) << "the chosen path comes back in lower case";
    EXPECT_TRUE(watcher_.boxes().empty());
}

TEST_F(Requester, PreviewSwitchBlanksAtOnceAndIsKeptBetweenOpenings)
{
    char path[FILE_NAME_SIZE] = "";
    Open({[](HWND dialog) {
              HWND panel = Panel(dialog);
              EXPECT_EQ(IsDlgButtonChecked(panel, IDC_REQUESTER_PREVIEW_ON), BST_CHECKED);
              SelectInFileList(dialog, "glow.lnz");
              ASSERT_GT(ShownBrightPixels(panel), 0);
              ClickPreviewSwitch(panel);
              EXPECT_EQ(requesterPreviewOn, 0);
              EXPECT_EQ(requesterBitmap.hasImage, 0);
              EXPECT_EQ(ShownBrightPixels(panel), 0) << "blank at once";
              EXPECT_EQ(IsDlgButtonChecked(panel, IDC_REQUESTER_PREVIEW_ON), BST_UNCHECKED);
          },
          [](HWND dialog) {
              SelectInFileList(dialog, "rings.lnz");
              EXPECT_EQ(requesterBitmap.hasImage, 0) << "no picture while the switch is off";
              CancelFileDialog(dialog);
          }},
         path);

    EXPECT_EQ(Open({[](HWND dialog) {
                        HWND panel = Panel(dialog);
                        EXPECT_EQ(IsDlgButtonChecked(panel, IDC_REQUESTER_PREVIEW_ON),
                                  BST_UNCHECKED)
                            << "the switch is kept between openings";
                        SelectInFileList(dialog, "glow.lnz");
                        EXPECT_EQ(requesterBitmap.hasImage, 0);
                        ClickPreviewSwitch(panel);
                        EXPECT_EQ(requesterBitmap.hasImage, 1) << "on renders the selection";
                        EXPECT_GT(ShownBrightPixels(panel), 0);
                        CancelFileDialog(dialog);
                    }},
                   path),
              0);
    EXPECT_EQ(requesterPreviewOn, 1);
}

TEST_F(Requester, NamesWithoutTheExtensionAreToldAndShowNoPicture)
{
    char path[FILE_NAME_SIZE] = "";
    int16_t chosen = Open(
        {[](HWND dialog) {
             SelectInFileList(dialog, "glow.lnz");
             // A name typed into the field, announced the way older dialogs
             // announce a selection.
             SetDlgItemTextA(dialog, cmb13, "notes.txt");
             SendMessageA(Panel(dialog), RegisterWindowMessageA("commdlg_LBSelChangedNotify"),
                          0, 0);
             EXPECT_EQ(requesterBitmap.hasImage, 0);
             ChooseFile(dialog, "notes.txt");
         }},
        path);
    EXPECT_EQ(chosen, 0);
    ASSERT_EQ(watcher_.boxes().size(), 2u);
    std::string notes = working_ + "\\lensfx\\notes.txt";
    EXPECT_EQ(watcher_.boxes()[0].caption, "Filename Error");
    EXPECT_STRCASEEQ(watcher_.boxes()[0].text.c_str(),
                     ("The selected filename '" + notes +
                      "' does not end in the .lnz file extension (lens effect file).")
                         .c_str());
    EXPECT_EQ(watcher_.boxes()[1].caption, "Filename Error");
    EXPECT_EQ(watcher_.boxes()[1].text,
              "The filename does not have the file extensions of .lnz (lens effect file).");
}

// The requester's hook with every host allocation failing while its panel
// is set up, so that its picture cannot be made.
UINT_PTR CALLBACK StarvedHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        QiHost_Fail_Allocations(0, 1000);
    UINT_PTR result = EffectRequesterHook(dialog, message, wParam, lParam);
    if (message == WM_INITDIALOG)
        QiHost_Fail_Allocations(0, 0);
    return result;
}

TEST_F(Requester, APictureThatCouldNotBeMadeStaysBlank)
{
    watcher_.OnDialog([](HWND dialog) {
        RunDialogScript(dialog, {[](HWND dialog) {
            EXPECT_EQ(requesterBitmap.valid, 0);
            SelectInFileList(dialog, "glow.lnz");
            EXPECT_EQ(requesterBitmap.hasImage, 0);
            EXPECT_EQ(ShownBrightPixels(Panel(dialog)), 0);
            CancelFileDialog(dialog);
        }});
    });
    char name[FILE_NAME_SIZE] = "";
    char filter[] = "Lens Flare Libraries (*.lnz)|*.lnz|";
    EXPECT_EQ(ShowFileDialog(nullptr, 1, "lensfx", filter, "Starved", name,
                             OFN_EXPLORER | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK, StarvedHook,
                             "LensFlareFileRequestor", GetModuleHandleA(nullptr)),
              0);
}

}  // namespace
