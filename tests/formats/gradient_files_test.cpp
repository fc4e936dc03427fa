// Gradient files through Qi_Save_Gradient_Colormap and
// Qi_Load_Gradient_Colormap: what is saved loads back exactly, colour maps
// become evenly spaced gradients, and every malformed file is refused with
// its result code, a report and the caller's variables untouched.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "host/core/qi_host.h"
#include "tests/support/scratch_files.h"
#include "tests/support/host_channel.h"
#include "tests/support/token.h"

namespace {

using ::testing::ElementsAre;

// The outputs of one load; they start at values a load must not leave
// half-changed.
struct Load {
    float dummy = 0;
    int32_t count = -7;
    float *offsets = &dummy, *colours = &dummy, *third = &dummy;
    QiToken interpolation = 12345;
    int16_t result;

    explicit Load(const std::string &path)
    {
        result = Qi_Load_Gradient_Colormap(path.c_str(), &count, &offsets, &colours, &third,
                                           &interpolation);
    }
    ~Load()
    {
        if (result == 0) {
            Qi_Free_Memory(offsets);
            Qi_Free_Memory(colours);
            Qi_Free_Memory(third);
        }
    }
    bool Untouched() const
    {
        return count == -7 && offsets == &dummy && colours == &dummy && third == &dummy &&
               interpolation == 12345;
    }
};

class GradientFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearHostReports();
        blocks_ = QiHost_Live_Blocks();
    }
    void TearDown() override
    {
        EXPECT_THAT(TakeReportNames(), ElementsAre()) << "no report the test did not expect";
        EXPECT_EQ(QiHost_Live_Blocks(), blocks_) << "every block is released";
    }

    int64_t blocks_ = 0;
};

TEST_F(GradientFiles, SavedGradientsLoadBackExactly)
{
    std::mt19937 random(3);
    for (int32_t n : {1, 2, 7, 1000}) {
        SCOPED_TRACE(n);
        const size_t entries = size_t(n);
        std::vector<float> offsets(entries), colours(3 * entries), opacity(entries);
        for (int32_t i = 0; i < n; ++i)
            offsets[size_t(i)] = n == 1 ? 0.0f : float(i) / float(n - 1) * (i % 3 ? 1.0f : 0.999f);
        for (float &c : colours)
            c = std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
        for (float &o : opacity)
            o = std::uniform_real_distribution<float>(0.0f, 1.0f)(random);
        offsets.back() = n == 1 ? 0.0f : 1.0f;
        const std::string path = ScratchPath("saved" + std::to_string(n) + ".grd");
        ASSERT_EQ(Qi_Save_Gradient_Colormap(path.c_str(), n, offsets.data(), colours.data(),
                                            n == 7 ? nullptr : opacity.data(), T("cardinal")),
                  0);
        Load load(path);
        ASSERT_EQ(load.result, 0);
        ASSERT_EQ(load.count, n);
        EXPECT_EQ(load.interpolation, T("cardinal"));
        EXPECT_EQ(std::vector<float>(load.offsets, load.offsets + n), offsets);
        EXPECT_EQ(std::vector<float>(load.colours, load.colours + 3 * n), colours);
        EXPECT_EQ(std::vector<float>(load.third, load.third + n),
                  n == 7 ? std::vector<float>(7, 1.0f) : opacity)
            << "a gradient saved without opacities loads opaque";
    }
}

TEST_F(GradientFiles, ColourMapsBecomeAtMostAHundredEvenlySpacedEntries)
{
    std::string palette;
    for (int i = 0; i < 256; ++i)
        palette += std::to_string(i) + " " + std::to_string(255 - i) + " 7" +
                   (i % 2 ? "  shade\n" : "\n");
    const std::string big = ScratchPath("big.cmp");
    WriteFile(big, palette);
    Load load(big);
    ASSERT_EQ(load.result, 0);
    ASSERT_EQ(load.count, 100);
    EXPECT_EQ(load.interpolation, T("linear"));
    // Evenly spaced from the map's first colour to its last.
    for (int k = 0; k < 100; ++k) {
        const int line = int(std::lround(k * 255.0 / 99.0));
        EXPECT_EQ(load.offsets[k], float(k / 99.0)) << k;
        EXPECT_EQ(load.colours[3 * k], float(line) / 255.0f) << k;
        EXPECT_EQ(load.colours[3 * k + 1], float(255 - line) / 255.0f) << k;
        EXPECT_EQ(load.third[k], 1.0f);
    }

    const std::string small = ScratchPath("SMALL.CMP");
    WriteFile(small, "# three\r\n255 0 0\r\n0 255 0\r\n0 0 255\r\n");
    Load three(small);
    ASSERT_EQ(three.result, 0);
    ASSERT_EQ(three.count, 3);
    EXPECT_EQ(std::vector<float>(three.offsets, three.offsets + 3),
              (std::vector<float>{0.0f, 0.5f, 1.0f}));
    EXPECT_EQ(three.colours[4], 1.0f);

    const std::string single = ScratchPath("single.cmp");
    WriteFile(single, "10 20 30");
    Load one(single);
    ASSERT_EQ(one.result, 0);
    ASSERT_EQ(one.count, 1);
    EXPECT_EQ(one.offsets[0], 0.0f);
}

TEST_F(GradientFiles, RunningOutOfMemoryReleasesWhatWasTakenAndChangesNothing)
{
    const std::string path = ScratchPath("memory.grd");
    WriteFile(path, "quorix-gradient 1.0\nentries 1\n0 1 1 1\nend\n");
    for (int32_t skip = 0; skip < 3; ++skip) {
        QiHost_Fail_Allocations(skip, 1);
        Load load(path);
        QiHost_Fail_Allocations(0, 0);
        EXPECT_EQ(load.result, -3);
        EXPECT_TRUE(load.Untouched());
        EXPECT_EQ(QiHost_Live_Blocks(), blocks_);
        EXPECT_THAT(TakeReportNames(), ElementsAre("ERR_OUT_OF_MEMORY"));
    }
}

TEST_F(GradientFiles, SavingRefusesWhatIsNoGradientAndWritesNothing)
{
    const float offsets[] = {0.0f, 0.6f, 0.4f, 1.0f}, colours[12] = {};
    const float outside[] = {0.0f, 1.5f, 0.0f, 0.0f, 0.0f, 0.0f};
    const float ends[] = {0.0f, 0.5f}, whole[] = {0.0f, 1.0f};
    auto save = [](const std::string &path, int32_t n, const float *offsets,
                   const float *colours, const char *interpolation = "linear") {
        return Qi_Save_Gradient_Colormap(path.empty() ? nullptr : path.c_str(), n, offsets,
                                         colours, nullptr, T(interpolation));
    };
    const std::string path = ScratchPath("refused.grd");
    EXPECT_EQ(save(path, 0, offsets, colours), -2);
    EXPECT_EQ(save(path, 4, offsets, colours), -2);
    EXPECT_EQ(save(path, 2, ends, colours), -2);
    EXPECT_EQ(save(path, 2, whole, outside), -2);
    EXPECT_EQ(save(path, 1, offsets, colours, "cubic"), -2);
    EXPECT_EQ(save(path, 1, nullptr, colours), -2);
    EXPECT_EQ(ReadFile(path), "") << "nothing was written";
    EXPECT_THAT(TakeReportNames(), ElementsAre("ERR_GRADIENT_TOO_FEW", "ERR_BAD_GRADIENT",
                                               "ERR_BAD_GRADIENT", "ERR_BAD_GRADIENT",
                                               "ERR_BAD_GRADIENT", "ERR_BAD_GRADIENT"));
    EXPECT_EQ(save(ScratchPath("no-folder") + "/x.grd", 1, offsets, colours), -1);
    EXPECT_EQ(save("", 1, offsets, colours), -1) << "a null path";
    EXPECT_THAT(TakeReportNames(), ElementsAre("ERR_FILE_WRITE", "ERR_FILE_WRITE"));
}

struct Malformed {
    const char *name;
    std::string text;
    const char *error;  // the report's name after "ERR_FILE_"
};

const char kGrd[] = "quorix-gradient 1.0\ninterpolation linear\nentries 3\n"
                    "0 1 1 1\n0.5 1 0.5 0\n1 0 0 0\nend\n";

std::string GrdWith(const std::string &from, const std::string &to)
{
    std::string text = kGrd;
    return text.replace(text.find(from), from.size(), to);
}

std::vector<Malformed> MalformedGradients()
{
    const std::string grd = kGrd;
    return {
        {"an empty gradient", "", "TRUNCATED"},
        {"another format's name", GrdWith("-gradient", "-lensflare"), "NOT_THIS_FORMAT"},
        {"a newer major version", GrdWith("1.0", "3.1"), "VERSION"},
        {"truncated in the head", grd.substr(0, grd.find("entries")), "TRUNCATED"},
        {"truncated in the entries", grd.substr(0, grd.find("1 0 0 0")), "TRUNCATED"},
        {"truncated before the end", grd.substr(0, grd.find("end")), "TRUNCATED"},
        {"more entries counted than given", GrdWith("entries 3", "entries 4"), "SYNTAX"},
        {"more entries given than counted", GrdWith("entries 3", "entries 2"), "SYNTAX"},
        {"no entries", GrdWith("entries 3", "entries 0"), "VALUE_RANGE"},
        {"more entries than a file holds", GrdWith("entries 3", "entries 1025"), "TOO_LARGE"},
        {"decreasing offsets", GrdWith("1 0 0 0", "0.25 0 0 0"), "VALUE_RANGE"},
        {"a first offset above 0", GrdWith("0 1 1 1", "0.1 1 1 1"), "VALUE_RANGE"},
        {"a last offset below 1", GrdWith("1 0 0 0", "0.9 0 0 0"), "VALUE_RANGE"},
        {"a colour above 1", GrdWith("0.5 1 0.5 0", "0.5 1 1.5 0"), "VALUE_RANGE"},
        {"a word where a number belongs", GrdWith("0.5 1 0.5 0", "0.5 1 half 0"), "SYNTAX"},
        {"an entry of three numbers", GrdWith("0.5 1 0.5 0", "0.5 1 0.5"), "SYNTAX"},
        {"an unknown interpolation", GrdWith("linear", "cubic"), "VALUE_RANGE"},
        {"an over-long line", GrdWith("linear", "linear #" + std::string(1030, '-')), "TOO_LARGE"},
    };
}

std::vector<Malformed> MalformedColourMaps()
{
    std::string many;
    for (int i = 0; i < 257; ++i)
        many += "1 2 3\n";
    return {
        {"an empty colour map", "\n\n", "TRUNCATED"},
        {"a colour map of 257 colours", many, "TOO_LARGE"},
        {"a colour component of 256", "0 0 0\n255 256 0\n", "VALUE_RANGE"},
        {"a negative colour component", "0 -1 0\n", "VALUE_RANGE"},
        {"a fractional colour component", "0 0.5 0\n", "SYNTAX"},
        {"a colour of two components", "0 0 0\n12 34\n", "SYNTAX"},
        {"an over-long colour map line", "1 2 3 " + std::string(1100, 'x') + "\n", "TOO_LARGE"},
    };
}

TEST_F(GradientFiles, MalformedFilesAreRefusedAndTheOutputsStayAsTheyWere)
{
    int index = 0;
    auto expectRefused = [&](const std::string &path, int16_t result, const std::string &error) {
        Load load(path);
        EXPECT_EQ(load.result, result);
        EXPECT_TRUE(load.Untouched());
        const std::vector<HostReport> reports = TakeHostReports();
        ASSERT_EQ(reports.size(), 1u);
        EXPECT_EQ(reports[0].name, error) << reports[0].detail;
        EXPECT_THAT(reports[0].detail, ::testing::HasSubstr(path));
    };
    const std::pair<const char *, std::vector<Malformed>> tables[] = {
        {".grd", MalformedGradients()}, {".cmp", MalformedColourMaps()}};
    for (const auto &[extension, cases] : tables)
        for (const Malformed &m : cases) {
            SCOPED_TRACE(m.name);
            const std::string path = ScratchPath(std::to_string(++index) + extension);
            WriteFile(path, m.text);
            expectRefused(path, -2, std::string("ERR_FILE_") + m.error);
        }
    expectRefused(ScratchPath("missing.grd"), -1, "ERR_FILE_OPEN");
}

}  // namespace
