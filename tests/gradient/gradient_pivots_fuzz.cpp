// Fuzz target of the pivot table. The input is read as a table filled from
// host arrays (any count, any float bits; one without defects keeps its
// first and last colour), then as a sequence of the edits the gradient
// control makes, with a round trip through the host's arrays among them.
// After every step the table must keep its invariants; the table sits alone
// in its heap block, so the sanitizers catch any access past its 100
// entries. A broken rule aborts.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "gradient/gradient_pivots.h"

namespace {

const QiToken kLinear = 0x1234;

[[noreturn]] void Broken(const char *rule)
{
    std::fprintf(stderr, "a rule of the fuzz target is broken: %s\n", rule);
    std::abort();
}

class Input {
public:
    Input(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    bool Empty() const { return at_ >= size_; }
    uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    int32_t Int(int32_t low, int32_t high)
    {
        uint32_t span = uint32_t(high - low) + 1;
        return low + int32_t((uint32_t(Byte()) << 8 | Byte()) % span);
    }
    float Float()
    {
        uint32_t bits = 0;
        for (int i = 0; i < 4; ++i)
            bits = bits << 8 | Byte();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    const uint8_t *data_;
    size_t size_;
    size_t at_ = 0;
};

// strict: positions strictly increase (a table just filled from arrays).
void Check(const GradientPivots &table, int32_t maxCount, bool strict)
{
    if (table.count < 1 || table.count > maxCount)
        Broken("the pivot count leaves its range");
    if (table.position[0] != 0)
        Broken("the first pivot is not at 0");
    if (table.count >= 2 && table.position[table.count - 1] != 99)
        Broken("the last of two or more pivots is not at 99");
    for (int32_t i = 1; i < table.count; ++i) {
        if (table.position[i] < table.position[i - 1])
            Broken("positions decrease");
        if (strict && table.position[i] == table.position[i - 1])
            Broken("positions from arrays repeat");
    }
    int selected = 0;
    for (uint8_t flag : table.selected)
        selected += flag != 0;
    if (selected > 1)
        Broken("more than one pivot is selected");
}

// The control's add gesture: a one-pivot gradient first gains its right end.
void AddAsTheControlDoes(GradientPivots *table, int32_t position, uint32_t colour)
{
    if (table->count >= GRADIENT_EDIT_LIMIT)
        return;
    if (table->count == 1)
        InsertPivot(table, GRADIENT_LAST_POSITION, colour);
    if (InsertPivot(table, position, colour) < 0)
        Broken("an add below the limit was refused");
}

void RoundTrip(GradientPivots *table)
{
    std::vector<float> colours(3 * size_t(table->count));
    std::vector<float> offsets(size_t(table->count));
    PivotsToHost(table, colours.data(), offsets.data());
    for (float offset : offsets)
        if (!(offset >= 0.0f && offset <= 1.0f))
            Broken("an offset leaves 0..1");
    GradientPivots before = *table;
    bool strict = true;
    for (int32_t i = 1; i < table->count; ++i)
        strict = strict && table->position[i] > table->position[i - 1];
    if (PivotsFromHost(table, table->count, colours.data(), offsets.data()) != 0)
        Broken("a table of the editor needed corrections");
    Check(*table, GRADIENT_CAPACITY, true);
    if (strict && (table->count != before.count ||
                   std::memcmp(table->position, before.position, sizeof before.position) != 0 ||
                   std::memcmp(table->colour, before.colour, 4 * size_t(before.count)) != 0))
        Broken("a round trip changed the table");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input in(data, size);
    auto table = std::make_unique<GradientPivots>();
    std::memset(table.get(), 0xA5, sizeof *table);
    InitGradientPivots(table.get(), kLinear);

    const int32_t hostCount = in.Int(-2, 300);
    std::vector<float> colours(3 * size_t(hostCount > 0 ? hostCount : 0));
    std::vector<float> offsets(size_t(hostCount > 0 ? hostCount : 0));
    for (size_t i = 0; i < offsets.size(); ++i) {
        offsets[i] = (in.Byte() & 1) ? in.Float() : float(in.Byte()) / 255.0f;
        for (int c = 0; c < 3; ++c)
            colours[3 * i + size_t(c)] = in.Float();
    }
    uint16_t corrected = PivotsFromHost(table.get(), hostCount, colours.data(), offsets.data());
    if (corrected &
        ~(PIVOTS_FIRST_MOVED | PIVOTS_LAST_MOVED | PIVOTS_DECREASING | PIVOTS_NOT_A_NUMBER))
        Broken("unknown defect flags");
    Check(*table, GRADIENT_CAPACITY, true);
    if (!corrected && hostCount > 0 &&
        (table->colour[0] != ColourFromComponents(colours.data()) ||
         table->colour[table->count - 1] !=
             ColourFromComponents(&colours[3 * size_t(hostCount - 1)])))
        Broken("a well-formed gradient lost its first or last colour");
    if (table->selected[0] != 1)
        Broken("a filled table does not select its first pivot");
    // Edits never make more than 99 pivots; only a table from arrays holds 100.
    const int32_t limit =
        table->count > GRADIENT_EDIT_LIMIT ? GRADIENT_CAPACITY : GRADIENT_EDIT_LIMIT;

    while (!in.Empty()) {
        const uint8_t operation = in.Byte() % 7;
        const int32_t i = in.Int(-1, 101);
        const int32_t position = in.Int(-5, 104);
        const uint32_t colour = uint32_t(in.Int(0, 0xFFFF)) << 8 | in.Byte();
        switch (operation) {
        case 0:
            AddAsTheControlDoes(table.get(), position < 0 ? 0 : position > 99 ? 99 : position,
                                colour);
            break;
        case 1:
            DeletePivot(table.get(), i);
            break;
        case 2:
            MovePivot(table.get(), i, position);
            break;
        case 3:
            SetPivotColour(table.get(), i, colour);
            break;
        case 4:
            SelectPivot(table.get(), i);
            break;
        case 5:
            if (NewPivotColour(table.get(), position) > 0xFFFFFF)
                Broken("a proposed colour has a top byte");
            break;
        case 6:
            RoundTrip(table.get());
            break;
        }
        Check(*table, limit, false);
    }
    return 0;
}
