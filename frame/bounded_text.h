// Bounded copies into fixed-size text buffers.
#ifndef FRAME_BOUNDED_TEXT_H
#define FRAME_BOUNDED_TEXT_H

#include <cstddef>

// Copies source (null counts as empty) into destination of `size` bytes,
// cutting it to size - 1 characters; the result is always zero-terminated
// when size > 0. Returns false when the text was cut.
bool CopyText(char *destination, size_t size, const char *source);

#endif
