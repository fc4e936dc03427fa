// Snapshots of the working flare for the undo history, and their values
// written back into it.
#ifndef MODEL_FLARE_STATE_H
#define MODEL_FLARE_STATE_H

#include "model/flare_history.h"
#include "model/working_flare.h"

// Every value of the working flare: globals, and per element its type,
// guid, switch and its parameters' values, gradients and data blocks.
FlareState CaptureFlareState(const WorkingFlare *flare);

// Writes the snapshot's values into the working flare: the globals, and
// each element's switch and parameters where the snapshot holds an element
// of the same guid. A gradient or block that cannot be copied is reported
// and left empty.
void RestoreFlareValues(WorkingFlare *flare, const FlareState &state);

#endif
