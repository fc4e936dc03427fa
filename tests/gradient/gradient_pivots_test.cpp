// The pivot table at the edges where its operations go wrong: both ends,
// the pivot limit, refused deletes and moves, the mixing divisor, and the
// conversions to and from the host's arrays, which must keep a gradient's
// span. The fuzz target holds random host arrays and edits to the invariants:
// ends kept, offsets rising over 0..1, round trips that change nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "gradient/gradient_pivots.h"

namespace {

using Pivot = std::pair<uint32_t, int32_t>;  // colour, position

// A table of the pivots; unused entries hold positions of 0, which a search
// past the pivots in use would take for pivots.
GradientPivots Table(const std::vector<Pivot> &pivots)
{
    GradientPivots table;
    std::memset(&table, 0, sizeof table);
    for (const Pivot &pivot : pivots) {
        table.colour[table.count] = pivot.first;
        table.position[table.count++] = pivot.second;
    }
    return table;
}

std::vector<Pivot> Pivots(const GradientPivots &table)
{
    std::vector<Pivot> pivots;
    for (int i = 0; i < table.count; ++i)
        pivots.push_back({table.colour[i], table.position[i]});
    return pivots;
}

std::vector<int> Selected(const GradientPivots &table)
{
    std::vector<int> entries;
    for (int i = 0; i < GRADIENT_CAPACITY; ++i)
        if (table.selected[i])
            entries.push_back(i);
    return entries;
}

// count pivots at 0, 1, 2, ... and the last at 99.
GradientPivots Ramp(int32_t count)
{
    std::vector<Pivot> pivots;
    for (int i = 0; i < count; ++i)
        pivots.push_back({uint32_t(i), i == count - 1 ? 99 : i});
    return Table(pivots);
}

TEST(GradientPivots, InsertGoesBeforeEqualsAfterTheEndAndStopsAtNinetyNine)
{
    GradientPivots table = Table({{1, 0}, {2, 40}, {3, 99}});
    table.selected[1] = 1;
    EXPECT_EQ(InsertPivot(&table, 0, 10), 0);
    EXPECT_EQ(InsertPivot(&table, 99, 11), 4);
    EXPECT_EQ(InsertPivot(&table, 40, 12), 2);
    EXPECT_EQ(Pivots(table),
              (std::vector<Pivot>{{10, 0}, {1, 0}, {12, 40}, {2, 40}, {3, 99}, {11, 99}}));
    EXPECT_EQ(Selected(table), std::vector<int>{1}) << "flags do not move";

    // A table from a file whose last pivot is not at 99: appended.
    GradientPivots open = Table({{1, 0}, {2, 50}});
    EXPECT_EQ(InsertPivot(&open, 70, 3), 2);
    EXPECT_EQ(Pivots(open), (std::vector<Pivot>{{1, 0}, {2, 50}, {3, 70}}));

    GradientPivots full = Ramp(98);
    EXPECT_EQ(InsertPivot(&full, 50, 7), 50);
    const GradientPivots before = full;
    EXPECT_EQ(InsertPivot(&full, 60, 7), -1);
    EXPECT_EQ(std::memcmp(&full, &before, sizeof full), 0);
}

TEST(GradientPivots, DeleteKeepsTheFirstPivotAndTheRightEndOfLongerGradients)
{
    GradientPivots table = Table({{1, 0}, {2, 30}, {3, 60}, {4, 99}});
    table.selected[2] = 1;
    for (int refused : {1, 4, 0, 5})
        DeletePivot(&table, refused);
    EXPECT_EQ(table.count, 4);
    DeletePivot(&table, 2);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{1, 0}, {3, 60}, {4, 99}}));
    EXPECT_EQ(Selected(table), std::vector<int>{2}) << "flags do not move";
    DeletePivot(&table, 2);
    DeletePivot(&table, 2);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{1, 0}})) << "the last of two goes";
}

TEST(GradientPivots, MovesStayStrictlyBetweenTheNeighboursAndSelectionSetsOneFlag)
{
    GradientPivots table = Table({{1, 0}, {2, 40}, {3, 60}, {4, 99}});
    const std::vector<std::pair<int, int>> refused = {{3, 40}, {3, 99}, {1, 5}, {4, 98}, {3, 60}};
    for (auto [pivot, position] : refused)
        EXPECT_EQ(MovePivot(&table, pivot, position), 0) << pivot << " to " << position;
    EXPECT_EQ(MovePivot(&table, 3, 98), 1);
    EXPECT_EQ(MovePivot(&table, 2, 1), 1);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{1, 0}, {2, 1}, {3, 98}, {4, 99}}));

    table.selected[0] = table.selected[99] = 1;
    SelectPivot(&table, 2);
    EXPECT_EQ(Selected(table), std::vector<int>{1}) << "every other flag is cleared";
    SelectPivot(&table, 5);
    EXPECT_EQ(Selected(table), std::vector<int>{}) << "beyond the pivots in use";
    GradientPivots hundred = Ramp(100);
    SelectPivot(&hundred, 100);
    EXPECT_EQ(Selected(hundred), std::vector<int>{99});
}

TEST(GradientPivots, NewColourDividesByTheSegmentPlusOneAndGreysWeighGreenMost)
{
    GradientPivots table = Table({{0x000000, 0}, {0xFFFFFF, 99}});
    EXPECT_EQ(NewPivotColour(&table, 50), 0x7F7F7Fu);
    EXPECT_EQ(NewPivotColour(&table, 98), 0xF9F9F9u);
    EXPECT_EQ(NewPivotColour(&table, 0), 0x808080u) << "on a pivot: mid grey";
    table = Table({{0x0000FF, 0}, {0xFF0000, 50}, {0x00FF00, 99}});
    EXPECT_EQ(NewPivotColour(&table, 75), 0x7F7F00u);

    EXPECT_EQ(IntensityOf(0xFFFFFF), 248u);
    EXPECT_EQ(IntensityOf(0x0000FF), 70u);
    EXPECT_EQ(IntensityOf(0x00FF00), 149u);
    EXPECT_EQ(GreyOf(0xFF0000), 0x1B1B1Bu);
}

// Host entries with the defects a careless host may give, each named in the
// result; the table keeps the whole span in rising positions all the same.
TEST(GradientConversions, HostDefectsAreNamedAndTheTableSpansZeroToNinetyNine)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    GradientPivots table = Ramp(60);
    table.selected[30] = 1;
    EXPECT_EQ(PivotsFromHost(&table, 0, nullptr, nullptr), 0);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{0xFFFFFF, 0}}));
    EXPECT_EQ(Selected(table), std::vector<int>{0});

    using Kept = std::pair<int, int32_t>;  // host entry, position
    struct Row {
        const char *name;
        std::vector<float> offsets;
        std::vector<Kept> kept;
        uint16_t defects;
    };
    const Row rows[] = {
        {"0.505 merged into 0.5", {0.0f, 0.5f, 0.505f, 1.0f}, {{0, 0}, {1, 50}, {3, 99}}, 0},
        {"the last colour ends", {0.0f, 0.996f, 1.0f}, {{0, 0}, {2, 99}}, 0},
        {"ends inside", {0.1f, 0.9f}, {{0, 0}, {1, 99}}, PIVOTS_FIRST_MOVED | PIVOTS_LAST_MOVED},
        {"all on 0", {0.0f, 0.0f}, {{0, 0}, {1, 99}}, PIVOTS_LAST_MOVED},
        {"decreasing", {0.0f, 0.6f, 0.4f, 1.0f}, {{0, 0}, {1, 59}, {3, 99}}, PIVOTS_DECREASING},
        {"not a number", {0.0f, nan, 1.0f}, {{0, 0}, {2, 99}}, PIVOTS_NOT_A_NUMBER},
        {"only not a number", {nan}, {{0, 0}}, PIVOTS_FIRST_MOVED | PIVOTS_NOT_A_NUMBER},
        {"wild",
         {-0.5f, 0.05f, nan, 1e30f, 0.9f},
         {{0, 0}, {1, 5}, {3, 99}},
         PIVOTS_FIRST_MOVED | PIVOTS_LAST_MOVED | PIVOTS_DECREASING | PIVOTS_NOT_A_NUMBER},
    };
    for (const Row &row : rows) {
        const int32_t count = int32_t(row.offsets.size());
        std::vector<float> colours;
        for (int i = 0; i < count; ++i)
            colours.insert(colours.end(), {float(i) / 8.0f, 1.5f, nan});
        std::vector<Pivot> expected;
        for (auto [entry, position] : row.kept)
            expected.push_back({ColourFromComponents(&colours[3 * size_t(entry)]), position});
        EXPECT_EQ(PivotsFromHost(&table, count, colours.data(), row.offsets.data()), row.defects)
            << row.name;
        EXPECT_EQ(Pivots(table), expected) << row.name;
    }
}

}  // namespace
