#include "gradient/gradient_presets.h"

#include "resources/gradient_ids.h"

namespace {

struct PresetPivot {
    uint32_t colour;  // 0x00BBGGRR
    int32_t position;
};

struct Preset {
    int32_t command;
    int32_t count;
    PresetPivot pivots[7];
};

const Preset kPresets[] = {
    {IDM_PRESET_WHITE, 1, {{0xFFFFFF, 0}}},
    {IDM_PRESET_WHITE_TO_BLACK, 2, {{0xFFFFFF, 0}, {0x000000, 99}}},
    {IDM_PRESET_REFLEX, 3, {{0xFF8000, 0}, {0xFF8000, 94}, {0x000000, 99}}},
    {IDM_PRESET_RING, 7,
     {{0x800080, 0}, {0xBF005F, 16}, {0xFF0000, 32}, {0x00FF00, 49}, {0x00FFFF, 65},
      {0x0080FF, 81}, {0x0000FF, 99}}},
    {IDM_PRESET_BLUE, 1, {{0xFF6666, 0}}},
};

}  // namespace

int16_t ApplyGradientPreset(GradientPivots *table, int32_t command, QiToken linear)
{
    for (const Preset &preset : kPresets) {
        if (preset.command != command)
            continue;
        for (int32_t i = 0; i < preset.count; ++i) {
            table->colour[i] = preset.pivots[i].colour;
            table->position[i] = preset.pivots[i].position;
        }
        table->count = preset.count;
        table->interpolation = linear;
        return 1;
    }
    return 0;
}
