// The editor's settings in section "Lens-Flare-UI" of the host's INI file:
// the realtime switch and the library file last loaded or saved.
#ifndef EDITOR_EDITOR_SETTINGS_H
#define EDITOR_EDITOR_SETTINGS_H

#include <cstdint>

// "Realtime-Updates": nonzero means on, and an absent key means on.
int16_t ReadRealtimeSetting();
void WriteRealtimeSetting(int16_t realtime);

// "Last-Library-SaveTo-Filename" into lastLibraryFile (a text of its own,
// or null when the key is absent or empty); a previous one is released.
void ReadLastLibraryFile();

// Writes lastLibraryFile to "Last-Library-SaveTo-Filename" when it is set,
// then releases it.
void StoreLastLibraryFile();

#endif
