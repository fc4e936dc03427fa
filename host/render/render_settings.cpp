#include "host/render/render_settings.h"

#include <atomic>
#include <thread>

#include "host/core/qi_host.h"

namespace {

std::atomic<int> threadsWanted{0};
std::atomic<int> delayMilliseconds{0};

}  // namespace

extern "C" void QiHost_Set_Render_Threads(int32_t count)
{
    threadsWanted =
        count < 0 ? 0
                  : (count > qi::render::kMaxRenderThreads ? qi::render::kMaxRenderThreads : count);
}

extern "C" void QiHost_Set_Render_Delay(int32_t milliseconds)
{
    delayMilliseconds = milliseconds < 0 ? 0 : (milliseconds > 60000 ? 60000 : milliseconds);
}

namespace qi {
namespace render {

int RenderThreads(int64_t pixels)
{
    constexpr int64_t kSmallPicture = 400 * 400;
    int wanted = threadsWanted;
    if (wanted > 0)
        return wanted;
    if (pixels < kSmallPicture)
        return 1;
    unsigned processors = std::thread::hardware_concurrency();
    return processors == 0
               ? 1
               : (processors > unsigned(kMaxRenderThreads) ? kMaxRenderThreads : int(processors));
}

int RenderDelayMilliseconds() { return delayMilliseconds; }

}  // namespace render
}  // namespace qi
