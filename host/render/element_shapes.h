// Turns one element of a flare into primitives of the plan.
#ifndef HOST_RENDER_ELEMENT_SHAPES_H
#define HOST_RENDER_ELEMENT_SHAPES_H

#include "host/core/flare_model.h"
#include "host/render/plan_builder.h"

namespace qi {
namespace render {

// Adds the element's shapes; an element of a type the renderer does not know
// adds nothing.
void AddElementShapes(const Element &element, const FlareFrame &frame, PlanBuilder &builder);

}  // namespace render
}  // namespace qi

#endif
