// "Lens Flare Presets": a grid of pictures of every library file, the
// host's bundled presets first and the user's own below, each section under
// its heading. A search narrows the grid; Load (double-click, Enter) puts a
// preset into the edited flare and leaves the browser open for the next
// try; "Save Current..." adds the edited flare to the user's presets, and
// Delete moves one of them to the recycle bin. Pictures are made on this
// thread in short slices between messages, the ones in view first, and are
// kept on disk for the next opening.
#ifndef LIBRARY_PRESET_BROWSER_H
#define LIBRARY_PRESET_BROWSER_H

#include <windows.h>

#include <cstdint>

// What the browser asks of the editor it serves.
struct PresetBrowserLink {
    // Puts the library file into the edited flare as Library Load does,
    // telling failures in message boxes owned by owner; 1 when loaded.
    int16_t (*loadPreset)(HWND owner, const char *path);
    // Commits the pending edits, so that the host holds the flare the user
    // sees before it is saved.
    void (*commitEdits)();
};

// Setting of section "Lens-Flare-UI": the browser's place and size, as
// "left top right bottom".
#define PRESET_PLACEMENT_KEY "Preset-Browser-Placement"

// Runs the browser, modal and owned by owner, until Ok, Escape or its
// close box; the scratch light it pictures flares on is gone afterwards.
void ShowPresetBrowser(HWND owner, HINSTANCE instance, const PresetBrowserLink &link);

#endif
