// How much of the scene lets the light through, read from plane 4 of the
// buffer before a render. Plane 4 holds the visibility of the scene at each
// pixel: 1 open, 0 covered by an object, values between partly covered.
#ifndef HOST_RENDER_VISIBILITY_H
#define HOST_RENDER_VISIBILITY_H

#include <cstdint>

namespace qi {
namespace render {

struct Visibility {
    float atLight = 1.0f;    // mean over the occlusion radius
    float nearLight = 1.0f;  // over four occlusion radii, nearer samples weighing more
};

// Samples plane 4 (width x height, row 0 at the bottom; null counts as open)
// around the light at (lightX, lightY) within radius pixels. Samples outside
// the buffer count as open; a radius under one pixel reads the light's pixel.
Visibility SampleVisibility(const float *plane4, int32_t width, int32_t height, double lightX,
                            double lightY, double radius);

}  // namespace render
}  // namespace qi

#endif
