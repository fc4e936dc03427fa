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
// still hidden. False when it could not be made.
bool CreatePageTabs(HWND dialog);

// Shows pageId's tab as selected.
void SelectPageTab(int16_t pageId);

// Destroys the strip and releases its records and fonts.
void DestroyPageTabs();

#endif
