// The entries of a "list" parameter, read from its data block: "name:value"
// pairs separated by commas, as in "Small:0,Medium:1,Large:2".
#ifndef EDITOR_LIST_ENTRIES_H
#define EDITOR_LIST_ENTRIES_H

#include <cstddef>
#include <cstdint>

// Size of an entry's name and value buffers, the terminating zero included;
// longer names and values are cut.
constexpr size_t kListTextSize = 128;

struct ListEntry {
    char name[kListTextSize];
    char value[kListTextSize];
};

// Reads the next entry of the block text[0..size) starting at *position and
// moves *position past it. Reading stops at the block's end or at a zero
// byte; an entry without ':' before that ends the list. Returns false when
// there is no further entry (a null text has none).
bool NextListEntry(const char *text, size_t size, size_t *position, ListEntry *entry);

// The entry's number, as atoi reads it.
int32_t ListEntryValue(const ListEntry &entry);

#endif
