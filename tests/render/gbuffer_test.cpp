// Render buffers: their layout, their limits and their memory.
#include <gtest/gtest.h>

#include <cstdint>

#include "host/core/qi_host.h"
#include "tests/support/host_channel.h"

namespace {

TEST(GBuffer, PlanesAreSeparateZeroFilledAndWhollyWritable)
{
    for (auto [w, h] : {std::pair{218, 161}, {1, 1}, {7, 3}}) {
        QiGBuffer *b = Qi_Alloc_Global_GBuffer(w, h, h, 0);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->width, w);
        EXPECT_EQ(b->height, h);
        size_t n = size_t(w) * size_t(h);
        for (float *plane : {b->red, b->green, b->blue, b->plane4}) {
            ASSERT_NE(plane, nullptr);
            EXPECT_EQ(reinterpret_cast<uintptr_t>(plane) % 16, 0u);
            for (size_t i = 0; i < n; ++i)
                ASSERT_EQ(plane[i], 0.0f) << i;
        }
        for (size_t i = 0; i < n; ++i)
            b->red[i] = 1, b->green[i] = 2, b->blue[i] = 3, b->plane4[i] = 4;
        for (size_t i = 0; i < n; ++i)
            ASSERT_TRUE(b->red[i] == 1 && b->green[i] == 2 && b->blue[i] == 3 && b->plane4[i] == 4);
        Qi_Free_Global_GBuffer(b);
    }
}

// Refused sizes and failed allocations give no buffer.
TEST(GBuffer, ComesFromHostMemoryAndGoesBack)
{
    int64_t before = QiHost_Live_Blocks();
    QiGBuffer *b = Qi_Alloc_Global_GBuffer(32, 24, 24, 0);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(QiHost_Live_Blocks(), before + 1);
    Qi_Free_Global_GBuffer(b);
    EXPECT_EQ(QiHost_Live_Blocks(), before);
    Qi_Free_Global_GBuffer(nullptr);

    QiHost_Fail_Allocations(0, 1);
    EXPECT_EQ(Qi_Alloc_Global_GBuffer(32, 24, 24, 0), nullptr);
    QiHost_Fail_Allocations(0, 0);
    for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {-1, 5}, {5, -1}, {40000, 1}, {1, 40000},
                        {20000, 20000}, {INT32_MAX, INT32_MAX}})
        EXPECT_EQ(Qi_Alloc_Global_GBuffer(w, h, h, 0), nullptr) << w << "x" << h;

    ClearHostReports();
    QiGBuffer foreign{};
    Qi_Free_Global_GBuffer(&foreign);
    EXPECT_EQ(TakeReportNames(), std::vector<std::string>{"ERR_BAD_GBUFFER"});
    EXPECT_EQ(QiHost_Live_Blocks(), before);
}

}  // namespace
