// The host core's foundations: memory, the error channel and file names.
// (Tokens and the environment serve every other test.)
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/core/qi_host.h"
#include "tests/support/host_channel.h"

namespace {

// Blocks are zero-filled and counted; impossible sizes and injected
// failures give null.
TEST(Memory, BlocksAreZeroFilledAndCountedAndImpossibleOnesNull)
{
    int64_t before = QiHost_Live_Blocks();
    auto *a = static_cast<unsigned char *>(Qi_Alloc_Memory(0, 1, 100));
    auto *b = static_cast<unsigned char *>(Qi_Alloc_Memory(1, 0, 1));
    void *empty = Qi_Alloc_Memory(0, 1, 0);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_NE(empty, nullptr);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(a[i], 0) << i;
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 16, 0u);
    EXPECT_EQ(QiHost_Live_Blocks(), before + 3);
    Qi_Free_Memory(a);
    Qi_Free_Memory(b);
    Qi_Free_Memory(empty);
    Qi_Free_Memory(nullptr);
    EXPECT_EQ(QiHost_Live_Blocks(), before);

    EXPECT_EQ(Qi_Alloc_Memory(0, 1, SIZE_MAX), nullptr);
    EXPECT_EQ(Qi_Alloc_Memory(0, 1, SIZE_MAX - 8), nullptr);

    QiHost_Fail_Allocations(1, 2);
    void *first = Qi_Alloc_Memory(0, 1, 8);
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(Qi_Alloc_Memory(0, 1, 8), nullptr);
    EXPECT_EQ(Qi_Alloc_Memory(0, 1, 8), nullptr);
    void *after = Qi_Alloc_Memory(0, 1, 8);
    EXPECT_NE(after, nullptr);
    Qi_Free_Memory(first);
    Qi_Free_Memory(after);
    QiHost_Fail_Allocations(0, 0);
}

// Reports are kept in order, the latest ones only, and fed to the sink.
TEST(ErrorChannel, KeepsTheLatestReportsInOrderAndFeedsTheSink)
{
    ClearHostReports();
    static std::string seen;
    seen.clear();
    QiHost_Set_Error_Sink(
        [](int32_t level, const char *name, const char *origin, const char *detail, void *ctx) {
            seen += std::to_string(level) + name + origin + detail + static_cast<const char *>(ctx);
        },
        const_cast<char *>(";"));
    Qi_Report_Error(4, "ERR_A", "here()", "one");
    Qi_Report_Error(2, "ERR_B", nullptr, nullptr);
    QiHost_Set_Error_Sink(nullptr, nullptr);

    std::vector<HostReport> expected = {{4, "ERR_A", "here()", "one"}, {2, "ERR_B", "", ""}};
    EXPECT_EQ(HostReports(), expected);
    EXPECT_EQ(seen, "4ERR_Ahere()one;2ERR_B;");

    char name[4];
    int32_t level = 0;
    EXPECT_EQ(QiHost_Error_At(0, &level, name, sizeof name, nullptr, 0, nullptr, 0), 1);
    EXPECT_STREQ(name, "ERR");
    EXPECT_EQ(QiHost_Error_At(2, nullptr, nullptr, 0, nullptr, 0, nullptr, 0), 0);
    EXPECT_EQ(QiHost_Error_At(-1, nullptr, nullptr, 0, nullptr, 0, nullptr, 0), 0);

    ClearHostReports();
    for (int i = 0; i < QIHOST_ERROR_LOG_SIZE + 10; ++i)
        Qi_Report_Error(1, "ERR_N", "loop()", std::to_string(i).c_str());
    std::vector<HostReport> reports = HostReports();
    ASSERT_EQ(reports.size(), size_t(QIHOST_ERROR_LOG_SIZE));
    EXPECT_EQ(reports.front().detail, "10");
    EXPECT_EQ(reports.back().detail, std::to_string(QIHOST_ERROR_LOG_SIZE + 9));
    ClearHostReports();
    EXPECT_EQ(QiHost_Error_Count(), 0);
}

TEST(FileNames, ExtensionTestIsCaseInsensitiveAndWholeSuffix)
{
    EXPECT_NE(Qi_Check_For_File_Extension("stars.lnz", ".lnz"), 0);
    EXPECT_NE(Qi_Check_For_File_Extension("D:\\FX\\STARS.LNZ", ".lnz"), 0);
    EXPECT_EQ(Qi_Check_For_File_Extension("stars.lnz.txt", ".lnz"), 0);
    EXPECT_EQ(Qi_Check_For_File_Extension("nz", ".lnz"), 0);
    EXPECT_EQ(Qi_Check_For_File_Extension("", ".lnz"), 0);
    EXPECT_EQ(Qi_Check_For_File_Extension(nullptr, ".lnz"), 0);
    EXPECT_EQ(Qi_Check_For_File_Extension("a.lnz", ""), 0);
}

struct ExtensionCase {
    const char *source, *extension, *expected;
};

// The extension is appended or replaced in the file part, also in place,
// and a name too long for the path is cut without an overflow.
TEST(FileNames, ExtensionIsAppendedOrReplacedInTheFilePartAndNeverOverflows)
{
    const ExtensionCase cases[] = {
        {"D:\\fx\\stars", ".lnz", "D:\\fx\\stars.lnz"},
        {"D:\\fx\\stars.lnz", ".lnz", "D:\\fx\\stars.lnz"},
        {"D:\\fx\\stars.LNZ", ".lnz", "D:\\fx\\stars.LNZ"},
        {"D:\\FX\\STARS.LNZ", ".bak", "D:\\FX\\STARS.BAK"},
        {"d:\\fx\\stars.lnz", ".bak", "d:\\fx\\stars.bak"},
        {"C:\\my.dir\\sunset", ".grd", "C:\\my.dir\\sunset.grd"},
        {"maps/sunset.cmp", ".grd", "maps/sunset.grd"},
        {"", ".lnz", ".lnz"},
        {"stars", "lnz", "stars.lnz"},
    };
    for (const ExtensionCase &c : cases) {
        char out[QI_PATH_MAX];
        std::memset(out, 0x5A, sizeof out);
        Qi_Check_File_Extension(c.source, out, c.extension);
        EXPECT_STREQ(out, c.expected) << c.source;
    }

    char path[QI_PATH_MAX] = "lensfx\\sun";
    Qi_Check_File_Extension(path, path, ".lnz");
    EXPECT_STREQ(path, "lensfx\\sun.lnz");

    ClearHostReports();
    std::string longName(QI_PATH_MAX + 50, 'x');
    char guarded[QI_PATH_MAX + 16];
    std::memset(guarded, 0x5A, sizeof guarded);
    Qi_Check_File_Extension(longName.c_str(), guarded, ".lnz");
    EXPECT_EQ(std::strlen(guarded), size_t(QI_PATH_MAX - 1));
    EXPECT_NE(Qi_Check_For_File_Extension(guarded, ".lnz"), 0);
    for (size_t i = QI_PATH_MAX; i < sizeof guarded; ++i)
        ASSERT_EQ(guarded[i], 0x5A) << i;
    EXPECT_EQ(TakeReportNames(), std::vector<std::string>{"ERR_PATH_TOO_LONG"});
}

}  // namespace
