// The element page inside the running editor: the panel built from the
// host's definitions of every element type, edits reaching the host, the
// radius outline on the preview, and definitions a careless host may give.
#include <windows.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "controls/tiny_slider.h"
#include "editor/editor_state.h"
#include "editor/element_panel.h"
#include "editor/parameter_pages.h"
#include "gradient/colour_slider.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "preview/preview.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/support/dib_canvas.h"
#include "tests/support/token.h"

namespace {

using ElementPanel = EditorTest;

std::string ClassOf(HWND window)
{
    char name[32] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT RectIn(HWND dialog, HWND control)
{
    RECT r = {};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
    return r;
}

// A caption as it shows: its letter's "&" gone, "&&" one ampersand.
std::string Shown(const std::string &caption)
{
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;  // the letter, or the second ampersand, shows
        shown += caption[i];
    }
    return shown;
}

// Checks one parameter's control against its definition and value.
void ExpectControlOf(HWND dialog, const FlareParameter *p)
{
    auto is = [p](const char *type) { return p->type == T(type); };
    SCOPED_TRACE(p->name);
    if (is("point") || is("arbitrarydata")) {
        EXPECT_EQ(p->controlWindow, nullptr);
        return;
    }
    ASSERT_NE(p->controlWindow, nullptr);
    EXPECT_EQ(GetDlgCtrlID(p->controlWindow), p->firstControlId);
    if (is("checkbox")) {
        EXPECT_EQ(Shown(WindowText(p->controlWindow)), p->description);
        EXPECT_EQ(IsDlgButtonChecked(dialog, p->firstControlId) == BST_CHECKED,
                  p->Qv_Current_Value[0] != 0.0f);
    } else if (is("color") || is("list")) {
        ASSERT_NE(p->labelWindow, nullptr);
        EXPECT_EQ(GetDlgCtrlID(p->labelWindow), p->firstControlId + 1);
        EXPECT_EQ(Shown(WindowText(p->labelWindow)), p->description);
        EXPECT_LT(RectIn(dialog, p->labelWindow).right, RectIn(dialog, p->controlWindow).left);
        if (is("list"))
            EXPECT_EQ(SendMessageA(p->controlWindow, CB_GETITEMDATA,
                                   SendMessageA(p->controlWindow, CB_GETCURSEL, 0, 0), 0),
                      LRESULT(p->Qv_Current_Value[0]));
        else
            EXPECT_EQ(ClassOf(p->controlWindow), "Button");
    } else if (is("gradient")) {
        ASSERT_NE(p->gradientSlider, nullptr);
        EXPECT_EQ(p->gradientSlider->pivots.count, p->gradientCount);
    } else {
        EXPECT_EQ(ClassOf(p->controlWindow), "TINYSLIDER");
        EXPECT_EQ(p->tinySlider->mode, p->floatarg == T("on") ? 1u : 0u);
        EXPECT_EQ(*p->tinySlider->boundFloat, p->Qv_Current_Value[0]);
        EXPECT_EQ(Shown(p->tinySlider->label), p->description);
    }
}

// Every type of the host's catalogue gets a panel: the right control per
// parameter, ids in parameter order from 10000, two columns in the page
// area, the values shown.
TEST_F(ElementPanel, EveryElementTypeOfTheCatalogueGetsItsPanel)
{
    int32_t typeCount = 0;
    Qi_LensFlare_Enumerate_ElementInfo(T("numelements"), &typeCount, QI_END);
    ASSERT_GT(typeCount, 0);
    for (int32_t i = 0; i < typeCount; ++i) {
        const char *name = nullptr;
        Qi_LensFlare_Enumerate_ElementInfo(T("element"), &i, T("name"), &name, QI_GROUP, QI_END);
        SCOPED_TRACE(name);
        SetHostElements({name});
        RunEditor({[](HWND dialog) {
            ASSERT_EQ(currentPage, PAGE_ELEMENT);
            ASSERT_NE(currentInstance->currentElement, nullptr);
            RECT area = PageAreaRect(dialog);
            const int half = (area.right - area.left) / 2;
            const int firstX = area.left + 5, secondX = area.left + half + 5;
            int expectedId = PANEL_FIRST_ID;
            bool second = false;
            for (FlareParameter *p = currentInstance->currentElement->firstParameter; p;
                 p = p->next) {
                EXPECT_EQ(p->firstControlId, expectedId) << p->name;
                ExpectControlOf(dialog, p);
                if (!p->controlWindow)
                    continue;
                expectedId += p->labelWindow ? 2 : 1;
                RECT r = RectIn(dialog, p->labelWindow ? p->labelWindow : p->controlWindow);
                second = second || r.left == secondX;
                EXPECT_EQ(r.left, second ? secondX : firstX) << p->name << ": columns in order";
                EXPECT_GT(r.top, area.top);
                EXPECT_LT(RectIn(dialog, p->controlWindow).bottom, area.bottom) << p->name;
                EXPECT_LT(RectIn(dialog, p->controlWindow).right, area.right) << p->name;
            }
            EXPECT_EQ(GetDlgItem(dialog, IDC_PANEL_SCROLL), nullptr) << "every type fits";
        }});
    }
}

// A list's choice and a check box reach the host at once with realtime
// updates on (sliders, colours and gradients: Keyboard, ColourLive, Undo). A
// gradient's label row stands above its bar, on the page itself: the label
// at the left, the selected pivot's values at the right.
TEST_F(ElementPanel, ListsAndCheckBoxesReachTheHostAndGradientsShowTheirLabelRow)
{
    SetHostElements({"glow", "streaks"});
    int left = 0, right = 0;
    RunEditor({[&](HWND dialog) {
        CColourSlider *gradient = Parameter(4)->gradientSlider;  // glow's "colors"
        ASSERT_NE(gradient, nullptr);
        UpdateWindow(dialog);
        gradient->Invalidate();
        UpdateWindow(dialog);
        const RECT r = gradient->ControlRectInParent();
        const int middle = (r.left + r.right) / 2;
        auto dark = [](COLORREF pixel) { return GetRValue(pixel) < 64; };
        left = CountShownPixels(dialog, {r.left, r.top - 14, middle, r.top}, dark);
        right = CountShownPixels(dialog, {middle, r.top - 14, r.right, r.top}, dark);

        HWND profile = Parameter(5)->controlWindow;  // glow's list
        SendMessageA(profile, CB_SETCURSEL, 0, 0);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(Parameter(5)->firstControlId, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(profile));
        EXPECT_EQ(HostParameter(0, 5)[0], 0.0f);

        SelectElement(dialog, 1);  // streaks: random lengths (check box 6)
        const float before = HostParameter(1, 6)[0];
        Click(dialog, Parameter(6)->firstControlId);
        EXPECT_EQ(HostParameter(1, 6)[0], before == 0.0f ? 1.0f : 0.0f);
    }});
    EXPECT_GT(left, 20) << "\"Radial Colors\"";
    EXPECT_GT(right, 20) << "\"R=255,G=255,B=255,Pos=0\"";
}

// A gradient of 150 entries is shown merged to 100 pivots over its whole
// span, without a message, and left to the bit by every look at it (the
// panel built again, the other page, an undo step of another value, Ok).
// The user's first edit writes the merged table.
TEST_F(ElementPanel, AGradientLongerThanTheControlHoldsStaysUntouchedUntilEdited)
{
    SetHostElements({"glow", "streaks"});
    std::vector<float> colours, offsets;
    for (int i = 0; i < 150; ++i) {
        offsets.push_back(float(i / 149.0));
        colours.insert(colours.end(), {float(i / 149.0), 0.25f, 1.0f});
    }
    int32_t count = 150, parameter = 4;  // glow's "colors"
    Qi_LensFlare(T("light"), QIHOST_DEFAULT_LIGHT, T("element"), HostElements("guid")[0].c_str(),
                 QI_GROUP, T("parameter"), &parameter, T("gradientdata"), &count, colours.data(),
                 offsets.data(), QI_GROUP, QI_END);
    ASSERT_EQ(HostGradientOffsets(0, 4).size(), 150u);
    const std::string before = FlareText();
    RunEditor({[](HWND dialog) {
        EXPECT_EQ(Parameter(4)->gradientSlider->pivots.count, 100);
        SelectElement(dialog, 1);
        SelectElement(dialog, 0);
        ShowPage(dialog, PAGE_GLOBAL);
        ShowPage(dialog, PAGE_ELEMENT);
        DragSlider(Parameter(0)->tinySlider->hwnd, Parameter(0)->tinySlider->thumbX, 200);
        UndoStep(dialog);
    }});
    EXPECT_EQ(FlareText(), before);
    EXPECT_TRUE(watcher_.boxes().empty()) << "no defect, no message";

    RunEditor({[&](HWND) {
        FlareParameter *p = Parameter(4);
        const CColourSlider *gradient = p->gradientSlider;
        SendMessageA(gradient->hwndControl, WM_RBUTTONDOWN, 0,
                     MAKELPARAM(gradient->barLeft + gradient->barWidth / 2, 15));
        ASSERT_EQ(p->gradientCount, 99) << "the merged table less the deleted pivot";
        EXPECT_EQ(p->gradientOffsets[98], 1.0f);
        EXPECT_EQ(ColourFromComponents(p->gradientColors), ColourFromComponents(&colours[0]));
        EXPECT_EQ(ColourFromComponents(&p->gradientColors[3 * 98]),
                  ColourFromComponents(&colours[3 * 149]));
    }});
    EXPECT_EQ(HostGradientOffsets(0, 4).size(), 99u);
}

// While a "radius" slider is dragged, a white outline of that radius
// around the light is drawn on the preview.
TEST_F(ElementPanel, RadiusSlidersOutlineTheRadiusOnThePreview)
{
    SetHostElements({"glow"});
    int whiteOnOutline = 0, whiteAfterRepaint = 0;
    RunEditor({[&](HWND) {
        TinySlider *radius = Parameter(1)->tinySlider;
        ASSERT_STREQ(Parameter(1)->name, "radius");
        SendMessageA(radius->hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(radius->thumbX, 25));
        SendMessageA(radius->hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(radius->thumbX + 40, 25));
        // The outline's rightmost point: half the smaller side times the
        // radius and the global scale, right of the light.
        RECT client;
        GetClientRect(previewControl, &client);
        const int side = std::min(client.right + 1, client.bottom + 1) / 2;
        const float h = radius->floatValue * currentInstance->workingFlare->scale;
        const int x = int(float(lightX) + float(side) * h) + 1;
        const int y = client.bottom - lightY - 1;
        auto countWhite = [&] {
            return CountShownPixels(previewControl, {x - 2, y - 2, x + 1, y + 3},
                                    [](COLORREF pixel) { return pixel == RGB(255, 255, 255); });
        };
        whiteOnOutline = countWhite();
        SendMessageA(radius->hwnd, WM_LBUTTONUP, 0, MAKELPARAM(radius->thumbX, 25));
        InvalidateRect(previewControl, nullptr, FALSE);
        UpdateWindow(previewControl);
        whiteAfterRepaint = countWhite();

        // The host's largest radius, scale and squeeze: an outline far out
        // of sight, drawn at once all the same.
        currentInstance->workingFlare->scale = 1000.0f;
        currentInstance->workingFlare->anamorphicstretch = 0.01f;
        const DWORD start = GetTickCount();
        DragSlider(radius->hwnd, radius->thumbX, radius->width);
        EXPECT_LT(GetTickCount() - start, 2000u);
    }});
    EXPECT_GT(whiteOnOutline, 0);
    EXPECT_EQ(whiteAfterRepaint, 0) << "the next repaint removes the outline";
}

// Definitions a careless host may give: points before controls, list texts
// without an end, unbounded and empty ranges, gradients off 0..1.
class ForeignDefinitions : public EditorTest {
protected:
    // An element of the working flare that no host type describes; removed
    // again before the editor commits.
    static FlareElement *HandMadeElement()
    {
        FlareElement *element = AppendElement(currentInstance->workingFlare);
        element->description = "hand made";
        element->guid = "no such guid";
        element->enabled = T("on");
        return element;
    }
    static FlareParameter *Add(FlareElement *element, const char *type, const char *name)
    {
        FlareParameter *p = AppendParameter(element);
        p->type = T(type);
        p->name = name;
        p->description = name;
        p->uimaxrange[0] = p->absmaxrange[0] = 10.0f;
        p->floatarg = T("on");
        return p;
    }
    static void Show(HWND dialog, FlareElement *element)
    {
        PluginInstance *instance = currentInstance;
        if (instance->currentElement)
            DestroyElementPanel(instance, instance->currentElement);
        BuildElementPanel(instance, dialog, element);
    }
    static void Forget(FlareElement *element)
    {
        DestroyElementPanel(currentInstance, element);
        currentInstance->currentElement = nullptr;
        RemoveElement(currentInstance->workingFlare, element);
    }
};

TEST_F(ForeignDefinitions, ListTextsAreReadWithinTheirBlockAndCut)
{
    static char unterminated[] = {'S', 'm', 'a', 'l', 'l', ':', '0', ',', 'M', 'e', 'd', ':', '1',
                                  ',', 'L', 'a', 'r', 'g', 'e', 'X', 'Y', 'Z'};
    std::string longName(300, 'n');
    std::string longText = longName + ":7";
    RunEditor({[&](HWND dialog) {
        FlareElement *element = HandMadeElement();
        FlareParameter *sized = Add(element, "list", "sized");
        sized->arbitraryData = unterminated;
        sized->arbitraryDataSize = 19;  // "Small:0,Med:1,Large": no ':' after Large
        sized->Qv_Current_Value[0] = 1.0f;
        FlareParameter *none = Add(element, "list", "none");  // no text at all
        FlareParameter *cut = Add(element, "list", "cut");
        cut->arbitraryData = longText.data();
        cut->arbitraryDataSize = int32_t(longText.size());
        cut->Qv_Current_Value[0] = 7.0f;
        Show(dialog, element);
        EXPECT_EQ(SendMessageA(sized->controlWindow, CB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(SendMessageA(sized->controlWindow, CB_GETCURSEL, 0, 0), 1);
        EXPECT_EQ(SendMessageA(none->controlWindow, CB_GETCOUNT, 0, 0), 0);
        char name[512] = "";
        SendMessageA(cut->controlWindow, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(name));
        EXPECT_EQ(std::string(name), longName.substr(0, 127));
        EXPECT_EQ(SendMessageA(cut->controlWindow, CB_GETCURSEL, 0, 0), 0);
        // sized and cut match their values; none has nothing to match.
        sized->arbitraryData = cut->arbitraryData = nullptr;  // not the flare's to free
        Forget(element);
    }});
    ASSERT_EQ(watcher_.boxes().size(), 1u);
    EXPECT_EQ(watcher_.boxes()[0].caption, "Programming Error");
    EXPECT_EQ(watcher_.boxes()[0].text,
              "The 'param_ptr->Qv_Current_Value' does not match any of the combo box entry "
              "types.");
}

TEST_F(ForeignDefinitions, UnboundedAndEmptyRangesGiveFiniteSliders)
{
    float dragged[3] = {NAN, NAN, NAN};
    RunEditor({[&](HWND dialog) {
        FlareElement *element = HandMadeElement();
        FlareParameter *unbounded = Add(element, "floatslider", "unbounded");
        unbounded->uiminrange[0] = unbounded->absminrange[0] = -FLT_MAX;
        unbounded->uimaxrange[0] = unbounded->absmaxrange[0] = FLT_MAX;
        unbounded->precision = 9;
        FlareParameter *narrow = Add(element, "intslider", "narrow");
        narrow->floatarg = T("off");
        narrow->uiminrange[0] = 0.2f;
        narrow->uimaxrange[0] = 0.7f;
        FlareParameter *both = Add(element, "floatslider", "both unbounded too");
        both->uiminrange[0] = -FLT_MAX;
        Show(dialog, element);
        int i = 0;
        for (FlareParameter *p : {unbounded, narrow, both}) {
            TinySlider *slider = p->tinySlider;
            EXPECT_TRUE(std::isfinite(slider->floatMax - slider->floatMin)) << p->name;
            DragSlider(slider->hwnd, slider->thumbX, -50);  // to the left end
            dragged[i++] = p->Qv_Current_Value[0];
        }
        EXPECT_EQ(unbounded->tinySlider->floatMin, 0.0f);
        EXPECT_EQ(unbounded->tinySlider->floatMax, 100.0f);
        EXPECT_EQ(unbounded->tinySlider->precision, 4);
        EXPECT_EQ(narrow->tinySlider->intMax - narrow->tinySlider->intMin, 10);
        Show(dialog, element);  // built again: no second message
        Forget(element);
    }});
    for (float value : dragged)
        EXPECT_TRUE(std::isfinite(value));
    EXPECT_EQ(dragged[0], 0.0f);
    EXPECT_LE(watcher_.boxes().size(), 1u) << "the range message is shown once per process";
    for (const CapturedBox &box : watcher_.boxes())
        EXPECT_EQ(box.caption, "Lens Flare API definition error");
}

// Gradients with a defect are shown over 0..99 with a message naming each
// defect, every time the panel is built, and are not written back while
// untouched.
TEST_F(ForeignDefinitions, GradientDefectsAreNamedAndUntouchedGradientsStayAsTheyAre)
{
    struct Row {
        const char *name;
        std::vector<float> offsets;
        std::vector<std::string> named;
    };
    const Row rows[] = {
        {"ends inside", {0.1f, 0.9f}, {"The first entry", "The last entry"}},
        {"decreasing", {0.0f, 0.6f, 0.4f, 1.0f}, {"decrease"}},
        {"not a number", {0.0f, NAN, 1.0f}, {"not a number"}},
    };
    RunEditor({[&](HWND dialog) {
        for (const Row &row : rows) {
            FlareElement *element = HandMadeElement();
            FlareParameter *gradient = Add(element, "gradient", "shades");
            const size_t n = row.offsets.size();
            gradient->gradientCount = int32_t(n);
            float *colours = static_cast<float *>(Qi_Alloc_Memory(0, 1, 12 * n));
            float *offsets = static_cast<float *>(Qi_Alloc_Memory(0, 1, 4 * n));
            std::memcpy(offsets, row.offsets.data(), 4 * n);
            gradient->gradientColors = colours;
            gradient->gradientOffsets = offsets;
            const size_t seen = watcher_.boxes().size();
            Show(dialog, element);
            const GradientPivots &pivots = gradient->gradientSlider->pivots;
            EXPECT_EQ(pivots.position[0], 0) << row.name;
            EXPECT_EQ(pivots.position[pivots.count - 1], 99) << row.name;
            ASSERT_EQ(watcher_.boxes().size() - seen, row.named.size()) << row.name;
            for (size_t k = 0; k < row.named.size(); ++k)
                EXPECT_NE(watcher_.boxes()[seen + k].text.find(row.named[k]), std::string::npos)
                    << row.name << ": " << watcher_.boxes()[seen + k].text;
            SaveElementPanel(currentInstance, dialog, element);
            Show(dialog, element);
            SaveElementPanel(currentInstance, dialog, element);
            EXPECT_EQ(gradient->gradientOffsets, offsets) << row.name << ": not written back";
            EXPECT_EQ(gradient->gradientCount, int32_t(n)) << row.name;
            EXPECT_EQ(std::memcmp(offsets, row.offsets.data(), 4 * n), 0) << row.name;
            Forget(element);
        }
    }});
}

// A point takes no id from the control after it. More parameters than two
// columns hold: a scroll bar brings every control into the page area.
TEST_F(ForeignDefinitions, PointsTakeNoIdAndAPanelTallerThanTwoColumnsScrolls)
{
    RunEditor({[](HWND dialog) {
        FlareElement *element = HandMadeElement();
        FlareParameter *point = Add(element, "point", "where");
        FlareParameter *check = Add(element, "checkbox", "switch");
        FlareParameter *last = nullptr;
        for (int i = 0; i < 24; ++i)
            last = Add(element, "floatslider", "one of many");
        Show(dialog, element);
        EXPECT_EQ(point->firstControlId, check->firstControlId) << "no control, no id of its own";
        Click(dialog, check->firstControlId);
        EXPECT_EQ(check->Qv_Current_Value[0], 1.0f) << "the check box stored its value";
        EXPECT_EQ(point->Qv_Current_Value[0], 0.0f);
        HWND bar = GetDlgItem(dialog, IDC_PANEL_SCROLL);
        ASSERT_NE(bar, nullptr);
        EXPECT_FALSE(IsWindowVisible(last->controlWindow));
        SendMessageA(dialog, WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(bar));
        EXPECT_TRUE(IsWindowVisible(last->controlWindow));
        RECT area = PageAreaRect(dialog), r = RectIn(dialog, last->controlWindow);
        EXPECT_LT(r.bottom, area.bottom);
        Forget(element);
        EXPECT_EQ(GetDlgItem(dialog, IDC_PANEL_SCROLL), nullptr) << "gone with its panel";
    }});
}

}  // namespace
