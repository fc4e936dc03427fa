// Every bundled preset, loaded into the host's light, opened in the editor,
// looked at on every page and every element's panel, and closed with Ok,
// comes back unchanged: the host writes the same library file as before.
#include <windows.h>

#include <string>
#include <vector>

#include "controls/tabbed_panel.h"
#include "editor/editor_state.h"
#include "host/core/qi_host.h"
#include "tests/editor/editor_harness.h"
#include "tests/support/token.h"

namespace {

using PresetRoundTrip = EditorTest;

std::vector<std::string> BundledPresets()
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(LF_PRESETS_DIR "\\*.lnz", &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// The preset replaces Light1's flare, as a library load does.
bool LoadPreset(const std::string &name)
{
    SetHostElements({});
    std::string path = std::string(LF_PRESETS_DIR) + "\\" + name;
    int32_t status = -1;
    Qi_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, T("loadfromfile"), path.c_str(), &status,
                 QI_END);
    return status == 0;
}

void ShowPage(HWND dialog, int16_t page)
{
    SendMessageA(dialog, TPN_CLICKED, WPARAM(page), 0);
}

// Ok as the user gives it: a click on the button, which takes the focus.
void ClickOk(HWND dialog)
{
    SetFocus(GetDlgItem(dialog, IDOK));
    SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
}

TEST_F(PresetRoundTrip, EveryBundledPresetComesBackFromOkUnchanged)
{
    std::vector<std::string> presets = BundledPresets();
    ASSERT_GE(presets.size(), 9u) << "the bundled presets in " LF_PRESETS_DIR;
    for (const std::string &preset : presets) {
        SCOPED_TRACE(preset);
        ASSERT_TRUE(LoadPreset(preset));
        const std::string before = HostFlareFile();
        const size_t elements = HostElementGuids().size();
        ASSERT_GT(elements, 0u);

        std::vector<DialogStep> steps = {
            [](HWND dialog) { ShowPage(dialog, PAGE_GLOBAL); },
            [](HWND dialog) { ShowPage(dialog, PAGE_FADING); },
            [](HWND dialog) { ShowPage(dialog, PAGE_ELEMENT); },
        };
        // Each element's panel is built from its parameters, and saved and
        // committed when the next one is selected.
        for (size_t e = 1; e < elements; ++e)
            steps.push_back([e](HWND dialog) { SelectElement(dialog, int(e)); });
        steps.push_back(ClickOk);
        RunEditor(steps);
        EXPECT_EQ(HostFlareFile(), before);
    }
}

}  // namespace
