// The colour gradient control: turns a child button of a dialog into a
// horizontal colour bar with triangular end caps, a marker per pivot, a
// label row above the bar and a small menu button at its right end. The
// user selects, adds, drags, recolours and deletes pivots with the mouse
// and opens the gradient menu from the button. With the focus (its label
// framed), Left and Right select the pivot before or after the selected
// one, Shift+Left and Shift+Right move it by one position, Insert adds a
// pivot in the middle of the widest gap, Delete removes the selected pivot
// by the rules of a right click and Enter recolours it. The control's text
// is its label, whose letter (after "&") focuses it.
//
// Geometry, with h = barHeight and W = barWidth: the picture is 2h + W
// pixels wide and 2h high from the control's client origin; the bar covers
// x h .. h + W and y 0 .. h, the caps the h-wide strips beside it, markers
// lie at y 7 .. 22 (at 96 DPI; scaled with the window's DPI, as the owner
// scales h and W) and the label row above y 0, outside the window. The
// window must therefore draw through its parent's clipping (the button
// class has CS_PARENTDC) and the parent must not clip its children.
#ifndef GRADIENT_COLOUR_SLIDER_H
#define GRADIENT_COLOUR_SLIDER_H

#include <windows.h>

#include <cstdint>

#include "gradient/gradient_pivots.h"

// Called with the control id after the user changed the table.
typedef void (*ColourSliderChangeFn)(uint32_t controlId);

class CColourSlider {
public:
    // Subclasses the child `controlId` of `parent`; the control is `width`
    // pixels wide with a bar `barHeight` high, and starts with a new table.
    CColourSlider(HWND parent, HINSTANCE moduleInstance, const char *label, int16_t intensityOnly,
                  uint16_t controlId, int32_t width, int32_t barHeight,
                  ColourSliderChangeFn changeCallback);
    // Gives the window its procedure back and has the parent repaint; the
    // owner destroys the window.
    virtual ~CColourSlider();

    // Fills the background from now on with the parent dialog's brush.
    void AdoptDialogBackground();
    // Has the parent repaint the control's rectangle (no erasing).
    void Invalidate();
    // The control's client rectangle in the parent's client coordinates.
    RECT ControlRectInParent() const;
    // Draws the control from a private copy of `table`, off-screen first.
    void DrawGradient(const GradientPivots *table);
    // Draws one pivot's marker into the picture `dc` for a bar of size `bar`
    // at `origin` (h, 0); the selected pivot's values also go into the label
    // row above the control on `controlDc`. Nothing once the control is closing.
    void DrawPivotMarker(HDC dc, HDC controlDc, POINT origin, SIZE bar, int32_t position,
                         uint32_t colour, uint8_t selected);
    // The 1-based pivot under the point (control client coordinates), or 0.
    int32_t HitTestPivot(POINT point, const GradientPivots *table) const;
    // Position 0..99 under x; outside the bar it lies outside that range.
    int32_t PositionFromX(int32_t x) const;
    // Lets the user pick a pivot colour in the colour selector; in intensity
    // mode the result is a grey. Returns 1 on OK, 0 on cancel (colour kept).
    static int16_t PickPivotColour(uint32_t *colour, HWND owner, int16_t intensityOnly);

    GradientPivots pivots;                // the gradient being edited; owners read and write it
    WNDPROC savedWndProc;                 // the window's procedure before subclassing
    ColourSliderChangeFn changeCallback;  // called after every change by the user, or null
    HWND hwndControl;                     // the subclassed window
    HWND hwndParent;                      // the dialog holding it
    uint16_t controlId;                   // the window's control id
    HINSTANCE moduleInstance;             // module of the cursors, the menu and the dialogs
    const char *label;                    // text at the left of the label row, not owned, or null
    int16_t intensityOnly;                // 1: shown, labelled and picked as greys
    int16_t hasMenuButton;                // 1: the menu button is drawn and active
    HBRUSH backgroundBrush;               // background of the picture and of WM_ERASEBKGND
    int16_t closing;                      // set by the destructor: no markers or label row
    POINT lastMouse;                      // position of the last WM_MOUSEMOVE
    int32_t draggedPivot;                 // 1-based pivot under the last press or release, or 0
    uint8_t dragArmed;                    // moving draggedPivot with the mouse is allowed
    int32_t barLeft, barTop, barWidth, barHeight;  // the bar in client coordinates
    int32_t dpi;                          // the window's DPI, to which the marker sizes are scaled

    // Pixels at 96 DPI as pixels at the control's DPI.
    int32_t Px(int32_t pixels) const;

private:
    friend LRESULT CALLBACK ColourSliderWndProc(HWND, UINT, WPARAM, LPARAM);

    LRESULT OnMouseMove(POINT point);
    LRESULT OnPaint();
    LRESULT OnPrintClient(HDC dc);
    LRESULT OnEraseBackground(HDC dc);
    LRESULT OnCancelMode();
    LRESULT OnCommand(uint16_t command);
    LRESULT OnButtonDown(POINT point);
    LRESULT OnButtonUp(POINT point);
    LRESULT OnDoubleClick(POINT point);
    LRESULT OnRightButtonDown(UINT message, WPARAM wParam, LPARAM lParam, POINT point);
    LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnDialogCode(const MSG *msg) const;
    LRESULT OnKeyDown(UINT key);
    LRESULT OnFocusChange();
    LRESULT OnGetText(char *buffer, WPARAM size) const;

    bool OnMenuButton(POINT point) const;
    bool InAddZone(POINT point) const;
    void AddPivotAt(int32_t position);
    void Recolour(int32_t pivot);
    void DeleteByRightClickRules(int32_t pivot);
    void MoveSelectedBy(int32_t step);
    void EndPivotDrag(bool notify);
    void Select(int32_t pivot);
    void Changed();
    uint32_t Shown(uint32_t colour) const;
    void PaintGradient(HDC controlDc, HDC labelDc, const GradientPivots *source);
    void DrawLabelRow(HDC controlDc, int32_t position, uint32_t colour);
    void ClearLabelRow(HDC controlDc);
    void DrawMenuButton(HDC dc);
};

// The subclass procedure of every gradient control window.
LRESULT CALLBACK ColourSliderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Drag state shared by all gradient controls; the mouse capture lets only
// one of them use it at a time.
extern int16_t pivotDragActive;       // the mouse is captured for a press on a pivot
extern int16_t pivotMovedDuringDrag;  // a pivot changed position since that press

// Layout of a gradient control with a bar `barHeight` high, for the
// parameter panels: the window height (bar, label text and 7 pixels) and
// the label offset (minus the text height): the window is placed that much
// lower than its layout position, leaving the label row above it.
void GradientControlLayout(int32_t barHeight, int32_t *windowHeight, int32_t *labelOffset);

#endif
