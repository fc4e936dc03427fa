// The editor's live preview: the host renders the flare into a floating-point
// buffer with the light at a pixel the user drags; the picture is converted
// into previewBitmap and shown in the owner-drawn button 1000.
#ifndef PREVIEW_PREVIEW_H
#define PREVIEW_PREVIEW_H

#include <windows.h>

#include "preview/display_bitmap.h"

// Timer on the editor dialog that turns the cursor into the hourglass when a
// render lasts longer than its period.
enum { PREVIEW_TIMER = 10, PREVIEW_TIMER_PERIOD = 400 };

// Size of the clipboard copy of the flare.
enum { CLIPBOARD_WIDTH = 120, CLIPBOARD_HEIGHT = 90 };

extern HWND previewControl;         // the preview button, control 1000 of the editor
extern int16_t previewSize[2];      // width and height of the preview buffer
extern DisplayBitmap previewBitmap; // the converted picture shown in the preview
extern int16_t lightX, lightY;      // last light position, in buffer pixels from the bottom row
extern int16_t previewBusy;         // 1 while a render of the preview runs
extern HCURSOR arrowCursor, waitCursor;  // loaded by the editor at set-up
extern WNDPROC previousPreviewProc; // the preview button's procedure before subclassing

// What the editor adds to the preview's renders, or null: the flare to
// render instead of the edited one (true with *kind and *name set, as for a
// soloed element; false renders the edited flare), and what follows a
// render that was shown (the element list's pictures).
using PreviewSourceFn = bool (*)(QiToken *kind, const char **name);
using PreviewShownFn = void (*)();
extern PreviewSourceFn previewSource;
extern PreviewShownFn previewShown;

// The editor's side: the cursors (first thing at set-up), the preview's
// bitmap, buffer and subclassing (set-up), the first render with the light
// at a quarter of the width and height (end of set-up), and the release at
// WM_DESTROY.
void LoadPreviewCursors();
void SetUpPreview(HWND dialog);
void StartPreviewAtQuarter();
void TearDownPreview();

// Before every render: every pixel black, every plane-4 value 1.0 (nothing
// hides the light).
void ClearRenderBuffer(QiGBuffer *buffer);

// Allocates the preview buffer; 1 when the host gave one, else 0.
int16_t AllocatePreviewGBuffer(int16_t width, int16_t height);
void FreePreviewGBuffer();

// A preview buffer of the new size in place of the old one, which is
// released only once the new one exists; 0 (and the old buffer kept) when
// the host gives none.
int16_t ReplacePreviewGBuffer(int16_t width, int16_t height);

// Gives the preview's bitmap and buffer the size of the control (one pixel
// more each way), keeping the light at its relative place; 1 when the size
// changed. When either cannot be made, the old ones stay and 0 comes back.
// The new bitmap holds no picture until the next render.
int16_t ResizePreviewToControl();

// Blackens the part of the preview control that the picture does not
// cover (while the picture is smaller than the control).
void FillPreviewMargins(const DRAWITEMSTRUCT *item);

// Clears the buffer, lets the host draw the flare with the light at (x, y),
// converts it into bitmap. 0 when a render is under way or there is no
// buffer, else 1.
int16_t RenderPreview(int16_t x, int16_t y, DisplayBitmap *bitmap);

// Renders and shows the preview with the light at (x, y); x = -1 means at
// the stored light position. The position is stored in every case.
void RequestPreviewRedraw(int16_t x, int16_t y);

// The host's progress callback during preview renders: draws a bar under the
// preview and lets the wait-cursor timer through.
int16_t RenderProgress(QiToken phase, float fraction);

// Dispatches the thread's waiting WM_TIMER messages, and only those.
int16_t PumpTimerMessages();

void SetArrowCursor();
void SetWaitCursor();
void RestoreCursor();
// The cursor the editor re-establishes on WM_SETCURSOR during a render.
HCURSOR CurrentPreviewCursor();

// Subclass procedure of the preview button: light dragging and the
// right-click clipboard copy.
LRESULT CALLBACK PreviewControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Ends a drag of the light under way and gives back the capture it took; at
// the preview's teardown, as not every system tells a window that it loses
// the capture by its destruction.
void EndPreviewDrag();

// Renders a CLIPBOARD_WIDTH x CLIPBOARD_HEIGHT picture of the flare with the
// light at the proportional position and puts it on the clipboard.
void CopySmallPreviewToClipboard();

// Puts the bitmap on the clipboard as a packed CF_DIB; failures are shown in
// a "Clipboard Error" message box owned by owner.
void CopyPreviewToClipboard(HWND owner, const DisplayBitmap *bitmap);

#endif
