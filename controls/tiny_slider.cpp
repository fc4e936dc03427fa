// The "TINYSLIDER" control. The window keeps a pointer to its TinySlider
// record in extra word 0; the value arithmetic is in slider_math.
#include "controls/tiny_slider.h"

#include "controls/parent_background.h"
#include "controls/slider_math.h"
#include "controls/window_dpi.h"

namespace {

const char kClassName[] = "TINYSLIDER";
const char kSampleLabel[] = "This is sample text:";
// Pixel constants at 96 DPI; every one is scaled to the slider's DPI.
const int kCreatedWidth = 296;
const int kCreatedHeight = 30;
const int kFontHeight = 10;
const int kTrackAboveBottom = 8;   // the track line's distance from the bottom
const int kThumbHeight = 6;        // the thumb: its tip under the track, its base at the bottom
const int kThumbHalfWidth = 6;
const int kTickBottom = 3;         // tick marks from the thumb's tip row to this far from the bottom
const int kLabelGap = 4;           // between the label's bottom and the track
const int kPercentGap = 5;
const int kFieldLeft = 230, kFieldTop = 1, kFieldWidth = 60, kFieldHeight = 20;
const int kFieldRightGap = 66;     // from the field's left edge to the "%" sign
const int kFieldBottomGap = 17;

// Drag state shared by all sliders; mouse capture allows one drag at a time.
// The drag belongs to the slider that started it and ends with its window.
struct DragState {
    int32_t startInt;  // intValue at the button press
    float startFloat;  // floatValue at the button press
    float startBound;  // what the bound variable held then: a drag from a value beyond the
                       // slider range writes a new one even when the thumb ends where it began
    int32_t dragging;  // a drag is under way
    uint8_t captured;  // the dragging slider holds the mouse capture
    HWND window;       // the slider that started the drag, or null
};
DragState drag;
uint16_t classRegistered;

// The system's edit procedure beneath every slider's field, and the field
// that a click has just given the focus: its text is selected at the release.
WNDPROC fieldProc;
HWND selectAtRelease;

// The keys of a focused slider.
struct SliderKeyRow {
    UINT key;
    SliderKey action;
};
const SliderKeyRow kSliderKeys[] = {
    {VK_LEFT, SLIDER_STEP_DOWN}, {VK_DOWN, SLIDER_STEP_DOWN}, {VK_RIGHT, SLIDER_STEP_UP},
    {VK_UP, SLIDER_STEP_UP},     {VK_NEXT, SLIDER_PAGE_DOWN}, {VK_PRIOR, SLIDER_PAGE_UP},
    {VK_HOME, SLIDER_HOME},      {VK_END, SLIDER_END},
};

int TinySlider_Px(const TinySlider *slider, int pixels)
{
    return ScalePixels(pixels, slider->dpi);
}

// The top row of the strip under the track that a value change repaints:
// the thumb's tip and the ticks' tops.
int TinySlider_StripTop(const TinySlider *slider, int bottom)
{
    return bottom - 1 - TinySlider_Px(slider, kThumbHeight);
}

TinySlider *TinySlider_Get(HWND window)
{
    return reinterpret_cast<TinySlider *>(GetWindowLongPtrA(window, 0));
}

float TinySlider_CurrentValue(const TinySlider *slider)
{
    return slider->mode == 0 ? static_cast<float>(slider->intValue) : slider->floatValue;
}

void TinySlider_SetEditText(const TinySlider *slider, const char *text)
{
    if (slider->hwndEdit)
        SetWindowTextA(slider->hwndEdit, text);
}

void TinySlider_WriteBound(const TinySlider *slider, float accepted)
{
    if (slider->boundFloat)
        *slider->boundFloat = accepted;
    if (slider->boundInt)
        *slider->boundInt = TruncateToInt32(accepted);
}

// The value within the accepted range that a user's entry writes.
float TinySlider_Accepted(const TinySlider *slider, float value)
{
    if (slider->mode == 0)
        return AcceptedIntegerValue(value, slider->limitLow, slider->limitHigh);
    return ClampToRange(value, slider->limitLow, slider->limitHigh);
}

// What the bound variable holds, or with none the slider's own value.
float TinySlider_Written(const TinySlider *slider)
{
    return slider->boundFloat ? *slider->boundFloat : TinySlider_CurrentValue(slider);
}

// Puts the slider at the position nearest to value within the slider range,
// and with updateText shows `shown` as the edit text. Other modes change
// nothing.
void TinySlider_Place(TinySlider *slider, float value, float shown, bool updateText)
{
    char text[64];
    if (slider->mode == 1) {
        slider->floatValue = ClampToRange(value, slider->floatMin, slider->floatMax);
        slider->thumbX = SliderThumbFromValue(slider->floatValue, slider->floatMin,
                                              slider->floatMax, slider->width, slider->dpi);
        FormatSliderFloat(text, sizeof text, shown, slider->precision, slider->percent != 0);
    } else if (slider->mode == 0) {
        int32_t whole = TruncateToInt32(value);
        slider->intValue = whole < slider->intMin ? slider->intMin
                           : whole > slider->intMax ? slider->intMax
                                                    : whole;
        slider->thumbX = SliderThumbFromValue(float(slider->intValue), float(slider->intMin),
                                              float(slider->intMax), slider->width, slider->dpi);
        FormatSliderInt(text, sizeof text, TruncateToInt32(shown));
    } else {
        return;
    }
    if (updateText)
        TinySlider_SetEditText(slider, text);
}

// A value the user dragged to or typed: placed, and its accepted value
// written to the bound variables and shown as text. notify calls onChange
// once when the slider's value or the written value changed.
void TinySlider_Take(TinySlider *slider, float value, bool updateText, bool notify)
{
    if (slider->mode > 1)
        return;
    const float before = TinySlider_CurrentValue(slider), written = TinySlider_Written(slider);
    const float accepted = TinySlider_Accepted(slider, value);
    slider->busy = 1;
    TinySlider_Place(slider, value, accepted, updateText);
    TinySlider_WriteBound(slider, accepted);
    slider->busy = 0;
    RefreshTinySliderThumb(slider);
    const bool changed = TinySlider_CurrentValue(slider) != before || accepted != written;
    if (notify && slider->onChange && changed)
        slider->onChange(slider->id);
}

// The value under the thumb; in integer mode it becomes intValue at once.
float TinySlider_ValueAtThumb(TinySlider *slider)
{
    if (slider->mode != 0)
        return SliderValueFromThumb(slider->thumbX, slider->floatMin, slider->floatMax, slider->width,
                                    slider->dpi);
    float value = SliderValueFromThumb(slider->thumbX, static_cast<float>(slider->intMin),
                                       static_cast<float>(slider->intMax), slider->width, slider->dpi);
    slider->intValue = TruncateToInt32(value);
    return static_cast<float>(slider->intValue);
}

void TinySlider_NotifyDrag(const TinySlider *slider, const char *phase)
{
    if (slider->onDrag)
        slider->onDrag(Qi_Inquire_Token(phase), static_cast<uint16_t>(slider->id),
                       TinySlider_CurrentValue(slider));
}

HFONT TinySlider_CreateFont(int dpi)
{
    return CreateFontA(ScalePixels(kFontHeight, dpi), 0, 0, 0, 0, FALSE, FALSE, FALSE, 0, 0, 0, PROOF_QUALITY,
                       FF_SWISS, "MS Sans Serif");
}

SIZE TinySlider_TextSize(HDC dc, const char *text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    return size;
}

void TinySlider_DrawLine(HDC dc, int x1, int y1, int x2, int y2)
{
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// Where the label stands: left of the track, above it. Its mnemonic is
// drawn underlined, so it is measured as drawn.
RECT TinySlider_LabelBox(const TinySlider *slider, HDC dc, int bottom)
{
    const char *label = slider->label ? slider->label : "";
    RECT box = {0, 0, 0, 0};
    DrawTextA(dc, label, -1, &box, DT_CALCRECT | DT_SINGLELINE);
    int width = box.right - box.left, height = box.bottom - box.top;
    const int left = SliderTrackStart(slider->dpi), base = bottom - TinySlider_Px(slider, kTrackAboveBottom);
    return {left, base - height - TinySlider_Px(slider, kLabelGap), left + width, base};
}

void TinySlider_DrawTexts(const TinySlider *slider, HWND window, HDC dc, int bottom)
{
    RECT box = TinySlider_LabelBox(slider, dc, bottom);
    DrawTextA(dc, slider->label ? slider->label : "", -1, &box, 0);
    if (GetFocus() == window) {
        InflateRect(&box, 2, 1);
        DrawFocusRect(dc, &box);
    }
    if (!slider->percent)
        return;
    SIZE size = TinySlider_TextSize(dc, "%");
    const int right = slider->width - TinySlider_Px(slider, 6);
    const int base = bottom - TinySlider_Px(slider, kTrackAboveBottom);
    box = {right - size.cx, base - size.cy - TinySlider_Px(slider, kPercentGap), right, base};
    DrawTextA(dc, "%", -1, &box, 0);
}

// Integer mode marks every value of a short range but the current one.
void TinySlider_DrawTicks(const TinySlider *slider, HDC dc, int bottom)
{
    if (slider->mode != 0 || !SliderShowsTicks(slider->intMin, slider->intMax))
        return;
    for (int64_t i = slider->intMin; i <= slider->intMax; ++i) {
        if (i == slider->intValue)
            continue;
        int x = SliderThumbFromValue(static_cast<float>(i), static_cast<float>(slider->intMin),
                                     static_cast<float>(slider->intMax), slider->width, slider->dpi);
        TinySlider_DrawLine(dc, x, TinySlider_StripTop(slider, bottom), x,
                            bottom - TinySlider_Px(slider, kTickBottom));
    }
}

void TinySlider_Draw(const TinySlider *slider, HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    int bottom = client.bottom;
    int oldMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = slider->font ? SelectObject(dc, slider->font) : nullptr;
    TinySlider_DrawTexts(slider, window, dc, bottom);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    const int track = bottom - TinySlider_Px(slider, kTrackAboveBottom);
    // The line ends on the track's last usable pixel (client.right - 7 at 96 DPI).
    TinySlider_DrawLine(dc, SliderTrackStart(slider->dpi), track,
                        SliderTrackEnd(int16_t(client.right), slider->dpi) + 1, track);
    TinySlider_DrawTicks(slider, dc, bottom);
    // The thumb's tip just under the track, its base on the bottom row.
    const int x = slider->thumbX, half = TinySlider_Px(slider, kThumbHalfWidth);
    const int tip = TinySlider_StripTop(slider, bottom);
    POINT thumb[] = {{x, tip}, {x - half, bottom - 1}, {x + half, bottom - 1}, {x, tip}};
    Polyline(dc, thumb, 4);
    SelectObject(dc, oldPen);
    if (oldFont)
        SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
}

LRESULT TinySlider_OnPaint(const TinySlider *slider, HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    TinySlider_Draw(slider, window, dc);
    EndPaint(window, &paint);
    return 0;
}

LRESULT TinySlider_OnEraseBackground(const TinySlider *slider, HWND window, HDC dc)
{
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, slider->backgroundBrush);
    return 1;
}

// Keeps the edit box at the right end, left of the "%" sign: as wide as
// the sign in the window's default font, or in the slider's own where that
// is wider (at a high DPI), so that the box never covers the sign.
void TinySlider_OnSize(TinySlider *slider, HWND window, int width, int height)
{
    if (slider->hwndEdit) {
        HDC dc = GetDC(window);
        SIZE percent = TinySlider_TextSize(dc, "%");
        HGDIOBJ oldFont = slider->font ? SelectObject(dc, slider->font) : nullptr;
        if (oldFont) {
            const SIZE drawn = TinySlider_TextSize(dc, "%");
            percent.cx = drawn.cx > percent.cx ? drawn.cx : percent.cx;
            SelectObject(dc, oldFont);
        }
        ReleaseDC(window, dc);
        RECT edit;
        GetClientRect(slider->hwndEdit, &edit);
        SetWindowPos(slider->hwndEdit, nullptr, width - percent.cx - TinySlider_Px(slider, kFieldRightGap),
                     height - edit.bottom - TinySlider_Px(slider, kFieldBottomGap), 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
    }
    slider->width = static_cast<int16_t>(width);
    slider->height = static_cast<int16_t>(height);
    RefreshTinySliderThumb(slider);
}

// An entry inside the accepted range stays as typed; one outside it is
// replaced by the text of the limit it passed. Text that is no number (yet)
// changes nothing.
void TinySlider_OnTypedEntry(TinySlider *slider)
{
    char text[256] = "";
    GetWindowTextA(slider->hwndEdit, text, sizeof text);
    float typed = 0.0f;
    if (!ParseSliderEntry(text, slider->percent != 0, &typed))
        return;
    SliderEntry entry = AcceptTypedEntry(typed, slider->limitLow, slider->limitHigh);
    TinySlider_Take(slider, entry.value, entry.replaceText, true);
}

// A field left with text that is no number shows the value it stands for.
void TinySlider_OnFieldLeft(TinySlider *slider)
{
    char text[256] = "";
    GetWindowTextA(slider->hwndEdit, text, sizeof text);
    float typed = 0.0f;
    if (ParseSliderEntry(text, slider->percent != 0, &typed))
        return;
    const float value = TinySlider_Written(slider);
    if (slider->mode == 0)
        FormatSliderInt(text, sizeof text, TruncateToInt32(value));
    else
        FormatSliderFloat(text, sizeof text, value, slider->precision, slider->percent != 0);
    slider->busy = 1;
    TinySlider_SetEditText(slider, text);
    slider->busy = 0;
}

// The edit box's notifications; those raised while the control sets its own
// text are left alone. Returns false for commands that are not the edit box's.
bool TinySlider_OnCommand(TinySlider *slider, int childId, int code)
{
    if (childId != kTinySliderEditId || slider->busy)
        return false;
    if (code == EN_UPDATE) {
        TinySlider_OnTypedEntry(slider);
    } else if (code == EN_KILLFOCUS && slider->hwnd) {
        TinySlider_OnFieldLeft(slider);
        SendMessageA(GetParent(slider->hwnd), WM_COMMAND,
                     MAKEWPARAM(uint16_t(slider->id), EN_KILLFOCUS),
                     reinterpret_cast<LPARAM>(slider->hwnd));
    }
    return true;
}

// Moves the focus the way a dialog's own keys do, so that the dialog knows
// where it is (and a field's text is selected); a parent that is no dialog
// leaves it to SetFocus.
void TinySlider_FocusControl(HWND slider, HWND control)
{
    if (HWND parent = GetParent(slider))
        SendMessageA(parent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    if (GetFocus() != control)
        SetFocus(control);
}

bool TinySlider_FieldTakesFocus(const TinySlider *slider)
{
    return slider->hwndEdit && IsWindowVisible(slider->hwndEdit) &&
           IsWindowEnabled(slider->hwndEdit);
}

bool TinySlider_IsShiftTab(const MSG *msg)
{
    return msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB &&
           GetKeyState(VK_SHIFT) < 0;
}

// The slider is a stop of the dialog's Tab order and its field the next
// one: Tab goes on from the slider into its field, Shift+Tab from the field
// back to the slider. Alt with the label's letter focuses the slider (the
// dialog clicks it, as it clicks a button).
LRESULT TinySlider_DialogCode(const TinySlider *slider, const MSG *msg)
{
    LRESULT code = DLGC_WANTARROWS | DLGC_BUTTON;
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB && !TinySlider_IsShiftTab(msg) &&
        TinySlider_FieldTakesFocus(slider))
        code |= DLGC_WANTTAB;
    return code;
}

// The arrows step by the smallest step the text shows, Page Up and Page
// Down by a tenth of the range, Home and End go to its ends; each change
// is reported as a drag's end reports it.
void TinySlider_OnKeyDown(TinySlider *slider, HWND window, UINT key)
{
    if (key == VK_TAB && TinySlider_FieldTakesFocus(slider)) {
        TinySlider_FocusControl(window, slider->hwndEdit);
        return;
    }
    for (const SliderKeyRow &row : kSliderKeys) {
        if (row.key != key || slider->mode > 1)
            continue;
        const bool integer = slider->mode == 0;
        const float now = TinySlider_CurrentValue(slider);
        const float value =
            SliderKeyValue(now, integer ? float(slider->intMin) : slider->floatMin,
                           integer ? float(slider->intMax) : slider->floatMax, row.action,
                           integer, slider->precision, slider->percent != 0);
        // At an end already nothing is written: a value typed beyond the
        // slider's range stays.
        if (value != now)
            TinySlider_Take(slider, value, true, true);
        return;
    }
}

void TinySlider_RepaintLabel(const TinySlider *slider, HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    HGDIOBJ oldFont = slider->font ? SelectObject(dc, slider->font) : nullptr;
    RECT box = TinySlider_LabelBox(slider, dc, client.bottom);
    if (oldFont)
        SelectObject(dc, oldFont);
    ReleaseDC(window, dc);
    InflateRect(&box, 3, 2);
    InvalidateRect(window, &box, TRUE);
}

// Shift+Tab from the control after the slider ends in the slider's field,
// the stop before it (Shift+Tab from the field comes to the slider itself).
void TinySlider_OnSetFocus(TinySlider *slider, HWND window, HWND previous)
{
    if (GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_TAB) < 0 && previous != slider->hwndEdit &&
        TinySlider_FieldTakesFocus(slider))
        TinySlider_FocusControl(window, slider->hwndEdit);
    else
        TinySlider_RepaintLabel(slider, window);
}

// The label, as the dialog's keys and the accessibility tools read a
// control's text.
LRESULT TinySlider_CopyLabel(const TinySlider *slider, char *buffer, WPARAM size)
{
    const char *label = slider->label ? slider->label : "";
    if (!buffer || size == 0)
        return 0;
    lstrcpynA(buffer, label, int(size));
    return lstrlenA(buffer);
}

void TinySlider_ForgetDrag()
{
    drag.dragging = 0;
    drag.captured = 0;
    drag.window = nullptr;
}

// The capture is taken first, so that a drag it ends elsewhere is finished
// with that slider's own start values.
void TinySlider_OnButtonDown(const TinySlider *slider, HWND window)
{
    SetCapture(window);
    drag.startInt = slider->intValue;
    drag.startFloat = slider->floatValue;
    drag.startBound = TinySlider_Written(slider);
    drag.dragging = 1;
    drag.captured = 1;
    drag.window = window;
    TinySlider_NotifyDrag(slider, "start");
}

// Moves the thumb to x within the track; the value snaps the thumb back to
// its own position.
void TinySlider_MoveThumb(TinySlider *slider, int x)
{
    slider->thumbX = ClampSliderThumb(x, slider->width, slider->dpi);
    TinySlider_Take(slider, TinySlider_ValueAtThumb(slider), true, false);
}

// Only the dragging slider follows the pointer, and only while it holds the
// capture.
void TinySlider_OnMouseMove(TinySlider *slider, HWND window, int x)
{
    if (!drag.dragging || drag.window != window || GetCapture() != window)
        return;
    TinySlider_MoveThumb(slider, x);
    TinySlider_NotifyDrag(slider, "update");
}

void TinySlider_FinishDrag(const TinySlider *slider)
{
    bool changed = slider->mode == 0 ? slider->intValue != drag.startInt
                                     : slider->floatValue != drag.startFloat;
    changed = changed || TinySlider_Written(slider) != drag.startBound;
    if (changed && slider->onChange)
        slider->onChange(slider->id);
    TinySlider_NotifyDrag(slider, "end");
}

// A capture taken since by another window is left to it.
void TinySlider_OnButtonUp(TinySlider *slider, HWND window, int x)
{
    if (!drag.captured || drag.window != window)
        return;
    TinySlider_ForgetDrag();
    if (GetCapture() == window)
        ReleaseCapture();
    if (ClampSliderThumb(x, slider->width, slider->dpi) != slider->thumbX)
        TinySlider_MoveThumb(slider, x);
    TinySlider_FinishDrag(slider);
}

// Capture taken away in the middle of a drag (another window took it) ends
// the drag where the thumb is, so that the pointer no longer moves it.
void TinySlider_OnCaptureLost(const TinySlider *slider, HWND window, HWND newCapture)
{
    if (!drag.captured || drag.window != window || newCapture == window)
        return;
    TinySlider_ForgetDrag();
    TinySlider_FinishDrag(slider);
}

// A slider destroyed in the middle of its drag ends it without callbacks:
// its owner is taking it down and may be half gone. Not every system tells
// a window that it loses the capture by its destruction, so the capture is
// given back here.
void TinySlider_OnDestroy(HWND window)
{
    if (drag.window != window)
        return;
    TinySlider_ForgetDrag();
    if (GetCapture() == window)
        ReleaseCapture();
}

void TinySlider_OnNcDestroy(TinySlider *slider, HWND window)
{
    ReleaseOwnBackground(window, &slider->backgroundBrush);
    if (slider->font)
        DeleteObject(slider->font);
    slider->font = nullptr;
    slider->hwnd = nullptr;
    slider->hwndEdit = nullptr;
    SetWindowLongPtrA(window, 0, 0);
}

// The field: a click that gives it the focus selects its text, as Tab does;
// Shift+Tab goes back to its slider.
LRESULT CALLBACK TinySliderFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        if (GetFocus() != field)
            selectAtRelease = field;
        break;
    case WM_LBUTTONUP: {
        LRESULT result = CallWindowProcA(fieldProc, field, message, wParam, lParam);
        DWORD from = 0, to = 0;
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        if (selectAtRelease == field && from == to)
            SendMessageA(field, EM_SETSEL, 0, -1);
        selectAtRelease = nullptr;
        return result;
    }
    case WM_GETDLGCODE:
        if (TinySlider_IsShiftTab(reinterpret_cast<const MSG *>(lParam)))
            return CallWindowProcA(fieldProc, field, message, wParam, lParam) | DLGC_WANTTAB;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB && GetKeyState(VK_SHIFT) < 0) {
            TinySlider_FocusControl(GetParent(field), GetParent(field));
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\t')
            return 0;
        break;
    }
    return CallWindowProcA(fieldProc, field, message, wParam, lParam);
}

}  // namespace

ATOM RegisterTinySliderClass(HINSTANCE instance)
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = TinySliderWndProc;
    windowClass.cbWndExtra = sizeof(TinySlider *);
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass);
}

HWND CreateTinySlider(HWND parent, HINSTANCE instance, TinySlider *record, uint32_t id,
                      TinySliderChangeFn onChange)
{
    if (!classRegistered) {
        RegisterTinySliderClass(instance);
        classRegistered = 1;
    }
    record->backgroundBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    record->onChange = onChange;
    record->dpi = int16_t(WindowDpi(parent));
    record->width = int16_t(TinySlider_Px(record, kCreatedWidth));
    record->height = int16_t(TinySliderRowHeight(record->dpi));
    record->id = id;
    record->busy = 0;
    record->boundFloat = nullptr;
    record->boundInt = nullptr;
    record->hwnd =
        CreateWindowExA(0, kClassName, nullptr, WS_CHILD | WS_TABSTOP, 0, 0, record->width,
                        record->height, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                        instance, nullptr);
    if (!record->hwnd) {
        DeleteObject(record->backgroundBrush);
        record->backgroundBrush = nullptr;
        return nullptr;
    }
    // Owner: the window deletes this brush and its font at WM_NCDESTROY, never a brush the parent gave.
    KeepOwnBackground(record->hwnd, record->backgroundBrush);
    SetWindowLongPtrA(record->hwnd, 0, reinterpret_cast<LONG_PTR>(record));
    record->label = kSampleLabel;
    record->thumbX = SliderTrackStart(record->dpi);
    record->mode = 1;
    record->floatValue = 0.0f;
    record->floatMin = 0.0f;
    record->floatMax = 100.0f;
    record->font = TinySlider_CreateFont(record->dpi);
    record->hwndEdit = CreateWindowExA(
        WS_EX_CLIENTEDGE, "edit", "", WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_RIGHT,
        TinySlider_Px(record, kFieldLeft), TinySlider_Px(record, kFieldTop),
        TinySlider_Px(record, kFieldWidth), TinySlider_Px(record, kFieldHeight), record->hwnd,
        reinterpret_cast<HMENU>(kTinySliderEditId), instance, nullptr);
    if (record->hwndEdit) {
        SendMessageA(record->hwndEdit, WM_SETFONT, reinterpret_cast<WPARAM>(record->font), TRUE);
        // Every field's own procedure is the system's edit procedure.
        fieldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            record->hwndEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TinySliderFieldProc)));
    }
    record->busy = 1;
    record->floatValue = SliderValueFromThumb(record->thumbX, record->floatMin, record->floatMax,
                                              record->width, record->dpi);
    char text[64];
    FormatSliderFloat(text, sizeof text, record->floatValue, 3, false);
    TinySlider_SetEditText(record, text);
    record->busy = 0;
    return record->hwnd;
}

void SetTinySliderValue(TinySlider *record, float value, uint16_t updateText, uint16_t notify)
{
    const float before = TinySlider_CurrentValue(record);
    record->busy = 1;
    TinySlider_Place(record, value, value, updateText != 0);
    record->busy = 0;
    RefreshTinySliderThumb(record);
    if (notify && record->onChange && TinySlider_CurrentValue(record) != before)
        record->onChange(record->id);
}

void RefreshTinySliderThumb(TinySlider *record)
{
    if (!record->hwnd)
        return;
    RECT strip;
    GetClientRect(record->hwnd, &strip);
    strip.top = TinySlider_StripTop(record, strip.bottom);
    InvalidateRect(record->hwnd, &strip, TRUE);
    UpdateWindow(record->hwnd);
}

void AdoptParentBackground(HWND parent, TinySlider *record)
{
    if (record->hwnd)
        record->backgroundBrush = AdoptParentBrush(parent, record->hwnd, record->backgroundBrush);
}

int TinySliderRowHeight(int dpi)
{
    return ScalePixels(kCreatedHeight, dpi);
}

void UpdateTinySliderDpi(TinySlider *record)
{
    if (!record->hwnd || !TakeWindowDpi(record->hwnd, &record->dpi))
        return;
    HFONT old = record->font;
    record->font = TinySlider_CreateFont(record->dpi);
    if (record->hwndEdit) {
        SendMessageA(record->hwndEdit, WM_SETFONT, reinterpret_cast<WPARAM>(record->font), TRUE);
        SetWindowPos(record->hwndEdit, nullptr, 0, 0, TinySlider_Px(record, kFieldWidth),
                     TinySlider_Px(record, kFieldHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (old)
        DeleteObject(old);
    TinySlider_OnSize(record, record->hwnd, record->width, record->height);
    SetTinySliderValue(record, TinySlider_CurrentValue(record), 0, 0);
    InvalidateRect(record->hwnd, nullptr, TRUE);
}

void DestroyTinySlider(TinySlider *record)
{
    if (record->hwnd)
        DestroyWindow(record->hwnd);
    record->hwnd = nullptr;
}

LRESULT CALLBACK TinySliderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    TinySlider *slider = TinySlider_Get(window);
    if (!slider)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return TinySlider_OnEraseBackground(slider, window, reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
        return TinySlider_OnPaint(slider, window);
    case WM_PRINTCLIENT:
        TinySlider_Draw(slider, window, reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SIZE:
        TinySlider_OnSize(slider, window, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        if (TinySlider_OnCommand(slider, LOWORD(wParam), HIWORD(wParam)))
            return 0;
        break;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        TinySlider_OnButtonDown(slider, window);
        return 0;
    case WM_GETDLGCODE:
        return TinySlider_DialogCode(slider, reinterpret_cast<const MSG *>(lParam));
    case WM_KEYDOWN:
        TinySlider_OnKeyDown(slider, window, UINT(wParam));
        return 0;
    case WM_SETFOCUS:
        TinySlider_OnSetFocus(slider, window, reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_KILLFOCUS:
        TinySlider_RepaintLabel(slider, window);
        return 0;
    case BM_CLICK:
        TinySlider_FocusControl(window, window);
        return 0;
    case WM_GETTEXT:
        return TinySlider_CopyLabel(slider, reinterpret_cast<char *>(lParam), wParam);
    case WM_GETTEXTLENGTH:
        return slider->label ? lstrlenA(slider->label) : 0;
    case WM_MOUSEMOVE:
        TinySlider_OnMouseMove(slider, window, (SHORT)LOWORD(lParam));
        return 0;
    case WM_LBUTTONUP:
        TinySlider_OnButtonUp(slider, window, (SHORT)LOWORD(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        TinySlider_OnCaptureLost(slider, window, reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DESTROY:
        TinySlider_OnDestroy(window);
        break;
    case kDpiChangedAfterParentMessage:
        UpdateTinySliderDpi(slider);
        return 0;
    case WM_NCDESTROY:
        TinySlider_OnNcDestroy(slider, window);
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
