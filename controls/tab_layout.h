// The tab strip's entries and the arithmetic of their layout: extents,
// centring, hit-testing and selection.
#ifndef CONTROLS_TAB_LAYOUT_H
#define CONTROLS_TAB_LAYOUT_H

#include <cstdint>

// Bits of TabEntry::flags.
constexpr uint16_t kTabDisabled = 1;
constexpr uint16_t kTabSelected = 2;

// One tab; the owner supplies an array of them and keeps it for the strip's
// life. An entry whose text is null is no tab and is skipped everywhere.
struct TabEntry {
    int16_t offset;    // position from the first tab, set at creation
    int16_t extent;    // length along the strip: label width + 13
    uint16_t flags;    // kTabDisabled, kTabSelected; cleared at creation
    const char *text;  // label, not owned; null: no tab
    int16_t id;        // identifier reported to the parent
};

// Point size of the label fonts for a screen `screenWidth` pixels wide.
int TabFontPointSize(int screenWidth);

// Length of the strip along its tabs: `requested` when above 0, else
// `screen`; times scale, truncated, when scale is not 0.
int16_t StripLength(int requested, int screen, float scale);

// Places `tab`, whose label is labelWidth pixels long, at `running` and
// clears its flags; the tab is `padding` longer than its label (13 pixels
// at 96 DPI). Returns where the next tab starts.
int16_t PlaceTab(TabEntry *tab, int16_t running, int labelWidth, int padding = 13);

// Where the first tab starts along a strip `length` pixels long: centred
// when centre is set, but never before the strip's start; else at 0.
int16_t FirstTabPosition(int16_t length, int16_t tabsExtent, bool centre);

// The id of the enabled tab at `along` (the coordinate along the strip) when
// `across` lies in acrossLow..acrossHigh, or -1.
int16_t HitTestTabEntries(const TabEntry *tabs, int16_t count, int16_t firstTab, int along, int across,
                          int acrossLow, int acrossHigh);

// Marks the tab with `id` as the one selected tab; an id no tab has leaves
// none selected.
void SelectTabEntry(TabEntry *tabs, int16_t count, int16_t id);

// The id of the enabled tab one place after (step 1) or before (step -1)
// the selected one, past the ends to the other end when wrap is set; -1
// when there is none. With none selected, the first (or last) enabled tab.
int16_t NeighbourTab(const TabEntry *tabs, int16_t count, int step, bool wrap);

#endif
