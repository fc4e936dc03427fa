#include "frame/bounded_text.h"

#include <cstring>

bool CopyText(char *destination, size_t size, const char *source)
{
    if (size == 0)
        return false;
    if (!source)
        source = "";
    size_t length = std::strlen(source);
    bool fits = length < size;
    if (!fits)
        length = size - 1;
    std::memcpy(destination, source, length);
    destination[length] = '\0';
    return fits;
}
