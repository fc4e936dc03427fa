// A window's text, as the user reads it, and text in small letters.
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

// The text in small letters, as the plug-in keeps the paths it remembers.
inline std::string Lower(std::string text)
{
    CharLowerA(text.data());
    return text;
}

#endif
