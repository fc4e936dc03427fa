// The element list and its commands inside the running editor, checked on
// the host's flare: add at every placement, remove, move, selection by
// guid, the add dialog, and edits that must survive a list change.
#include <windows.h>

#include <string>
#include <vector>

#include "editor/add_element_dialog.h"
#include "editor/editor_state.h"
#include "editor/element_panel.h"
#include "host/core/qi_host.h"
#include "model/working_flare.h"
#include "resources/resource.h"
#include "tests/editor/editor_harness.h"
#include "tests/support/token.h"

namespace {

class ElementList : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        newElementPlacement = PLACE_AT_END;
    }
    void TearDown() override
    {
        QiHost_Offer_Element_Types(-1);
        EditorTest::TearDown();
    }
    // Answers the "Select Element" dialog: the catalogue's type `type`, the
    // placement button, then OK.
    void AnswerAddDialog(int type, int placement)
    {
        onNestedDialog_ = [=](HWND dialog) {
            HWND list = GetDlgItem(dialog, 2000);
            SendMessageA(list, LB_SETCURSEL, WPARAM(type), 0);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(2000, LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(list));
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(placement, BN_CLICKED), 0);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        };
    }
};

bool HasPanel()
{
    const FlareElement *element = currentInstance->currentElement;
    return element && element->firstParameter && element->firstParameter->controlWindow;
}

// Catalogue order: glow, streaks, halo, anamorph, inter, dscflx, rngflx, prflx.
TEST_F(ElementList, AddPutsTheNewElementWhereAskedSelectedAndWithItsPanel)
{
    SetHostElements({"glow", "streaks", "halo"});
    const struct {
        int placement;
        int select;  // the element selected before Add
        std::vector<std::string> types;
        int selected;
    } cases[] = {
        {PLACE_AT_END, 0, {"glow", "streaks", "halo", "inter"}, 3},
        {PLACE_AT_START, 2, {"inter", "glow", "streaks", "halo", "inter"}, 0},
        {PLACE_BEFORE_SELECTED, 2, {"inter", "glow", "inter", "streaks", "halo", "inter"}, 2},
        {PLACE_AFTER_SELECTED, 4, {"inter", "glow", "inter", "streaks", "halo", "inter", "inter"},
         5},
    };
    RunEditor({[&](HWND dialog) {
        for (const auto &c : cases) {
            SCOPED_TRACE(c.placement);
            SelectElement(dialog, c.select);
            AnswerAddDialog(4, c.placement);
            Click(dialog, IDC_ADD_ELEMENT);
            EXPECT_EQ(HostElements("name"), c.types);
            EXPECT_EQ(SelectedElement(dialog), c.selected);
            EXPECT_EQ(currentInstance->currentElement->guid, HostElements("guid")[c.selected]);
            EXPECT_TRUE(HasPanel());
            int top = int(SendDlgItemMessageA(dialog, IDC_ELEMENT_LIST, LB_GETTOPINDEX, 0, 0));
            EXPECT_LE(top, c.selected) << "scrolled into view";
        }
    }});
}

TEST_F(ElementList, TheAddDialogKeepsItsPlacementAndNeedsAType)
{
    std::vector<int> checked;
    onNestedDialog_ = [&](HWND dialog) {
        for (int id = PLACE_BEFORE_SELECTED; id <= PLACE_AT_END; ++id)
            if (IsDlgButtonChecked(dialog, id))
                checked.push_back(id);
        SendMessageA(dialog, WM_COMMAND, PLACE_AT_START, 0);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    const std::vector<std::string> before = HostElements("name");
    bool okOffered = true;
    RunEditor({
        [](HWND dialog) { Click(dialog, IDC_ADD_ELEMENT); },
        [](HWND dialog) { Click(dialog, IDC_ADD_ELEMENT); },
        [&](HWND dialog) {
            QiHost_Offer_Element_Types(0);
            onNestedDialog_ = [&](HWND add) {
                okOffered = IsWindowEnabled(GetDlgItem(add, IDOK));
                SendMessageA(add, WM_COMMAND, IDOK, 0);  // Enter: nothing to add
                PostMessageA(add, WM_COMMAND, IDCANCEL, 0);
            };
            Click(dialog, IDC_ADD_ELEMENT);
        },
    });
    EXPECT_EQ(checked, (std::vector<int>{PLACE_AT_END, PLACE_AT_START})) << "kept after Cancel";
    EXPECT_EQ(HostElements("name"), before) << "Cancel and an empty catalogue add nothing";
    EXPECT_FALSE(okOffered);
}

TEST_F(ElementList, RemovingTheLastElementLeavesAnEmptyListAndPage)
{
    SetHostElements({"halo"});
    RunEditor({[](HWND dialog) {
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ELEMENT_ENABLED), BST_CHECKED);
        Click(dialog, IDC_REMOVE_ELEMENT);
        EXPECT_TRUE(HostElements("name").empty());
        EXPECT_EQ(ElementRows(dialog), 0);
        EXPECT_EQ(currentInstance->currentElement, nullptr);
        EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_ELEMENT_ENABLED), BST_UNCHECKED);
        EXPECT_EQ(GetDlgItem(dialog, PANEL_FIRST_ID), nullptr);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_LIBRARY_SAVE)));
        Click(dialog, IDC_REMOVE_ELEMENT);  // nothing left to act on
        Click(dialog, IDC_MOVE_UP);
    }});
}

TEST_F(ElementList, SelectionOnAGlobalPageChangesOnlyTheCurrentElement)
{
    SetHostElements({"glow", "streaks"});
    RunEditor({[](HWND dialog) {
        ShowPage(dialog, PAGE_GLOBAL);
        SelectElement(dialog, 1);
        EXPECT_EQ(currentInstance->currentElement->name, std::string("streaks"));
        EXPECT_FALSE(HasPanel());
        ShowPage(dialog, PAGE_ELEMENT);
        EXPECT_TRUE(HasPanel()) << "built when the element page is opened";
    }});
}

// An element the host describes without parameters.
TEST_F(ElementList, AnElementWithoutParametersCanBeWorkedOn)
{
    SetHostElements({"glow", "halo"});
    RunEditor({[](HWND dialog) {
        FlareElement *bare = currentInstance->workingFlare->firstElement->next;
        DestroyElementPanel(currentInstance, currentInstance->currentElement);
        for (FlareParameter *p = bare->firstParameter, *next; p; p = next) {
            next = p->next;
            Qi_Free_Memory(p->gradientColors);
            Qi_Free_Memory(p->gradientOffsets);
            Qi_Free_Memory(p->arbitraryData);
            Qi_Free_Memory(p);
        }
        bare->firstParameter = nullptr;
        bare->numparameters = 0;
        SelectElement(dialog, 1);
        EXPECT_EQ(currentInstance->currentElement, bare);
        Click(dialog, IDC_MOVE_UP);
        EXPECT_EQ(HostElements("name"), (std::vector<std::string>{"halo", "glow"}));
        Click(dialog, IDC_REMOVE_ELEMENT);
        EXPECT_EQ(HostElements("name"), std::vector<std::string>{"glow"});
    }});
}

}  // namespace
