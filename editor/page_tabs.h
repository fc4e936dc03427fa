// The tab strip on the top edge of the editor's page area.
#ifndef EDITOR_PAGE_TABS_H
#define EDITOR_PAGE_TABS_H

#include <windows.h>

#include <cstdint>

struct TabbedPanel;
struct TabEntry;

extern TabbedPanel *pageTabControl;  // the strip's record (host memory), or null
extern TabEntry *pageTabList;        // its three tabs (host memory), or null

// Creates the strip with the tabs "Element Parameters", "Global Parameters"
// and "Global Fading Parameters" and places it on the page area's top edge,
// still hidden. Tab reaches it after the upper half's controls, before the
// page's. False when it could not be made.
bool CreatePageTabs(HWND dialog);

// Shows pageId's tab as selected.
void SelectPageTab(int16_t pageId);

// Shows the page (a tab clicked, the strip's arrows): its tab selected, the
// page entered unless it is shown already. A focus the page took away goes
// to the strip.
void SwitchToPage(HWND dialog, int16_t pageId);

// Ctrl+Tab (step 1) and Ctrl+Shift+Tab (step -1): the page of the next or
// the previous tab, round the ends.
void ShowNeighbourPage(HWND dialog, int step);

// Destroys the strip and releases its records and fonts.
void DestroyPageTabs();

#endif
