#include "gradient/gradient_pivots.h"

#include <cmath>
#include <cstring>

namespace {

const uint32_t kWhite = 0xFFFFFF;
const uint32_t kMidGrey = 0x808080;

// Entries in use, whatever an owner wrote into count.
int32_t UsedEntries(const GradientPivots *table)
{
    if (table->count < 0)
        return 0;
    return table->count > GRADIENT_CAPACITY ? GRADIENT_CAPACITY : table->count;
}

int32_t ClampPosition(int32_t position)
{
    if (position < 0)
        return 0;
    return position > GRADIENT_LAST_POSITION ? GRADIENT_LAST_POSITION : position;
}

uint32_t Channel(uint32_t colour, int shift)
{
    return (colour >> shift) & 0xFF;
}

uint32_t ByteOf(float component)
{
    if (!(component > 0.0f))
        return 0;
    if (component >= 1.0f)
        return 255;
    return static_cast<uint32_t>(component * 255.0) & 0xFF;
}

// Entries from..count-1 one place up (colour and position), making room at `from`.
void OpenGap(GradientPivots *table, int32_t from, int32_t count)
{
    size_t moved = size_t(count - from);
    std::memmove(&table->colour[from + 1], &table->colour[from], moved * sizeof table->colour[0]);
    std::memmove(&table->position[from + 1], &table->position[from],
                 moved * sizeof table->position[0]);
}

// The defects of the host's offsets, whatever the table made of them.
uint16_t OffsetDefects(int32_t count, const float *offsets)
{
    uint16_t defects = 0;
    if (!(offsets[0] >= 0.0f && PositionFromOffset(offsets[0]) == 0))
        defects |= PIVOTS_FIRST_MOVED;
    const float last = offsets[count - 1];
    if (count >= 2 && !(last <= 1.0f && PositionFromOffset(last) == GRADIENT_LAST_POSITION))
        defects |= PIVOTS_LAST_MOVED;
    float previous = NAN;
    for (int32_t i = 0; i < count; ++i) {
        if (std::isnan(offsets[i])) {
            defects |= PIVOTS_NOT_A_NUMBER;
            continue;
        }
        if (offsets[i] < previous)
            defects |= PIVOTS_DECREASING;
        previous = offsets[i];
    }
    return defects;
}

}  // namespace

void InitGradientPivots(GradientPivots *table, QiToken interpolation)
{
    std::memset(table->selected, 0, sizeof table->selected);
    table->selected[0] = 1;
    table->count = 1;
    table->colour[0] = kWhite;
    table->position[0] = 0;
    table->interpolation = interpolation;
}

int32_t InsertPivot(GradientPivots *table, int32_t position, uint32_t colour)
{
    int32_t count = UsedEntries(table);
    if (count >= GRADIENT_EDIT_LIMIT)
        return -1;
    position = ClampPosition(position);
    int32_t k = 0;
    if (position == GRADIENT_LAST_POSITION) {
        k = count;
    } else if (position > 0) {
        // Only the pivots in use: a table from a file need not end at 99.
        k = count < 1 ? count : 1;
        while (k < count && table->position[k] < position)
            ++k;
    }
    OpenGap(table, k, count);
    table->colour[k] = colour;
    table->position[k] = position;
    table->count = count + 1;
    return k;
}

void DeletePivot(GradientPivots *table, int32_t i)
{
    int32_t count = UsedEntries(table);
    if (count <= 1 || i <= 1 || i > count)
        return;
    if (i == count) {
        // The right end goes only with the last segment; it is never left elsewhere than 99.
        if (count == 2)
            table->count = 1;
        return;
    }
    size_t moved = size_t(count - i);
    std::memmove(&table->colour[i - 1], &table->colour[i], moved * sizeof table->colour[0]);
    std::memmove(&table->position[i - 1], &table->position[i], moved * sizeof table->position[0]);
    table->count = count - 1;
}

int16_t MovePivot(GradientPivots *table, int32_t i, int32_t position)
{
    int32_t count = UsedEntries(table);
    if (i <= 1 || i >= count)
        return 0;
    int32_t k = i - 1;
    if (position <= table->position[k - 1] || position >= table->position[k + 1])
        return 0;
    int16_t changed = table->position[k] != position;
    table->position[k] = position;
    return changed;
}

void SetPivotColour(GradientPivots *table, int32_t i, uint32_t colour)
{
    if (i >= 1 && i <= UsedEntries(table))
        table->colour[i - 1] = colour;
}

void SelectPivot(GradientPivots *table, int32_t i)
{
    std::memset(table->selected, 0, sizeof table->selected);
    if (i >= 1 && i <= UsedEntries(table))
        table->selected[i - 1] = 1;
}

int32_t PivotAtPosition(const GradientPivots *table, int32_t position)
{
    int32_t count = UsedEntries(table);
    for (int32_t i = 0; i < count; ++i)
        if (table->position[i] == position)
            return i + 1;
    return 0;
}

int32_t SelectedPivot(const GradientPivots *table)
{
    int32_t count = UsedEntries(table);
    for (int32_t i = 0; i < count; ++i)
        if (table->selected[i])
            return i + 1;
    return 0;
}

int32_t WidestGapMiddle(const GradientPivots *table)
{
    int32_t count = UsedEntries(table);
    if (count == 1)
        return (table->position[0] + GRADIENT_LAST_POSITION) / 2;
    int32_t from = 0, widest = 0;
    for (int32_t k = 1; k < count; ++k) {
        int32_t gap = table->position[k] - table->position[k - 1];
        if (gap > widest) {
            widest = gap;
            from = table->position[k - 1];
        }
    }
    return widest >= 2 ? from + widest / 2 : -1;
}

uint32_t NewPivotColour(const GradientPivots *table, int32_t position)
{
    int32_t count = UsedEntries(table);
    for (int32_t k = 1; k < count; ++k) {
        int32_t lo = table->position[k - 1];
        int32_t hi = table->position[k];
        if (!(lo < position && position < hi))
            continue;
        // The "+ 1" keeps the new colour a little short of the right pivot's share.
        float t = float(position - lo) / float(hi - lo + 1);
        float s = float(1.0 - double(t));
        uint32_t mixed = 0;
        for (int shift = 0; shift <= 16; shift += 8) {
            float left = float(Channel(table->colour[k - 1], shift));
            float right = float(Channel(table->colour[k], shift));
            mixed |= (uint32_t(int32_t(left * s + right * t)) & 0xFF) << shift;
        }
        return mixed;
    }
    return kMidGrey;
}

uint32_t IntensityOf(uint32_t colour)
{
    return (71 * Channel(colour, 0) + 150 * Channel(colour, 8) + 28 * Channel(colour, 16)) >> 8;
}

uint32_t GreyOf(uint32_t colour)
{
    uint32_t grey = IntensityOf(colour);
    return grey | grey << 8 | grey << 16;
}

float OffsetFromPosition(int32_t position)
{
    return float(double(ClampPosition(position)) / 99.0);
}

int32_t PositionFromOffset(float offset)
{
    if (!(offset > 0.0f))
        return 0;
    if (offset >= 1.0f)
        return GRADIENT_LAST_POSITION;
    // Rounding, not truncation: position / 99 as a float may lie just below
    // the true quotient, and truncating would lower the position by one.
    return int32_t(std::lround(double(offset) * 99.0));
}

uint32_t ColourFromComponents(const float rgb[3])
{
    return ByteOf(rgb[0]) | ByteOf(rgb[1]) << 8 | ByteOf(rgb[2]) << 16;
}

void ComponentsFromColour(uint32_t colour, float rgb[3])
{
    for (int c = 0; c < 3; ++c)
        rgb[c] = float(double(Channel(colour, 8 * c)) / 255.0);
}

uint16_t PivotsFromHost(GradientPivots *table, int32_t count, const float *colours,
                        const float *offsets)
{
    std::memset(table->selected, 0, sizeof table->selected);
    table->selected[0] = 1;
    if (count < 1 || !colours || !offsets) {
        table->count = 1;
        table->colour[0] = kWhite;
        table->position[0] = 0;
        return 0;
    }
    int32_t kept = 0;
    for (int32_t i = 0; i < count; ++i) {
        if (std::isnan(offsets[i]))
            continue;
        int32_t position = PositionFromOffset(offsets[i]);
        if (kept > 0 && position <= table->position[kept - 1]) {
            // Merged into the pivot before, except the last entry: its colour
            // ends the gradient, beside the first pivot when all fell on one.
            if (i < count - 1 || position < table->position[kept - 1])
                continue;
            if (kept >= 2) {
                table->colour[kept - 1] = ColourFromComponents(&colours[3 * i]);
                continue;
            }
        }
        // Kept positions strictly increase within 0..99: the table never fills up.
        if (kept < GRADIENT_CAPACITY) {
            table->colour[kept] = ColourFromComponents(&colours[3 * i]);
            table->position[kept++] = position;
        }
    }
    if (kept == 0)
        table->colour[kept++] = ColourFromComponents(colours);
    table->count = kept;
    table->position[0] = 0;
    if (kept >= 2)
        table->position[kept - 1] = GRADIENT_LAST_POSITION;
    return OffsetDefects(count, offsets);
}

bool SamePivots(const GradientPivots *a, const GradientPivots *b)
{
    int32_t count = UsedEntries(a);
    if (count != UsedEntries(b))
        return false;
    for (int32_t i = 0; i < count; ++i)
        if (a->colour[i] != b->colour[i] || a->position[i] != b->position[i])
            return false;
    return true;
}

void PivotsToHost(const GradientPivots *table, float *colours, float *offsets)
{
    int32_t count = UsedEntries(table);
    for (int32_t i = 0; i < count; ++i) {
        ComponentsFromColour(table->colour[i], &colours[3 * i]);
        offsets[i] = OffsetFromPosition(table->position[i]);
    }
}
