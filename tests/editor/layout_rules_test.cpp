// The editor's resizing arithmetic: where controls go as the client area
// grows, and where a kept window placement lands on a screen.
#include <gtest/gtest.h>

#include <string>

#include "editor/layout_rules.h"
#include "resources/resource.h"

namespace {

bool Same(const LayoutBox &a, const LayoutBox &b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Text(const LayoutBox &b)
{
    return std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.right) +
           "," + std::to_string(b.bottom);
}

TEST(LayoutRules, ControlsFollowTheirAnchorAndNeverShrinkBelowTheTemplate)
{
    const LayoutBox box = {10, 20, 110, 70};
    struct Row {
        const char *name;
        int id, width, height;  // the client size; the template's is 600 x 500
        LayoutBox expected;
    } rows[] = {
        {"preview at the template's size", IDC_PREVIEW, 600, 500, box},
        {"preview grows both ways", IDC_PREVIEW, 900, 650, {10, 20, 410, 220}},
        {"preview frame grows both ways", IDC_PREVIEW_GROUP, 601, 502, {10, 20, 111, 72}},
        {"smaller than the template is the template", IDC_PREVIEW, 400, 300, box},
        {"Ok keeps to the right edge", 1, 700, 900, {110, 20, 210, 70}},
        {"Presets keeps to the right edge", IDC_PRESETS, 700, 900, {110, 20, 210, 70}},
        {"the list's caption keeps to the right edge", 0xFFFF, 700, 500, {110, 20, 210, 70}},
        {"the list keeps right and grows taller", IDC_ELEMENT_LIST, 700, 530, {110, 20, 210, 100}},
        {"Cancel goes right and down", 2, 700, 530, {110, 50, 210, 100}},
        {"Solo goes right and down", IDC_SOLO, 700, 530, {110, 50, 210, 100}},
        {"Move Up goes right and down", IDC_MOVE_UP, 601, 501, {11, 21, 111, 71}},
        {"a preview switch follows its bottom edge", IDC_REDRAW_NOW, 700, 530, {10, 50, 110, 100}},
        {"the page area moves down", IDC_PAGE_AREA, 700, 530, {10, 50, 110, 100}},
        {"a page control moves down", IDC_FLARE_ENABLED, 700, 530, {10, 50, 110, 100}},
    };
    for (const Row &row : rows) {
        int dx = -1, dy = -1;
        LayoutGrowth(600, 500, row.width, row.height, &dx, &dy);
        LayoutBox placed = PlaceControl(AnchorOfControl(row.id), box, dx, dy);
        EXPECT_TRUE(Same(placed, row.expected)) << row.name << ": " << Text(placed);
    }
    EXPECT_EQ(ScaleLightPosition(95, 381, 1201), 299) << "the light keeps its relative place";
    EXPECT_EQ(ScaleLightPosition(ScaleLightPosition(60, 381, 1201), 1201, 381), 60);
}

TEST(LayoutRules, KeptPlacementsAreReadStrictlyAndFittedOnTheWorkArea)
{
    const LayoutBox work = {0, 0, 1920, 1040};
    struct Row {
        const char *name, *text;
        bool parses;
        LayoutBox fitted;
        bool maximised;
    } rows[] = {
        {"a sound place", "100,50,900,650,0", true, {100, 50, 900, 650}, false},
        {"maximised", "100,50,900,650,1", true, {100, 50, 900, 650}, true},
        {"larger than the screen", "-50,-20,4000,3000,0", true, {0, 0, 1920, 1040}, false},
        {"smaller than the template", "10,10,100,100,0", true, {10, 10, 610, 520}, false},
        {"on a monitor that is gone, far right", "3000,200,3800,800,0", true,
         {1120, 200, 1920, 800}, false},
        {"partly above the screen", "100,-300,900,300,0", true, {100, 0, 900, 600}, false},
        {"garbage", "wide and tall", false, {}, false},
        {"too few numbers", "1,2,3", false, {}, false},
        {"trailing text", "100,50,900,650,0x", false, {}, false},
        {"an empty box", "100,50,100,650,0", false, {}, false},
        {"a flag that is no flag", "100,50,900,650,7", false, {}, false},
        {"numbers far beyond any screen", "-2147483647,0,2147483647,10,0", false, {}, false},
    };
    for (const Row &row : rows) {
        WindowPlacementText kept = {};
        ASSERT_EQ(ParseWindowPlacement(row.text, &kept), row.parses) << row.name;
        if (!row.parses)
            continue;
        EXPECT_EQ(kept.maximised, row.maximised) << row.name;
        LayoutBox fitted = FitOnWorkArea(kept.box, work, 600, 510);
        EXPECT_TRUE(Same(fitted, row.fitted)) << row.name << ": " << Text(fitted);
        char text[64];
        FormatWindowPlacement(kept, text, sizeof text);
        EXPECT_STREQ(text, row.text) << row.name << ": written as read";
    }
}

}  // namespace
