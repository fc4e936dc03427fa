// Render buffers: one host memory block holding the record and its four
// planes, each plane starting on a 64-byte boundary.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/core/call_trace.h"
#include "host/core/qi_host.h"

static_assert(offsetof(QiGBuffer, width) == 4 && offsetof(QiGBuffer, height) == 8 &&
                  offsetof(QiGBuffer, red) == 24 && offsetof(QiGBuffer, green) == 32 &&
                  offsetof(QiGBuffer, blue) == 40 && offsetof(QiGBuffer, plane4) == 56,
              "plug-ins rely on these offsets");

namespace {

constexpr int32_t kMarker = 0x42476951;  // "QiGB" in reserved0
constexpr int32_t kMaxSide = 32768;
constexpr int64_t kMaxPixels = int64_t(1) << 26;
constexpr size_t kHeaderBytes = 64;

size_t PlaneBytes(int64_t pixels) { return (size_t(pixels) * sizeof(float) + 63) & ~size_t(63); }

}  // namespace

extern "C" QiGBuffer *Qi_Alloc_Global_GBuffer(int32_t width, int32_t height, int32_t height2,
                                              int32_t flags)
{
    qi::TraceCall("Qi_Alloc_Global_GBuffer");
    static_assert(sizeof(QiGBuffer) <= kHeaderBytes, "record must fit its header");
    int32_t rows = height2 > height ? height2 : height;
    if (width <= 0 || height <= 0 || width > kMaxSide || rows > kMaxSide ||
        int64_t(width) * rows > kMaxPixels)
        return nullptr;
    size_t plane = PlaneBytes(int64_t(width) * rows);
    // Host blocks are 16-byte aligned; the spare bytes align the planes.
    auto *block =
        static_cast<unsigned char *>(Qi_Alloc_Memory(0, 1, kHeaderBytes + 48 + 4 * plane));
    if (!block)
        return nullptr;
    auto *buffer = reinterpret_cast<QiGBuffer *>(block);
    uintptr_t first = (reinterpret_cast<uintptr_t>(block) + kHeaderBytes + 63) & ~uintptr_t(63);
    auto *planes = reinterpret_cast<unsigned char *>(first);
    buffer->reserved0 = kMarker;
    buffer->width = width;
    buffer->height = height;
    buffer->height2 = rows;
    buffer->flags = flags;
    buffer->red = reinterpret_cast<float *>(planes);
    buffer->green = reinterpret_cast<float *>(planes + plane);
    buffer->blue = reinterpret_cast<float *>(planes + 2 * plane);
    buffer->plane4 = reinterpret_cast<float *>(planes + 3 * plane);
    return buffer;
}

extern "C" void Qi_Free_Global_GBuffer(QiGBuffer *buffer)
{
    if (!buffer)
        return;
    if (buffer->reserved0 != kMarker) {
        Qi_Report_Error(4, "ERR_BAD_GBUFFER", "Qi_Free_Global_GBuffer()",
                        "not a buffer of Qi_Alloc_Global_GBuffer");
        return;
    }
    buffer->reserved0 = 0;
    Qi_Free_Memory(buffer);
}
