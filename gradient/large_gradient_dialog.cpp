#include "gradient/large_gradient_dialog.h"

#include <new>

#include "gradient/colour_slider.h"
#include "host/api/qi_importio.h"
#include "resources/gradient_ids.h"

CColourSlider *largeGradientControl;
CColourSlider *largeGradientSource;

namespace {

const char kLabel[] = "Gradient";

// The wide control fills control 1000: its bar is as high as the control
// and leaves a bar height at each end for the caps.
INT_PTR LargeGradient_OnInitDialog(HWND dialog, CColourSlider *source)
{
    // A control of an earlier dialog was deleted with it; never again.
    largeGradientControl = nullptr;
    Import_IO_Center_Window(GetParent(dialog), dialog);
    largeGradientSource = source;
    RECT client = {0, 0, 0, 0};
    GetClientRect(GetDlgItem(dialog, IDC_LARGE_GRADIENT), &client);
    const int16_t width = int16_t(client.right - client.left + 1);
    const int16_t height = int16_t(client.bottom - client.top + 1);
    largeGradientControl = new (std::nothrow)
        CColourSlider(dialog, source->moduleInstance, kLabel, 0, IDC_LARGE_GRADIENT, width,
                      height, nullptr);
    if (!largeGradientControl) {
        EndDialog(dialog, 0);
        return FALSE;
    }
    largeGradientControl->AdoptDialogBackground();
    largeGradientControl->hasMenuButton = 0;
    largeGradientControl->pivots = source->pivots;
    largeGradientControl->Invalidate();
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;
}

INT_PTR LargeGradient_OnOk(HWND dialog)
{
    largeGradientSource->pivots = largeGradientControl->pivots;
    EndDialog(dialog, 1);
    return TRUE;
}

INT_PTR LargeGradient_OnDestroy()
{
    delete largeGradientControl;
    largeGradientControl = nullptr;
    largeGradientSource = nullptr;
    return FALSE;
}

}  // namespace

int16_t OpenLargeGradientDialog(CColourSlider *source)
{
    INT_PTR result = DialogBoxParamA(source->moduleInstance, "LargeGradientEditDialog",
                                     source->hwndControl, LargeGradientDialogProc,
                                     reinterpret_cast<LPARAM>(source));
    return result == 1 ? 1 : 0;
}

INT_PTR CALLBACK LargeGradientDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return LargeGradient_OnInitDialog(dialog, reinterpret_cast<CColourSlider *>(lParam));
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && largeGradientControl)
            return LargeGradient_OnOk(dialog);
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 0);
            return TRUE;
        }
        break;
    case WM_DESTROY:
        return LargeGradient_OnDestroy();
    }
    return FALSE;
}
