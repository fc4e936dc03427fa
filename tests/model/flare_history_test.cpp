// The undo history on its own: steps, typing that coalesces, the bounds,
// sharing of unchanged elements, renamed elements and the plan of host
// commands between two element lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/flare_history.h"

namespace {

ElementStatePtr Element(const std::string &guid, const std::string &type, float value = 0.0f,
                        size_t gradient = 0)
{
    auto element = std::make_shared<ElementState>();
    element->guid = guid;
    element->type = type;
    element->enabled = 7;
    ParameterState p = {};
    p.value[0] = value;
    p.colours.assign(gradient * 3, 0.5f);
    p.offsets.assign(gradient, 0.25f);
    element->parameters.push_back(p);
    return element;
}

FlareState State(std::vector<ElementStatePtr> elements, float intensity = 1.0f)
{
    FlareState state = {};
    state.globals.intensity = intensity;
    state.elements = std::move(elements);
    return state;
}

// A state whose element `index` has another value: a parameter edit.
FlareState Edited(const FlareState &state, size_t index, float value)
{
    FlareState next = state;
    auto element = std::make_shared<ElementState>(*next.elements[index]);
    element->parameters[0].value[0] = value;
    next.elements[index] = element;
    return next;
}

TEST(FlareHistory, StepsGoBackAndForthAndANewChangeDropsWhatWasUndone)
{
    FlareHistory history;
    FlareState a = State({Element("g1", "glow"), Element("g2", "halo")});
    ResetHistory(&history, a);
    EXPECT_FALSE(CanUndo(history));
    EXPECT_FALSE(RecordState(&history, a)) << "no change, no step";

    FlareState b = Edited(a, 1, 2.0f), c = State(b.elements, 3.0f);
    RecordState(&history, b);
    RecordState(&history, c);
    ASSERT_TRUE(CanUndo(history));
    EXPECT_TRUE(SameState(*UndoStep(&history), b));
    EXPECT_TRUE(SameState(*UndoStep(&history), a));
    EXPECT_EQ(UndoStep(&history), nullptr);
    EXPECT_TRUE(SameState(*RedoStep(&history), b));

    RecordState(&history, Edited(b, 0, 9.0f));
    EXPECT_FALSE(CanRedo(history)) << "the undone step is gone";
    EXPECT_TRUE(SameState(*UndoStep(&history), b));
}

TEST(FlareHistory, TypingIntoOneFieldIsOneStepUntilItEnds)
{
    FlareHistory history;
    FlareState a = State({}, 1.0f);
    ResetHistory(&history, a);
    RecordState(&history, State({}, 1.5f), 1908);
    RecordState(&history, State({}, 1.55f), 1908);
    RecordState(&history, State({}, 2.0f), 1807);  // another field: a step of its own
    EXPECT_EQ(history.states.size(), 3u);
    EndTyping(&history);
    RecordState(&history, State({}, 2.5f), 1807);
    EXPECT_EQ(history.states.size(), 4u) << "the field was left, so typing starts a new step";
    UndoStep(&history);
    UndoStep(&history);
    EXPECT_EQ(UndoStep(&history)->globals.intensity, 1.0f);
}

// Unchanged elements are shared between steps, so a step costs what it
// changed; the bounds drop the oldest steps first.
TEST(FlareHistory, StepsShareUnchangedElementsAndStayWithinTheirBounds)
{
    std::vector<ElementStatePtr> many;
    for (int i = 0; i < 20; ++i)
        many.push_back(Element("g" + std::to_string(i), "halo", 0.0f, 100));
    FlareHistory history;
    ResetHistory(&history, State(many));
    const size_t first = HistoryBytes(history);
    FlareState edited = Edited(history.states[0], 3, 1.0f);
    RecordState(&history, edited);
    const size_t step = HistoryBytes(history) - first;
    EXPECT_LT(step * 10, first) << "one changed element of twenty";
    EXPECT_EQ(history.states[1].elements[4], history.states[0].elements[4]);

    history.maxSteps = 100;
    for (int i = 0; i < 150; ++i)
        RecordState(&history, Edited(history.states[history.current], 5, float(i + 2)));
    EXPECT_EQ(history.states.size(), 101u);
    EXPECT_EQ(history.states.front().elements[5]->parameters[0].value[0], 51.0f)
        << "the oldest steps went first";

    history.maxBytes = HistoryBytes(history) / 2;
    RecordState(&history, Edited(history.states[history.current], 5, -1.0f));
    EXPECT_LE(HistoryBytes(history), history.maxBytes);
    EXPECT_TRUE(CanUndo(history));
}

TEST(FlareHistory, ARenamedElementIsRenamedInEveryStep)
{
    FlareHistory history;
    FlareState a = State({Element("old", "glow"), Element("g2", "halo")});
    ResetHistory(&history, a);
    RecordState(&history, Edited(a, 1, 5.0f));
    RenameElement(&history, "old", "new");
    for (const FlareState &state : history.states)
        EXPECT_EQ(state.elements[0]->guid, "new");
    EXPECT_EQ(history.states[0].elements[0], history.states[1].elements[0]) << "still shared";
}

std::vector<std::string> Apply(std::vector<std::string> list, const std::vector<ListCommand> &plan)
{
    for (const ListCommand &command : plan) {
        auto at = std::find(list.begin(), list.end(), command.guid);
        if (command.kind == ListCommand::Delete)
            list.erase(at);
        else if (command.kind == ListCommand::InsertAtEnd)
            list.push_back(command.guid);
        else if (at != list.begin())
            std::iter_swap(at, at - 1);
    }
    return list;
}

std::vector<std::string> Guids(const FlareState &state)
{
    std::vector<std::string> guids;
    for (const ElementStatePtr &element : state.elements)
        guids.push_back(element->guid);
    return guids;
}

TEST(FlareHistory, PlansTurnOneElementListIntoAnother)
{
    const FlareState from = State({Element("a", "glow"), Element("b", "halo"),
                                   Element("c", "inter"), Element("d", "halo")});
    const FlareState targets[] = {
        State({Element("a", "glow"), Element("b", "halo"), Element("c", "inter")}),  // removed
        State({Element("x", "prflx"), Element("a", "glow"), Element("b", "halo"),
               Element("c", "inter"), Element("d", "halo")}),                     // added first
        State({Element("b", "halo"), Element("a", "glow"), Element("c", "inter"),
               Element("d", "halo")}),                                             // moved
        State({Element("d", "halo"), Element("c", "inter"), Element("y", "glow")}),  // all kinds
        State({}),
    };
    for (const FlareState &to : targets) {
        std::vector<ListCommand> plan = PlanElementList(from, to);
        EXPECT_EQ(Apply(Guids(from), plan), Guids(to));
        for (const ListCommand &command : plan)
            EXPECT_TRUE(command.kind != ListCommand::InsertAtEnd || !command.type.empty());
    }
    EXPECT_TRUE(PlanElementList(from, from).empty());
    EXPECT_EQ(PlanElementList(from, targets[2]).size(), 1u) << "one move up";
}

}  // namespace
