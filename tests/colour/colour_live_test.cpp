// The colour selector over the running editor: with realtime updates on, its
// bars, fields and Undo reach the host while it is open, one render for a
// burst of changes; Cancel gives the host its colour back to the bit; the
// whole session is one undo step.
#include <cstring>

#include "controls/tabbed_panel.h"
#include "editor/editor_state.h"
#include "editor/undo.h"
#include "model/working_flare.h"
#include "resources/colour_ids.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/support/token.h"

namespace {

using ColourLive = EditorTest;

int renders;  // the host's flare renders since the count was cleared

void CountRenders(const char *function, int64_t, void *)
{
    renders += std::strcmp(function, "Qi_LensFlareApplyToGBuffer") == 0;
}

bool CanUndo(HWND dialog)
{
    UINT state = GetMenuState(GetSystemMenu(dialog, FALSE), SC_UNDO_STEP, MF_BYCOMMAND);
    return state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void ScrollRed(HWND selector, int code)
{
    SendMessageA(selector, WM_HSCROLL, code, LPARAM(GetDlgItem(selector, IDC_CHANNEL_BAR)));
}

// Handles what the selector posted within the script's step, so that the
// script's next step never starts inside a preview render.
void Settle()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
}

TEST_F(ColourLive, RealtimeCommitsWhileOpenCancelRestoresAndTheSessionIsOneStep)
{
    const struct {
        const char *name;
        int realtime;  // the editor's realtime updates
        bool element;  // the glow's "color" parameter, else the base colour
        int ending;    // the selector's closing button
    } rows[] = {
        {"realtime, Cancel", 1, false, IDCANCEL},  {"realtime, OK", 1, false, IDOK},
        {"no realtime, Cancel", 0, false, IDCANCEL}, {"no realtime, OK", 0, false, IDOK},
        {"element, realtime, Cancel", 1, true, IDCANCEL},
    };
    for (const auto &row : rows) {
        SetHostElements({"glow"});
        const float odd[3] = {0.1234567f, 0.7654321f, 0.9876543f};  // no 255ths
        Qi_LensFlare(T("light"), "Light1", T("color"), T("rgb"), odd, QI_GROUP, QI_END);
        SetIniValue("Lens-Flare-UI", "Realtime-Updates", row.realtime ? "1" : "0");
        const std::string before = FlareText();
        const bool live = row.realtime;
        onNestedDialog_ = [&](HWND selector) {
            RunDialogScript(selector, {[&](HWND s) {
                renders = 0;
                TypeInto(GetDlgItem(s, IDC_CHANNEL_NUMBER + 1), "10");
                for (int i = 0; i < 5; ++i)
                    ScrollRed(s, SB_LINELEFT);
                Settle();
                // The preview's, and an element's row picture with it.
                EXPECT_EQ(renders, live ? (row.element ? 2 : 1) : 0)
                    << row.name << ": one render for a burst";
                EXPECT_EQ(FlareText() != before, live) << row.name << ": host while open";
                Click(s, IDC_SELECTOR_UNDO);
                Settle();
                EXPECT_EQ(FlareText(), before) << row.name << ": Undo reaches the host";
                ScrollRed(s, SB_LEFT);
                Settle();
                EXPECT_EQ(FlareText() != before, live) << row.name << ": host after Undo";
                Click(s, row.ending);
            }});
        };
        QiHost_Set_Call_Trace(CountRenders, nullptr);
        RunEditor({[&](HWND dialog) {
            SendMessageA(dialog, TPN_CLICKED, row.element ? PAGE_ELEMENT : PAGE_GLOBAL, 0);
        }, [&](HWND dialog) {
            int button = IDC_BASE_COLOR;
            const FlareElement *glow = row.element ? currentInstance->currentElement : nullptr;
            for (const FlareParameter *p = glow ? glow->firstParameter : nullptr; p; p = p->next)
                button = std::strcmp(p->name, "color") == 0 ? p->firstControlId : button;
            Click(dialog, button);
            EXPECT_TRUE(row.ending == IDOK || FlareText() == before) << row.name << ": Cancel";
            EXPECT_EQ(CanUndo(dialog), row.ending == IDOK) << row.name;
            SendMessageA(dialog, WM_SYSCOMMAND, SC_UNDO_STEP, 0);
            EXPECT_FALSE(CanUndo(dialog)) << row.name << ": one step in all";
        }});
        QiHost_Set_Call_Trace(nullptr, nullptr);
        EXPECT_EQ(FlareText(), before) << row.name << ": undone and closed with Ok";
    }
}

}  // namespace
