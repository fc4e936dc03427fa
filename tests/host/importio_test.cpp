// The host dialog library on real dialog controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "host/api/qi_importio.h"
#include "host/core/qi_host.h"

namespace {

TEST(ImportIOStrings, CopiesAreTheHostsAndReplaceEachOther)
{
    int64_t before = QiHost_Live_Blocks();
    char *text = nullptr;
    std::string source = "lensfx\\stars.lnz";
    Import_IO_Copy_String(&text, source.c_str());
    ASSERT_NE(text, nullptr);
    EXPECT_NE(text, source.c_str());
    EXPECT_STREQ(text, "lensfx\\stars.lnz");
    EXPECT_EQ(QiHost_Live_Blocks(), before + 1);

    Import_IO_Copy_String(&text, "other");
    EXPECT_STREQ(text, "other");
    EXPECT_EQ(QiHost_Live_Blocks(), before + 1) << "the previous copy is freed";

    Import_IO_Copy_String(&text, text);  // copying a text onto itself keeps it
    EXPECT_STREQ(text, "other");
    EXPECT_EQ(QiHost_Live_Blocks(), before + 1);

    QiHost_Fail_Allocations(0, 1);
    Import_IO_Copy_String(&text, "lost");
    QiHost_Fail_Allocations(0, 0);
    EXPECT_STREQ(text, "other") << "a failed copy keeps the previous text";

    Import_IO_Copy_String(&text, nullptr);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(QiHost_Live_Blocks(), before);
    Import_IO_Copy_String(nullptr, "ignored");
}

TEST(ImportIOWindows, CentringKeepsTheWindowOverItsParentAndOnTheScreen)
{
    RECT area;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    HWND parent = CreateWindowExA(0, "STATIC", "p", WS_POPUP | WS_VISIBLE, area.left + 100,
                                  area.top + 100, 400, 300, nullptr, nullptr, nullptr, nullptr);
    HWND window = CreateWindowExA(0, "STATIC", "w", WS_POPUP, 0, 0, 200, 100, parent, nullptr,
                                  nullptr, nullptr);
    RECT r;
    Import_IO_Center_Window(parent, window);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, area.left + 200);
    EXPECT_EQ(r.top, area.top + 200);
    EXPECT_EQ(r.right - r.left, 200);

    // A parent near the top-left corner: the window stays on the work area.
    SetWindowPos(parent, nullptr, area.left - 300, area.top - 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Import_IO_Center_Window(parent, window);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, area.left);
    EXPECT_EQ(r.top, area.top);

    // Without a parent the window is centred on the work area.
    Import_IO_Center_Window(nullptr, window);
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, (area.left + area.right - 200) / 2);
    EXPECT_EQ(r.top, (area.top + area.bottom - 100) / 2);
    DestroyWindow(window);
    DestroyWindow(parent);
}

}  // namespace
