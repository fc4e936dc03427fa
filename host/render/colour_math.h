// Small colour and shaping helpers shared by the element builders.
#ifndef HOST_RENDER_COLOUR_MATH_H
#define HOST_RENDER_COLOUR_MATH_H

#include <vector>

#include "host/core/flare_model.h"

namespace qi {
namespace render {

struct Rgb {
    float r = 0, g = 0, b = 0;
};

inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }

// The gradient's colour at offset (0..1), linear between stops; white for an
// empty gradient.
Rgb GradientAt(const std::vector<GradientStop> &stops, float offset);

// 0 below edge0, 1 above edge1, a smooth cubic between.
float Smoothstep(float edge0, float edge1, float x);

// x limited to lo..hi; NaN becomes lo.
float Clamp(float x, float lo, float hi);

}  // namespace render
}  // namespace qi

#endif
