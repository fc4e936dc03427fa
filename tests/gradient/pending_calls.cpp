// A stand-in for the colour selector until its branch lands: the selector
// is always cancelled.
#include "colour/colour_selector.h"

int16_t OpenColourSelector(HWND, const char *, float[3])
{
    return 0;
}
