#include "colour/system_colour_picker.h"

#include <commdlg.h>

#include <cstdio>

#include "colour/colour_math.h"
#include "frame/ini_file.h"

namespace {

const char kSection[] = "Saved-Custom-Colors";
const int kCustomColours = 16;

// The key of custom colour 1..16.
void CustomColourKey(char *key, size_t size, int number)
{
    snprintf(key, size, "Custom-Color%d", number);
}

// A missing key gives the grey ramp: 1 white, then 16 less per channel each.
void ReadCustomColours(const char *ini, COLORREF colours[kCustomColours])
{
    for (int i = 0; i < kCustomColours; ++i) {
        char key[32];
        CustomColourKey(key, sizeof key, i + 1);
        UINT value = GetPrivateProfileIntA(kSection, key, -1, ini);
        if (value == 0xFFFFFFFFu) {
            const BYTE grey = BYTE(0xFF - 0x10 * i);
            value = RGB(grey, grey, grey);
        }
        colours[i] = value;
    }
}

// Values are written as "%ud": the number and a letter d, at which reading
// stops, so the number reads back unchanged (white is "16777215d").
void WriteCustomColours(const char *ini, const COLORREF colours[kCustomColours])
{
    for (int i = 0; i < kCustomColours; ++i) {
        char key[32], value[32];
        CustomColourKey(key, sizeof key, i + 1);
        snprintf(value, sizeof value, "%ud", unsigned(colours[i]));
        WritePrivateProfileStringA(kSection, key, value, ini);
    }
}

}  // namespace

int16_t PickSystemColour(HWND owner, float colour[3])
{
    const char *ini = PluginIniPath();
    COLORREF custom[kCustomColours];
    ReadCustomColours(ini, custom);
    CHOOSECOLORA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.rgbResult = ColourToColorref(colour);
    request.lpCustColors = custom;
    request.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorA(&request))
        return 0;
    ColorrefToColour(request.rgbResult, colour);
    WriteCustomColours(ini, custom);
    return 1;
}
