// The commands of Qi_LensFlare. Each reads its whole list first; only a
// well-formed list runs. A command that cannot run still writes its result
// ("insert": a null guid, file commands: a nonzero status) so that the
// caller never reads an unset variable.
#include "host/core/flare_commands.h"

#include <cstring>

#include "host/core/flare_library.h"
#include "host/core/flare_model.h"
#include "host/core/tokens.h"

namespace qi {

namespace {

// Status of a file command that cannot run: no such object or no path.
constexpr int32_t kStatusBadCall = -2;

// Index of the element with that guid, or -1 after a report.
long FindTargetElement(KeywordList &list, const Flare &flare, const char *guid)
{
    long index = FindElement(flare, guid);
    if (index < 0)
        list.Fail(kErrNoElement, "no element with guid " + QuoteText(guid));
    return index;
}

// The flare of the object (kind, name) and in `index` the position of its
// element with that guid; null after a report.
Flare *FindElementOf(KeywordList &list, QiToken kind, const char *name, const char *guid,
                     size_t &index)
{
    HostObject *object = FindTarget(list, kind, name);
    long found = object ? FindTargetElement(list, object->flare, guid) : -1;
    if (found < 0)
        return nullptr;
    index = size_t(found);
    return &object->flare;
}

void WriteGuid(void *address, const char *guid)
{
    std::memcpy(address, &guid, sizeof guid);
}

// "insert" "before"|"after" type guid &newGuid, or "insert" "start"|"end" type &newGuid.
void Insert(KeywordList &list, QiToken kind, const char *name)
{
    QiToken placement;
    if (!list.Keyword(placement))
        return;
    const bool before = placement == QI_TOKEN("before"), after = placement == QI_TOKEN("after");
    const bool start = placement == QI_TOKEN("start"), end = placement == QI_TOKEN("end");
    if (!before && !after && !start && !end) {
        list.BadKeyword(placement, "after \"insert\" (expected before, after, start or end)");
        return;
    }
    const char *typeName, *reference = nullptr;
    void *newGuid;
    if (!list.Text(typeName) || ((before || after) && !list.Text(reference)) ||
        !list.Address(newGuid, "insert") || !list.ExpectEnd("insert"))
        return;

    HostObject *object = FindTarget(list, kind, name);
    const ElementType *type = typeName ? FindElementType(typeName) : nullptr;
    if (object && !type)
        list.Fail(kErrUnknownType, "no element type " + QuoteText(typeName));
    long index = 0;
    if (object && type && (before || after))
        index = FindTargetElement(list, object->flare, reference);
    if (list.failed()) {
        WriteGuid(newGuid, nullptr);
        return;
    }
    Flare &flare = object->flare;
    size_t position = before ? size_t(index)
                      : after ? size_t(index) + 1
                      : start ? 0
                              : flare.elements.size();
    Element *element = InsertElement(flare, position, NewElement(*type));
    WriteGuid(newGuid, element->guid.c_str());
}

// "delete" guid
void Delete(KeywordList &list, QiToken kind, const char *name)
{
    const char *guid;
    size_t index;
    if (!list.Text(guid) || !list.ExpectEnd("delete"))
        return;
    if (Flare *flare = FindElementOf(list, kind, name, guid, index))
        DeleteElement(*flare, index);
}

// "move" "up"|"down" guid; at the ends of the list nothing moves.
void Move(KeywordList &list, QiToken kind, const char *name)
{
    QiToken direction;
    if (!list.Keyword(direction))
        return;
    if (direction != QI_TOKEN("up") && direction != QI_TOKEN("down")) {
        list.BadKeyword(direction, "after \"move\" (expected up or down)");
        return;
    }
    const char *guid;
    size_t index;
    if (!list.Text(guid) || !list.ExpectEnd("move"))
        return;
    if (Flare *flare = FindElementOf(list, kind, name, guid, index))
        MoveElement(*flare, index, direction == QI_TOKEN("down"));
}

// "savetofile"|"loadfromfile" path &status
void FileCommand(KeywordList &list, QiToken kind, const char *name, bool save)
{
    const char *keyword = save ? "savetofile" : "loadfromfile";
    const char *path;
    void *statusAddress;
    if (!list.Text(path) || !list.Address(statusAddress, keyword) || !list.ExpectEnd(keyword))
        return;
    HostObject *object = FindTarget(list, kind, name);
    if (object && !path)
        list.Fail(kErrBadValue, std::string("null path for \"") + keyword + "\"");
    int32_t status = kStatusBadCall;
    if (!list.failed())
        status = save ? SaveFlareLibrary(object->flare, path)
                      : LoadFlareLibrary(object->flare, path);
    std::memcpy(statusAddress, &status, sizeof status);
}

}  // namespace

HostObject *FindTarget(KeywordList &list, QiToken kind, const char *name)
{
    HostObject *object = name ? FindObject(kind, name) : nullptr;
    if (!object)
        list.Fail(kErrNoObject, "no " + DescribeSlot(kind) + " named " + QuoteText(name));
    return object;
}

bool IsFlareCommand(QiToken keyword)
{
    return keyword == QI_TOKEN("insert") || keyword == QI_TOKEN("delete") ||
           keyword == QI_TOKEN("move") || keyword == QI_TOKEN("savetofile") ||
           keyword == QI_TOKEN("loadfromfile");
}

void RunFlareCommand(QiToken command, QiToken kind, const char *name, KeywordList &list)
{
    if (command == QI_TOKEN("insert"))
        Insert(list, kind, name);
    else if (command == QI_TOKEN("delete"))
        Delete(list, kind, name);
    else if (command == QI_TOKEN("move"))
        Move(list, kind, name);
    else
        FileCommand(list, kind, name, command == QI_TOKEN("savetofile"));
}

}  // namespace qi
