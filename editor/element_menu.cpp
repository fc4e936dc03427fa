#include "editor/element_menu.h"

#include "editor/element_clipboard.h"
#include "frame/plugin_instance.h"
#include "model/working_flare.h"
#include "resources/resource.h"

namespace {

// Where a menu opened from the keyboard goes: below the selected row, or
// at the list's top left corner.
POINT KeyboardMenuPoint(HWND list)
{
    RECT r = {};
    LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (index == LB_ERR ||
        SendMessageA(list, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&r)) == LB_ERR)
        GetClientRect(list, &r);
    POINT point = {r.left + 8, index == LB_ERR ? r.top : r.bottom};
    ClientToScreen(list, &point);
    return point;
}

}  // namespace

void ShowElementMenu(HWND dialog, HWND list, LPARAM screenPoint)
{
    const FlareElement *element = currentInstance->currentElement;
    const struct {
        UINT id;
        const char *text;
        bool enabled;
    } items[] = {
        {IDM_COPY_ELEMENT, "&Copy\tCtrl+C", element != nullptr},
        {IDM_PASTE_ELEMENT, "&Paste\tCtrl+V", ClipboardMayHoldElement()},
        {IDC_COPY_ELEMENT, "&Duplicate\tCtrl+D", element != nullptr},
        {IDC_REMOVE_ELEMENT, "&Remove\tDel", element != nullptr},
        {0, nullptr, false},
        {IDC_MOVE_UP, "Move &Up\tAlt+Up", element && element->prev},
        {IDC_MOVE_DOWN, "Move &Down\tAlt+Down", element && element->next},
    };
    HMENU menu = CreatePopupMenu();
    if (!menu)
        return;
    for (const auto &item : items)
        AppendMenuA(menu, item.text ? MF_STRING | (item.enabled ? 0u : MF_GRAYED) : MF_SEPARATOR,
                    item.id, item.text);
    POINT at = {short(LOWORD(screenPoint)), short(HIWORD(screenPoint))};
    if (screenPoint == -1)
        at = KeyboardMenuPoint(list);
    UINT command = UINT(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                       at.x, at.y, 0, dialog, nullptr));
    DestroyMenu(menu);
    if (command)
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
}
