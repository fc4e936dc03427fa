#include "model/flare_history.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace {

template <typename T>
bool SameBits(const std::vector<T> &a, const std::vector<T> &b)
{
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

bool SameParameter(const ParameterState &a, const ParameterState &b)
{
    return std::memcmp(a.value, b.value, sizeof a.value) == 0 && SameBits(a.colours, b.colours) &&
           SameBits(a.offsets, b.offsets) && SameBits(a.data, b.data);
}

// Gives every element that did not change since `previous` the previous
// snapshot's copy, so that both share it.
void ShareUnchanged(FlareState &state, const FlareState &previous)
{
    std::map<std::string, const ElementStatePtr *> earlier;
    for (const ElementStatePtr &element : previous.elements)
        earlier[element->guid] = &element;
    for (ElementStatePtr &element : state.elements) {
        auto found = earlier.find(element->guid);
        if (found != earlier.end() && SameElement(**found->second, *element))
            element = *found->second;
    }
}

size_t StateBytes(const FlareState &state, std::set<const ElementState *> &counted)
{
    size_t bytes = sizeof(FlareState) + state.elements.size() * sizeof(ElementStatePtr);
    for (const ElementStatePtr &element : state.elements)
        if (counted.insert(element.get()).second)
            bytes += ElementBytes(*element);
    return bytes;
}

// Drops the oldest steps beyond the history's bounds; at least one step
// back stays.
void KeepWithinBounds(FlareHistory *history)
{
    while (history->states.size() > 2 &&
           (history->states.size() - 1 > history->maxSteps ||
            HistoryBytes(*history) > history->maxBytes)) {
        history->states.erase(history->states.begin());
        history->current--;
    }
}

size_t IndexOf(const std::vector<std::string> &list, const std::string &guid)
{
    return size_t(std::find(list.begin(), list.end(), guid) - list.begin());
}

bool Holds(const FlareState &state, const ElementState &element)
{
    for (const ElementStatePtr &held : state.elements)
        if (held->guid == element.guid && held->type == element.type)
            return true;
    return false;
}

}  // namespace

bool SameGlobals(const GlobalState &a, const GlobalState &b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameElement(const ElementState &a, const ElementState &b)
{
    if (a.type != b.type || a.guid != b.guid || a.enabled != b.enabled ||
        a.parameters.size() != b.parameters.size())
        return false;
    for (size_t i = 0; i < a.parameters.size(); ++i)
        if (!SameParameter(a.parameters[i], b.parameters[i]))
            return false;
    return true;
}

bool SameState(const FlareState &a, const FlareState &b)
{
    if (!SameGlobals(a.globals, b.globals) || a.elements.size() != b.elements.size())
        return false;
    for (size_t i = 0; i < a.elements.size(); ++i)
        if (a.elements[i] != b.elements[i] && !SameElement(*a.elements[i], *b.elements[i]))
            return false;
    return true;
}

bool SameElementList(const FlareState &a, const FlareState &b)
{
    if (a.elements.size() != b.elements.size())
        return false;
    for (size_t i = 0; i < a.elements.size(); ++i)
        if (a.elements[i]->guid != b.elements[i]->guid ||
            a.elements[i]->type != b.elements[i]->type)
            return false;
    return true;
}

bool SameEnabledSwitches(const FlareState &a, const FlareState &b)
{
    if (a.globals.enabled != b.globals.enabled || a.elements.size() != b.elements.size())
        return false;
    for (size_t i = 0; i < a.elements.size(); ++i)
        if (a.elements[i]->enabled != b.elements[i]->enabled)
            return false;
    return true;
}

size_t ElementBytes(const ElementState &element)
{
    size_t bytes = sizeof(ElementState) + element.type.capacity() + element.guid.capacity() +
                   element.parameters.capacity() * sizeof(ParameterState);
    for (const ParameterState &p : element.parameters)
        bytes += (p.colours.capacity() + p.offsets.capacity()) * sizeof(float) + p.data.capacity();
    return bytes;
}

void ResetHistory(FlareHistory *history, FlareState state)
{
    history->opened = state;
    history->states.clear();
    history->states.push_back(std::move(state));
    history->current = 0;
    history->openField = 0;
}

void ClearHistory(FlareHistory *history)
{
    history->opened = FlareState();
    history->states.clear();
    history->states.shrink_to_fit();
    history->current = 0;
    history->openField = 0;
}

bool RecordState(FlareHistory *history, FlareState state, int32_t field)
{
    if (history->states.empty()) {
        ResetHistory(history, std::move(state));
        return true;
    }
    if (SameState(history->states[history->current], state))
        return false;
    history->states.resize(history->current + 1);
    bool typingGoesOn = field != 0 && field == history->openField && history->current > 0;
    if (typingGoesOn) {
        ShareUnchanged(state, history->states[history->current - 1]);
        history->states[history->current] = std::move(state);
    } else {
        ShareUnchanged(state, history->states[history->current]);
        history->states.push_back(std::move(state));
        history->current++;
    }
    history->openField = field;
    KeepWithinBounds(history);
    return true;
}

void EndTyping(FlareHistory *history)
{
    history->openField = 0;
}

bool CanUndo(const FlareHistory &history)
{
    return history.current > 0;
}

bool CanRedo(const FlareHistory &history)
{
    return history.current + 1 < history.states.size();
}

const FlareState *UndoStep(FlareHistory *history)
{
    history->openField = 0;
    if (!CanUndo(*history))
        return nullptr;
    return &history->states[--history->current];
}

const FlareState *RedoStep(FlareHistory *history)
{
    history->openField = 0;
    if (!CanRedo(*history))
        return nullptr;
    return &history->states[++history->current];
}

size_t HistoryBytes(const FlareHistory &history)
{
    std::set<const ElementState *> counted;
    size_t bytes = 0;
    for (const FlareState &state : history.states)
        bytes += StateBytes(state, counted);
    return bytes;
}

void RenameElement(FlareHistory *history, const std::string &oldGuid, const std::string &newGuid)
{
    std::map<const ElementState *, ElementStatePtr> renamed;
    std::vector<FlareState *> states = {&history->opened};
    for (FlareState &state : history->states)
        states.push_back(&state);
    for (FlareState *state : states)
        for (ElementStatePtr &element : state->elements) {
            if (element->guid != oldGuid)
                continue;
            ElementStatePtr &copy = renamed[element.get()];
            if (!copy) {
                auto changed = std::make_shared<ElementState>(*element);
                changed->guid = newGuid;
                copy = changed;
            }
            element = copy;
        }
}

std::vector<ListCommand> PlanElementList(const FlareState &from, const FlareState &to)
{
    std::vector<ListCommand> plan;
    std::vector<std::string> list;
    for (const ElementStatePtr &element : from.elements) {
        if (Holds(to, *element))
            list.push_back(element->guid);
        else
            plan.push_back({ListCommand::Delete, element->guid, element->type});
    }
    for (const ElementStatePtr &element : to.elements)
        if (!Holds(from, *element)) {
            plan.push_back({ListCommand::InsertAtEnd, element->guid, element->type});
            list.push_back(element->guid);
        }
    for (size_t i = 0; i < to.elements.size(); ++i) {
        const std::string &guid = to.elements[i]->guid;
        for (size_t at = IndexOf(list, guid); at > i && at < list.size(); --at) {
            plan.push_back({ListCommand::MoveUp, guid, to.elements[i]->type});
            std::swap(list[at], list[at - 1]);
        }
    }
    return plan;
}
