#include "editor/element_list_input.h"

#include <commctrl.h>

#include "editor/editor_state.h"
#include "editor/element_list.h"
#include "editor/element_menu.h"
#include "editor/element_rows.h"
#include "frame/plugin_instance.h"
#include "preview/preview.h"
#include "resources/resource.h"

namespace {

constexpr UINT_PTR kSubclassId = 22;

UINT dragListMessage = 0;  // the registered DRAGLISTMSGSTRING
int dragFrom = -1;         // the row being dragged, or -1

void Command(HWND list, int id)
{
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

POINT PointOf(LPARAM lParam)
{
    return {short(LOWORD(lParam)), short(HIWORD(lParam))};
}

// A press on a row's box switches its element and leaves the selection and
// any drag alone.
bool List_OnButtonDown(HWND list, LPARAM lParam)
{
    int row = RowBoxAt(list, PointOf(lParam));
    if (row < 0)
        return false;
    SetFocus(list);
    ToggleRowElement(GetParent(list), row);
    return true;
}

// The row under a right click becomes the selection, as a left click makes
// it, before the menu opens.
void List_OnRightButtonDown(HWND list, LPARAM lParam)
{
    POINT point = PointOf(lParam);
    LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    SetFocus(list);
    if (HIWORD(hit) || LOWORD(hit) == SendMessageA(list, LB_GETCURSEL, 0, 0))
        return;
    SendMessageA(list, LB_SETCURSEL, LOWORD(hit), 0);
    SendMessageA(GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_ELEMENT_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

bool List_OnKeyDown(HWND list, WPARAM key)
{
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_DELETE && !control) {
        Command(list, IDC_REMOVE_ELEMENT);
    } else if (key == VK_SPACE && !control) {
        LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (row != LB_ERR)
            ToggleRowElement(GetParent(list), int(row));
    } else if (control && (key == 'C' || key == 'V' || key == 'D')) {
        Command(list, key == 'C' ? IDM_COPY_ELEMENT
                      : key == 'V' ? IDM_PASTE_ELEMENT : IDC_COPY_ELEMENT);
    } else {
        return false;
    }
    return true;
}

bool List_OnSysKeyDown(HWND list, WPARAM key)
{
    if (key != VK_UP && key != VK_DOWN)
        return false;
    Command(list, key == VK_UP ? IDC_MOVE_UP : IDC_MOVE_DOWN);
    return true;
}

// The characters of the keys above would start the list's search by text.
bool IsKeyCharacter(WPARAM c)
{
    return c == ' ' || c == 3 || c == 4 || c == 22;
}

LRESULT CALLBACK ElementListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR, DWORD_PTR)
{
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (List_OnButtonDown(list, lParam))
            return 0;
        break;
    case WM_RBUTTONDOWN: List_OnRightButtonDown(list, lParam); break;
    case WM_KEYDOWN:
        if (List_OnKeyDown(list, wParam))
            return 0;
        break;
    case WM_SYSKEYDOWN:
        if (List_OnSysKeyDown(list, wParam))
            return 0;
        break;
    case WM_CHAR:
        if (IsKeyCharacter(wParam))
            return 0;
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(list, ElementListProc, kSubclassId); break;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

// The row the dragged element takes: the one under the pointer.
LRESULT OnDragging(HWND dialog, const DRAGLISTINFO *info)
{
    int to = LBItemFromPt(info->hWnd, info->ptCursor, TRUE);
    DrawInsert(dialog, info->hWnd, to);
    return to < 0 ? DL_STOPCURSOR : DL_MOVECURSOR;
}

LRESULT OnDropped(HWND dialog, const DRAGLISTINFO *info)
{
    DrawInsert(dialog, info->hWnd, -1);
    int from = dragFrom, to = LBItemFromPt(info->hWnd, info->ptCursor, FALSE);
    dragFrom = -1;
    if (from >= 0 && to >= 0 && to != from)
        MoveElementTo(dialog, from, to);
    return 0;
}

}  // namespace

void StartElementListInput(HWND dialog)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    HWND list = GetDlgItem(dialog, IDC_ELEMENT_LIST);
    dragListMessage = RegisterWindowMessageA(DRAGLISTMSGSTRING);
    dragFrom = -1;
    MakeDragList(list);
    SetWindowSubclass(list, ElementListProc, kSubclassId, 0);
}

bool OnDragListMessage(HWND dialog, UINT message, LPARAM lParam, LRESULT *result)
{
    if (!dragListMessage || message != dragListMessage)
        return false;
    auto *info = reinterpret_cast<const DRAGLISTINFO *>(lParam);
    *result = 0;
    switch (info->uNotification) {
    case DL_BEGINDRAG:
        dragFrom = previewBusy || updatingControls ? -1
                                                   : LBItemFromPt(info->hWnd, info->ptCursor, FALSE);
        *result = dragFrom >= 0 ? TRUE : FALSE;
        break;
    case DL_DRAGGING: *result = OnDragging(dialog, info); break;
    case DL_DROPPED: *result = OnDropped(dialog, info); break;
    case DL_CANCELDRAG:
        DrawInsert(dialog, info->hWnd, -1);
        dragFrom = -1;
        break;
    }
    return true;
}
