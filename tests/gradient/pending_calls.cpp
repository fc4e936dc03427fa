// Stand-ins for the colour selector and the file dialog wrapper until their
// branches land: the selector is always cancelled, the file dialog too.
#include "colour/colour_selector.h"
#include "preview/file_dialog.h"

int16_t OpenColourSelector(HWND, const char *, float[3])
{
    return 0;
}

int16_t ShowFileDialog(HWND, int16_t, const char *, char *, const char *, char *, DWORD,
                       LPOFNHOOKPROC, const char *, HINSTANCE)
{
    return 0;
}
