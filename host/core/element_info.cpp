// Qi_LensFlare_Enumerate_ElementInfo: the catalogue of element types.
// "numelements" &count; "element" &index opens a type's group, in which
// "description" and "name" give its texts; QI_GROUP closes it.
#include <cstring>

#include "host/core/flare_calls.h"
#include "host/core/flare_model.h"
#include "host/core/keyword_list.h"
#include "host/core/qi_host.h"
#include "host/core/tokens.h"

namespace {

int32_t offeredTypes = -1;  // the types offered to plug-ins; -1: all of the catalogue

}  // namespace

extern "C" void QiHost_Offer_Element_Types(int32_t count)
{
    offeredTypes = count;
}

namespace qi {

namespace {

size_t OfferedTypes(const std::vector<ElementType> &types)
{
    return offeredTypes >= 0 && size_t(offeredTypes) < types.size() ? size_t(offeredTypes)
                                                                     : types.size();
}

// Reads one entry of the list; `type` is the type whose group is open.
bool Step(KeywordList &list, Plan &plan, QiToken token, const ElementType *&type)
{
    const std::vector<ElementType> &types = Catalogue();
    if (token == QI_GROUP) {
        type = nullptr;
        return true;
    }
    void *address;
    if (token == QI_TOKEN("numelements") && !type) {
        if (!list.Address(address, "numelements"))
            return false;
        plan.Write(address, int32_t(OfferedTypes(types)));
        return true;
    }
    if (token == QI_TOKEN("element")) {
        int32_t index;
        if (!list.Address(address, "element"))
            return false;
        std::memcpy(&index, address, sizeof index);
        if (index < 0 || size_t(index) >= OfferedTypes(types))
            return list.Fail(kErrNoElement, "element type index " + std::to_string(index) +
                                                " (the catalogue has " +
                                                std::to_string(OfferedTypes(types)) + ")");
        type = &types[size_t(index)];
        return true;
    }
    const bool description = token == QI_TOKEN("description");
    if (type && (description || token == QI_TOKEN("name"))) {
        if (!list.Address(address, description ? "description" : "name"))
            return false;
        plan.Write(address, description ? type->description : type->name);
        return true;
    }
    return list.BadKeyword(token, type ? "in an element type group"
                                       : "is not a keyword of the element catalogue");
}

}  // namespace

void RunElementInfo(QiToken keyword, SlotSource &slots)
{
    KeywordList list(slots, "Qi_LensFlare_Enumerate_ElementInfo()");
    Plan plan;
    const ElementType *type = nullptr;
    for (QiToken token = keyword; token != QI_END;)
        if (!Step(list, plan, token, type) || !list.Keyword(token))
            return;
    plan.Run();
}

}  // namespace qi
