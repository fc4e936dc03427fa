// The "Interactive Color Selector": three scroll bars in RGB or HSV mode with
// a typed field each and a "#RRGGBB" field, a swatch, Undo, and the named and
// system colour pickers behind its ">>" buttons. The dialog edits the
// caller's colour in place, handing it over live when the caller asks;
// Cancel and Undo put back the colour it opened with.
#include "colour/colour_selector.h"

#include <cstring>

#include "colour/named_colour_selector.h"
#include "colour/selector_fields.h"
#include "colour/selector_scroll.h"
#include "colour/system_colour_picker.h"
#include "frame/plugin_instance.h"
#include "host/api/qi_importio.h"
#include "resources/colour_ids.h"

static_assert(kScrollLineLeft == SB_LINELEFT && kScrollLineRight == SB_LINERIGHT &&
                  kScrollPageLeft == SB_PAGELEFT && kScrollPageRight == SB_PAGERIGHT &&
                  kScrollThumbPosition == SB_THUMBPOSITION &&
                  kScrollThumbTrack == SB_THUMBTRACK && kScrollLeftEnd == SB_LEFT &&
                  kScrollRightEnd == SB_RIGHT,
              "scroll codes of WM_HSCROLL");

namespace {

// Posted by the selector to itself when its colour changed since it was last
// handed over live.
constexpr UINT WMU_LIVE_COLOUR = WM_APP + 1;

// What the fields take: a sign and digits, or "#RRGGBB".
const int kNumberFieldChars = 8, kHexFieldChars = 7;

// What OpenColourSelector hands to WM_INITDIALOG.
struct SelectorRequest {
    const char *caption;            // title of the colour frame; null keeps "Color"
    float *colour;                  // the caller's colour, edited in place
    SelectorLiveChange liveChange;  // hands the colour over while it changes, or null
};

// One selector dialog at a time.
float *selectorColour;          // the caller's colour
float selectorSavedColour[3];   // the colour as the dialog opened, for Cancel and Undo
int16_t selectorMode;           // kColourModeRgb or kColourModeHsv; RGB at each opening
SelectorLiveChange selectorLiveChange;  // the caller's live hand-over, or null
float selectorLiveColour[3];    // the colour the caller last had: at opening or handed over
bool selectorLivePosted;        // a WMU_LIVE_COLOUR is waiting in the queue
bool selectorLiveHandedOver;    // liveChange was called during this opening

// The fields' own state, shared by any dialog with the selector's controls.
bool showingColour;             // the fields are being written: no typing to apply
int fieldBeingTyped;            // the field whose typing is applied: its text stays

bool SameColour(const float *a, const float *b)
{
    return std::memcmp(a, b, 3 * sizeof(float)) == 0;
}

void SetTextIfChanged(HWND dialog, int id, const char *text)
{
    char now[16] = "";
    GetDlgItemTextA(dialog, id, now, sizeof now);
    if (std::strcmp(now, text) != 0)
        SetDlgItemTextA(dialog, id, text);
}

// The channel letters carry the mnemonics of their fields; the button of the
// other mode carries its first letter, which no channel of this mode uses.
void ShowModeLabels(HWND dialog, bool hsv)
{
    static const char *const letters[2][3] = {{"&R", "&G", "&B"}, {"&H", "&S", "&V"}};
    for (int k = 0; k < 3; ++k)
        SetTextIfChanged(dialog, IDC_CHANNEL_LETTER + k, letters[hsv][k]);
    SetTextIfChanged(dialog, IDC_MODE_RGB, hsv ? "&RGB" : "RGB");
    SetTextIfChanged(dialog, IDC_MODE_HSV, hsv ? "HSV" : "&HSV");
}

void ShowColourInFields(HWND dialog, const float colour[3], const ChannelDisplay &shown)
{
    showingColour = true;
    for (int k = 0; k < 3; ++k)
        if (IDC_CHANNEL_NUMBER + k != fieldBeingTyped)
            Import_IO_QdInt_To_Dialog(dialog, int16_t(IDC_CHANNEL_NUMBER + k), shown.number[k]);
    if (fieldBeingTyped != IDC_HEX_FIELD) {
        char hex[8];
        FormatHexColour(colour, hex);
        SetDlgItemTextA(dialog, IDC_HEX_FIELD, hex);
    }
    showingColour = false;
}

bool IsColourField(int id)
{
    return (id >= IDC_CHANNEL_NUMBER && id < IDC_CHANNEL_NUMBER + 3) || id == IDC_HEX_FIELD;
}

LRESULT Selector_OnDrawItem(const DRAWITEMSTRUCT *item, const float colour[3], int swatchId,
                            int16_t *handled)
{
    if (int(item->CtlID) != swatchId || !HandleSwatchDrawItem(item, colour))
        return 0;
    *handled = 1;
    return 1;
}

void Selector_OnNamedColours(HWND dialog, float colour[3], int16_t mode, int swatchId)
{
    OpenNamedColourSelector(dialog, colour);
    ShowColourInControls(dialog, colour, mode, swatchId);
}

void Selector_OnPalette(HWND dialog, float colour[3], int16_t mode, int swatchId)
{
    if (PickSystemColour(dialog, colour))
        ShowColourInControls(dialog, colour, mode, swatchId);
}

// Switching the mode changes only what the bars show, never the colour.
void Selector_OnMode(HWND dialog, int id, const float colour[3], int16_t *mode, int swatchId)
{
    CheckRadioButton(dialog, IDC_MODE_RGB, IDC_MODE_HSV, id);
    *mode = id == IDC_MODE_HSV ? kColourModeHsv : kColourModeRgb;
    ShowColourInControls(dialog, colour, *mode, swatchId);
}

// Text typed into a field sets the colour when it reads as the field's kind
// of value; anything else waits for more typing.
void Selector_OnTyping(HWND dialog, int id, float colour[3], int16_t mode, int swatchId)
{
    char text[32] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    bool changed;
    if (id == IDC_HEX_FIELD) {
        uint8_t bytes[3];
        changed = ParseHexColour(text, bytes) && TypeHexColour(colour, bytes);
    } else {
        int32_t number;
        changed = ParseFieldNumber(text, &number) &&
                  TypeColourChannel(colour, mode, id - IDC_CHANNEL_NUMBER, number);
    }
    if (!changed)
        return;
    fieldBeingTyped = id;
    ShowColourInControls(dialog, colour, mode, swatchId);
    fieldBeingTyped = 0;
}

// Entering a field selects its text (after the click that entered it has
// placed the caret); leaving it shows the colour's value again.
void Selector_OnField(HWND dialog, int id, int code, float colour[3], int16_t mode, int swatchId)
{
    if (code == EN_SETFOCUS)
        PostMessageA(GetDlgItem(dialog, id), EM_SETSEL, 0, -1);
    else if (code == EN_KILLFOCUS)
        ShowColourInControls(dialog, colour, mode, swatchId);
    else if (code == EN_CHANGE && !showingColour)
        Selector_OnTyping(dialog, id, colour, mode, swatchId);
}

LRESULT Selector_OnCommand(HWND dialog, int id, int code, float colour[3], int16_t *mode,
                           int swatchId, int16_t *handled)
{
    if (IsColourField(id)) {
        Selector_OnField(dialog, id, code, colour, *mode, swatchId);
        *handled = 1;
        return 0;
    }
    switch (id) {
    case IDC_COLOR_PALETTE: Selector_OnPalette(dialog, colour, *mode, swatchId); break;
    case IDC_COLOR_NAMES: Selector_OnNamedColours(dialog, colour, *mode, swatchId); break;
    case IDC_MODE_RGB:
    case IDC_MODE_HSV: Selector_OnMode(dialog, id, colour, mode, swatchId); break;
    default: return 0;
    }
    *handled = 1;
    return 1;
}

LRESULT Selector_OnHScroll(HWND dialog, HWND bar, int code, int thumb, float colour[3],
                           int16_t mode, int swatchId, int16_t *handled)
{
    const int index = bar ? GetDlgCtrlID(bar) - IDC_CHANNEL_BAR : -1;
    if (index < 0 || index > 2)
        return 0;
    *handled = 1;
    if (ScrollColourChannel(colour, mode, index, code, thumb))
        ShowColourInControls(dialog, colour, mode, swatchId);
    return 0;
}

BOOL SelectorDialog_OnInitDialog(HWND dialog, const SelectorRequest *request)
{
    selectorColour = request->colour;
    selectorLiveChange = request->liveChange;
    for (int k = 0; k < 3; ++k)
        selectorSavedColour[k] = selectorLiveColour[k] = selectorColour[k];
    Import_IO_Center_Window(GetParent(dialog), dialog);
    selectorMode = kColourModeRgb;
    for (int k = 0; k < 3; ++k) {
        SetScrollRange(GetDlgItem(dialog, IDC_CHANNEL_BAR + k), SB_CTL, 0, 255, FALSE);
        SendDlgItemMessageA(dialog, IDC_CHANNEL_NUMBER + k, EM_LIMITTEXT, kNumberFieldChars, 0);
    }
    SendDlgItemMessageA(dialog, IDC_HEX_FIELD, EM_LIMITTEXT, kHexFieldChars, 0);
    ShowColourInControls(dialog, selectorColour, selectorMode, IDC_SELECTOR_SWATCH);
    if (request->caption)
        SetDlgItemTextA(dialog, IDC_COLOR_FRAME, request->caption);
    return TRUE;
}

void SelectorDialog_RestoreColour()
{
    for (int k = 0; k < 3; ++k)
        selectorColour[k] = selectorSavedColour[k];
}

BOOL SelectorDialog_OnCommand(HWND dialog, int id)
{
    switch (id) {
    case IDOK: EndDialog(dialog, 1); return TRUE;
    case IDCANCEL:
        SelectorDialog_RestoreColour();
        EndDialog(dialog, 0);
        return TRUE;
    case IDC_SELECTOR_UNDO:
        SelectorDialog_RestoreColour();
        ShowColourInControls(dialog, selectorColour, selectorMode, IDC_SELECTOR_SWATCH);
        return TRUE;
    }
    return FALSE;
}

// The caller's colour is not touched once the dialog is gone.
void SelectorDialog_OnDestroy()
{
    selectorColour = nullptr;
}

// After any message: a colour the caller has not got yet is handed over when
// the queue gets round to the one message posted for it.
void SelectorDialog_NoteChange(HWND dialog)
{
    if (!selectorColour || !selectorLiveChange || selectorLivePosted ||
        SameColour(selectorColour, selectorLiveColour))
        return;
    selectorLivePosted = PostMessageA(dialog, WMU_LIVE_COLOUR, 0, 0) != 0;
}

void SelectorDialog_OnLiveColour()
{
    selectorLivePosted = false;
    if (!selectorColour || !selectorLiveChange || SameColour(selectorColour, selectorLiveColour))
        return;
    std::memcpy(selectorLiveColour, selectorColour, sizeof selectorLiveColour);
    selectorLiveHandedOver = true;
    selectorLiveChange();
}

INT_PTR SelectorDialog_OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return SelectorDialog_OnInitDialog(dialog,
                                           reinterpret_cast<const SelectorRequest *>(lParam));
    case WM_COMMAND: return SelectorDialog_OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY: SelectorDialog_OnDestroy(); return FALSE;
    case WMU_LIVE_COLOUR: SelectorDialog_OnLiveColour(); return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ColourSelectorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    int16_t handled = 0;
    INT_PTR result = ColourSelectorMessage(dialog, message, wParam, lParam, selectorColour,
                                           &selectorMode, IDC_SELECTOR_SWATCH, &handled);
    if (!handled)
        result = SelectorDialog_OnMessage(dialog, message, wParam, lParam);
    SelectorDialog_NoteChange(dialog);
    return result;
}

}  // namespace

LRESULT ColourSelectorMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                              float colour[3], int16_t *mode, int swatchId, int16_t *handled)
{
    *handled = 0;
    if (!colour)
        return 0;
    switch (message) {
    case WM_ACTIVATE:
    case WM_MDIACTIVATE:
    case WM_PALETTECHANGED: RefreshControl(dialog, swatchId); return 0;
    case WM_DRAWITEM:
        return Selector_OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT *>(lParam), colour,
                                   swatchId, handled);
    case WM_COMMAND:
        return Selector_OnCommand(dialog, LOWORD(wParam), HIWORD(wParam), colour, mode,
                                  swatchId, handled);
    case WM_HSCROLL:
        return Selector_OnHScroll(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam),
                                  HIWORD(wParam), colour, *mode, swatchId, handled);
    }
    return 0;
}

void ShowColourInControls(HWND dialog, const float colour[3], int16_t mode, int swatchId)
{
    RefreshControl(dialog, swatchId);
    if (!IsWindowEnabled(GetDlgItem(dialog, IDC_CHANNEL_BAR)))
        return;
    const ChannelDisplay shown = ChannelDisplayOf(colour, mode);
    for (int k = 0; k < 3; ++k)
        SetScrollPos(GetDlgItem(dialog, IDC_CHANNEL_BAR + k), SB_CTL, shown.position[k], TRUE);
    ShowColourInFields(dialog, colour, shown);
    const bool hsv = mode == kColourModeHsv;
    ShowModeLabels(dialog, hsv);
    CheckRadioButton(dialog, IDC_MODE_RGB, IDC_MODE_HSV, hsv ? IDC_MODE_HSV : IDC_MODE_RGB);
}

int16_t OpenColourSelector(HWND owner, const char *caption, float colour[3],
                           SelectorLiveChange liveChange)
{
    HINSTANCE module = currentInstance ? currentInstance->moduleInstance : moduleHandle;
    SelectorRequest request = {caption, colour, liveChange};
    selectorLivePosted = selectorLiveHandedOver = false;
    INT_PTR result = DialogBoxParamA(module, "ColorSelectorDialog", owner, ColourSelectorProc,
                                     reinterpret_cast<LPARAM>(&request));
    if (liveChange && selectorLiveHandedOver && !SameColour(colour, selectorLiveColour))
        liveChange();
    return result == 1 ? 1 : 0;
}
