// The small numeric slider "TINYSLIDER": a label, a horizontal track with a
// triangular thumb and an edit box, editing one integer or floating-point
// value by dragging or typing.
//
// Keyboard: the slider is a stop of its dialog's Tab order and its edit box
// the next one. With the focus (drawn round the label) the arrows step by
// the smallest step the text shows, Page Up and Page Down by a tenth of the
// range, Home and End go to its ends, each change reported as a drag's end
// reports it. The slider's text is its label, whose letter after "&" (drawn
// underlined) focuses it. A click into the edit box selects its text; text
// that is no number changes nothing and gives way to the value when the box
// loses the focus.
#ifndef CONTROLS_TINY_SLIDER_H
#define CONTROLS_TINY_SLIDER_H

#include <windows.h>

#include <cstdint>

#include "host/api/qi_core.h"

// Called with the control id when the value has changed.
typedef void (*TinySliderChangeFn)(uint32_t id);
// Called during a drag with the host token of "start", "update" or "end",
// the control id and the current value.
typedef void (*TinySliderDragFn)(QiToken phase, uint16_t id, float value);

// Child id of the slider's edit box. When the box loses the focus, the
// slider tells its parent with WM_COMMAND (its own id, EN_KILLFOCUS), so that
// the owner knows that typing into it has ended.
constexpr int kTinySliderEditId = 1;

// One slider; the owner allocates it zero-filled, configures it after
// CreateTinySlider and keeps it until the slider is destroyed.
struct TinySlider {
    HWND hwnd;                    // the slider window; null when creation failed or after destruction
    HWND hwndEdit;                // the edit box child (child id 1)
    uint32_t id;                  // control id, used as 16 bits; passed to both callbacks
    int16_t width;                // client width in pixels
    int16_t height;               // client height in pixels
    int16_t thumbX;               // x of the thumb tip in client pixels
    const char *label;            // text drawn left of the track, not owned
    uint32_t mode;                // 0: integer mode, 1: floating-point mode
    int32_t intValue;             // current value in integer mode
    int32_t intMin;               // slider range in integer mode: low end
    int32_t intMax;               // slider range in integer mode: high end
    float floatValue;             // current value in floating-point mode
    float floatMin;               // slider range in floating-point mode: low end
    float floatMax;               // slider range in floating-point mode: high end
    uint16_t busy;                // 1 while the control sets its own value or text
    float *boundFloat;            // owner's variable taking each value the user enters, or null
    int32_t *boundInt;            // owner's variable receiving it truncated, or null
    TinySliderChangeFn onChange;  // value-changed callback, or null
    TinySliderDragFn onDrag;      // drag callback, or null
    float limitLow;               // accepted range of entered values: low end
    float limitHigh;              // accepted range of entered values: high end
    int16_t precision;            // decimals shown in floating-point mode, 0 to 4
    uint16_t percent;             // nonzero: shown times 100 with a "%", typed entries divided by 100
    HFONT font;                   // font of the label and the edit box, made by the control
    HBRUSH backgroundBrush;       // fills the control's background
    int16_t dpi;                  // DPI its pixel constants and font are scaled to (0: 96)
};

// Registers the window class; called by the first CreateTinySlider.
ATOM RegisterTinySliderClass(HINSTANCE instance);

// Creates the slider (hidden) under `parent` with child id `id` and an edit
// box showing 0.000; returns its window, or null with record->hwnd null.
HWND CreateTinySlider(HWND parent, HINSTANCE instance, TinySlider *record, uint32_t id,
                      TinySliderChangeFn onChange);

// Shows a value the owner holds (at creation, after a reload or an undo):
// the thumb at the nearest position of the slider range and, with
// updateText, the value itself as the edit text, even beyond that range.
// Nothing is written to the bound variables: they change only when the user
// drags the thumb or types an entry, which writes the entry within the
// accepted range. notify calls onChange when the thumb's value changed.
void SetTinySliderValue(TinySlider *record, float value, uint16_t updateText, uint16_t notify);

// Repaints the strip under the track that holds the thumb and the ticks.
void RefreshTinySliderThumb(TinySlider *record);

// Fills the background from now on with the brush `parent` uses for itself.
void AdoptParentBackground(HWND parent, TinySlider *record);

// Takes the window's DPI anew (after a move to a monitor with another
// one): its font, its field and its pixel constants follow; the owner
// sizes the window. The slider does this itself on WM_DPICHANGED_AFTERPARENT.
void UpdateTinySliderDpi(TinySlider *record);

// The height of a slider row at `dpi` (30 pixels at 96).
int TinySliderRowHeight(int dpi);

// Destroys the slider window and its edit box; the owner frees the record.
void DestroyTinySlider(TinySlider *record);

LRESULT CALLBACK TinySliderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
