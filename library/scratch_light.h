// Host lights that exist only to show a library file's flare: the library
// requester's and the preset browser's. The host loads the file into the
// light's lens flare and renders that flare; the edited flare is never
// touched.
#ifndef LIBRARY_SCRATCH_LIGHT_H
#define LIBRARY_SCRATCH_LIGHT_H

#include <cstdint>

#include "host/api/qi_core.h"

// The token of "light", the scratch lights' kind.
QiToken ScratchLightKind();

// Whether a light of that name exists.
bool ScratchLightExists(const char *light);

// Creates the light unless one of that name exists; removes it when it
// exists.
void CreateScratchLight(const char *light);
void RemoveScratchLight(const char *light);

// Deletes every element of the light's flare.
void EmptyScratchLight(const char *light);

// Empties the light's flare, so that nothing of an earlier file remains,
// and lets the host load the library file into it; 1 when the host
// reports success. The light must exist.
int16_t LoadIntoScratchLight(const char *light, const char *path);

// Where the light goes in a picture of its flare: 2, the centre; or 4, a
// quarter of the width in from the left and a quarter of the height down
// from the top, when the flare has a reflex element ("inter", "dscflx",
// "rngflx", "prflx"), whose reflexes would otherwise all sit on the light.
float ScratchLightDivisor(const char *light);

// Clears the buffer and lets the host render the light's flare into it,
// the light placed by the divisor.
void RenderScratchLight(const char *light, float divisor, QiGBuffer *buffer);

#endif
