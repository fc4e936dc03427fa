// The pivot table of a colour gradient: up to 100 colours at integer
// positions 0 (left end) to 99 (right end), its editing operations and its
// conversions to and from the host's colour and offset arrays.
//
// Invariants the operations keep: positions never decrease; the first pivot
// is at 0 and, with two or more pivots, the last at 99; editing never makes
// more than 99 pivots (a table filled from the host may hold 100); at most
// one pivot is selected. Pivots are numbered from 1 (pivot 1 is entry 0).
#ifndef GRADIENT_GRADIENT_PIVOTS_H
#define GRADIENT_GRADIENT_PIVOTS_H

#include <cstdint>

#include "host/api/qi_core.h"

enum {
    GRADIENT_CAPACITY = 100,    // entries of a table
    GRADIENT_EDIT_LIMIT = 99,   // pivots an edit may make
    GRADIENT_LAST_POSITION = 99 // position of the right end
};

// A table is a plain record, copied whole by value.
struct GradientPivots {
    uint32_t colour[GRADIENT_CAPACITY];   // 0x00BBGGRR (COLORREF layout)
    int32_t position[GRADIENT_CAPACITY];  // 0 .. 99
    uint8_t selected[GRADIENT_CAPACITY];  // 1 for the selected pivot
    int32_t count;                        // entries in use, 0 .. count - 1
    QiToken interpolation;                // token of "linear" or "cardinal"
};

// The defects PivotsFromHost found in the host's entries.
enum {
    PIVOTS_FIRST_MOVED = 1,   // the first offset is not 0.0
    PIVOTS_LAST_MOVED = 2,    // the last of two or more offsets is not 1.0
    PIVOTS_DECREASING = 4,    // an offset is below the one before it
    PIVOTS_NOT_A_NUMBER = 8   // an offset is not a number
};

// A new table: one white pivot at 0, selected, with the given interpolation
// (the token of "linear").
void InitGradientPivots(GradientPivots *table, QiToken interpolation);

// Inserts a pivot; a pivot at an occupied position goes before the pivots
// already there, one at 99 after them. Returns the new entry's 0-based
// index, or -1 when the table holds 99 pivots already (nothing changes).
int32_t InsertPivot(GradientPivots *table, int32_t position, uint32_t colour);

// Deletes pivot i (1-based). Pivot 1 is never deleted; the last pivot is
// deleted by dropping it. Selection flags do not move.
void DeletePivot(GradientPivots *table, int32_t i);

// Moves pivot i (neither the first nor the last) to a position strictly
// between its neighbours'; anything else is refused. Returns 1 when the
// position changed, else 0.
int16_t MovePivot(GradientPivots *table, int32_t i, int32_t position);

void SetPivotColour(GradientPivots *table, int32_t i, uint32_t colour);

// Makes pivot i the only selected one; an i outside 1..count leaves none.
void SelectPivot(GradientPivots *table, int32_t i);

// The first pivot (1-based) standing at the position, or 0.
int32_t PivotAtPosition(const GradientPivots *table, int32_t position);

// The selected pivot (1-based), or 0.
int32_t SelectedPivot(const GradientPivots *table);

// The free position in the middle of the widest gap between two pivots
// (the leftmost of equal gaps; a single pivot's gap reaches 99), or -1 when
// no gap has a free position.
int32_t WidestGapMiddle(const GradientPivots *table);

// The colour offered for a pivot about to be added at `position`: mixed
// from the two pivots around it (weights (p - lo) / (hi - lo + 1) for the
// right one), or mid grey 0x808080 on a pivot's position or outside all
// segments.
uint32_t NewPivotColour(const GradientPivots *table, int32_t position);

// Perceived brightness 0..248: (71 red + 150 green + 28 blue) >> 8.
uint32_t IntensityOf(uint32_t colour);
// The grey of that brightness.
uint32_t GreyOf(uint32_t colour);

// Offset 0..1 of a position: position / 99 as a float.
float OffsetFromPosition(int32_t position);
// Nearest position of an offset; offsets outside 0..1 are clamped, NaN
// counts as 0. Every offset OffsetFromPosition makes comes back unchanged.
int32_t PositionFromOffset(float offset);

// Colour of three components red, green, blue, each clamped to 0..1 (NaN
// as 0) and truncated to a byte of component x 255.
uint32_t ColourFromComponents(const float rgb[3]);
// Components byte / 255 of a colour.
void ComponentsFromColour(uint32_t colour, float rgb[3]);

// Fills the table from `count` host entries (three components and one
// offset each), however many: no entries (or null arrays) give one white
// pivot at 0. Entries that fall on one position are merged into the first
// of them, except that the last entry's colour always ends the gradient;
// entries with a NaN offset or below the position kept before them are
// dropped. Then the first pivot is put at 0 and, with two or more pivots,
// the last at 99. Positions thus strictly increase, and at most 100 pivots
// hold any gradient's whole span. The first pivot is selected; the
// interpolation is left as it is. Returns the PIVOTS_ flags of the defects
// found, 0 for a well-formed gradient however much was merged.
uint16_t PivotsFromHost(GradientPivots *table, int32_t count, const float *colours,
                        const float *offsets);

// True when both tables hold the same pivots: count, positions and colours
// (selection and interpolation aside).
bool SamePivots(const GradientPivots *a, const GradientPivots *b);

// Writes `count` entries: colours (three floats each) and offsets (one each).
void PivotsToHost(const GradientPivots *table, float *colours, float *offsets);

#endif
