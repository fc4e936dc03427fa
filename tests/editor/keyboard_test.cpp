// The editor by keyboard and by hand, driven with real keys and messages:
// Tab's order on every page, Ctrl+Tab and the strip's arrows, the keys of
// the sliders and of the gradient control, every caption's letter, live
// slider drags, a slider field's rules, and Cancel.
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "controls/tabbed_panel.h"
#include "controls/tiny_slider.h"
#include "editor/editor_state.h"
#include "editor/global_sliders.h"
#include "editor/mnemonics.h"
#include "editor/page_tabs.h"
#include "gradient/colour_slider.h"
#include "model/working_flare.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/editor/host_flare_digest.h"
#include "tests/support/token.h"

namespace {

using Keyboard = EditorTest;

// Where the focus is, by control id: "tabs" for the strip, "1801f" for the
// field of the slider 1801.
std::string FocusName(HWND dialog)
{
    HWND focus = GetFocus();
    if (pageTabControl && focus == pageTabControl->hwnd)
        return "tabs";
    if (!focus || focus == dialog)
        return "-";
    if (GetParent(focus) != dialog)
        return std::to_string(GetDlgCtrlID(GetParent(focus))) + "f";
    return std::to_string(GetDlgCtrlID(focus));
}

TEST_F(Keyboard, TabVisitsEveryEnabledControlOfEachPageInReadingOrder)
{
    SetHostElements({"streaks"});
    // One element: Move Up and Move Down are greyed.
    const std::vector<std::string> upper = {"1",    "2",    "1019", "1003", "1004", "1031",
                                            "1005", "1010", "1020", "1021", "1011", "1030",
                                            "1014", "1015", "tabs"};
    const struct {
        int16_t page;
        std::vector<std::string> stops;
    } pages[] = {
        {PAGE_ELEMENT, {"10000", "10000f", "10001", "10001f", "10002", "10002f", "10003",
                        "10003f", "10004", "10004f", "10005", "10007", "10008", "10008f"}},
        {PAGE_GLOBAL, {"1800", "1805", "1801", "1801f", "1802", "1802f", "1803", "1803f", "1804",
                       "1804f", "1809"}},
        {PAGE_FADING, {"1900", "1901", "1902", "1903", "1904", "1905", "1906", "1909", "1909f",
                       "1908"}},
    };
    RunEditor({[&](HWND d) {
        for (const auto &page : pages) {
            ShowPage(d, page.page);
            std::vector<std::string> expected = upper;
            expected.insert(expected.end(), page.stops.begin(), page.stops.end());
            expected.push_back("1");
            auto walk = [&](int modifiers) {
                std::vector<std::string> stops = {FocusName(d)};
                while (stops.size() < expected.size()) {
                    PressKey(d, VK_TAB, modifiers);
                    stops.push_back(FocusName(d));
                }
                return stops;
            };
            SetFocus(GetDlgItem(d, IDOK));
            EXPECT_EQ(walk(0), expected) << "page " << page.page;
            std::reverse(expected.begin(), expected.end());
            EXPECT_EQ(walk(WITH_SHIFT), expected) << "page " << page.page << " backwards";
        }
    }});
}

TEST_F(Keyboard, CtrlTabSwitchesPagesAndTheStripTakesLeftAndRight)
{
    RunEditor({[](HWND d) {
        HWND list = GetDlgItem(d, IDC_ELEMENT_LIST), tabs = pageTabControl->hwnd;
        const struct {
            HWND first;  // the focus before the key; null: Global Scale's slider
            UINT key;
            int modifiers;
            int16_t page;
            const char *focus;
        } rows[] = {
            {list, VK_TAB, WITH_CTRL, PAGE_GLOBAL, "1005"},
            {nullptr, VK_TAB, WITH_CTRL, PAGE_FADING, "tabs"},
            {list, VK_TAB, WITH_CTRL, PAGE_ELEMENT, "1005"},
            {list, VK_TAB, WITH_CTRL | WITH_SHIFT, PAGE_FADING, "1005"},
            {tabs, VK_LEFT, 0, PAGE_GLOBAL, "tabs"}, {tabs, VK_LEFT, 0, PAGE_ELEMENT, "tabs"},
            {tabs, VK_LEFT, 0, PAGE_ELEMENT, "tabs"}, {tabs, VK_RIGHT, 0, PAGE_GLOBAL, "tabs"},
        };
        for (const auto &row : rows) {
            SetFocus(row.first ? row.first : globalScaleSlider->hwnd);
            PressKey(d, row.key, row.modifiers);
            EXPECT_EQ(currentPage, row.page) << &row - rows;
            EXPECT_EQ(FocusName(d), row.focus) << &row - rows;
        }
        EXPECT_TRUE(pageTabList[1].flags & kTabSelected) << "the strip shows the page";
    }});
}

TEST_F(Keyboard, SliderKeysStepTheValueAndReportEachChangeAsADragsEnd)
{
    SetHostFloat("intensity", 1.0f);
    RunEditor({[](HWND d) {
        ShowPage(d, PAGE_GLOBAL);
        TinySlider *slider = globalIntensitySlider;
        SetFocus(slider->hwnd);
        const struct {
            UINT key;
            const char *text;
        } rows[] = {{VK_RIGHT, "1.01"}, {VK_UP, "1.02"},   {VK_LEFT, "1.01"},
                    {VK_DOWN, "1.00"},  {VK_PRIOR, "1.40"}, {VK_NEXT, "1.00"},
                    {VK_END, "4.00"},   {VK_END, "4.00"},   {VK_HOME, "0.00"}};
        for (const auto &row : rows) {
            PressKey(d, row.key);
            EXPECT_EQ(WindowText(slider->hwndEdit), row.text) << "key " << row.key;
            EXPECT_EQ(HostFloat("intensity"), currentInstance->workingFlare->intensity)
                << "key " << row.key;
        }
        for (int step = 0; step < 8; ++step)
            UndoStep(d);
        EXPECT_EQ(HostFloat("intensity"), 1.0f) << "eight changes, eight steps";
    }});
}

TEST_F(Keyboard, GradientKeysSelectMoveAddDeleteAndRecolour)
{
    SetHostElements({"glow"});
    onNestedDialog_ = RedToZero;
    RunEditor({[](HWND d) {
        FlareParameter *p = Parameter(4);
        CColourSlider *gradient = p->gradientSlider;
        ASSERT_NE(gradient, nullptr);
        SetFocus(p->controlWindow);
        const struct {
            UINT key;
            int modifiers;
            std::vector<int32_t> positions;
            int32_t selected;
        } rows[] = {
            {VK_LEFT, 0, {0, 35, 99}, 1},          {VK_RIGHT, 0, {0, 35, 99}, 2},
            {VK_RIGHT, WITH_SHIFT, {0, 36, 99}, 2}, {VK_INSERT, 0, {0, 36, 67, 99}, 3},
            {VK_LEFT, 0, {0, 36, 67, 99}, 2},      {VK_DELETE, 0, {0, 67, 99}, 2},
            {VK_RIGHT, 0, {0, 67, 99}, 3},         {VK_DELETE, 0, {0, 67, 99}, 3},
            {VK_LEFT, WITH_SHIFT, {0, 67, 99}, 3}, {VK_RETURN, 0, {0, 67, 99}, 3},
        };
        for (const auto &row : rows) {
            PressKey(d, row.key, row.modifiers);
            const GradientPivots &pivots = gradient->pivots;
            std::vector<int32_t> positions(pivots.position, pivots.position + pivots.count);
            EXPECT_EQ(positions, row.positions) << "key " << row.key;
            EXPECT_EQ(SelectedPivot(&pivots), row.selected) << "key " << row.key;
            EXPECT_EQ(HostGradientOffsets(0, 4).size(), size_t(pivots.count))
                << "key " << row.key;
        }
        EXPECT_EQ(gradient->pivots.colour[2] & 0xFF, 0u) << "Enter recoloured the end";
        EXPECT_EQ(GetFocus(), p->controlWindow);
    }});
}

std::vector<int> clicks;  // controls whose click reached the editor
HWND clicksOf;

LRESULT CALLBACK RecordClicks(int code, WPARAM wParam, LPARAM lParam)
{
    auto *sent = reinterpret_cast<const CWPSTRUCT *>(lParam);
    if (code == HC_ACTION && sent->hwnd == clicksOf && sent->message == WM_COMMAND &&
        HIWORD(sent->wParam) == BN_CLICKED && sent->lParam)
        clicks.push_back(LOWORD(sent->wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(Keyboard, EveryCaptionsLetterDoesWhatItSaysAndNothingElse)
{
    SetHostElements({"streaks", "glow", "halo"});
    onNestedDialog_ = [](HWND nested) { PostMessageA(nested, WM_COMMAND, IDCANCEL, 0); };
    const struct {
        int16_t page;
        char letter;
        const char *does;  // "click ID" or "focus" and where the focus goes
    } rows[] = {
        {PAGE_ELEMENT, 'I', "focus 10000"}, {PAGE_ELEMENT, 'G', "focus 10001"},
        {PAGE_ELEMENT, 'B', "focus 10002"}, {PAGE_ELEMENT, 'T', "focus 10003"},
        {PAGE_ELEMENT, 'O', "click 1030"}, {PAGE_ELEMENT, 'D', "click 10007"},
        {PAGE_ELEMENT, 'H', "click 1019"},  {PAGE_ELEMENT, 'Y', "click 1003"},
        {PAGE_ELEMENT, 'S', "click 1004"},  {PAGE_ELEMENT, 'L', "focus 1005"},
        {PAGE_ELEMENT, 'M', "click 1010"},  {PAGE_ELEMENT, 'A', "click 1020"},
        {PAGE_ELEMENT, 'W', "click 1012"},  {PAGE_ELEMENT, 'U', "click 1013"},
        {PAGE_ELEMENT, 'F', "click 1015"},  {PAGE_ELEMENT, 'R', "click 1014"},
        {PAGE_ELEMENT, 'N', "click 1016"},  {PAGE_GLOBAL, 'B', "click 1800"},
        {PAGE_GLOBAL, 'D', "click 1805"},   {PAGE_GLOBAL, 'I', "focus 1801"},
        {PAGE_GLOBAL, 'G', "focus 1802"},   {PAGE_GLOBAL, 'T', "focus 1803"},
        {PAGE_GLOBAL, 'P', "focus 1804"},   {PAGE_GLOBAL, 'C', "click 1021"},
        {PAGE_FADING, 'I', "click 1900"},   {PAGE_FADING, 'B', "click 1901"},
        {PAGE_FADING, 'P', "click 1902"},   {PAGE_FADING, 'D', "click 1903"},
        {PAGE_FADING, 'J', "click 1904"},   {PAGE_FADING, 'X', "click 1905"},
        {PAGE_FADING, 'G', "click 1906"},   {PAGE_FADING, 'E', "click 1031"},
        {PAGE_FADING, 'T', "focus 1908"},   {PAGE_FADING, 'V', "click 1011"},
    };
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, RecordClicks, nullptr, GetCurrentThreadId());
    RunEditor({[&](HWND d) {
        clicksOf = d;
        int16_t checked = 0;  // the page whose letters were checked last
        for (const auto &row : rows) {
            if (row.page != checked) {
                ShowPage(d, checked = row.page);
                std::multiset<char> letters;
                for (HWND c = GetWindow(d, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
                    if (IsWindowVisible(c) && MnemonicOf(WindowText(c).c_str()))
                        letters.insert(MnemonicOf(WindowText(c).c_str()));
                for (char letter : letters)
                    EXPECT_EQ(letters.count(letter), 1u) << letter << " on page " << row.page;
            }
            SetFocus(GetDlgItem(d, IDOK));
            clicks.clear();
            PressAltLetter(d, row.letter);
            std::string did = "focus " + FocusName(d);
            for (size_t i = 0; i < clicks.size(); ++i)
                did = (i ? did + " " : "click ") + std::to_string(clicks[i]);
            EXPECT_EQ(did, row.does) << row.letter << " on page " << row.page;
        }
        EXPECT_EQ(HostElements("name").size(), 3u)
            << "Alt+C made a copy and only Alt+V removed an element";
        EXPECT_EQ(services_.helpTopics.size(), 1u);
    }});
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(IniValue("Lens-Flare-UI", "Realtime-Updates"), "0") << "Alt+R";
}

// With realtime updates on a slider's drag reaches the host as it moves, one
// render for moves that came together; with them off nothing does until
// Redraw Now. Either way the drag is one undo step.
TEST_F(Keyboard, SliderDragsAreLiveWithRealtimeUpdatesAndStayOneStep)
{
    SetHostElements({"glow"});
    for (const char *realtime : {"1", "0"}) {
        SetIniValue("Lens-Flare-UI", "Realtime-Updates", realtime);
        const bool live = realtime[0] == '1';
        RunEditor({[&](HWND d) {
            const struct {
                int16_t page;
                const char *changed;
            } rows[] = {{PAGE_GLOBAL, "intensity"}, {PAGE_ELEMENT, "element 0 parameter 0"}};
            for (const auto &row : rows) {
                ShowPage(d, row.page);
                TinySlider *s = row.page == PAGE_GLOBAL ? globalIntensitySlider
                                                        : Parameter(0)->tinySlider;
                const std::string before = HostFlareDigest();
                SendMessageA(s->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(s->thumbX, 25));
                RenderCount count;
                for (int x = 40; x <= 120; x += 20)
                    PostMessageA(s->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, 25));
                Settle();
                const std::vector<std::string> during = ChangedValues(before, HostFlareDigest());
                EXPECT_EQ(during, live ? std::vector<std::string>{row.changed}
                                       : std::vector<std::string>{})
                    << row.changed << ", realtime " << realtime;
                EXPECT_EQ(count.renders, live ? 1 : 0) << row.changed << ", realtime " << realtime;
                SendMessageA(s->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(120, 25));
                UndoStep(d);
                EXPECT_EQ(HostFlareDigest(), before) << row.changed << ": one step";
            }
        }});
    }
}

TEST_F(Keyboard, AFieldSelectsOnClickAndTakesOnlyNumbers)
{
    SetHostFloat("scale", 2.0f);
    RunEditor({[](HWND d) {
        ShowPage(d, PAGE_GLOBAL);
        HWND field = globalScaleSlider->hwndEdit;
        SendMessageA(field, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageA(field, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
        for (char c : std::string("50"))
            SendMessageA(field, WM_CHAR, WPARAM(c), 1);
        EXPECT_EQ(WindowText(field), "50") << "the click selected what was there";
        EXPECT_EQ(HostFloat("scale"), 50.0f);
        const struct {
            const char *typed;
            float scale;
            const char *left;  // the text once the field is left
        } rows[] = {{"abc", 50.0f, "50.00"}, {"\b", 50.0f, "50.00"}, {"-5", 0.01f, "0.01"},
                    {"7.5", 7.5f, "7.5"}};
        for (const auto &row : rows) {
            TypeInto(field, row.typed);
            EXPECT_EQ(HostFloat("scale"), row.scale) << row.typed;
            SetFocus(GetDlgItem(d, IDC_ELEMENT_LIST));
            EXPECT_EQ(WindowText(field), row.left) << row.typed;
        }
    }});
}

// Cancel and Escape ask before they give the flare back as it opened (at the
// host too, whatever was done and whatever the realtime switch); No keeps
// the editor; with nothing changed they close at once.
TEST_F(Keyboard, CancelGivesBackTheOpenedFlareAfterAQuestion)
{
    SetHostElements({"glow", "streaks", "halo"});
    const std::string opened = FlareText();
    onNestedDialog_ = RedToZeroOrAddAtStart;
    expectedResult_ = 0;
    RunEditor({[](HWND d) { PressKey(d, VK_ESCAPE); }});
    EXPECT_TRUE(watcher_.boxes().empty()) << "nothing changed: no question";

    watcher_.QueueAnswer(IDNO);
    watcher_.QueueAnswer(IDYES);
    RunEditor({[&](HWND d) {
        ShowPage(d, PAGE_GLOBAL);
        DragSlider(globalScaleSlider->hwnd, globalScaleSlider->thumbX, 200);
        Click(d, IDC_BASE_COLOR);
        ShowPage(d, PAGE_FADING);
        Click(d, IDC_FADE_NEAR_BORDER);
        Click(d, IDC_FASTER_UPDATES);
        ShowPage(d, PAGE_ELEMENT);
        Click(d, IDC_ADD_ELEMENT);
        Click(d, IDC_MOVE_DOWN);
        SelectElement(d, 2);
        Click(d, IDC_REMOVE_ELEMENT);
        LoadPreset(d, "sun.lnz");
        PressKey(d, VK_ESCAPE);
        ASSERT_TRUE(IsWindow(d)) << "No keeps the editor open";
        Click(d, IDCANCEL);
    }});
    ASSERT_EQ(watcher_.boxes().size(), 2u);
    for (const CapturedBox &box : watcher_.boxes()) {
        EXPECT_EQ(box.text, "Discard the changes made to this flare?");
        EXPECT_EQ(box.buttons, (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(box.defaultButton, IDNO);
    }
    EXPECT_EQ(FlareText(), opened) << "the host's flare as it opened";

    SetIniValue("Lens-Flare-UI", "Realtime-Updates", "0");
    for (bool undone : {false, true}) {
        watcher_.QueueAnswer(IDYES);  // asked only while the drag stands
        RunEditor({[undone](HWND d) {
            ShowPage(d, PAGE_GLOBAL);
            DragSlider(globalScaleSlider->hwnd, globalScaleSlider->thumbX, 200);
            Click(d, IDC_REDRAW_NOW);
            if (undone)
                UndoStep(d);
            Click(d, IDCANCEL);
        }});
        EXPECT_EQ(FlareText(), opened) << "what Redraw Now sent is taken back, undone " << undone;
    }
    EXPECT_EQ(watcher_.boxes().size(), 3u);
}

}  // namespace
