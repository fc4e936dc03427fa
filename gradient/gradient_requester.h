// The open requester of gradient files: an Explorer-style open dialog with
// the child template "GradientFileRequestor", whose strip 10003 shows the
// gradient of the file under the cursor.
#ifndef GRADIENT_GRADIENT_REQUESTER_H
#define GRADIENT_GRADIENT_REQUESTER_H

#include <windows.h>

#include <cstdint>

// Hook procedure of the open dialog, given with the child template.
UINT_PTR CALLBACK GradientRequesterHook(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);

// The full path of the file selected in the open dialog that holds the hook
// dialog `hook`, or an empty buffer (FILE_NAME_SIZE characters) when there
// is none, a folder is selected or the dialog does not answer.
void GetRequesterSelection(HWND hook, char *buffer);

// Paints the gradient of `count` host entries (offsets 0..1 and colours of
// three components each) across control `id` of `dialog`; `third` is not
// used.
void PreviewGradient(HWND dialog, int id, int32_t count, const float *offsets,
                     const float *third, const float *colours);

#endif
