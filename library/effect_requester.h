// The library requester: the system's open dialog with a panel (template
// "LensFlareFileRequestor") that previews the flare of the selected library
// file. The host loads the file into a temporary light that exists only
// while the requester is open and renders that light's flare; the edited
// flare is never touched.
#ifndef LIBRARY_EFFECT_REQUESTER_H
#define LIBRARY_EFFECT_REQUESTER_H

#include <windows.h>

#include <cstdint>

#include "preview/display_bitmap.h"

// The host light that carries the previewed flare.
#define TEMPORARY_LIGHT_NAME "Quorix___TempLensFlareLight"

extern int8_t requesterPreviewOn;       // the "&Preview" switch; on at process start, kept
                                        // between openings of the requester, not saved
extern DisplayBitmap requesterBitmap;   // the picture shown in the panel

// Hook procedure of the open dialog; the panel's dialog procedure.
UINT_PTR CALLBACK EffectRequesterHook(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Blanks the picture at once; then, with on set, renders the selected
// library file into the bitmap and shows it. dialog is the panel.
void PreviewSelectedEffectFile(HWND dialog, DisplayBitmap *bitmap, int8_t on);

// The selected file's full path (FILE_NAME_SIZE characters), or an empty
// path when nothing is selected or the name does not end in ".lnz" (which
// is told in a "Filename Error" message box).
void GetSelectedEffectFile(HWND dialog, char *path);

// The temporary light: created unless it exists, and removed when it exists.
void CreateTemporaryLight();
void RemoveTemporaryLight();

// Empties the temporary light's flare and lets the host load the library
// file into it; 1 when the host reports success. The light must exist.
int16_t LoadIntoTemporaryLight(const char *path);

#endif
