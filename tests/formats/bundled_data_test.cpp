// The libraries and gradients the host ships load without a report.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "host/core/flare_library.h"
#include "host/core/qi_host.h"
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

TEST(BundledData, EveryPresetLoadsWithoutAReport)
{
    const std::vector<std::string> presets = BundledFiles("lensfx", {".lnz"});
    EXPECT_GE(presets.size(), 8u);
    for (const std::string &path : presets) {
        SCOPED_TRACE(path);
        ClearHostReports();
        Flare flare;
        EXPECT_EQ(LoadFlareLibrary(flare, path.c_str()), 0);
        EXPECT_EQ(HostReports().size(), 0u);
        EXPECT_FALSE(flare.elements.empty());
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
