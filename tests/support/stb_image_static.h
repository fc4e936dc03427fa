// Debian's stb_image, compiled into the including test as static functions
// (its own warnings quietened), for reading back the pictures a test wrote.
#ifndef TESTS_SUPPORT_STB_IMAGE_STATIC_H
#define TESTS_SUPPORT_STB_IMAGE_STATIC_H

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb_image.h>
#pragma GCC diagnostic pop

#endif
