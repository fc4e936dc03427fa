// The host's render switches (set through qi_host.h).
#ifndef HOST_RENDER_RENDER_SETTINGS_H
#define HOST_RENDER_RENDER_SETTINGS_H

#include <cstdint>

namespace qi {
namespace render {

// Threads a render of that many pixels uses, the calling thread included:
// 1 .. kMaxRenderThreads. Unless the host set a count, small pictures take
// one: waking a helper under Wine costs more than it saves there.
constexpr int kMaxRenderThreads = 16;
int RenderThreads(int64_t pixels);
// Extra milliseconds each render lasts (tests only; normally 0).
int RenderDelayMilliseconds();

}  // namespace render
}  // namespace qi

#endif
