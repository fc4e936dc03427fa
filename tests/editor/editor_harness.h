// Runs the real editor dialog in process against the real host core, on a
// fresh default scene, and reads the host's flare back for the checks.
#ifndef TESTS_EDITOR_EDITOR_HARNESS_H
#define TESTS_EDITOR_EDITOR_HARNESS_H

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "controls/tiny_slider.h"
#include "frame/plugin_instance.h"
#include "model/working_flare.h"
#include "tests/library/host_flares.h"
#include "tests/support/modal_watcher.h"
#include "tests/support/test_services.h"
#include "tests/support/window_text.h"

class EditorTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the editor on the flare of (kind, name) and runs the steps inside
    // it once it has settled; unless a step ended it, the editor is then
    // closed with its close box (which acts as Ok). The dialog's result is
    // expected to be expectedResult_.
    void RunEditor(std::vector<DialogStep> steps, const char *kind = "light",
                   const char *name = "Light1");
    INT_PTR expectedResult_ = 1;

    // The caption and text of every message box since the last call, one a
    // line ("caption: text").
    std::string NewBoxes();
    size_t seenBoxes_ = 0;

    // The settings file of this test and one value of it.
    std::string IniValue(const char *section, const char *key) const;
    void SetIniValue(const char *section, const char *key, const char *value) const;

    // Handed every dialog the editor opens over itself (colour selectors,
    // file dialogs, ...); it must close it.
    std::function<void(HWND)> onNestedDialog_;

    PluginInstance *instance_ = nullptr;
    ModalWatcher watcher_;
    std::string iniPath_;
    TestServices services_{IniFilePath()};
    int64_t liveBlocks_ = 0;

private:
    static std::string IniFilePath();
};

// A global value of the host's flare of Light1 (by keyword path, e.g.
// "intensity" or "fadewithdistance enabled"), and setting one.
float HostFloat(const char *keyword);
QiToken HostSwitch(const char *keyword);
int32_t HostInt(const char *keyword);
void SetHostFloat(const char *keyword, float value);
void SetHostSwitch(const char *keyword, const char *onOrOff);

// A text of each of the host's elements of Light1 in order (the keyword
// "name" gives the types, "guid" the guids); replacing them all by new
// elements of the given types; one parameter's value and gradient offsets.
std::vector<std::string> HostElements(const char *keyword);
void SetHostElements(const std::vector<const char *> &types);
std::array<float, 3> HostParameter(int32_t element, int32_t parameter);
std::vector<float> HostGradientOffsets(int32_t element, int32_t parameter);

// The bundled presets in the host's working directory: a path, and the
// file names.
std::string PresetPath(const std::string &name);
std::vector<std::string> PresetNames();

// Selects item `index` of the editor's element list as a click does; the
// list's selected item and its count.
void SelectElement(HWND dialog, int index);
int SelectedElement(HWND dialog);
int ElementRows(HWND dialog);

// Parameter `index` of the selected element.
FlareParameter *Parameter(int index);

// Shows a page of the editor as a click on its tab does.
void ShowPage(HWND dialog, int16_t page);

// Undo and redo through the editor's system menu, and whether the menu
// offers the command.
void UndoStep(HWND dialog);
void RedoStep(HWND dialog);
bool MenuOffers(HWND dialog, UINT command);

// Handles every message waiting in the thread's queue.
void Settle();

// Loads a bundled preset into Light1 and reloads the editor, as the
// library's Load does.
void LoadPreset(HWND dialog, const char *name);

// Answers for the dialogs the editor opens: the colour selector takes red
// to 0 and is closed with OK; RedToZeroOrAddAtStart also adds the first type
// at the start of the list in "Select Element".
void RedToZero(HWND selector);
void RedToZeroOrAddAtStart(HWND nested);

// Counts the host's flare renders while it lives (one counter at a time).
class RenderCount {
public:
    RenderCount();
    ~RenderCount();
    RenderCount(const RenderCount &) = delete;
    RenderCount &operator=(const RenderCount &) = delete;
    int renders = 0;
};

// Whether `inner` lies wholly within `outer`.
bool Inside(const RECT &inner, const RECT &outer);

// A press on a button of the dialog, as a click delivers it.
void Click(HWND dialog, int id);

// Drags a small slider's thumb from x0 to x1 with the left button.
void DragSlider(HWND slider, int x0, int x1);

// A key as the keyboard delivers it to the window with the focus (or the
// dialog): through the queue, the editor's keys and the dialog's own key
// handling, with Ctrl, Shift and Alt held as asked; handled before this returns.
enum { WITH_CTRL = 1, WITH_SHIFT = 2, WITH_ALT = 4 };
void PressKey(HWND dialog, UINT key, int modifiers = 0);

// Alt with a letter, as the WM_SYSCHAR the system makes of it.
void PressAltLetter(HWND dialog, char letter);

// Types text into an edit control character by character, as the keyboard
// delivers it (WM_CHAR), after selecting what it held.
void TypeInto(HWND edit, const char *text);

// The editor's five global sliders with their page, field and keyword; read
// while the editor is open (the sliders exist only then).
struct GlobalSliderRow {
    TinySlider *slider;
    int16_t page;
    float WorkingFlare::*field;
    const char *keyword;
};
std::array<GlobalSliderRow, 5> GlobalSliderRows();

// The editor's ten global switches with their page (Faster Updates shows on
// every page) and the host's keyword path of their value.
struct GlobalSwitchRow {
    int id;
    int16_t page;
    const char *keyword;
};
std::array<GlobalSwitchRow, 10> GlobalSwitchRows();

// The bits of a float, for comparisons that must be exact.
uint32_t Bits(float value);

#endif
