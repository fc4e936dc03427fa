// The preset browser's grid apart from its window: the presets in their two
// sections, what the search keeps, where each picture sits, which picture
// to make next, and what an item's tooltip says.
#ifndef LIBRARY_PRESET_GRID_H
#define LIBRARY_PRESET_GRID_H

#include <cstdint>
#include <string>
#include <vector>

#include "library/picture_cache.h"

// The sections of the grid, in their order.
enum PresetSection { SECTION_BUNDLED = 0, SECTION_USER = 1, SECTION_COUNT = 2 };

struct Preset {
    PresetFile file;        // the library file as it was listed
    std::string name;       // the file's name without ".lnz", shown under the picture
    int section;            // SECTION_BUNDLED or SECTION_USER
    PresetPicture picture;  // what is known of its flare
    int image = -1;         // its picture in the grid's image list, -1 while it has none
    bool shown = true;      // the search keeps it
    int x = 0, y = 0;       // top-left corner of its cell in the grid, in pixels
};

// Sizes of the grid, in pixels.
struct GridMetrics {
    int width;          // the grid's inner width
    int cellWidth;      // one picture with its name
    int cellHeight;
    int headingHeight;  // a section's heading
    int margin;         // left and top margin
};

// Whether the preset matches the search: every word of it (case aside) is
// part of the name, of an element type or of an element's name. An empty
// search matches every preset.
bool PresetMatches(const Preset &preset, const char *search);

// Places the shown presets of each section in rows below the section's
// heading; fills headingTop with the top of each heading. Presets come
// ordered by section. Returns the height the grid needs.
int LayoutPresetGrid(std::vector<Preset> &presets, const GridMetrics &metrics,
                     int headingTop[SECTION_COUNT]);

// The shown preset in the row above (step -1) or below (step 1) the shown
// preset `from`, in its column or, when that row is shorter, the row's
// last; the next section's first row lies below the previous section's
// last. -1 when there is no such row.
int PresetInNextRow(const std::vector<Preset> &presets, int from, int step);

// The preset whose picture to make next: a shown one whose cell lies at
// least in part between viewTop and viewBottom (grid pixels), else any
// shown one, else any other; the first in order each time. -1 when every
// picture is made.
int NextPictureToMake(const std::vector<Preset> &presets, int cellHeight, int viewTop,
                      int viewBottom);

// The tooltip of a preset: its number of elements and their names, or why
// it is damaged.
std::string PresetTip(const Preset &preset);

#endif
