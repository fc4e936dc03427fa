// The element list's rows, drawn by the editor: a small picture of the
// element alone, an enable box, and the element's description (greyed when
// the element is switched off). The list stays a list box whose item texts
// are the descriptions. The pictures are rendered by the host in the
// scratch light, with the preview's redraws, only for the rows whose
// element changed since; never during a drag.
#ifndef EDITOR_ELEMENT_ROWS_H
#define EDITOR_ELEMENT_ROWS_H

#include <windows.h>

#include "model/working_flare.h"

// At set-up: the rows' height, and the pictures following the preview.
void SetUpElementRows(HWND dialog);

// At teardown and when set-up fails: the pictures released and the
// scratch light removed.
void ReleaseElementRows();

// WM_DRAWITEM of the list (FALSE for any other control).
BOOL DrawElementRow(const DRAWITEMSTRUCT *item);

// The row whose enable box holds the point (list client coordinates), or -1.
int RowBoxAt(HWND list, POINT point);

// Repaints the element's row (its switch changed).
void RedrawElementRow(HWND dialog, const FlareElement *element);

// Renders the pictures of the rows whose element changed since their
// picture was made, and repaints those rows; nothing while the mouse is
// captured (a drag under way).
void RefreshRowPictures();

#endif
