// The colour selector over the running editor: with realtime updates on, its
// bars, fields and Undo reach the host while it is open, one render for a
// burst of changes; Cancel and the close box give the host its colour back to
// the bit; the whole session is one undo step.
#include <cstring>

#include "editor/editor_state.h"
#include "editor/undo.h"
#include "model/working_flare.h"
#include "resources/colour_ids.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/support/token.h"

namespace {

using ColourLive = EditorTest;

void ScrollRed(HWND selector, int code)
{
    SendMessageA(selector, WM_HSCROLL, code, LPARAM(GetDlgItem(selector, IDC_CHANNEL_BAR)));
}

TEST_F(ColourLive, RealtimeCommitsWhileOpenCancelRestoresAndTheSessionIsOneStep)
{
    const struct {
        const char *name;
        int realtime;  // the editor's realtime updates
        bool element;  // the glow's "color" parameter, else the base colour
        int ending;    // the selector's closing button, 0 for its close box
    } rows[] = {
        {"realtime, Cancel", 1, false, IDCANCEL},  {"realtime, OK", 1, false, IDOK},
        {"no realtime, Cancel", 0, false, IDCANCEL}, {"no realtime, OK", 0, false, IDOK},
        {"element, realtime, Cancel", 1, true, IDCANCEL}, {"realtime, close box", 1, false, 0},
    };
    for (const auto &row : rows) {
        SetHostElements({"glow"});
        const float odd[3] = {0.1234567f, 0.7654321f, 0.9876543f};  // no 255ths
        Qi_LensFlare(T("light"), "Light1", T("color"), T("rgb"), odd, QI_GROUP, QI_END);
        SetIniValue("Lens-Flare-UI", "Realtime-Updates", row.realtime ? "1" : "0");
        const std::string before = FlareText();
        const bool live = row.realtime;
        // Each step settles what the selector posted, so that the script's
        // next step never starts inside a preview render.
        onNestedDialog_ = [&](HWND selector) {
            RunDialogScript(selector, {[&](HWND s) {
                RenderCount count;
                TypeInto(GetDlgItem(s, IDC_CHANNEL_NUMBER + 1), "10");
                for (int i = 0; i < 5; ++i)
                    ScrollRed(s, SB_LINELEFT);
                Settle();
                // The preview's, and an element's row picture with it.
                EXPECT_EQ(count.renders, live ? (row.element ? 2 : 1) : 0)
                    << row.name << ": one render for a burst";
                EXPECT_EQ(FlareText() != before, live) << row.name << ": host while open";
                Click(s, IDC_SELECTOR_UNDO);
                Settle();
                EXPECT_EQ(FlareText(), before) << row.name << ": Undo reaches the host";
                ScrollRed(s, SB_LEFT);
                Settle();
                EXPECT_EQ(FlareText() != before, live) << row.name << ": host after Undo";
                if (row.ending)
                    Click(s, row.ending);
                else
                    PostCloseBox(s);
            }});
        };
        RunEditor({[&](HWND dialog) {
            ShowPage(dialog, row.element ? PAGE_ELEMENT : PAGE_GLOBAL);
        }, [&](HWND dialog) {
            int button = IDC_BASE_COLOR;
            const FlareElement *glow = row.element ? currentInstance->currentElement : nullptr;
            for (const FlareParameter *p = glow ? glow->firstParameter : nullptr; p; p = p->next)
                button = std::strcmp(p->name, "color") == 0 ? p->firstControlId : button;
            Click(dialog, button);
            EXPECT_TRUE(row.ending == IDOK || FlareText() == before) << row.name << ": Cancel";
            EXPECT_EQ(MenuOffers(dialog, SC_UNDO_STEP), row.ending == IDOK) << row.name;
            UndoStep(dialog);
            EXPECT_FALSE(MenuOffers(dialog, SC_UNDO_STEP)) << row.name << ": one step in all";
        }});
        EXPECT_EQ(FlareText(), before) << row.name << ": undone and closed with Ok";
    }
}

}  // namespace
