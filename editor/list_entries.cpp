#include "editor/list_entries.h"

#include <cstdlib>

namespace {

bool AtEnd(const char *text, size_t size, size_t position)
{
    return position >= size || text[position] == '\0';
}

// Copies characters until `stop`, the block's end or a zero byte, keeping
// what fits in the buffer; returns where copying stopped.
size_t CopyUntil(const char *text, size_t size, size_t position, char stop, char *buffer)
{
    size_t length = 0;
    for (; !AtEnd(text, size, position) && text[position] != stop; ++position)
        if (length + 1 < kListTextSize)
            buffer[length++] = text[position];
    buffer[length] = '\0';
    return position;
}

}  // namespace

bool NextListEntry(const char *text, size_t size, size_t *position, ListEntry *entry)
{
    if (!text || AtEnd(text, size, *position))
        return false;
    size_t at = CopyUntil(text, size, *position, ':', entry->name);
    if (AtEnd(text, size, at)) {
        *position = at;
        return false;
    }
    at = CopyUntil(text, size, at + 1, ',', entry->value);
    if (!AtEnd(text, size, at))
        ++at;
    *position = at;
    return true;
}

int32_t ListEntryValue(const ListEntry &entry)
{
    return int32_t(std::atoi(entry.value));
}
