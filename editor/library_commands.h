// The editor's library commands: "Library &Load", "Library &Save" and
// "Pr&esets...". The library folder offers the files and talks to the host
// about them; these steps keep the editor's panel, list, sliders, preview
// and undo history in step with what the host did.
#ifndef EDITOR_LIBRARY_COMMANDS_H
#define EDITOR_LIBRARY_COMMANDS_H

#include <windows.h>

#include <cstdint>

// "Library &Load": the previewing requester, then the load. 1 when a file
// was loaded.
int16_t LoadLibraryCommand(HWND dialog);

// "Library &Save": the save dialog, the pending edits committed, the save.
// 1 when the flare was saved.
int16_t SaveLibraryCommand(HWND dialog);

// "Pr&esets...": the preset browser over the editor, loading and saving
// with the rules of the two commands above.
void PresetsCommand(HWND dialog);

// Replaces the edited flare by the library file's, as one undo step: the
// pending edits are committed first, a file the host cannot load leaves the
// flare untouched, and a load that fails once the flare's elements are gone
// gives the flare back as it was. Failures are told in message boxes owned
// by owner. 1 when the file was loaded.
int16_t LoadLibraryIntoEditor(HWND owner, const char *path);

#endif
