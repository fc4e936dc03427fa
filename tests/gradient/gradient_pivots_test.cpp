// The pivot table at the edges where its operations go wrong: both ends,
// the pivot limit, refused deletes and moves, the mixing divisor, and the
// conversions to and from the host's arrays, which must not drift.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

#include "gradient/gradient_pivots.h"

namespace {

const QiToken kLinear = 0x1234;
const float kNaN = std::numeric_limits<float>::quiet_NaN();

using Pivot = std::pair<uint32_t, int32_t>;  // colour, position

// A table of the given pivots, its unused entries and flags filled with a
// pattern that proves they are neither read as pivots nor written.
GradientPivots Table(std::initializer_list<Pivot> pivots)
{
    GradientPivots table;
    std::memset(&table, 0, sizeof table);
    for (int i = 0; i < GRADIENT_CAPACITY; ++i) {
        table.colour[i] = 0xCCCCCC;
        table.position[i] = 0;
    }
    for (const Pivot &pivot : pivots) {
        table.colour[table.count] = pivot.first;
        table.position[table.count] = pivot.second;
        ++table.count;
    }
    table.interpolation = kLinear;
    return table;
}

std::vector<Pivot> Pivots(const GradientPivots &table)
{
    std::vector<Pivot> pivots;
    for (int i = 0; i < table.count; ++i)
        pivots.push_back({table.colour[i], table.position[i]});
    return pivots;
}

std::vector<int> SelectedEntries(const GradientPivots &table)
{
    std::vector<int> entries;
    for (int i = 0; i < GRADIENT_CAPACITY; ++i)
        if (table.selected[i])
            entries.push_back(i);
    return entries;
}

GradientPivots Full(int32_t count)
{
    GradientPivots table = Table({});
    for (int i = 0; i < count; ++i) {
        table.colour[i] = uint32_t(i);
        table.position[i] = i == count - 1 ? 99 : i;
    }
    table.count = count;
    return table;
}

TEST(GradientPivots, NewTableIsOneSelectedWhitePivotAtTheLeftEnd)
{
    GradientPivots table = Full(50);
    table.selected[70] = 1;
    InitGradientPivots(&table, kLinear);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{0xFFFFFF, 0}}));
    EXPECT_EQ(SelectedEntries(table), std::vector<int>{0});
    EXPECT_EQ(table.interpolation, kLinear);
}

TEST(GradientPivots, InsertPlacesPivotsAtTheEndsBeforeEqualsAndAfterTheLastPivot)
{
    GradientPivots table = Table({{1, 0}, {2, 40}, {3, 99}});
    table.selected[1] = 1;
    EXPECT_EQ(InsertPivot(&table, 0, 10), 0);
    EXPECT_EQ(InsertPivot(&table, 99, 11), 4);
    EXPECT_EQ(InsertPivot(&table, 40, 12), 2) << "before the pivot already there";
    EXPECT_EQ(Pivots(table),
              (std::vector<Pivot>{{10, 0}, {1, 0}, {12, 40}, {2, 40}, {3, 99}, {11, 99}}));
    EXPECT_EQ(SelectedEntries(table), std::vector<int>{1}) << "flags do not move";

    // A table from a file whose last pivot is not at 99: only pivots in use
    // are searched, so the new one is appended.
    GradientPivots short_ = Table({{1, 0}, {2, 50}});
    EXPECT_EQ(InsertPivot(&short_, 70, 3), 2);
    EXPECT_EQ(Pivots(short_), (std::vector<Pivot>{{1, 0}, {2, 50}, {3, 70}}));
}

TEST(GradientPivots, InsertStopsAtNinetyNinePivots)
{
    GradientPivots table = Full(98);
    EXPECT_EQ(InsertPivot(&table, 50, 7), 50);
    GradientPivots before = table;
    EXPECT_EQ(InsertPivot(&table, 60, 7), -1);
    EXPECT_EQ(std::memcmp(&table, &before, sizeof table), 0);

    GradientPivots fromHost = Full(100);
    EXPECT_EQ(InsertPivot(&fromHost, 60, 7), -1);
    EXPECT_EQ(fromHost.count, 100);
}

TEST(GradientPivots, DeleteKeepsTheFirstPivotAndTheRightEndOfLongerTables)
{
    GradientPivots table = Table({{1, 0}, {2, 30}, {3, 60}, {4, 99}});
    table.selected[2] = 1;
    DeletePivot(&table, 1);
    DeletePivot(&table, 4);
    DeletePivot(&table, 0);
    DeletePivot(&table, 5);
    EXPECT_EQ(table.count, 4) << "first, last of more than two, out of range: refused";

    DeletePivot(&table, 2);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{1, 0}, {3, 60}, {4, 99}}));
    EXPECT_EQ(SelectedEntries(table), std::vector<int>{2}) << "flags do not move";
    DeletePivot(&table, 2);
    DeletePivot(&table, 2);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{1, 0}})) << "the last of two goes";
    DeletePivot(&table, 1);
    EXPECT_EQ(table.count, 1);
}

TEST(GradientPivots, MoveStaysStrictlyBetweenTheNeighboursAndNeverMovesTheEnds)
{
    GradientPivots table = Table({{1, 0}, {2, 40}, {3, 60}, {4, 99}});
    EXPECT_EQ(MovePivot(&table, 3, 40), 0);
    EXPECT_EQ(MovePivot(&table, 3, 99), 0);
    EXPECT_EQ(MovePivot(&table, 1, 5), 0);
    EXPECT_EQ(MovePivot(&table, 4, 98), 0);
    EXPECT_EQ(MovePivot(&table, 3, 60), 0) << "accepted but unchanged";
    EXPECT_EQ(MovePivot(&table, 3, 98), 1);
    EXPECT_EQ(MovePivot(&table, 2, 1), 1);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{1, 0}, {2, 1}, {3, 98}, {4, 99}}));
}

TEST(GradientPivots, SelectClearsEveryFlagAndSetsAtMostOne)
{
    GradientPivots table = Full(100);
    table.selected[0] = table.selected[99] = 1;
    SelectPivot(&table, 100);
    EXPECT_EQ(SelectedEntries(table), std::vector<int>{99});
    table.count = 3;
    table.selected[50] = 1;
    SelectPivot(&table, 2);
    EXPECT_EQ(SelectedEntries(table), std::vector<int>{1});
    SelectPivot(&table, 4);
    EXPECT_EQ(SelectedEntries(table), std::vector<int>{}) << "beyond the pivots in use";
}

TEST(GradientPivots, NewColourMixesWithTheDivisorOneWiderThanTheSegment)
{
    GradientPivots table = Table({{0x000000, 0}, {0xFFFFFF, 99}});
    EXPECT_EQ(NewPivotColour(&table, 50), 0x7F7F7Fu);
    EXPECT_EQ(NewPivotColour(&table, 98), 0xF9F9F9u);
    EXPECT_EQ(NewPivotColour(&table, 0), 0x808080u) << "on a pivot: mid grey";
    table = Table({{0x0000FF, 0}, {0xFF0000, 50}, {0x00FF00, 99}});
    EXPECT_EQ(NewPivotColour(&table, 75), 0x7F7F00u);
    table = Table({{0x123456, 0}});
    EXPECT_EQ(NewPivotColour(&table, 40), 0x808080u);
}

TEST(GradientPivots, IntensityWeighsGreenMost)
{
    EXPECT_EQ(IntensityOf(0xFFFFFF), 248u);
    EXPECT_EQ(IntensityOf(0x0000FF), 70u);
    EXPECT_EQ(IntensityOf(0x00FF00), 149u);
    EXPECT_EQ(IntensityOf(0xFF0000), 27u);
    EXPECT_EQ(GreyOf(0xFFFFFF), 0xF8F8F8u);
}

TEST(GradientConversions, EveryTableTheEditorWritesReadsBackUnchanged)
{
    GradientPivots table = Table({});
    for (int i = 0; i < 99; ++i) {
        table.colour[i] = uint32_t(i * 0x020305 + 0x0A0B0C) & 0xFFFFFF;
        table.position[i] = i == 98 ? 99 : i;
    }
    table.colour[0] = 0xFFFFFF;
    table.colour[1] = 0x000000;
    table.count = 99;
    const GradientPivots original = table;
    float colours[3 * GRADIENT_CAPACITY];
    float offsets[GRADIENT_CAPACITY];
    for (int cycle = 0; cycle < 1000; ++cycle) {
        PivotsToHost(&table, colours, offsets);
        ASSERT_EQ(PivotsFromHost(&table, table.count, colours, offsets), 0) << "cycle " << cycle;
        ASSERT_EQ(Pivots(table), Pivots(original)) << "cycle " << cycle;
    }
    EXPECT_EQ(offsets[50], float(50 / 99.0)) << "offsets stay position / 99";
    EXPECT_EQ(offsets[98], 1.0f);
}

TEST(GradientConversions, HostEntriesAreClampedOrderedAndEndAtBothEnds)
{
    GradientPivots table = Full(60);
    table.selected[30] = 1;
    EXPECT_EQ(PivotsFromHost(&table, 0, nullptr, nullptr), 0);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{0xFFFFFF, 0}}));
    EXPECT_EQ(SelectedEntries(table), std::vector<int>{0});

    // 0.5 x 99 rounds to 50, and 0.505 x 99 also lands on 50: dropped.
    // Components outside 0..1 and NaN are clamped.
    const float colours[] = {1.5f, -0.5f, kNaN, 0.2f, 0.4f, 0.6f, 0, 0, 0, 1, 1, 1};
    const float offsets[] = {0.0f, 0.5f, 0.505f, 1.0f};
    EXPECT_EQ(PivotsFromHost(&table, 4, colours, offsets), 0);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{0x0000FF, 0}, {0x996633, 50}, {0xFFFFFF, 99}}));

    // Ends moved, unsorted, NaN and huge offsets: positions still rise.
    const float wild[] = {0.1f, 0.05f, kNaN, 1e30f, 0.9f};
    EXPECT_EQ(PivotsFromHost(&table, 5, colours, wild), PIVOTS_FIRST_MOVED);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{0x0000FF, 0}, {0xFFFFFF, 99}}));
    const float inside[] = {0.1f, 0.9f};
    EXPECT_EQ(PivotsFromHost(&table, 2, colours, inside), PIVOTS_FIRST_MOVED | PIVOTS_LAST_MOVED);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{0x0000FF, 0}, {0x996633, 99}}));
    const float single[] = {-3.0f};
    EXPECT_EQ(PivotsFromHost(&table, 1, colours, single), 0);
    EXPECT_EQ(Pivots(table), (std::vector<Pivot>{{0x0000FF, 0}}));
}

TEST(GradientConversions, AtMostAHundredHostEntriesAreRead)
{
    // The host claims 150 entries; reading a 101st would leave the arrays
    // (the sanitizers of the native build stop there).
    std::vector<float> colours(3 * 100, 0.5f);
    std::vector<float> offsets(100);
    for (int i = 0; i < 100; ++i)
        offsets[size_t(i)] = float(i / 99.0);
    GradientPivots table = Table({});
    EXPECT_EQ(PivotsFromHost(&table, 150, colours.data(), offsets.data()), 0);
    EXPECT_EQ(table.count, 100);
    EXPECT_EQ(table.position[99], 99);
}

}  // namespace
