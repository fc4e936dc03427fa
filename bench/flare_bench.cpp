// Times Qi_LensFlareApplyToGBuffer on the default flare at three picture
// sizes and prints the median of each, the time per pixel and how it grows.
//
//   flare_bench [--iterations N] [--smoke]
//
// --smoke runs each size once and judges nothing (for the test run). The
// figures that count come from the Windows build run under Wine
// (scripts/bench.sh).
#include <algorithm>
#include <utility>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

#include "host/core/qi_host.h"
#include "bench/bench_options.h"

namespace {

struct Size {
    int32_t width, height;
    double targetMs;  // 0: none
};

const Size kSizes[] = {{330, 250, 1.0}, {1920, 1080, 13.0}, {3840, 2160, 0.0}};

struct FreeBuffer {
    void operator()(QiGBuffer *buffer) const { Qi_Free_Global_GBuffer(buffer); }
};
using BufferOwner = std::unique_ptr<QiGBuffer, FreeBuffer>;

// Times of `iterations` renders of each buffer, taken in turns so that a
// busy moment of the machine falls on every size alike.
std::vector<std::vector<double>> TimeRenders(const std::vector<BufferOwner> &buffers,
                                             int iterations, int threads)
{
    QiHost_Set_Render_Threads(threads);
    QiToken light = Qi_Inquire_Token("light");
    std::vector<std::vector<double>> times(buffers.size());
    for (int i = -warmUps; i < iterations; ++i)
        for (size_t b = 0; b < buffers.size(); ++b) {
            QiGBuffer *buffer = buffers[b].get();
            int32_t x = buffer->width / 4, y = buffer->height - 1 - buffer->height / 3;
            auto start = std::chrono::steady_clock::now();
            Qi_LensFlareApplyToGBuffer(buffer, light, QIHOST_DEFAULT_LIGHT, x, y, nullptr);
            auto end = std::chrono::steady_clock::now();
            if (i >= 0)
                times[b].push_back(std::chrono::duration<double, std::milli>(end - start).count());
        }
    return times;
}

}  // namespace

int main(int argc, char **argv)
{
    int iterations = 41;
    bool smoke = false;
    if (!ReadBenchOptions(argc, argv, "flare_bench", iterations, smoke))
        return 2;
    QiHost_Create_Default_Scene();
    std::printf(
        "default flare, light a quarter from the left and a third from the top, "
        "median of %d renders\n",
        iterations);
    std::printf("%-11s %12s %12s %14s %10s\n", "size", "all threads", "1 thread", "ns/pixel",
                "ns/px rel.");
    std::vector<BufferOwner> buffers;
    for (const Size &size : kSizes) {
        BufferOwner buffer(Qi_Alloc_Global_GBuffer(size.width, size.height, size.height, 0));
        if (!buffer) {
            std::fprintf(stderr, "no buffer of %dx%d\n", size.width, size.height);
            return 1;
        }
        std::fill(buffer->plane4, buffer->plane4 + size_t(size.width) * size_t(size.height), 1.0f);
        buffers.push_back(std::move(buffer));
    }
    std::vector<std::vector<double>> all = TimeRenders(buffers, iterations, 0);
    std::vector<std::vector<double>> single =
        TimeRenders(buffers, smoke ? 1 : std::max(1, iterations / 2), 1);
    buffers.clear();

    bool met = true;
    double reference = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        const Size &size = kSizes[i];
        double shared = Median(all[i]), one = Median(single[i]);
        double perPixel = shared * 1e6 / (double(size.width) * size.height);
        if (size.width == 1920)
            reference = perPixel;
        char label[32];
        std::snprintf(label, sizeof label, "%dx%d", size.width, size.height);
        std::printf("%-11s %9.3f ms %9.3f ms %14.3f", label, shared, one, perPixel);
        if (reference > 0)
            std::printf(" %10.2f", perPixel / reference);
        if (size.targetMs > 0) {
            bool ok = shared <= size.targetMs;
            met &= ok;
            std::printf("   target %.0f ms: %s", size.targetMs, ok ? "met" : "MISSED");
        }
        if (size.width == 3840) {
            bool ok = perPixel <= reference * 1.05;
            met &= ok;
            std::printf("   per pixel vs 1920x1080: %s", ok ? "not growing" : "GROWING");
        }
        std::printf("\n");
    }
    QiHost_Set_Render_Threads(0);
    if (smoke)
        return 0;
    std::printf(met ? "all targets met\n" : "targets missed\n");
    return met ? 0 : 1;
}
