#include "controls/dpi_scale.h"

#include <cstdint>

int ScalePixels(int value, int dpi)
{
    if (dpi <= 0)
        dpi = kDefaultDpi;
    int64_t scaled = int64_t(value) * dpi;
    int64_t half = kDefaultDpi / 2;
    return int(scaled >= 0 ? (scaled + half) / kDefaultDpi : -((-scaled + half) / kDefaultDpi));
}
