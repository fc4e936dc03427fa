// The editor's resizing arithmetic: where controls go as the client area
// grows, and where a kept window placement lands on a screen.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "editor/layout_rules.h"
#include "resources/resource.h"

namespace {

std::string Text(const LayoutBox &b)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d,%d,%d,%d", b.left, b.top, b.right, b.bottom);
    return text;
}

TEST(LayoutRules, ControlsFollowTheirAnchorAndNeverShrinkBelowTheTemplate)
{
    const struct { const char *name; int id, width, height; const char *expected; } rows[] = {
        {"smaller than the template", IDC_PREVIEW, 400, 300, "10,20,110,70"},
        {"the preview grows both ways", IDC_PREVIEW, 900, 650, "10,20,410,220"},
        {"the list's caption keeps right", 0xFFFF, 700, 500, "110,20,210,70"},
        {"the list keeps right, taller", IDC_ELEMENT_LIST, 700, 530, "110,20,210,100"},
        {"Cancel goes right and down", 2, 700, 530, "110,50,210,100"},
        {"a page control moves down", IDC_FLARE_ENABLED, 700, 530, "10,50,110,100"},
    };
    for (const auto &row : rows) {
        int dx = -1, dy = -1;
        LayoutGrowth(600, 500, row.width, row.height, &dx, &dy);
        EXPECT_EQ(Text(PlaceControl(AnchorOfControl(row.id), {10, 20, 110, 70}, dx, dy)),
                  row.expected) << row.name;
    }
    EXPECT_EQ(ScaleLightPosition(ScaleLightPosition(60, 381, 1201), 1201, 381), 60);
}

TEST(LayoutRules, KeptPlacementsAreReadStrictlyAndFittedOnTheWorkArea)
{
    const struct { const char *name, *text, *fitted; } rows[] = {
        {"a sound place", "100,50,900,650,0", "100,50,900,650"},
        {"maximised", "100,50,900,650,1", "100,50,900,650"},
        {"larger than the screen", "-50,-20,4000,3000,0", "0,0,1920,1040"},
        {"smaller than the template", "10,10,100,100,0", "10,10,610,520"},
        {"on a monitor that is gone", "3000,200,3800,800,0", "1120,200,1920,800"},
        {"garbage", "wide and tall", nullptr},
        {"trailing text", "100,50,900,650,0x", nullptr},
        {"an empty box", "100,50,100,650,0", nullptr},
        {"a flag that is no flag", "100,50,900,650,7", nullptr},
        {"far beyond any screen", "-2147483647,0,2147483647,10,0", nullptr},
    };
    for (const auto &row : rows) {
        WindowPlacementText kept = {};
        ASSERT_EQ(ParseWindowPlacement(row.text, &kept), row.fitted != nullptr) << row.name;
        if (!row.fitted)
            continue;
        EXPECT_EQ(Text(FitOnWorkArea(kept.box, {0, 0, 1920, 1040}, 600, 510)), row.fitted)
            << row.name;
        char text[64];
        FormatWindowPlacement(kept, text, sizeof text);
        EXPECT_STREQ(text, row.text) << row.name << ": written as read";
    }
}

}  // namespace
