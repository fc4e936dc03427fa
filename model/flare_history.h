// The editor's undo history: snapshots of the flare's values and element
// list, one per change, with the plan of host commands that turns one
// element list into another.
//
// A snapshot shares every element that did not change with the snapshot
// before it, so that a step costs little more than what it changed.
#ifndef MODEL_FLARE_HISTORY_H
#define MODEL_FLARE_HISTORY_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/api/qi_core.h"

// The flare's global values, field for field as the working flare holds them.
struct GlobalState {
    QiToken enabled;
    float intensity, scale, occlusionradius, anamorphicstretch;
    QiToken fastdrag;
    int32_t randomseed;
    float color[3];
    QiToken uselightparams;
    float angle;
    QiToken glowbehindobjects, fadeifnearborder, fadeifbehindobjects, fadeifapproachingobjects,
        fadewithdistance;
    float refdistance;
    QiToken scaleglowwithdistance, scalereflexeswithdistance;
};

struct ParameterState {
    float value[3];
    std::vector<float> colours;  // three per gradient entry
    std::vector<float> offsets;  // one per gradient entry
    std::vector<char> data;      // the data block
};

struct ElementState {
    std::string type;  // the element type's name
    std::string guid;  // the element's identity at the host
    QiToken enabled;
    std::vector<ParameterState> parameters;
};

using ElementStatePtr = std::shared_ptr<const ElementState>;

struct FlareState {
    GlobalState globals;
    std::vector<ElementStatePtr> elements;
};

// Exactly equal values (floats by their bits), element by element.
bool SameGlobals(const GlobalState &a, const GlobalState &b);
bool SameElement(const ElementState &a, const ElementState &b);
bool SameState(const FlareState &a, const FlareState &b);

// The same elements of the same types in the same order (values aside).
bool SameElementList(const FlareState &a, const FlareState &b);

// The same enabled switches of the flare and of its elements, element by
// place: the switches that reach the host whatever the realtime switch says.
bool SameEnabledSwitches(const FlareState &a, const FlareState &b);

// Bytes an element's snapshot takes.
size_t ElementBytes(const ElementState &element);

struct FlareHistory {
    FlareState opened;               // the flare as the session opened, whatever the bounds drop
    std::vector<FlareState> states;  // oldest first; states[current] is the flare as it is
    size_t current = 0;
    int32_t openField = 0;           // the field whose typing the latest step holds, or 0
    size_t maxSteps = 256;           // undo steps kept at most
    size_t maxBytes = 4u << 20;      // bytes kept at most; the oldest steps go first
};

// Starts the history of an editor session at the flare as it opened,
// which `opened` keeps for the session.
void ResetHistory(FlareHistory *history, FlareState state);

// Forgets every step (the editor closes).
void ClearHistory(FlareHistory *history);

// Records the flare after a change as a new step, unless nothing changed.
// Later (redo) steps are dropped. A change typed into field `field`
// (nonzero) replaces the latest step while that field's typing goes on.
// Returns true when the history changed.
bool RecordState(FlareHistory *history, FlareState state, int32_t field = 0);

// Ends the typing of a field: its next change is a step of its own.
void EndTyping(FlareHistory *history);

bool CanUndo(const FlareHistory &history);
bool CanRedo(const FlareHistory &history);

// Steps back or forward; the state to restore, or null when there is none.
const FlareState *UndoStep(FlareHistory *history);
const FlareState *RedoStep(FlareHistory *history);

// Bytes the history takes, each shared element counted once.
size_t HistoryBytes(const FlareHistory &history);

// An element was made anew at the host under another guid: every snapshot,
// the opened flare's too, names it by the new one from now on.
void RenameElement(FlareHistory *history, const std::string &oldGuid, const std::string &newGuid);

// Host commands that turn one element list into another: deletes of the
// elements the target lacks, inserts at the end of those it adds (given by
// their index in the target), then moves up one place at a time into the
// target's order.
struct ListCommand {
    enum Kind { Delete, InsertAtEnd, MoveUp } kind;
    std::string guid;    // Delete, MoveUp: the element; InsertAtEnd: the target's guid
    std::string type;    // InsertAtEnd: the type to insert
};
std::vector<ListCommand> PlanElementList(const FlareState &from, const FlareState &to);

#endif
