#include "host/app/scene_picture.h"

#include <algorithm>

const float kSceneBackdrop[3] = {0.020f, 0.024f, 0.040f};
const float kSceneObject[3] = {0.090f, 0.082f, 0.075f};

SceneRect SceneObjectRect(int32_t width, int32_t height)
{
    return {int32_t(int64_t(width) * 58 / 100), int32_t(int64_t(height) * 40 / 100),
            int32_t(int64_t(width) * 80 / 100), height};
}

namespace {

// One plane's row: the value of the backdrop, the slab's between left and right.
void FillRow(float *row, int32_t width, int32_t left, int32_t right, float backdrop, float slab)
{
    std::fill(row, row + left, backdrop);
    std::fill(row + left, row + right, slab);
    std::fill(row + right, row + width, backdrop);
}

}  // namespace

void PaintScene(QiGBuffer &buffer)
{
    const int32_t w = buffer.width, h = buffer.height;
    const SceneRect slab = SceneObjectRect(w, h);
    float *planes[] = {buffer.red, buffer.green, buffer.blue};
    for (int32_t y = 0; y < h; ++y) {
        // Plane rows count upwards from the bottom row.
        const size_t at = size_t(h - 1 - y) * size_t(w);
        const bool crossesSlab = y >= slab.top && y < slab.bottom;
        const int32_t left = crossesSlab ? slab.left : w, right = crossesSlab ? slab.right : w;
        for (int c = 0; c < 3; ++c)
            FillRow(planes[c] + at, w, left, right, kSceneBackdrop[c], kSceneObject[c]);
        FillRow(buffer.plane4 + at, w, left, right, 1.0f, 0.0f);
    }
}
