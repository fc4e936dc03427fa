#include "gradient/gradient_files.h"

#include <cstring>

#include "frame/bounded_text.h"
#include "frame/ini_file.h"
#include "gradient/colour_slider.h"
#include "gradient/gradient_requester.h"
#include "frame/file_dialog.h"
#include "frame/file_replace.h"

namespace {

const char kSection[] = "LensFlare";
const char kLastFileKey[] = "LastGradientDirectory";
const char kSubdirectory[] = "colormap";
const char kErrorCaption[] = "Error";

const char kSaveFilter[] = "Color Gradient Files (*.GRD)|*.grd|";
const char kLoadFilter[] = "Color Gradient and Map Files (*.grd, *.cmp)|*.grd;*.cmp|"
                           "Color Gradient Files (*.grd)|*.grd|"
                           "Color Map Files (*.cmp)|*.cmp|";

// Results of Qi_Save_Gradient_Colormap and Qi_Load_Gradient_Colormap.
const int16_t kCannotOpen = -1;
const int16_t kBadGradient = -2;
const int16_t kNoMemory = -3;

// The file last loaded or saved, or an empty name; nothing without an INI file.
void ReadLastFile(char *name)
{
    name[0] = '\0';
    if (const char *ini = HostIniPath())
        GetPrivateProfileStringA(kSection, kLastFileKey, "", name, FILE_NAME_SIZE, ini);
}

void WriteLastFile(const char *name)
{
    if (const char *ini = HostIniPath())
        WritePrivateProfileStringA(kSection, kLastFileKey, name, ini);
}

void ShowError(HWND owner, const char *text)
{
    MessageBoxA(owner, text, kErrorCaption, MB_OK);
}

void LowerCase(char *text)
{
    for (; *text; ++text)
        if (*text >= 'A' && *text <= 'Z')
            *text = char(*text - 'A' + 'a');
}

// A gradient as the host writes it.
struct GradientWrite {
    int32_t count;
    float offsets[GRADIENT_CAPACITY];
    float colours[3 * GRADIENT_CAPACITY];
    QiToken interpolation;
};

int32_t WriteGradient(const char *path, void *context)
{
    const GradientWrite *gradient = static_cast<const GradientWrite *>(context);
    return Qi_Save_Gradient_Colormap(path, gradient->count, gradient->offsets, gradient->colours,
                                     nullptr, gradient->interpolation);
}

// The interpolation of a loaded gradient: cardinal when the host says so,
// else linear.
QiToken KnownInterpolation(QiToken interpolation)
{
    QiToken cardinal = Qi_Inquire_Token("cardinal");
    return interpolation == cardinal ? cardinal : Qi_Inquire_Token("linear");
}

}  // namespace

// A name typed without extension still becomes a file the load accepts.
int16_t TakeGradientSaveName(HWND owner, char *name)
{
    char chosen[FILE_NAME_SIZE];
    CopyText(chosen, sizeof chosen, name);
    Qi_Check_File_Extension(chosen, name, ".grd");
    if (ExtensionKeptName(chosen, name))
        return 1;
    CopyText(name, FILE_NAME_SIZE, chosen);
    ShowPathMessage(owner, "The file name '%s' is too long to end in .grd.", chosen,
                    "Filename Error", MB_OK);
    return 0;
}

int16_t SaveGradientFile(CColourSlider *control)
{
    char name[FILE_NAME_SIZE];
    ReadLastFile(name);
    if (name[0])
        Qi_Check_File_Extension(name, name, ".grd");
    char filter[sizeof kSaveFilter];
    std::memcpy(filter, kSaveFilter, sizeof filter);
    HWND owner = control->hwndControl;
    if (!ShowFileDialog(owner, 0, kSubdirectory, filter, "Save Color Gradient File", name, 0,
                        nullptr, nullptr, control->moduleInstance))
        return 0;
    if (!TakeGradientSaveName(owner, name))
        return 0;
    WriteLastFile(name);

    GradientWrite gradient;
    const GradientPivots &pivots = control->pivots;
    gradient.count = pivots.count < 0                   ? 0
                     : pivots.count > GRADIENT_CAPACITY ? GRADIENT_CAPACITY
                                                        : pivots.count;
    gradient.interpolation = pivots.interpolation;
    PivotsToHost(&pivots, gradient.colours, gradient.offsets);
    SafeSave save = {};
    save.target = name;
    if (SaveThroughTemporaryFile(&save, WriteGradient, &gradient))
        return 1;
    if (save.hostStatus == kBadGradient)
        ShowError(owner, "Too few entry in the gradient (need 1 or more).");
    else
        ShowSaveFailure(owner, "Could not open the gradient file for writing.", save,
                        kErrorCaption);
    return 1;
}

void TakeLoadedGradient(CColourSlider *control, int16_t status, int32_t count, float *offsets,
                        float *colours, float *third, QiToken interpolation)
{
    HWND owner = control->hwndControl;
    if (status == kNoMemory) {
        ShowError(owner, "Out of memory while parsing the gradient file.");
    } else if (status == kBadGradient) {
        ShowError(owner, "Parsing error encountered in the gradient file.");
    } else if (status == kCannotOpen) {
        ShowError(owner, "Could not find or open the gradient file.");
    } else if (count < 1 || !offsets || !colours) {
        ShowError(owner, "The gradient file does not hold any color.");
    } else {
        GradientPivots loaded = control->pivots;
        PivotsFromHost(&loaded, count, colours, offsets);
        std::memcpy(loaded.selected, control->pivots.selected, sizeof loaded.selected);
        loaded.interpolation = KnownInterpolation(interpolation);
        control->pivots = loaded;
    }
    Qi_Free_Memory(offsets);
    Qi_Free_Memory(colours);
    Qi_Free_Memory(third);
}

int16_t LoadGradientFile(CColourSlider *control)
{
    char name[FILE_NAME_SIZE];
    ReadLastFile(name);
    if (!ChooseGradientFile(control->hwndControl, kSubdirectory, "Load Color Gradient File", name,
                            name, control->moduleInstance))
        return 0;
    WriteLastFile(name);
    int32_t count = 0;
    float *offsets = nullptr;
    float *colours = nullptr;
    float *third = nullptr;
    QiToken interpolation = 0;
    int16_t status =
        Qi_Load_Gradient_Colormap(name, &count, &offsets, &colours, &third, &interpolation);
    TakeLoadedGradient(control, status, count, offsets, colours, third, interpolation);
    return 1;
}

int16_t ChooseGradientFile(HWND owner, const char *subdirectory, const char *title,
                           const char *initialName, char *result, HINSTANCE instance)
{
    if (!subdirectory)
        subdirectory = kSubdirectory;
    // A remembered name inside the subdirectory is offered without it: the
    // dialog starts in the subdirectory anyway.
    char name[FILE_NAME_SIZE] = "";
    if (initialName) {
        size_t length = std::strlen(subdirectory);
        const char *rest = initialName;
        if (std::strncmp(initialName, subdirectory, length) == 0 &&
            (initialName[length] == '/' || initialName[length] == '\\'))
            rest = initialName + length + 1;
        CopyText(name, sizeof name, rest);
    }
    EnterWorkingDirectory();

    char filter[sizeof kLoadFilter];
    std::memcpy(filter, kLoadFilter, sizeof filter);
    const DWORD flags = OFN_EXPLORER | OFN_LONGNAMES | OFN_ENABLETEMPLATE | OFN_ENABLEHOOK;
    if (!ShowFileDialog(owner, 1, subdirectory, filter, title, name, flags, GradientRequesterHook,
                        "GradientFileRequestor", instance))
        return 0;
    LowerCase(name);
    if (!Qi_Check_For_File_Extension(name, ".grd") && !Qi_Check_For_File_Extension(name, ".cmp")) {
        MessageBoxA(owner, "The filename does not have the file extensions of .grd or .cmp.",
                    "Filename Error", MB_OK);
        return 0;
    }
    CopyText(result, FILE_NAME_SIZE, name);
    return 1;
}
