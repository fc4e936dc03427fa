// The colour selector over the running editor: with realtime updates on, what
// its bars, fields and Undo do reaches the host while it is open, one commit
// and render for a burst of changes; Cancel gives the host its colour back to
// the bit; the whole session is one undo step.
#include <windows.h>

#include <cstring>
#include <string>

#include "controls/tabbed_panel.h"
#include "editor/editor_state.h"
#include "editor/undo.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "resources/colour_ids.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/support/token.h"

namespace {

using ColourLive = EditorTest;

int renders;  // flare renders the host made since the count was cleared

void CountRenders(const char *function, int64_t, void *)
{
    if (std::strcmp(function, "Qi_LensFlareApplyToGBuffer") == 0)
        ++renders;
}

bool CanUndo(HWND dialog)
{
    UINT state = GetMenuState(GetSystemMenu(dialog, FALSE), SC_UNDO_STEP, MF_BYCOMMAND);
    return state != UINT(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

void ScrollRed(HWND selector, int code)
{
    SendMessageA(selector, WM_HSCROLL, code,
                 reinterpret_cast<LPARAM>(GetDlgItem(selector, IDC_CHANNEL_BAR)));
}

// Lets the selector handle what its changes posted, inside the script's step,
// so that the script's next step never starts inside a preview render.
void Settle()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

TEST_F(ColourLive, RealtimeCommitsWhileOpenCancelRestoresAndTheSessionIsOneStep)
{
    const struct {
        const char *name;
        int realtime;  // the editor's realtime updates
        bool element;  // the glow's "color" parameter, else the base colour
        int ending;    // the selector's closing button
    } rows[] = {
        {"realtime, Cancel", 1, false, IDCANCEL},
        {"realtime, OK", 1, false, IDOK},
        {"no realtime, Cancel", 0, false, IDCANCEL},
        {"no realtime, OK", 0, false, IDOK},
        {"element colour, realtime, Cancel", 1, true, IDCANCEL},
    };
    for (const auto &row : rows) {
        SetHostElements({"glow"});
        const float odd[3] = {0.1234567f, 0.7654321f, 0.9876543f};  // no 255ths
        Qi_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, T("color"), T("rgb"), odd,
                     QI_GROUP, QI_END);
        SetIniValue("Lens-Flare-UI", "Realtime-Updates", row.realtime ? "1" : "0");
        const std::string before = FlareText();
        const bool live = row.realtime;
        onNestedDialog_ = [&](HWND selector) {
            RunDialogScript(selector, {[&](HWND s) {
                renders = 0;
                for (int i = 0; i < 5; ++i)
                    ScrollRed(s, SB_LINELEFT);
                TypeInto(GetDlgItem(s, IDC_CHANNEL_NUMBER + 1), "10");
                Settle();
                EXPECT_EQ(renders, live ? 1 : 0) << row.name << ": one render for a burst";
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
                       if (!row.element)
                           SendMessageA(dialog, TPN_CLICKED, WPARAM(PAGE_GLOBAL), 0);
                   },
                   [&](HWND dialog) {
                       int button = IDC_BASE_COLOR;
                       if (row.element) {
                           const FlareParameter *p =
                               currentInstance->currentElement->firstParameter;
                           while (p && std::strcmp(p->name, "color") != 0)
                               p = p->next;
                           ASSERT_NE(p, nullptr);
                           button = p->firstControlId;
                       }
                       Click(dialog, button);
                       if (row.ending == IDCANCEL) {
                           EXPECT_EQ(FlareText(), before) << row.name << ": Cancel";
                       }
                       EXPECT_EQ(CanUndo(dialog), row.ending == IDOK) << row.name;
                       SendMessageA(dialog, WM_SYSCOMMAND, SC_UNDO_STEP, 0);
                       EXPECT_FALSE(CanUndo(dialog)) << row.name << ": one step in all";
                   }});
        QiHost_Set_Call_Trace(nullptr, nullptr);
        EXPECT_EQ(FlareText(), before) << row.name << ": undone and closed with Ok";
    }
}

}  // namespace
