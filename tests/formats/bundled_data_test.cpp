// The libraries and gradients the host ships load without a report, and
// every library draws a flare.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
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

struct FreeBuffer {
    void operator()(QiGBuffer *buffer) const { Qi_Free_Global_GBuffer(buffer); }
};

// Total and brightest luminance of the object's flare drawn into a small
// buffer with the light a quarter in from the top left; false when a pixel
// is not finite.
bool RenderSmall(QiToken kind, const char *name, double &total, float &brightest)
{
    const int32_t w = 96, h = 64;
    std::unique_ptr<QiGBuffer, FreeBuffer> buffer(Qi_Alloc_Global_GBuffer(w, h, h, 0));
    if (!buffer)
        return false;
    for (int32_t i = 0; i < w * h; ++i)
        buffer->plane4[i] = 1.0f;
    Qi_LensFlareApplyToGBuffer(buffer.get(), kind, name, w / 4, h - h / 4, nullptr);
    total = 0;
    brightest = 0;
    for (int32_t i = 0; i < w * h; ++i) {
        const float y = 0.3f * buffer->red[i] + 0.59f * buffer->green[i] + 0.11f * buffer->blue[i];
        if (!std::isfinite(y))
            return false;
        total += y;
        brightest = std::max(brightest, y);
    }
    return true;
}

TEST(BundledData, EveryPresetLoadsAndRenders)
{
    const std::vector<std::string> presets = BundledFiles("lensfx", {".lnz"});
    EXPECT_GE(presets.size(), 8u);
    const QiToken light = Qi_Inquire_Token("light");
    HostObject *object = CreateObject(light, "BundledPreset");
    ASSERT_NE(object, nullptr);
    std::vector<double> totals;
    for (const std::string &path : presets) {
        SCOPED_TRACE(path);
        ClearHostReports();
        EXPECT_EQ(LoadFlareLibrary(object->flare, path.c_str()), 0);
        EXPECT_EQ(HostReports().size(), 0u);
        EXPECT_FALSE(object->flare.elements.empty());
        double total = 0;
        float brightest = 0;
        ASSERT_TRUE(RenderSmall(light, "BundledPreset", total, brightest));
        EXPECT_GT(brightest, 0.8f) << "the light itself shows";
        EXPECT_GT(total, 10.0) << "the flare reaches beyond the light";
        EXPECT_EQ(HostReports().size(), 0u);
        for (double other : totals)
            EXPECT_NE(total, other) << "every preset looks different";
        totals.push_back(total);
    }
    RemoveObject(light, "BundledPreset");
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
