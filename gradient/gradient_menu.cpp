#include "gradient/gradient_menu.h"

#include "gradient/colour_slider.h"
#include "gradient/gradient_files.h"
#include "gradient/gradient_presets.h"
#include "gradient/large_gradient_dialog.h"
#include "resources/gradient_ids.h"

void ShowGradientMenu(CColourSlider *control, HWND window)
{
    HMENU menu = LoadMenuA(control->moduleInstance, "COLOR_SLIDER_POPUP_MENU");
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu, 0);
    // The menu holds neither interpolation item; the marks are kept for one
    // that does.
    bool linear = control->pivots.interpolation == Qi_Inquire_Token("linear");
    CheckMenuItem(popup, IDM_GRADIENT_LINEAR, MF_BYCOMMAND | (linear ? MF_CHECKED : MF_UNCHECKED));
    CheckMenuItem(popup, IDM_GRADIENT_CARDINAL,
                  MF_BYCOMMAND | (linear ? MF_UNCHECKED : MF_CHECKED));
    // A press already released (the menu button was only tapped) shows nothing.
    bool left = GetKeyState(VK_LBUTTON) < 0;
    bool right = GetKeyState(VK_RBUTTON) < 0;
    if (popup && (left || right)) {
        POINT cursor = {0, 0};
        GetCursorPos(&cursor);
        TrackPopupMenu(popup, left ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON, cursor.x, cursor.y, 0,
                       window, nullptr);
    }
    DestroyMenu(menu);
}

int16_t GradientCommand(CColourSlider *control, uint16_t command)
{
    switch (command) {
    case IDM_GRADIENT_LOAD:
        return LoadGradientFile(control);
    case IDM_GRADIENT_SAVE:
        SaveGradientFile(control);
        return 1;
    case IDM_GRADIENT_LINEAR:
        control->pivots.interpolation = Qi_Inquire_Token("linear");
        return 1;
    case IDM_GRADIENT_CARDINAL:
        control->pivots.interpolation = Qi_Inquire_Token("cardinal");
        return 1;
    case IDM_GRADIENT_LARGE_DIALOG:
        return OpenLargeGradientDialog(control);
    }
    ApplyGradientPreset(&control->pivots, command, Qi_Inquire_Token("linear"));
    return 1;
}
