// Library files on disk: every malformed file is refused with a named,
// located report and leaves the flare exactly as it was; saved files load
// back, and writes that fail leave no file.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

#include "host/core/flare_library.h"
#include "host/core/qi_host.h"
#include "tests/formats/flare_digest.h"
#include "tests/support/scratch_files.h"
#include "tests/support/host_channel.h"

namespace qi {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const char kHeader[] = "quorix-lensflare 1.0\n";
const char kGlobals[] = "globals\n    intensity 1.5\n    color 1 0.5 0.25\nend\n";
const char kGlow[] = "element glow\n    radius 0.5\n    colors gradient 2\n        0 1 1 1\n"
                     "        1 0 0 0\nend\n";
const char kStreak[] = "element anamorph\n    profile data 4\n        00ff10ab\nend\n";

std::string Good()
{
    return std::string(kHeader) + kGlobals + "elements 2\n" + kGlow + kStreak;
}

// A good file with `from` replaced by `to` once.
std::string GoodWith(const std::string &from, const std::string &to)
{
    std::string text = Good();
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

struct Malformed {
    const char *name;
    std::string text;
    const char *error;  // the report's name after "ERR_FILE_"
    int line;           // where the report points, 0 for the file as a whole
};

std::vector<Malformed> MalformedLibraries()
{
    const std::string good = Good();
    const std::string head = std::string(kHeader) + kGlobals;
    // (Which words are numbers is the number tests' part.)
    return {
        {"empty", "", "TRUNCATED", 0},
        {"only comments", "# nothing here\n\n   \n", "TRUNCATED", 0},
        {"another format's name", "quorix-gradient 1.0\n" + good.substr(21), "NOT_THIS_FORMAT", 1},
        {"a newer major version", GoodWith("1.0", "2.0"), "VERSION", 1},
        {"a version without minor", GoodWith("1.0", "1"), "SYNTAX", 1},
        {"truncated after the header", kHeader, "TRUNCATED", 1},
        {"truncated in the globals", good.substr(0, good.find("end")), "TRUNCATED", 4},
        {"truncated before the element count", head, "TRUNCATED", 5},
        {"truncated in an element", good.substr(0, good.find("element anamorph") - 4), "TRUNCATED",
         11},
        {"truncated in a gradient", good.substr(0, good.find("        1 0 0 0")), "TRUNCATED", 10},
        {"truncated in a data block", good.substr(0, good.find("        00ff10ab")), "TRUNCATED",
         14},
        {"more elements counted than given", GoodWith("elements 2", "elements 3"), "TRUNCATED", 16},
        {"more gradient entries counted than given", GoodWith("gradient 2", "gradient 3"), "SYNTAX",
         12},
        {"more data counted than given", GoodWith("data 4", "data 5"), "SYNTAX", 16},
        {"more data given than counted", GoodWith("data 4", "data 3"), "SYNTAX", 15},
        {"more elements given than counted", GoodWith("elements 2", "elements 1"), "SYNTAX", 13},
        {"an unknown element type", GoodWith("element glow", "element sparkle"), "UNKNOWN_TYPE", 7},
        {"a word where a number belongs", GoodWith("radius 0.5", "radius half"), "SYNTAX", 8},
        {"a parameter above its limit", GoodWith("radius 0.5", "radius 25"), "VALUE_RANGE", 8},
        {"a global below its limit", GoodWith("intensity 1.5", "intensity -1"), "VALUE_RANGE", 3},
        {"a colour component above 1", GoodWith("color 1 0.5", "color 1.01 0.5"), "VALUE_RANGE", 4},
        {"a colour with two components", GoodWith("color 1 0.5 0.25", "color 1 0.5"), "SYNTAX", 4},
        {"a seed beyond 32 bits", GoodWith("intensity 1.5", "randomseed 4294967296"), "VALUE_RANGE",
         3},
        {"decreasing gradient offsets",
         GoodWith("        0 1 1 1", "        0.5 1 1 1\n        0.25 1 1 1"), "VALUE_RANGE", 11},
        {"a gradient colour above 1", GoodWith("        1 0 0 0", "        1 0 2 0"), "VALUE_RANGE",
         11},
        {"a gradient larger than a parameter holds", GoodWith("gradient 2", "gradient 1025"),
         "TOO_LARGE", 9},
        {"odd hexadecimal digits", GoodWith("00ff10ab", "00ff10a"), "SYNTAX", 15},
        {"letters that are no hexadecimal digits", GoodWith("00ff10ab", "00ffzzab"), "SYNTAX", 15},
        {"a switch that is neither on nor off", GoodWith("radius 0.5", "enabled yes"), "SYNTAX", 8},
        {"a key given twice", GoodWith("radius 0.5", "radius 0.5\n    radius 0.6"), "SYNTAX", 9},
        {"a missing end before the next element",
         GoodWith("        1 0 0 0\nend\n", "        1 0 0 0\n"), "SYNTAX", 12},
        {"a negative element count", GoodWith("elements 2", "elements -2"), "SYNTAX", 6},
        {"an element count beyond the limit", GoodWith("elements 2", "elements 5000"), "TOO_LARGE",
         6},
        {"an over-long line", GoodWith("radius 0.5", "radius 0.5 #" + std::string(1100, 'x')),
         "TOO_LARGE", 8},
        {"an over-long type name", GoodWith("element glow", "element " + std::string(65, 'g')),
         "TOO_LARGE", 7},
        {"an over-long key", GoodWith("radius 0.5", std::string(65, 'r') + " 0.5"), "TOO_LARGE", 8},
        {"a zero byte", GoodWith("radius 0.5", std::string("radius 0.5\0", 11)), "SYNTAX", 8},
    };
}

class LibraryFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearHostReports();
        MakeDefaultFlare(flare_);
    }

    Flare flare_;
};

TEST_F(LibraryFiles, MalformedFilesAreRefusedAndChangeNothing)
{
    const std::string before = FlareDigest(flare_, true);
    int index = 0;
    for (const Malformed &m : MalformedLibraries()) {
        SCOPED_TRACE(m.name);
        const std::string path = ScratchPath("malformed" + std::to_string(++index) + ".lnz");
        WriteFile(path, m.text);
        EXPECT_NE(LoadFlareLibrary(flare_, path.c_str()), 0);
        EXPECT_EQ(FlareDigest(flare_, true), before);
        const std::vector<HostReport> reports = TakeHostReports();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].name, std::string("ERR_FILE_") + m.error) << reports[0].detail;
        EXPECT_EQ(reports[0].level, 3);
        const std::string where = m.line ? path + ":" + std::to_string(m.line) + ": " : path + ": ";
        EXPECT_THAT(reports[0].detail, StartsWith(where));
    }
}

TEST_F(LibraryFiles, SavedFilesLoadBackAndWriteFailuresAreReported)
{
    const std::string path = ScratchPath("saved.lnz");
    flare_.globals.angle = 12.5f;
    flare_.elements[2]->enabled = false;
    ASSERT_EQ(SaveFlareLibrary(flare_, path.c_str()), 0);
    Flare loaded;
    ASSERT_EQ(LoadFlareLibrary(loaded, path.c_str()), 0);
    EXPECT_EQ(FlareDigest(loaded, false), FlareDigest(flare_, false));

    EXPECT_NE(SaveFlareLibrary(flare_, (ScratchPath("no-such-folder") + "/x.lnz").c_str()), 0);
    EXPECT_NE(SaveFlareLibrary(flare_, ""), 0);
    EXPECT_NE(LoadFlareLibrary(loaded, ScratchPath("missing.lnz").c_str()), 0);
    EXPECT_THAT(TakeReportNames(),
                ElementsAre("ERR_FILE_WRITE", "ERR_FILE_WRITE", "ERR_FILE_OPEN"));
    EXPECT_EQ(FlareDigest(loaded, false), FlareDigest(flare_, false));
}

#ifndef _WIN32
TEST_F(LibraryFiles, AWriteThatFailsHalfWayLeavesNoFileBehind)
{
    // A file size limit of 64 bytes makes the write fail part of the way.
    const std::string path = ScratchPath("half.lnz");
    struct sigaction ignore = {}, old = {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &old);
    rlimit saved, limit;
    getrlimit(RLIMIT_FSIZE, &saved);
    limit = saved;
    limit.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &limit);
    const int32_t status = SaveFlareLibrary(flare_, path.c_str());
    setrlimit(RLIMIT_FSIZE, &saved);
    sigaction(SIGXFSZ, &old, nullptr);
    EXPECT_EQ(status, -1);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_THAT(TakeReportNames(), ElementsAre("ERR_FILE_WRITE"));
}
#endif

TEST_F(LibraryFiles, UnknownKeysAreReportedAsWarningsAndTheFileLoads)
{
    const std::string path = ScratchPath("newer.lnz");
    std::string keys;
    for (int i = 0; i < 12; ++i)
        keys += "    future" + std::to_string(i) + " 1\n";
    WriteFile(path, GoodWith("    intensity 1.5\n", "    intensity 1.5\n" + keys));
    ASSERT_EQ(LoadFlareLibrary(flare_, path.c_str()), 0);
    const std::vector<HostReport> reports = HostReports();
    ASSERT_EQ(reports.size(), 9u) << "eight reports and a count of the rest";
    for (const HostReport &report : reports) {
        EXPECT_EQ(report.name, "ERR_FILE_UNKNOWN_KEY");
        EXPECT_EQ(report.level, 2);
    }
    EXPECT_THAT(reports[0].detail, HasSubstr(":4: unknown global value \"future0\""));
    EXPECT_THAT(reports[8].detail, HasSubstr("4 more"));
    EXPECT_EQ(flare_.elements.size(), 2u);
}

}  // namespace
}  // namespace qi
