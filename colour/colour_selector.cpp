// The "Interactive Color Selector": three scroll bars in RGB or HSV mode, a
// swatch, Undo, and the named and system colour pickers behind its ">>"
// buttons. The dialog edits the caller's colour in place; Cancel and Undo put
// back the colour it opened with.
#include "colour/colour_selector.h"

#include "colour/named_colour_selector.h"
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

// What OpenColourSelector hands to WM_INITDIALOG.
struct SelectorRequest {
    const char *caption;  // title of the colour frame; null keeps "Color"
    float *colour;        // the caller's colour, edited in place
};

// One selector dialog at a time.
float *selectorColour;          // the caller's colour
float selectorSavedColour[3];   // the colour as the dialog opened, for Cancel and Undo
int16_t selectorMode;           // kColourModeRgb or kColourModeHsv; RGB at each opening

void ShowChannelLetters(HWND dialog, const char *letters)
{
    for (int k = 0; k < 3; ++k) {
        const char letter[2] = {letters[k], '\0'};
        SetDlgItemTextA(dialog, IDC_CHANNEL_LETTER + k, letter);
    }
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

LRESULT Selector_OnCommand(HWND dialog, int id, float colour[3], int16_t *mode, int swatchId,
                           int16_t *handled)
{
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
    for (int k = 0; k < 3; ++k)
        selectorSavedColour[k] = selectorColour[k];
    Import_IO_Center_Window(GetParent(dialog), dialog);
    selectorMode = kColourModeRgb;
    for (int k = 0; k < 3; ++k)
        SetScrollRange(GetDlgItem(dialog, IDC_CHANNEL_BAR + k), SB_CTL, 0, 255, FALSE);
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

INT_PTR CALLBACK ColourSelectorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    int16_t handled = 0;
    LRESULT result = ColourSelectorMessage(dialog, message, wParam, lParam, selectorColour,
                                           &selectorMode, IDC_SELECTOR_SWATCH, &handled);
    if (handled)
        return result;
    switch (message) {
    case WM_INITDIALOG:
        return SelectorDialog_OnInitDialog(dialog,
                                           reinterpret_cast<const SelectorRequest *>(lParam));
    case WM_COMMAND: return SelectorDialog_OnCommand(dialog, LOWORD(wParam));
    case WM_DESTROY: SelectorDialog_OnDestroy(); return FALSE;
    }
    return FALSE;
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
        return Selector_OnCommand(dialog, LOWORD(wParam), colour, mode, swatchId, handled);
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
    for (int k = 0; k < 3; ++k) {
        Import_IO_QdInt_To_Dialog(dialog, int16_t(IDC_CHANNEL_NUMBER + k), shown.number[k]);
        SetScrollPos(GetDlgItem(dialog, IDC_CHANNEL_BAR + k), SB_CTL, shown.position[k], TRUE);
    }
    const bool hsv = mode == kColourModeHsv;
    ShowChannelLetters(dialog, hsv ? "HSL" : "RGB");
    CheckRadioButton(dialog, IDC_MODE_RGB, IDC_MODE_HSV, hsv ? IDC_MODE_HSV : IDC_MODE_RGB);
}

int16_t OpenColourSelector(HWND owner, const char *caption, float colour[3])
{
    HINSTANCE module = currentInstance ? currentInstance->moduleInstance : moduleHandle;
    SelectorRequest request = {caption, colour};
    INT_PTR result = DialogBoxParamA(module, "ColorSelectorDialog", owner, ColourSelectorProc,
                                     reinterpret_cast<LPARAM>(&request));
    return result == 1 ? 1 : 0;
}
