// The host's stand-in for a rendered scene, painted into a render buffer
// before the flare is drawn over it: a plain dark backdrop and a slab that
// stands in front of it on the picture's bottom edge. The slab covers what
// lies behind it, the light included: plane 4 is 0 there and 1 elsewhere,
// so that the flare's occlusion and fading settings act on it.
#ifndef HOST_APP_SCENE_PICTURE_H
#define HOST_APP_SCENE_PICTURE_H

#include <cstdint>

#include "host/api/qi_core.h"

// Pixels from the top-left corner; right and bottom are not included.
struct SceneRect {
    int32_t left, top, right, bottom;
};

// Where the slab stands in a picture of that size: from 58 % to 80 % of the
// width, from 40 % of the height down to the bottom edge.
SceneRect SceneObjectRect(int32_t width, int32_t height);

// Linear red, green, blue of the backdrop and of the slab.
extern const float kSceneBackdrop[3];
extern const float kSceneObject[3];

// Fills the buffer's colour planes with the scene and plane 4 with its
// visibility.
void PaintScene(QiGBuffer &buffer);

#endif
