// A window's text, as the user reads it.
#ifndef TESTS_SUPPORT_WINDOW_TEXT_H
#define TESTS_SUPPORT_WINDOW_TEXT_H

#include <windows.h>

#include <string>

inline std::string WindowText(HWND window)
{
    char text[512] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

#endif
