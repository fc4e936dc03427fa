// Paints a plan into a render buffer's colour planes. Rows go in chunks to
// the calling thread and the pool's helpers; each pixel is painted by one
// thread in the plan's order, so the planes come out byte-identical whatever
// the number of threads.
#ifndef HOST_RENDER_BUFFER_PAINTER_H
#define HOST_RENDER_BUFFER_PAINTER_H

#include <functional>

#include "host/api/qi_core.h"
#include "host/render/flare_plan.h"

namespace qi {
namespace render {

// progress(fraction of rows done) is called on the calling thread only,
// after each chunk the calling thread finishes.
void PaintPlan(const Plan &plan, QiGBuffer &buffer, int threads,
               const std::function<void(float)> &progress);

}  // namespace render
}  // namespace qi

#endif
