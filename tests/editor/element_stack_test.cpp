// The element list as a stack, inside the running editor and checked on the
// host: the rows' enable boxes, Solo, duplicates and the clipboard, the
// list's keys, dragging and its menu, each change one undo step.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/tiny_slider.h"
#include "editor/editor_state.h"
#include "editor/element_rows.h"
#include "editor/scratch_light.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/editor/host_flare_digest.h"
#include "tests/support/token.h"

namespace {

using Names = std::vector<std::string>;

class ElementStack : public EditorTest {
protected:
    void TearDown() override
    {
        Qi_Remove(T("light"), "Light2", QI_END);
        EditorTest::TearDown();
    }
};

HWND List(HWND dialog)
{
    return GetDlgItem(dialog, IDC_ELEMENT_LIST);
}

// A point in the row's enable box, in list coordinates.
POINT BoxPoint(HWND list, int row)
{
    RECT r = {};
    SendMessageA(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
    POINT p = {r.left, (r.top + r.bottom) / 2};
    while (p.x < r.right && RowBoxAt(list, p) != row)
        ++p.x;
    return {p.x + 3, p.y};
}

void ClickBox(HWND dialog, int row)
{
    POINT p = BoxPoint(List(dialog), row);
    SendMessageA(List(dialog), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(List(dialog), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

// A key as the keyboard delivers it to the list.
void PressOnList(HWND dialog, UINT key, int modifiers = 0)
{
    SetFocus(List(dialog));
    PressKey(dialog, key, modifiers);
}

// A row dragged to another with the left button: the drag list follows the
// pointer's place on the screen.
void DragRow(HWND dialog, int from, int to)
{
    HWND list = List(dialog);
    auto at = [list](int row) {
        RECT r = {};
        SendMessageA(list, LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
        POINT p = {r.right - 10, (r.top + r.bottom) / 2};
        POINT screen = p;
        ClientToScreen(list, &screen);
        SetCursorPos(screen.x, screen.y);
        return MAKELPARAM(p.x, p.y);
    };
    SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at(from));
    SendMessageA(list, WM_MOUSEMOVE, MK_LBUTTON, at(to));
    SendMessageA(list, WM_LBUTTONUP, 0, at(to));
}

void PutTextOnClipboard(const std::string &text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

bool ScratchLightExists()
{
    int32_t exists = 0;
    Qi_Handle_Name_Exists(kScratchLightName, &exists, T("light"), QI_END);
    return exists != 0;
}

std::vector<uint8_t> PreviewPixels()
{
    const BITMAPINFOHEADER &h = previewBitmap.bitmapInfo->bmiHeader;
    return std::vector<uint8_t>(previewBitmap.bits,
                                previewBitmap.bits + size_t(previewBitmap.rowBytes) * h.biHeight);
}

bool Black(const std::vector<uint8_t> &pixels)
{
    return std::all_of(pixels.begin(), pixels.end(), [](uint8_t b) { return b == 0; });
}

QiToken HostEnabled(int32_t e)
{
    QiToken enabled = 0;
    Qi_Inquire_LensFlare(T("light"), "Light1", T("element"), &e, T("enabled"), &enabled, QI_GROUP,
                         QI_END);
    return enabled;
}

// A glow whose every kind of value differs from its type's defaults, the
// switch off: the gradient's unused number, a gradient, a list, a point.
void MakeOddGlow(int32_t e)
{
    const std::string guid = HostElements("guid")[size_t(e)];
    const float radius = 1.2345f, colour[3] = {0.1f, 0.2f, 0.3f}, unused[3] = {0.5f, 0, 0};
    const float point[3] = {0.25f, -0.5f, 0}, profile = 1, offsets[4] = {0, 0.3f, 0.6f, 1},
                colours[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1};
    int32_t count = 4;
    auto set = [&](int32_t p, const float *value) {
        Qi_LensFlare(T("light"), "Light1", T("element"), guid.c_str(), QI_GROUP, T("parameter"),
                     &p, T("value"), value, QI_GROUP, QI_END);
    };
    set(1, &radius);
    set(3, colour);
    set(4, unused);
    set(5, &profile);
    set(6, point);
    int32_t p = 4;
    Qi_LensFlare(T("light"), "Light1", T("element"), guid.c_str(), QI_GROUP, T("parameter"), &p,
                 T("gradientdata"), &count, colours, offsets, QI_GROUP, QI_END);
    Qi_LensFlare(T("light"), "Light1", T("element"), guid.c_str(), T("enabled"), T("off"),
                 QI_GROUP, QI_END);
}

TEST_F(ElementStack, ARowsBoxSwitchesItsElementInEitherModeAsOneStep)
{
    SetHostElements({"glow", "streaks", "halo"});
    const struct {
        int row;
        const char *realtime;
    } cases[] = {{1, "1"}, {0, "0"}, {2, "0"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.row);
        SetIniValue("Lens-Flare-UI", "Realtime-Updates", c.realtime);
        RunEditor({[&](HWND dialog) {
            ClickBox(dialog, c.row);
            EXPECT_EQ(HostEnabled(c.row), T("off"));
            EXPECT_EQ(SelectedElement(dialog), 0) << "the selection stays";
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ELEMENT_ENABLED),
                      c.row == 0 ? BST_UNCHECKED : BST_CHECKED);
            UndoStep(dialog);
            EXPECT_EQ(HostEnabled(c.row), T("on"));
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ELEMENT_ENABLED), BST_CHECKED);
        }});
    }
}

TEST_F(ElementStack, SoloShowsTheSelectedElementAloneAndChangesNoFlare)
{
    SetHostElements({"glow", "streaks", "halo"});
    const std::string before = HostFlareDigest();
    RunEditor({[&](HWND dialog) {
        const std::vector<uint8_t> all = PreviewPixels();
        Click(dialog, IDC_SOLO);
        const std::vector<uint8_t> glow = PreviewPixels();
        EXPECT_NE(glow, all);
        EXPECT_EQ(HostFlareDigest(), before) << "soloing changes no flare";
        ClickBox(dialog, 2);
        EXPECT_EQ(PreviewPixels(), glow) << "another element does not show";
        ClickBox(dialog, 2);
        SelectElement(dialog, 1);
        EXPECT_NE(PreviewPixels(), glow) << "the new selection is soloed";
        Click(dialog, IDC_ELEMENT_ENABLED);
        EXPECT_TRUE(Black(PreviewPixels())) << "the soloed element switched off";
        Click(dialog, IDC_ELEMENT_ENABLED);
        int32_t count = -1;
        Qi_Inquire_LensFlare(T("light"), kScratchLightName, T("numelements"), &count, QI_END);
        EXPECT_EQ(count, 1) << "the scratch light holds one element";
        Click(dialog, IDC_SOLO);
        EXPECT_EQ(PreviewPixels(), all);
    }});
    EXPECT_EQ(HostFlareDigest(), before) << "and Ok stores the flare as without Solo";
    EXPECT_FALSE(ScratchLightExists());
    RunEditor({[](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SOLO), BST_UNCHECKED) << "off at every opening";
    }});
}

// With realtime updates off and an edit waiting, each way of copying an
// element gives, right after it and selected, an element whose every value
// equals the original's; the edit reached the host first. One step each.
TEST_F(ElementStack, DuplicateAndCopyPasteGiveAnEqualElementAfterTheOriginal)
{
    SetHostElements({"glow", "anamorph"});
    MakeOddGlow(0);
    SetIniValue("Lens-Flare-UI", "Realtime-Updates", "0");
    const struct {
        const char *what;
        DialogStep act;
    } cases[] = {
        {"Copy", [](HWND d) { Click(d, IDC_COPY_ELEMENT); }},
        {"Ctrl+D", [](HWND d) { PressOnList(d, 'D', WITH_CTRL); }},
        {"Ctrl+C, Ctrl+V", [](HWND d) {
             PressOnList(d, 'C', WITH_CTRL);
             PressOnList(d, 'V', WITH_CTRL);
         }},
    };
    RunEditor({[&](HWND dialog) {
        for (int source : {0, 1})
            for (const auto &c : cases) {
                SCOPED_TRACE(std::string(c.what) + " of element " + std::to_string(source));
                SelectElement(dialog, source);
                TinySlider *s = currentInstance->currentElement->firstParameter->tinySlider;
                DragSlider(s->hwnd, s->thumbX, s->thumbX + 40);
                const float waiting = currentInstance->currentElement->firstParameter
                                          ->Qv_Current_Value[0];
                const Names before = HostElementDigests();
                c.act(dialog);
                const Names after = HostElementDigests();
                ASSERT_EQ(after.size(), before.size() + 1);
                EXPECT_EQ(HostParameter(source, 0)[0], waiting) << "the waiting edit";
                EXPECT_EQ(after[size_t(source) + 1], after[size_t(source)]);
                EXPECT_EQ(SelectedElement(dialog), source + 1);
                UndoStep(dialog);
                EXPECT_EQ(HostElementDigests().size(), before.size());
            }
        EXPECT_EQ(NewBoxes(), "");
    }});
}

// Copied in one opening of the editor, pasted in another on another light.
TEST_F(ElementStack, CopyInOneOpeningPastesIntoAnotherLight)
{
    SetHostElements({"halo", "glow"});
    MakeOddGlow(1);
    Qi_Light("Light2", T("model"), T("point"), QI_END);
    RunEditor({[](HWND dialog) {
        SelectElement(dialog, 1);
        PressOnList(dialog, 'C', WITH_CTRL);
    }});
    const size_t count = HostElementDigests("Light2").size();
    RunEditor({[](HWND dialog) { PressOnList(dialog, 'V', WITH_CTRL); }}, "light", "Light2");
    const Names light2 = HostElementDigests("Light2");
    ASSERT_EQ(light2.size(), count + 1);
    EXPECT_EQ(light2[1], HostElementDigests()[1]) << "pasted after the first element";
}

// Text that is no element, or that the host will not take whole, changes
// nothing and says why; an unknown parameter is named and left out; an
// element without parameters takes its type's defaults.
TEST_F(ElementStack, PastedTextIsTakenWholeOrNotAtAll)
{
    SetHostElements({"glow"});
    const std::string head = "quorix-lensflare-element 1.0\nelement ";
    const struct {
        const char *what;
        std::string text;
        const char *box;  // what the message says, "" for none
        bool pasted;
    } cases[] = {
        {"garbage", "\x01\x02 hello", "holds no lens flare element", false},
        {"a library", "quorix-lensflare 1.0\nglobals\nend\n", "Line 1: this is no", false},
        {"an unknown type", head + "sparkler\nend\n", "\"sparkler\" cannot be pasted", false},
        {"a refused gradient", head + "glow\ncolors gradient 2\n1 1 1 1\n0 0 0 0\nend\n",
         "lies before the one ahead", false},
        {"a misfit value", head + "glow\ncolor 1\nend\n", "takes three numbers", false},
        {"an unknown parameter", head + "glow\nradius 0.5\nsparkle 3\nend\n",
         "has no parameter sparkle", true},
        {"no parameters", head + "halo\nend\n", "", true},
    };
    RunEditor({[&](HWND dialog) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.what);
            const std::string before = HostFlareDigest();
            PutTextOnClipboard(c.text);
            PressOnList(dialog, 'V', WITH_CTRL);
            const std::string boxes = NewBoxes();
            EXPECT_EQ(boxes.find("Clipboard Error: ") == 0, c.box[0] != 0) << boxes;
            EXPECT_NE(boxes.find(c.box), std::string::npos) << boxes;
            EXPECT_EQ(HostFlareDigest() != before, c.pasted);
        }
        EXPECT_EQ(HostElements("name"), (Names{"glow", "glow", "halo"}));
        EXPECT_EQ(HostParameter(1, 1)[0], 0.5f);
    }});
}

TEST_F(ElementStack, AnEmptyFlareTakesAPasteAndSolo)
{
    SetHostElements({});
    PutTextOnClipboard("quorix-lensflare-element 1.0\nelement streaks\nend\n");
    RunEditor({[](HWND dialog) {
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_COPY_ELEMENT)));
        Click(dialog, IDC_SOLO);
        EXPECT_TRUE(Black(PreviewPixels()));
        PressOnList(dialog, 'C', WITH_CTRL);
        PressOnList(dialog, 'V', WITH_CTRL);
        EXPECT_EQ(HostElements("name"), Names{"streaks"});
        EXPECT_FALSE(Black(PreviewPixels()));
    }});
}

// With realtime updates off and an edit waiting, each change of the list
// takes the edit to the host first and keeps the moved element selected by
// its guid (two glows have the same text).
TEST_F(ElementStack, KeysAndDraggingChangeTheOrderAsOneStepEach)
{
    SetHostElements({"glow", "glow", "halo", "anamorph", "inter"});
    SetIniValue("Lens-Flare-UI", "Realtime-Updates", "0");
    onNestedDialog_ = RedToZeroOrAddAtStart;
    const struct {
        const char *what;
        int select;
        DialogStep act;
        Names order;
        int selected;
    } cases[] = {
        {"Alt+Down", 0, [](HWND d) { PressOnList(d, VK_DOWN, WITH_ALT); },
         {"glow", "glow", "halo", "anamorph", "inter"}, 1},
        {"Alt+Up", 2, [](HWND d) { PressOnList(d, VK_UP, WITH_ALT); },
         {"glow", "halo", "glow", "anamorph", "inter"}, 1},
        {"Delete", 1, [](HWND d) { PressOnList(d, VK_DELETE); },
         {"glow", "halo", "anamorph", "inter"}, 0},
        {"Remove of another row", 1, [](HWND d) {
             SelectElement(d, 3);
             Click(d, IDC_REMOVE_ELEMENT);
         }, {"glow", "glow", "halo", "inter"}, 0},
        {"Add", 2, [](HWND d) { Click(d, IDC_ADD_ELEMENT); },
         {"glow", "glow", "glow", "halo", "anamorph", "inter"}, 0},
        {"a drag from row 0 to row 3", 0, [](HWND d) { DragRow(d, 0, 3); },
         {"glow", "halo", "anamorph", "glow", "inter"}, 3},
        {"a drag from row 4 to row 1", 4, [](HWND d) { DragRow(d, 4, 1); },
         {"glow", "inter", "glow", "halo", "anamorph"}, 1},
    };
    RunEditor({[&](HWND dialog) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.what);
            const std::string before = HostFlareDigest("Light1", false);
            SelectElement(dialog, c.select);
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, IDC_MOVE_UP)) != 0, c.select > 0);
            TinySlider *s = currentInstance->currentElement->firstParameter->tinySlider;
            DragSlider(s->hwnd, s->thumbX, s->thumbX + 30);
            const float waiting = currentInstance->currentElement->firstParameter
                                      ->Qv_Current_Value[0];
            const std::string edited = currentInstance->currentElement->guid;
            c.act(dialog);
            EXPECT_EQ(HostElements("name"), c.order);
            EXPECT_EQ(SelectedElement(dialog), c.selected);
            const Names guids = HostElements("guid");
            EXPECT_EQ(currentInstance->currentElement->guid, guids[size_t(c.selected)]);
            const auto at = std::find(guids.begin(), guids.end(), edited);
            if (at != guids.end()) {
                EXPECT_EQ(HostParameter(int32_t(at - guids.begin()), 0)[0], waiting)
                    << "the waiting edit";
            }
            UndoStep(dialog);
            UndoStep(dialog);
            Click(dialog, IDC_REDRAW_NOW);
            EXPECT_EQ(HostFlareDigest("Light1", false), before);
        }
        SelectElement(dialog, 4);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_MOVE_DOWN)));
    }});
}

TEST_F(ElementStack, TheListsMenuSelectsTheRowAndOffersWhatApplies)
{
    SetHostElements({"glow", "streaks"});
    static std::vector<std::string> items;
    static HHOOK hook = nullptr;
    hook = SetWindowsHookExA(
        WH_CALLWNDPROC,
        [](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
            auto *sent = reinterpret_cast<CWPSTRUCT *>(lParam);
            if (code == HC_ACTION && sent->message == WM_INITMENUPOPUP) {
                auto menu = reinterpret_cast<HMENU>(sent->wParam);
                for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                    char text[64] = "";
                    GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
                    UINT state = GetMenuState(menu, UINT(i), MF_BYPOSITION);
                    if (text[0])
                        items.push_back(std::string(state & MF_GRAYED ? "-" : "") + text);
                }
                PostMessageA(sent->hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
            }
            return CallNextHookEx(hook, code, wParam, lParam);
        },
        nullptr, GetCurrentThreadId());
    const Names all = {"&Copy\tCtrl+C", "&Paste\tCtrl+V", "&Duplicate\tCtrl+D", "&Remove\tDel",
                       "Move &Up\tAlt+Up", "Move &Down\tAlt+Down"};
    PutTextOnClipboard("text");
    RunEditor({[&](HWND dialog) {
        for (int row : {1, 0}) {
            items.clear();
            RECT r = {};
            SendMessageA(List(dialog), LB_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&r));
            POINT p = {r.right - 10, r.top + 3}, screen = p;
            ClientToScreen(List(dialog), &screen);
            SendMessageA(List(dialog), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
            SendMessageA(List(dialog), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List(dialog)),
                         MAKELPARAM(screen.x, screen.y));
            Names expected = all;
            expected[size_t(4 + row)] = "-" + expected[size_t(4 + row)];  // the greyed move
            EXPECT_EQ(SelectedElement(dialog), row);
            EXPECT_EQ(items, expected) << "row " << row;
        }
    }});
    UnhookWindowsHookEx(hook);
}

}  // namespace
