#include "tests/support/recording_window.h"

#include <algorithm>

namespace {

const char kClassName[] = "LensFlareRecordingWindow";

void RegisterRecordingClass(WNDPROC procedure)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
}

}  // namespace

std::ostream &operator<<(std::ostream &out, const RecordedMessage &recorded)
{
    return out << "{message " << recorded.message << ", wParam " << recorded.wParam << ", lParam "
               << recorded.lParam << "}";
}

RecordingWindow::RecordingWindow(bool visible)
{
    static bool registered = false;
    if (!registered) {
        RegisterRecordingClass(WindowProc);
        registered = true;
    }
    DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0);
    hwnd_ = CreateWindowExA(0, kClassName, "Recording window", style, 0, 0, 400, 300, nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
}

RecordingWindow::~RecordingWindow()
{
    if (hwnd_)
        DestroyWindow(hwnd_);
}

std::vector<RecordedMessage> RecordingWindow::Received(std::initializer_list<UINT> kinds) const
{
    std::vector<RecordedMessage> chosen;
    for (const RecordedMessage &recorded : messages_) {
        if (kinds.size() == 0 || std::find(kinds.begin(), kinds.end(), recorded.message) != kinds.end())
            chosen.push_back(recorded);
    }
    return chosen;
}

LRESULT CALLBACK RecordingWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto *create = reinterpret_cast<CREATESTRUCTA *>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto *self = reinterpret_cast<RecordingWindow *>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    self->messages_.push_back({message, wParam, lParam});
    auto answer = self->answers_.find(message);
    if (answer != self->answers_.end())
        return answer->second;
    return DefWindowProcA(window, message, wParam, lParam);
}
