// The gradient control's life and its mouse gestures: construction on a
// dialog's child button, the subclass procedure, selecting, dragging,
// adding, recolouring and deleting pivots. Drawing is in
// colour_slider_paint.cpp, the menu commands in gradient_menu.cpp.
#include "gradient/colour_slider.h"

#include "colour/colour_selector.h"
#include "controls/parent_background.h"
#include "controls/window_dpi.h"
#include "gradient/gradient_menu.h"

int16_t pivotDragActive;
int16_t pivotMovedDuringDrag;

namespace {

const char kPivotColourTitle[] = "Select pivot color";

// Pixels beside a pivot's x that still hit it; rows below the bar that
// belong to the markers; pixels at each end of the bar where nothing is
// added. All at 96 DPI.
const int32_t kPivotReach = 3;
const int32_t kBelowBar = 7;
const int32_t kEndMargin = 3;

HCURSOR ModuleCursor(HINSTANCE instance, const char *name)
{
    HCURSOR cursor = LoadCursorA(instance, name);
    return cursor ? cursor : LoadCursorA(nullptr, IDC_ARROW);
}

}  // namespace

CColourSlider::CColourSlider(HWND parent, HINSTANCE moduleInstance, const char *label,
                             int16_t intensityOnly, uint16_t controlId, int32_t width,
                             int32_t barHeight, ColourSliderChangeFn changeCallback)
{
    savedWndProc = nullptr;
    this->changeCallback = changeCallback;
    hwndControl = GetDlgItem(parent, controlId);
    hwndParent = parent;
    this->controlId = controlId;
    this->moduleInstance = moduleInstance;
    this->label = label;
    this->intensityOnly = intensityOnly;
    hasMenuButton = 1;
    closing = 0;
    // A control narrower than its two caps keeps a bar of one pixel.
    barWidth = width - 2 * barHeight > 0 ? width - 2 * barHeight : 1;
    this->barHeight = barHeight;
    barLeft = barHeight;
    barTop = 0;
    lastMouse = {0, 0};
    dpi = WindowDpi(hwndControl ? hwndControl : parent);
    draggedPivot = 0;
    dragArmed = 0;
    InitGradientPivots(&pivots, Qi_Inquire_Token("linear"));
    backgroundBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    if (!hwndControl)
        return;
    KeepOwnBackground(hwndControl, backgroundBrush);
    SetWindowLongPtrA(hwndControl, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    savedWndProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        hwndControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ColourSliderWndProc)));
}

CColourSlider::~CColourSlider()
{
    closing = 1;
    // A drag this control holds ends with it, so that the shared flags do
    // not outlive it (its window may be destroyed without losing the
    // capture first).
    if (pivotDragActive && hwndControl && GetCapture() == hwndControl)
        EndPivotDrag(false);
    InvalidateRect(hwndParent, nullptr, TRUE);
    if (!hwndControl)
        return;
    if (savedWndProc)
        SetWindowLongPtrA(hwndControl, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedWndProc));
    SetWindowLongPtrA(hwndControl, GWLP_USERDATA, 0);
    ReleaseOwnBackground(hwndControl, &backgroundBrush);
}

void CColourSlider::AdoptDialogBackground()
{
    backgroundBrush = AdoptParentBrush(hwndParent, hwndControl, backgroundBrush);
}

RECT CColourSlider::ControlRectInParent() const
{
    RECT rect = {0, 0, 0, 0};
    GetClientRect(hwndControl, &rect);
    POINT control = {0, 0};
    POINT parent = {0, 0};
    ClientToScreen(hwndControl, &control);
    ClientToScreen(hwndParent, &parent);
    OffsetRect(&rect, int16_t(control.x - parent.x), int16_t(control.y - parent.y));
    return rect;
}

void CColourSlider::Invalidate()
{
    RECT rect = ControlRectInParent();
    InvalidateRect(hwndParent, &rect, FALSE);
}

int32_t CColourSlider::Px(int32_t pixels) const
{
    return ScalePixels(pixels, dpi);
}

int32_t CColourSlider::PositionFromX(int32_t x) const
{
    return (x - barLeft) * 99 / barWidth;
}

int32_t CColourSlider::HitTestPivot(POINT point, const GradientPivots *table) const
{
    if (point.y <= barTop || point.y >= barTop + barHeight + Px(kBelowBar))
        return 0;
    const int32_t reach = Px(kPivotReach);
    int32_t count = table->count < GRADIENT_CAPACITY ? table->count : GRADIENT_CAPACITY;
    for (int32_t i = 1; i <= count; ++i) {
        int32_t x = barLeft + barWidth * table->position[i - 1] / 99;
        if (x - reach <= point.x && point.x <= x + reach)
            return i;
    }
    return 0;
}

bool CColourSlider::OnMenuButton(POINT point) const
{
    int32_t right = int16_t(2 * barHeight + barWidth);
    return hasMenuButton && right - Px(6) <= point.x && point.x <= right - 1 &&
           barHeight - Px(5) <= point.y && point.y <= barHeight + Px(5);
}

bool CColourSlider::InAddZone(POINT point) const
{
    return barTop < point.y && point.y < barTop + barHeight + Px(kBelowBar) &&
           barLeft + Px(kEndMargin) < point.x && point.x < barLeft + barWidth - Px(kEndMargin);
}

int16_t CColourSlider::PickPivotColour(uint32_t *colour, HWND owner, int16_t intensityOnly)
{
    float rgb[3];
    ComponentsFromColour(*colour, rgb);
    if (!OpenColourSelector(owner, kPivotColourTitle, rgb))
        return 0;
    uint32_t picked = ColourFromComponents(rgb);
    *colour = intensityOnly ? GreyOf(picked) : picked;
    return 1;
}

void CColourSlider::Changed()
{
    if (changeCallback)
        changeCallback(controlId);
}

void CColourSlider::Select(int32_t pivot)
{
    SelectPivot(&pivots, pivot);
    Invalidate();
}

// Releases the capture of a press on a pivot; notify: report a move made
// since the press. The flags are cleared first, so that the
// WM_CAPTURECHANGED the release sends finds no drag left to end.
void CColourSlider::EndPivotDrag(bool notify)
{
    if (!pivotDragActive)
        return;
    bool moved = pivotMovedDuringDrag != 0;
    pivotDragActive = 0;
    pivotMovedDuringDrag = 0;
    if (GetCapture() == hwndControl)
        ReleaseCapture();
    if (notify && moved)
        Changed();
}

LRESULT CColourSlider::OnMouseMove(POINT point)
{
    lastMouse = point;
    if (OnMenuButton(point)) {
        SetCursor(ModuleCursor(moduleInstance, "IDC_MENU_CURSOR"));
        return 1;
    }
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR resize = LoadCursorA(nullptr, IDC_SIZEWE);
    HCURSOR end = ModuleCursor(moduleInstance, "IDC_COLEND");
    int32_t pivot = HitTestPivot(point, &pivots);
    HCURSOR cursor = arrow;
    if (pivot == 1 || pivot == pivots.count)
        cursor = end;
    else if (pivot)
        cursor = resize;
    else if (InAddZone(point) && pivots.count < GRADIENT_EDIT_LIMIT &&
             !PivotAtPosition(&pivots, PositionFromX(point.x)))
        cursor = ModuleCursor(moduleInstance, "IDC_ADDPIV");
    if (draggedPivot == 1 || draggedPivot == pivots.count) {
        cursor = end;
    } else if (draggedPivot) {
        cursor = resize;
        if (dragArmed && MovePivot(&pivots, draggedPivot, PositionFromX(point.x))) {
            DrawGradient(&pivots);
            pivotMovedDuringDrag = 1;
        }
    }
    SetCursor(cursor);
    return 1;
}

LRESULT CColourSlider::OnButtonDown(POINT point)
{
    SetFocus(hwndControl);
    if (OnMenuButton(point)) {
        ShowGradientMenu(this, hwndControl);
        return 1;
    }
    pivotMovedDuringDrag = 0;
    dragArmed = 1;
    draggedPivot = HitTestPivot(point, &pivots);
    if (draggedPivot) {
        Select(draggedPivot);
        pivotDragActive = 1;
        SetCapture(hwndControl);
    }
    return 1;
}

// A new pivot at a position, in the colour the user confirms; a gradient
// of one pivot gains its right end in that colour as well.
void CColourSlider::AddPivotAt(int32_t position)
{
    uint32_t colour = NewPivotColour(&pivots, position);
    if (!PickPivotColour(&colour, hwndControl, intensityOnly))
        return;
    if (pivots.count == 1)
        InsertPivot(&pivots, GRADIENT_LAST_POSITION, colour);
    int32_t index = InsertPivot(&pivots, position, colour);
    DrawGradient(&pivots);
    Changed();
    if (index >= 0)
        Select(index + 1);
}

LRESULT CColourSlider::OnButtonUp(POINT point)
{
    EndPivotDrag(true);
    pivotDragActive = 0;
    pivotMovedDuringDrag = 0;
    draggedPivot = HitTestPivot(point, &pivots);
    // A release beside a pivot's marker but on its position (a wide bar has
    // several pixels per position) selects that pivot: no two share one.
    int32_t standing = PivotAtPosition(&pivots, PositionFromX(point.x));
    if (!draggedPivot && InAddZone(point) && standing) {
        Select(standing);
    } else if (!draggedPivot && InAddZone(point) && pivots.count < GRADIENT_EDIT_LIMIT) {
        dragArmed = 1;
        AddPivotAt(PositionFromX(point.x));
    }
    draggedPivot = 0;
    dragArmed = 0;
    return 1;
}

// Lets the user pick a new colour for the pivot, which is selected after.
void CColourSlider::Recolour(int32_t pivot)
{
    uint32_t before = pivots.colour[pivot - 1];
    uint32_t colour = before;
    if (PickPivotColour(&colour, hwndControl, intensityOnly)) {
        SetPivotColour(&pivots, pivot, colour);
        DrawGradient(&pivots);
        if (colour != before)
            Changed();
    }
    Select(pivot);
}

LRESULT CColourSlider::OnDoubleClick(POINT point)
{
    pivotMovedDuringDrag = 0;
    int32_t pivot = HitTestPivot(point, &pivots);
    if (pivot)
        Recolour(pivot);
    return 1;
}

LRESULT CColourSlider::OnRightButtonDown(UINT message, WPARAM wParam, LPARAM lParam, POINT point)
{
    int32_t pivot = HitTestPivot(point, &pivots);
    if (!pivot)
        return 1;
    // The right end of three or more pivots stays; the button has the click.
    if (pivot == pivots.count && pivots.count > 2)
        return savedWndProc ? CallWindowProcA(savedWndProc, hwndControl, message, wParam, lParam)
                            : 0;
    int32_t before = pivots.count;
    DeletePivot(&pivots, pivot);
    if (pivots.count != before)
        DrawGradient(&pivots);
    Changed();
    return 1;
}

// Delete: the pivots a right click deletes (neither the first nor the right
// end of three or more, which the table keeps); the pivot now in its place,
// or the new right end, is selected.
void CColourSlider::DeleteByRightClickRules(int32_t pivot)
{
    int32_t before = pivots.count;
    DeletePivot(&pivots, pivot);
    if (pivots.count == before)
        return;
    DrawGradient(&pivots);
    Changed();
    Select(pivot <= pivots.count ? pivot : pivots.count);
}

void CColourSlider::MoveSelectedBy(int32_t step)
{
    int32_t pivot = SelectedPivot(&pivots);
    if (pivot && MovePivot(&pivots, pivot, pivots.position[pivot - 1] + step)) {
        DrawGradient(&pivots);
        Changed();
    }
}

LRESULT CColourSlider::OnKeyDown(UINT key)
{
    const int32_t selected = SelectedPivot(&pivots);
    const int32_t step = key == VK_RIGHT ? 1 : -1;
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
        if (GetKeyState(VK_SHIFT) < 0)
            MoveSelectedBy(step);
        else if (selected + step >= 1 && selected + step <= pivots.count)
            Select(selected + step);
        break;
    case VK_INSERT:
        if (pivots.count < GRADIENT_EDIT_LIMIT && WidestGapMiddle(&pivots) >= 0)
            AddPivotAt(WidestGapMiddle(&pivots));
        break;
    case VK_DELETE:
        DeleteByRightClickRules(selected);
        break;
    case VK_RETURN:
        if (selected)
            Recolour(selected);
        break;
    }
    return 0;
}

// The arrows and Enter are the control's; Tab and Escape stay the dialog's.
LRESULT CColourSlider::OnDialogCode(const MSG *msg) const
{
    LRESULT code = DLGC_WANTARROWS | DLGC_BUTTON;
    if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
    return code;
}

// The focus is drawn around the label: the control is drawn anew. The
// button beneath never learns of the focus, lest it draw itself.
LRESULT CColourSlider::OnFocusChange()
{
    Invalidate();
    return 0;
}

LRESULT CColourSlider::OnGetText(char *buffer, WPARAM size) const
{
    if (!buffer || size == 0)
        return 0;
    lstrcpynA(buffer, label ? label : "", int(size));
    return lstrlenA(buffer);
}

LRESULT CColourSlider::OnCancelMode()
{
    EndPivotDrag(true);
    pivotDragActive = 0;
    pivotMovedDuringDrag = 0;
    draggedPivot = 0;
    dragArmed = 0;
    return 1;
}

LRESULT CColourSlider::OnCommand(uint16_t command)
{
    if (GradientCommand(this, command))
        Changed();
    Invalidate();
    return 1;
}

LRESULT CColourSlider::OnPaint()
{
    // The picture reaches beyond the window into the parent: neither keeps
    // an update region there once it is drawn.
    RECT rect = ControlRectInParent();
    InvalidateRect(hwndParent, &rect, FALSE);
    ValidateRect(hwndParent, &rect);
    ValidateRect(hwndControl, nullptr);
    DrawGradient(&pivots);
    return 1;
}

// Draws what the control shows into a context of the caller's, for
// printing and for reading the picture back.
LRESULT CColourSlider::OnPrintClient(HDC dc)
{
    PaintGradient(dc, dc, &pivots);
    return 0;
}

LRESULT CColourSlider::OnEraseBackground(HDC dc)
{
    RECT client;
    GetClientRect(hwndControl, &client);
    FillRect(dc, &client, backgroundBrush);
    return 1;
}

// A window destroyed while it holds the capture gets no WM_CAPTURECHANGED
// (so under Wine): its drag ends here.
LRESULT CColourSlider::OnDestroy(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (pivotDragActive && GetCapture() == hwndControl)
        EndPivotDrag(false);
    draggedPivot = 0;
    dragArmed = 0;
    return savedWndProc ? CallWindowProcA(savedWndProc, hwndControl, message, wParam, lParam) : 0;
}

LRESULT CALLBACK ColourSliderWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *slider = reinterpret_cast<CColourSlider *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!slider)
        return DefWindowProcA(window, message, wParam, lParam);
    POINT point = {SHORT(LOWORD(lParam)), SHORT(HIWORD(lParam))};
    switch (message) {
    case WM_MOUSEMOVE:
        return slider->OnMouseMove(point);
    case WM_SETCURSOR:
        // The cursor follows WM_MOUSEMOVE; the class cursor would flicker.
        if (LOWORD(lParam) == HTCLIENT)
            return TRUE;
        break;
    case WM_PAINT:
        return slider->OnPaint();
    case WM_PRINTCLIENT:
        return slider->OnPrintClient(reinterpret_cast<HDC>(wParam));
    case WM_ERASEBKGND:
        return slider->OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_CANCELMODE:
        return slider->OnCancelMode();
    case WM_CAPTURECHANGED:
        // Losing the capture to another window ends a drag like WM_CANCELMODE.
        if (reinterpret_cast<HWND>(lParam) != window)
            slider->OnCancelMode();
        return 0;
    case WM_COMMAND:
        return slider->OnCommand(LOWORD(wParam));
    case WM_LBUTTONDOWN:
        return slider->OnButtonDown(point);
    case WM_LBUTTONUP:
        return slider->OnButtonUp(point);
    case WM_LBUTTONDBLCLK:
        return slider->OnDoubleClick(point);
    case WM_RBUTTONDOWN:
        return slider->OnRightButtonDown(message, wParam, lParam, point);
    case WM_DESTROY:
        return slider->OnDestroy(message, wParam, lParam);
    case WM_GETDLGCODE:
        return slider->OnDialogCode(reinterpret_cast<const MSG *>(lParam));
    case WM_KEYDOWN:
        return slider->OnKeyDown(UINT(wParam));
    case WM_KEYUP:
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return slider->OnFocusChange();
    case BM_CLICK:
        SendMessageA(slider->hwndParent, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
        return 0;
    case WM_GETTEXT:
        return slider->OnGetText(reinterpret_cast<char *>(lParam), wParam);
    case WM_GETTEXTLENGTH:
        return slider->label ? lstrlenA(slider->label) : 0;
    case kDpiChangedAfterParentMessage:
        // The owner sizes the bar anew; the markers follow the window's DPI.
        slider->dpi = WindowDpi(window);
        slider->Invalidate();
        return 0;
    }
    if (!slider->savedWndProc)
        return 0;
    return CallWindowProcA(slider->savedWndProc, window, message, wParam, lParam);
}
