// Gradient files (".grd", and colour maps ".cmp" for loading) for the
// gradient control, written and read by the host; the last file is kept as
// "LastGradientDirectory" of section "LensFlare" in the host's INI file.
#ifndef GRADIENT_GRADIENT_FILES_H
#define GRADIENT_GRADIENT_FILES_H

#include <windows.h>

#include <cstdint>

#include "host/api/qi_core.h"

class CColourSlider;

// Lets the user choose a file and loads it into the control's table.
// Returns 0 when the requester was cancelled or refused the name (nothing
// changed), else 1, also after a failure was shown.
int16_t LoadGradientFile(CColourSlider *control);

// Lets the user choose a file name (".grd" is added when missing) and has
// the host write the control's table to it, through a temporary file that
// replaces the file only once it is complete. Returns 0 when the dialog was
// cancelled or the name is too long to end in ".grd" (shown to the user),
// else 1, also after a failure was shown; a failed save leaves the file as
// it was.
int16_t SaveGradientFile(CColourSlider *control);

// Makes the name chosen for a save (FILE_NAME_SIZE characters) end in
// ".grd". A name the host would have to shorten for it names another file:
// it is refused with a message, and 0 is returned.
int16_t TakeGradientSaveName(HWND owner, char *name);

// Takes what Qi_Load_Gradient_Colormap gave for the control: the result
// `status` and the entries. A failure, or a file without entries, is shown
// and leaves the table as it was; otherwise the entries replace the pivots,
// normalised as every table from the host is, and the selection flags stay.
// The arrays are released in every case.
void TakeLoadedGradient(CColourSlider *control, int16_t status, int32_t count, float *offsets,
                        float *colours, float *third, QiToken interpolation);

// Runs the previewing open requester for gradient files. subdirectory (of
// the host's working directory; "colormap" when null) is where the dialog
// starts; initialName may be null and may be the result buffer itself.
// Returns 1 with the chosen path, in lower case, in result (FILE_NAME_SIZE
// characters); 0 when cancelled or when the name ends neither in ".grd" nor
// in ".cmp" (shown to the user).
int16_t ChooseGradientFile(HWND owner, const char *subdirectory, const char *title,
                           const char *initialName, char *result, HINSTANCE instance);

#endif
