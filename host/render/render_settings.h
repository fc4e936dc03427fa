// The host's render switches (set through qi_host.h).
#ifndef HOST_RENDER_RENDER_SETTINGS_H
#define HOST_RENDER_RENDER_SETTINGS_H

namespace qi {
namespace render {

// Threads a render uses, the calling thread included: 1 .. kMaxRenderThreads.
constexpr int kMaxRenderThreads = 16;
int RenderThreads();
// Extra milliseconds each render lasts (tests only; normally 0).
int RenderDelayMilliseconds();

}  // namespace render
}  // namespace qi

#endif
