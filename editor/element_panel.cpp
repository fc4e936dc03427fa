// The element page: one control per parameter of the current element, laid
// out in two columns inside the page area, numbered from PANEL_FIRST_ID in
// parameter order. Sliders write the value through their bound field, check
// boxes, colours and lists in ElementPanelCommand; gradients live in their
// controls until the panel is saved.
#include "editor/element_panel.h"

#include <cfloat>
#include <deque>
#include <new>
#include <string>

#include "colour/colour_selector.h"
#include "controls/slider_math.h"
#include "controls/window_dpi.h"
#include "controls/tiny_slider.h"
#include "editor/editor_state.h"
#include "editor/list_entries.h"
#include "editor/mnemonics.h"
#include "editor/panel_cache.h"
#include "editor/panel_ranges.h"
#include "editor/panel_scroll.h"
#include "editor/parameter_pages.h"
#include "gradient/colour_slider.h"
#include "gradient/gradient_pivots.h"
#include "host/api/qi_importio.h"
#include "resources/resource.h"

namespace {

// Set once either range message has been shown; neither is shown again
// while the plug-in stays loaded.
int16_t apiErrorReported = 0;

// The captions of the panels' controls (labels with their letters), kept
// while the editor is open, since kept pages go on drawing theirs: sliders
// and gradients draw them from here.
std::deque<std::string> panelCaptions;

// The DPI at which the kept pages were built: pages kept from another one
// (the editor has moved to a monitor with another scale) are built anew.
int keptPagesDpi = 0;

// Pixels at 96 DPI; the panel scales them to the dialog's DPI.
constexpr int kRowHeight = 30;       // sliders and check boxes
constexpr int kColourHeight = 20;    // colour buttons
constexpr int kGradientBar = 15;     // bar height of a gradient control
constexpr int kMinimumButton = 24;   // a colour button or list never gets narrower

struct ParameterTypes {
    QiToken floatslider, intslider, angle, checkbox, color, list, gradient, on;
};

const ParameterTypes &Types()
{
    static const ParameterTypes types = {
        Qi_Inquire_Token("floatslider"), Qi_Inquire_Token("intslider"),
        Qi_Inquire_Token("angle"),       Qi_Inquire_Token("checkbox"),
        Qi_Inquire_Token("color"),       Qi_Inquire_Token("list"),
        Qi_Inquire_Token("gradient"),    Qi_Inquire_Token("on")};
    return types;
}

bool IsSlider(QiToken type)
{
    const ParameterTypes &t = Types();
    return type == t.floatslider || type == t.intslider || type == t.angle;
}

// Where the next control goes: the column's x and width and the running y.
struct PanelLayout {
    HWND dialog;
    HINSTANCE instance;
    RECT area;        // the page area in dialog coordinates
    int half, other;  // the widths of the two columns' shares
    bool second;      // the layout has moved to the second column
    int x, y, width;
    int nextId;
    MnemonicLetters letters;  // the letters the dialog's visible controls use
    int dpi;                  // the dialog's DPI, to which the pixel constants are scaled
};

int Px(const PanelLayout &layout, int pixels)
{
    return ScalePixels(pixels, layout.dpi);
}

void UseColumn(PanelLayout &layout, bool second)
{
    layout.second = second;
    layout.y = layout.area.top + Px(layout, 10);
    layout.x = layout.area.left + Px(layout, 5) + (second ? layout.half : 0);
    layout.width = second ? layout.other - Px(layout, 15) : layout.half - Px(layout, 10);
}

// A control that would reach past the area's foot while the first column
// is in use starts the second column; there is no third.
void FitInColumn(PanelLayout &layout, int height)
{
    if (!layout.second && layout.y + height > layout.area.bottom - Px(layout, 7))
        UseColumn(layout, true);
}

int ClientHeight(HWND window)
{
    RECT r = {};
    GetClientRect(window, &r);
    return r.bottom - r.top;
}

SIZE LabelSize(HWND dialog, const char *text)
{
    SIZE size = {0, 0};
    HDC dc = GetDC(dialog);
    HGDIOBJ old = SelectObject(dc, GetStockObject(ANSI_VAR_FONT));
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(dialog, dc);
    return size;
}

void SetPanelFont(HWND window)
{
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(ANSI_VAR_FONT)), 1);
}

HWND CreateChild(const PanelLayout &layout, const char *cls, const char *text, DWORD style, int x,
                 int y, int width, int height, int id)
{
    return CreateWindowExA(0, cls, text, style, x, y, width, height, layout.dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), layout.instance,
                           nullptr);
}

const char *Label(const FlareParameter *p)
{
    return p->description ? p->description : "";
}

// The label as a caption with a letter of its own among the controls shown.
const char *Caption(PanelLayout &layout, const FlareParameter *p)
{
    panelCaptions.push_back(CaptionWithMnemonic(Label(p), &layout.letters));
    return panelCaptions.back().c_str();
}

// The letters of the captions the dialog shows, before the panel is added:
// those of the controls the dialog's keys reach by their letter.
MnemonicLetters VisibleMnemonics(HWND dialog)
{
    MnemonicLetters letters;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!(GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE) ||
            !(SendMessageA(child, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_STATIC)))
            continue;
        char text[256] = "";
        GetWindowTextA(child, text, sizeof text);
        UseMnemonic(&letters, text);
    }
    return letters;
}

// The label left of a colour button or list: cut so that the control keeps
// a usable width in narrow columns.
int LabelWidth(const PanelLayout &layout, int measured)
{
    int room = layout.width - Px(layout, 7) - Px(layout, kMinimumButton);
    return measured < room ? measured : (room > 0 ? room : 0);
}

void ReportUnboundedRange(HWND dialog, const FlareParameter *p)
{
    if (p->uiminrange[0] <= -FLT_MAX && !apiErrorReported) {
        MessageBoxA(dialog,
                    "The minimum UI value (-FLT_MAX) is too small. It must be a more finite "
                    "value, such as zero.",
                    "Lens Flare API definition error", MB_OK);
        apiErrorReported = 1;
    }
    if (p->uimaxrange[0] >= FLT_MAX && !apiErrorReported) {
        MessageBoxA(dialog,
                    "The maximum UI value (FLT_MAX) is too big. It must be a more finite value, "
                    "such as 100.",
                    "Lens Flare API definition error", MB_OK);
        apiErrorReported = 1;
    }
}

void BuildSlider(PanelLayout &layout, FlareParameter *p)
{
    layout.nextId++;
    p->tinySlider = static_cast<TinySlider *>(Qi_Alloc_Memory(0, 1, sizeof(TinySlider)));
    if (!p->tinySlider)
        return;
    TinySlider *slider = p->tinySlider;
    if (!CreateTinySlider(layout.dialog, layout.instance, slider, uint32_t(p->firstControlId),
                          OnParameterChanged)) {
        Qi_Free_Memory(slider);
        p->tinySlider = nullptr;
        return;
    }
    AdoptParentBackground(layout.dialog, slider);
    p->controlWindow = slider->hwnd;
    ReportUnboundedRange(layout.dialog, p);

    bool floatMode = p->floatarg == Types().on;
    SliderRange range = PanelSliderRange(p->uiminrange[0], p->uimaxrange[0], p->absminrange[0],
                                         p->absmaxrange[0], !floatMode);
    slider->label = Caption(layout, p);
    slider->mode = floatMode ? 1 : 0;
    slider->thumbX = SliderTrackStart(slider->dpi);
    slider->floatMin = range.min;
    slider->floatMax = range.max;
    slider->intMin = TruncateToInt32(range.min);
    slider->intMax = TruncateToInt32(range.max);
    slider->boundFloat = &p->Qv_Current_Value[0];
    slider->limitLow = p->absminrange[0];
    slider->limitHigh = p->absmaxrange[0];
    slider->precision = PanelSliderPrecision(p->precision);
    slider->percent = p->displayaspercentage == Types().on ? 1 : 0;
    bool radius = p->name && (lstrcmpA(p->name, "radius") == 0 || lstrcmpA(p->name, "length") == 0);
    slider->onDrag = radius ? OnRadiusSliderDrag : OnSliderDrag;

    MoveWindow(slider->hwnd, layout.x, layout.y, layout.width, TinySliderRowHeight(layout.dpi), TRUE);
    ShowWindow(slider->hwnd, SW_SHOWNORMAL);
    SetTinySliderValue(slider, p->Qv_Current_Value[0], 1, 0);
    layout.y += ClientHeight(slider->hwnd) + 1;
}

void BuildCheckBox(PanelLayout &layout, FlareParameter *p)
{
    p->controlWindow = CreateChild(layout, "button", Caption(layout, p),
                                   WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, layout.x,
                                   layout.y, layout.width, Px(layout, kRowHeight), layout.nextId);
    layout.nextId++;
    if (!p->controlWindow)
        return;
    SetPanelFont(p->controlWindow);
    layout.y += ClientHeight(p->controlWindow) + 1;
    CheckDlgButton(layout.dialog, p->firstControlId,
                   TruncateToInt32(p->Qv_Current_Value[0]) != 0 ? BST_CHECKED : BST_UNCHECKED);
}

// A control with the parameter's label on its left, vertically centred on
// it: the control takes the next id, the label the one after, and comes
// after it in Tab's order, so that the label's letter reaches it. Returns
// the control's height, or 0 when it could not be made.
int BuildLabelledControl(PanelLayout &layout, FlareParameter *p, const char *cls, DWORD style,
                         int height)
{
    SIZE label = LabelSize(layout.dialog, Label(p));
    int labelWidth = LabelWidth(layout, label.cx);
    const int gap = Px(layout, 7);
    p->controlWindow = CreateChild(layout, cls, "", style | WS_TABSTOP, layout.x + labelWidth + gap,
                                   layout.y, layout.width - labelWidth - gap, height, layout.nextId);
    int id = layout.nextId;
    layout.nextId += 2;
    if (!p->controlWindow)
        return 0;
    SetPanelFont(p->controlWindow);
    int controlHeight = ClientHeight(p->controlWindow);
    const int labelY = layout.y + (controlHeight - label.cy + 1) / 2;
    p->labelWindow = CreateChild(layout, "static", Caption(layout, p),
                                 WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP, layout.x, labelY,
                                 labelWidth, label.cy, id + 1);
    if (p->labelWindow) {
        SetPanelFont(p->labelWindow);
        SetWindowPos(p->controlWindow, p->labelWindow, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return controlHeight;
}

void BuildColourButton(PanelLayout &layout, FlareParameter *p)
{
    if (layout.y != layout.area.top + Px(layout, 10))
        layout.y += Px(layout, 5);
    int height = BuildLabelledControl(layout, p, "button", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW,
                                      Px(layout, kColourHeight));
    if (!height)
        return;
    layout.y += height + Px(layout, 6);
    InvalidateRect(p->controlWindow, nullptr, TRUE);
    UpdateWindow(p->controlWindow);
}

// Fills the combo box from the entry text and selects the entry holding
// the parameter's value; false when no entry does.
bool FillList(HWND combo, const FlareParameter *p)
{
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
    bool matched = false;
    size_t position = 0;
    ListEntry entry;
    const size_t size = p->arbitraryDataSize > 0 ? size_t(p->arbitraryDataSize) : 0;
    for (WPARAM i = 0; NextListEntry(p->arbitraryData, size, &position, &entry); ++i) {
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name));
        int32_t value = ListEntryValue(entry);
        SendMessageA(combo, CB_SETITEMDATA, i, LPARAM(value));
        if (value == TruncateToInt32(p->Qv_Current_Value[0])) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            matched = true;
        }
    }
    SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
    return matched;
}

void BuildList(PanelLayout &layout, FlareParameter *p)
{
    int height = BuildLabelledControl(layout, p, "combobox",
                                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST, Px(layout, 100));
    if (!height)
        return;
    layout.y += height + Px(layout, 6);
    if (!FillList(p->controlWindow, p))
        MessageBoxA(layout.dialog,
                    "The 'param_ptr->Qv_Current_Value' does not match any of the combo box entry "
                    "types.",
                    "Programming Error", MB_OK);
}

// The message of each defect a gradient from the host can have, in the
// order they are shown.
struct GradientDefect {
    uint16_t flag;
    const char *text;
};
const GradientDefect kGradientDefects[] = {
    {PIVOTS_FIRST_MOVED,
     "The first entry of one of the gradient color maps does not use an 'offset' value of 0.0 "
     "(the first entry must be at 0.0 and the last entry must be at 1.0)."},
    {PIVOTS_LAST_MOVED,
     "The last entry of one of the gradient color maps does not use an 'offset' value of 1.0 "
     "(the first entry must be at 0.0 and the last entry must be at 1.0)."},
    {PIVOTS_DECREASING,
     "The 'offset' values of one of the gradient color maps decrease (each entry must be at or "
     "after the entry before it)."},
    {PIVOTS_NOT_A_NUMBER,
     "An 'offset' value of one of the gradient color maps is not a number."},
};

// Shows the host's gradient in the control, merged to the control's 1/99
// positions; only a defect of the host's entries is reported.
void FillGradient(HWND dialog, FlareParameter *p)
{
    CColourSlider *slider = p->gradientSlider;
    uint16_t defects =
        PivotsFromHost(&slider->pivots, p->gradientCount, p->gradientColors, p->gradientOffsets);
    for (const GradientDefect &defect : kGradientDefects)
        if (defects & defect.flag)
            MessageBoxA(dialog, defect.text, "Programming Error", MB_OK);
    slider->Invalidate();
}

void BuildGradient(PanelLayout &layout, FlareParameter *p)
{
    int height = 0, labelOffset = 0;
    const int bar = Px(layout, kGradientBar);
    GradientControlLayout(bar, &height, &labelOffset);
    int textHeight = -labelOffset;
    FitInColumn(layout, textHeight + height);
    p->controlWindow = CreateChild(layout, "button", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                                   layout.x, layout.y + textHeight, layout.width, height,
                                   layout.nextId);
    layout.nextId++;
    layout.y += height + Px(layout, 9);
    if (!p->controlWindow)
        return;
    p->gradientSlider = new (std::nothrow)
        CColourSlider(layout.dialog, layout.instance, Caption(layout, p), 0,
                      int16_t(p->firstControlId), layout.width, bar, OnParameterChanged);
    if (!p->gradientSlider)
        return;
    p->gradientSlider->AdoptDialogBackground();
    FillGradient(layout.dialog, p);
}

// How much a parameter's control needs below the running y, to decide its
// column before it is made.
int HeightNeeded(const PanelLayout &layout, const FlareParameter *p)
{
    const ParameterTypes &t = Types();
    if (p->type == t.color)
        return Px(layout, kColourHeight);
    if (p->type == t.list)
        return LabelSize(layout.dialog, Label(p)).cy + Px(layout, 10);
    if (IsSlider(p->type) || p->type == t.checkbox)
        return Px(layout, kRowHeight);
    return 0;
}

void BuildParameter(PanelLayout &layout, FlareParameter *p)
{
    const ParameterTypes &t = Types();
    p->controlWindow = nullptr;
    p->labelWindow = nullptr;
    p->gradientSlider = nullptr;
    p->tinySlider = nullptr;
    p->firstControlId = layout.nextId;
    if (p->type != t.gradient)
        FitInColumn(layout, HeightNeeded(layout, p));
    if (IsSlider(p->type))
        BuildSlider(layout, p);
    else if (p->type == t.checkbox)
        BuildCheckBox(layout, p);
    else if (p->type == t.color)
        BuildColourButton(layout, p);
    else if (p->type == t.list)
        BuildList(layout, p);
    else if (p->type == t.gradient)
        BuildGradient(layout, p);
    if (!layout.second && layout.y >= layout.area.bottom)
        UseColumn(layout, true);
}

// The parameter of the current element whose control has that id; only
// parameters that own a control are matched.
FlareParameter *ParameterWithControl(PluginInstance *instance, int id)
{
    FlareElement *element = instance->currentElement;
    if (!element)
        return nullptr;
    for (FlareParameter *p = element->firstParameter; p; p = p->next)
        if (p->controlWindow && p->firstControlId == id)
            return p;
    return nullptr;
}

bool Changed(float before, float after)
{
    return TruncateToInt32(before) != TruncateToInt32(after);
}

void OnCheckBox(HWND dialog, FlareParameter *p)
{
    float before = p->Qv_Current_Value[0];
    p->Qv_Current_Value[0] = float(IsDlgButtonChecked(dialog, p->firstControlId));
    if (Changed(before, p->Qv_Current_Value[0]))
        OnParameterChanged(uint32_t(p->firstControlId));
}

void OnColourButton(HWND dialog, FlareParameter *p)
{
    float *colour = p->Qv_Current_Value;
    const float before[3] = {colour[0], colour[1], colour[2]};
    OpenColourSelector(dialog, Label(p), colour, CommitLiveEdit);
    InvalidateRect(p->controlWindow, nullptr, TRUE);
    UpdateWindow(p->controlWindow);
    if (colour[0] != before[0] || colour[1] != before[1] || colour[2] != before[2])
        OnParameterChanged(uint32_t(p->firstControlId));
}

void OnListSelection(FlareParameter *p)
{
    LRESULT index = SendMessageA(p->controlWindow, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return;
    float before = p->Qv_Current_Value[0];
    p->Qv_Current_Value[0] = float(SendMessageA(p->controlWindow, CB_GETITEMDATA, index, 0));
    if (Changed(before, p->Qv_Current_Value[0]))
        OnParameterChanged(uint32_t(p->firstControlId));
}

// Copies one gradient control's table into the parameter's arrays once the
// user has changed it. A table as it was built from the arrays leaves them
// as they are, however the building had to merge or correct them.
void SaveGradient(FlareParameter *p)
{
    const GradientPivots &pivots = p->gradientSlider->pivots;
    GradientPivots built = {};
    PivotsFromHost(&built, p->gradientCount, p->gradientColors, p->gradientOffsets);
    if (SamePivots(&built, &pivots))
        return;
    int32_t count = pivots.count > 0 ? pivots.count : 0;
    Qi_Free_Memory(p->gradientColors);
    Qi_Free_Memory(p->gradientOffsets);
    p->gradientColors = p->gradientOffsets = nullptr;
    p->gradientCount = 0;
    if (count == 0)
        return;
    p->gradientColors = static_cast<float *>(Qi_Alloc_Memory(0, 1, size_t(count) * 12));
    p->gradientOffsets = static_cast<float *>(Qi_Alloc_Memory(0, 1, size_t(count) * 4));
    if (!p->gradientColors || !p->gradientOffsets) {
        Qi_Free_Memory(p->gradientColors);
        Qi_Free_Memory(p->gradientOffsets);
        p->gradientColors = p->gradientOffsets = nullptr;
        Qi_Report_Error(3, "ERR_OUT_OF_MEMORY", "LensFlare_Panel()", "gradient");
        return;
    }
    PivotsToHost(&pivots, p->gradientColors, p->gradientOffsets);
    p->gradientCount = count;
}

void InvalidatePageArea(HWND dialog)
{
    RECT area = PageAreaRect(dialog);
    InflateRect(&area, -1, -1);
    InvalidateRect(dialog, &area, FALSE);
}

// A kept page taken over by another element of its type: its controls show
// this element's values (and report what building would report), then
// appear.
void ShowKeptPanel(HWND dialog, FlareElement *element)
{
    const ParameterTypes &t = Types();
    for (FlareParameter *p = element->firstParameter; p; p = p->next) {
        if (p->tinySlider) {
            p->tinySlider->boundFloat = &p->Qv_Current_Value[0];
            SetTinySliderValue(p->tinySlider, p->Qv_Current_Value[0], 1, 0);
        } else if (p->type == t.checkbox && p->controlWindow) {
            CheckDlgButton(dialog, p->firstControlId,
                           TruncateToInt32(p->Qv_Current_Value[0]) != 0 ? BST_CHECKED
                                                                         : BST_UNCHECKED);
        } else if (p->type == t.list && p->controlWindow && !FillList(p->controlWindow, p)) {
            MessageBoxA(dialog,
                        "The 'param_ptr->Qv_Current_Value' does not match any of the combo box "
                        "entry types.",
                        "Programming Error", MB_OK);
        } else if (p->gradientSlider) {
            p->gradientSlider->draggedPivot = 0;
            p->gradientSlider->dragArmed = 0;
            FillGradient(dialog, p);
        }
    }
    ShowKeptControls(dialog, element);
    RECT area = PageAreaRect(dialog);
    RedrawWindow(dialog, &area, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace

void BuildElementPanel(PluginInstance *instance, HWND dialog, FlareElement *element)
{
    if (!element)
        return;
    PanelLayout layout = {};
    layout.dialog = dialog;
    layout.instance = instance->moduleInstance;
    layout.dpi = WindowDpi(dialog);
    if (layout.dpi != keptPagesDpi) {
        ReleasePanelCache();
        keptPagesDpi = layout.dpi;
    }
    layout.area = PageAreaRect(dialog);
    InvalidatePageArea(dialog);
    layout.half = (layout.area.right - layout.area.left) / 2;
    layout.other = (layout.area.right - layout.area.left) - layout.half;

    // An element without parameters is current all the same, with an empty
    // page, so that the commands beside the list act on it.
    instance->currentElement = element;
    Import_IO_Set_Quorix_Toggle(dialog, IDC_ELEMENT_ENABLED, element->enabled);

    if (TakeKeptPanel(element)) {
        ShowKeptPanel(dialog, element);
    } else {
        layout.nextId = PANEL_FIRST_ID;
        layout.letters = VisibleMnemonics(dialog);
        UseColumn(layout, false);
        for (FlareParameter *p = element->firstParameter; p; p = p->next)
            BuildParameter(layout, p);
    }
    FitPanelInPageArea(dialog, element);
}

void SaveElementPanel(PluginInstance *, HWND, FlareElement *element)
{
    if (!element)
        return;
    const QiToken gradient = Types().gradient;
    for (FlareParameter *p = element->firstParameter; p; p = p->next)
        if (p->type == gradient && p->gradientSlider)
            SaveGradient(p);
}

void DestroyElementPanel(PluginInstance *instance, FlareElement *element)
{
    if (!element)
        return;
    HWND dialog = instance->dialogWindow;
    ScrollPanelHome(dialog, element);
    RemovePanelScrollBar();
    if (dialog && KeepElementPanel(dialog, element)) {
        InvalidatePageArea(dialog);
        return;
    }
    for (FlareParameter *p = element->firstParameter; p; p = p->next)
        DestroyParameterControls(p);
    if (dialog) {
        InvalidatePageArea(dialog);
        UpdateWindow(dialog);
    }
}

void ReleasePanelCaptions()
{
    panelCaptions.clear();
}

void DestroyParameterControls(FlareParameter *p)
{
    if (p->tinySlider) {
        DestroyTinySlider(p->tinySlider);
        Qi_Free_Memory(p->tinySlider);
        p->tinySlider = nullptr;
    } else if (p->controlWindow) {
        delete p->gradientSlider;
        p->gradientSlider = nullptr;
        DestroyWindow(p->controlWindow);
    }
    p->controlWindow = nullptr;
    if (p->labelWindow)
        DestroyWindow(p->labelWindow);
    p->labelWindow = nullptr;
}

void ElementPanelCommand(PluginInstance *instance, HWND dialog, UINT, WPARAM wParam, LPARAM)
{
    FlareParameter *p = ParameterWithControl(instance, int16_t(LOWORD(wParam)));
    if (!p)
        return;
    const ParameterTypes &t = Types();
    int notification = HIWORD(wParam);
    if (p->type == t.checkbox && notification == BN_CLICKED)
        OnCheckBox(dialog, p);
    else if (p->type == t.color && notification == BN_CLICKED)
        OnColourButton(dialog, p);
    else if (p->type == t.list && notification == CBN_SELCHANGE)
        OnListSelection(p);
}

BOOL DrawElementColourButton(int controlId, const DRAWITEMSTRUCT *item)
{
    FlareParameter *p =
        currentInstance ? ParameterWithControl(currentInstance, controlId) : nullptr;
    if (!p || p->type != Types().color)
        return FALSE;
    return HandleSwatchDrawItem(item, p->Qv_Current_Value) ? TRUE : FALSE;
}
