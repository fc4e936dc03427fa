// The built-in gradients of the gradient menu.
#ifndef GRADIENT_GRADIENT_PRESETS_H
#define GRADIENT_GRADIENT_PRESETS_H

#include <cstdint>

#include "gradient/gradient_pivots.h"

// Replaces the table's pivots by the preset of menu command `command`
// (IDM_PRESET_WHITE .. IDM_PRESET_BLUE) and its interpolation by `linear`;
// the selection flags stay as they are. Returns 0, changing nothing, for
// any other command.
int16_t ApplyGradientPreset(GradientPivots *table, int32_t command, QiToken linear);

#endif
