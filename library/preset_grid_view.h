// The preset browser's grid on the screen: a list view in icon mode with
// the pictures in an image list, each item placed in its section's rows,
// the sections' headings drawn between them (the list view's own groups
// need version 6 of the common controls, which not every system gives a
// plug-in), and Up and Down moving by rows across the sections.
#ifndef LIBRARY_PRESET_GRID_VIEW_H
#define LIBRARY_PRESET_GRID_VIEW_H

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "frame/file_paths.h"
#include "library/preset_grid.h"
#include "library/preset_pictures.h"

struct PresetGrid {
    HWND view;                    // the list view
    WNDPROC viewProc;             // its procedure before the grid subclassed it
    std::vector<Preset> presets;  // every preset, by section, then by name
    std::vector<int> items;       // the list view's items: their presets, in order
    PictureMaker maker;           // the pictures and what makes them
    GridMetrics metrics;
    POINT itemOffset;             // an item's position minus its cell's corner
    int headingTop[SECTION_COUNT];
    HFONT headingFont;            // bold dialog font of the headings, owned
    bool painted;                 // the list view has been painted once
    char search[128];             // the search as typed
    char folders[SECTION_COUNT][FILE_NAME_SIZE];  // the sections' folders
};

// Makes the pictures' resources (room for `capacity` pictures) and sets the
// list view up; false when the pictures' resources cannot be had.
// ClosePresetGrid releases everything and clears the record either way.
bool OpenPresetGrid(PresetGrid *grid, HWND dialog, HWND view, int capacity);
void ClosePresetGrid(PresetGrid *grid);

// The list view's items anew from the presets the search keeps, placed in
// their sections; the selected preset stays selected while it is shown.
void FillGrid(PresetGrid *grid);

// Places the items for the list view's width.
void LayOutGrid(PresetGrid *grid);

// The part of the grid in view, top and bottom in grid pixels.
void GridViewRange(const PresetGrid *grid, int view[2]);

// The preset's item shows its picture as it is now.
void ShowItemPicture(PresetGrid *grid, int preset);

// The selected preset, or -1; selecting a preset (shown) scrolls it into view.
int SelectedPreset(const PresetGrid *grid);
void SelectPreset(PresetGrid *grid, int preset);

// The user's preset of that file: the one listed, or a new one in its place
// by name. Returns its index, -1 when the file cannot be read.
int AddPreset(PresetGrid *grid, const char *path);

// Takes the preset off the grid; the preset after it, or else before it, is
// selected.
void RemovePreset(PresetGrid *grid, int preset);

// The tooltip text of the preset (-1: none) into the list view's request.
void FillItemTip(const PresetGrid *grid, int preset, NMLVGETINFOTIPA *tip, bool wide);

// The list view's custom drawing: the headings after everything else.
LRESULT DrawGridHeadings(const PresetGrid *grid, NMLVCUSTOMDRAW *draw);

#endif
