// The libraries and gradients the host ships load without a report, and
// every library draws a flare.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host/core/flare_library.h"
#include "host/core/qi_host.h"
#include "tests/render/flare_picture.h"
#include "tests/support/host_channel.h"

namespace qi {
namespace {

// The files of a folder of the bundled data whose names end in one of the
// extensions, sorted.
std::vector<std::string> BundledFiles(const char *folder, std::vector<std::string> extensions)
{
    std::vector<std::string> files;
    for (const auto &entry : std::filesystem::directory_iterator(std::string(LF_DATA_DIR) + "/" +
                                                                 folder))
        if (std::find(extensions.begin(), extensions.end(), entry.path().extension().string()) !=
            extensions.end())
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(BundledData, EveryPresetLoadsAndRenders)
{
    const std::vector<std::string> presets = BundledFiles("lensfx", {".lnz"});
    EXPECT_GE(presets.size(), 8u);
    TestLight light;
    RenderSetup small;  // the light a quarter in from the top left
    small.width = 96, small.height = 64, small.lightX = 24, small.lightY = 48;
    std::vector<double> totals;
    for (const std::string &path : presets) {
        SCOPED_TRACE(path);
        ClearHostReports();
        EXPECT_EQ(LoadFlareLibrary(light.object().flare, path.c_str()), 0);
        EXPECT_FALSE(light.object().flare.elements.empty());
        const Picture picture = Render(light, small);
        ASSERT_TRUE(picture.Finite());
        EXPECT_GT(picture.Brightest(), 0.8f) << "the light itself shows";
        EXPECT_GT(picture.Total(), 10.0) << "the flare reaches beyond the light";
        EXPECT_EQ(HostReports().size(), 0u);
        for (double other : totals)
            EXPECT_NE(picture.Total(), other) << "every preset looks different";
        totals.push_back(picture.Total());
    }
}

TEST(BundledData, EveryGradientLoadsWithoutAReport)
{
    const std::vector<std::string> gradients = BundledFiles("colormap", {".grd", ".cmp"});
    EXPECT_GE(gradients.size(), 6u);
    EXPECT_GE(BundledFiles("colormap", {".cmp"}).size(), 1u);
    for (const std::string &path : gradients) {
        SCOPED_TRACE(path);
        ClearHostReports();
        int32_t count = 0;
        float *offsets = nullptr, *colours = nullptr;
        EXPECT_EQ(Qi_Load_Gradient_Colormap(path.c_str(), &count, &offsets, &colours, nullptr,
                                            nullptr),
                  0);
        EXPECT_GE(count, 2);
        Qi_Free_Memory(offsets);
        Qi_Free_Memory(colours);
        EXPECT_EQ(HostReports().size(), 0u);
    }
}

}  // namespace
}  // namespace qi
