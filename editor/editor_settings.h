// The editor's settings in section "Lens-Flare-UI" of the host's INI file:
// the realtime switch, the library file last loaded or saved, and whether
// element pages are kept once built.
#ifndef EDITOR_EDITOR_SETTINGS_H
#define EDITOR_EDITOR_SETTINGS_H

#include <cstdint>

// "Realtime-Updates": nonzero means on, and an absent key means on.
int16_t ReadRealtimeSetting();
void WriteRealtimeSetting(int16_t realtime);

// "Keep-Element-Pages": nonzero (and an absent key) keeps each element
// type's page once built, so that selecting another element only refills
// it; 0 builds every page anew, at about twice the windows' cost.
bool ReadKeepPagesSetting();

// "Last-Library-SaveTo-Filename" into lastLibraryFile (a text of its own,
// or null when the key is absent or empty); a previous one is released.
void ReadLastLibraryFile();

// Writes lastLibraryFile to "Last-Library-SaveTo-Filename" when it is set,
// then releases it.
void StoreLastLibraryFile();

#endif
