// The editor's scratch light: a host light of a name of its own that holds
// a copy of one element at a time, for the element list's pictures and the
// soloed preview. It is never the light the editor edits, it is emptied
// before every use, and it is removed on every way out of the editor.
#ifndef EDITOR_SCRATCH_LIGHT_H
#define EDITOR_SCRATCH_LIGHT_H

#include "library/scratch_light.h"

extern const char kScratchLightName[];

// The scratch light without elements, made when it does not exist yet;
// false when it cannot be had or its name is that of the edited light.
bool EmptyScratchLight();

// Removes the scratch light when it exists.
void RemoveScratchLight();

#endif
