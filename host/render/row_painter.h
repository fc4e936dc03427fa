// Adds a plan's primitives into one row of samples. Every sample's sum is
// formed in the plan's drawing order, whichever thread paints the row.
#ifndef HOST_RENDER_ROW_PAINTER_H
#define HOST_RENDER_ROW_PAINTER_H

#include "host/render/flare_plan.h"

namespace qi {
namespace render {

// A row of samples: sample i lies at x = x0 + i * step of row y.
struct RowTarget {
    float *red, *green, *blue;
    const float *mask;  // plane 4 at sample 0 (null: open everywhere)
    int maskStep;       // plane 4 values between two samples
    int count;
    float x0, step, y;
    int touchedLow, touchedHigh;  // samples written: [low, high), widened by each span
};

void PaintRow(const Plan &plan, RowTarget &row);

}  // namespace render
}  // namespace qi

#endif
