// A window that records every message it receives, oldest first, so that a
// test can assert on what a child control sent its parent and in which order.
#ifndef TESTS_SUPPORT_RECORDING_WINDOW_H
#define TESTS_SUPPORT_RECORDING_WINDOW_H

#include <windows.h>

#include <initializer_list>
#include <map>
#include <ostream>
#include <vector>

struct RecordedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const RecordedMessage &other) const
    {
        return message == other.message && wParam == other.wParam && lParam == other.lParam;
    }
};
std::ostream &operator<<(std::ostream &out, const RecordedMessage &recorded);

class RecordingWindow {
public:
    // A top-level window of 400 by 300 pixels, shown when `visible` is set.
    explicit RecordingWindow(bool visible = false);
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow &) = delete;
    RecordingWindow &operator=(const RecordingWindow &) = delete;

    HWND hwnd() const { return hwnd_; }

    // The messages received since creation or the last Clear, oldest first:
    // only those of the given kinds, or all of them when none is given.
    std::vector<RecordedMessage> Received(std::initializer_list<UINT> kinds = {}) const;
    void Clear() { messages_.clear(); }

    // Answers every later `message` with `result` instead of the default
    // processing (for example a brush for WM_CTLCOLORDLG).
    void Answer(UINT message, LRESULT result) { answers_[message] = result; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    std::vector<RecordedMessage> messages_;
    std::map<UINT, LRESULT> answers_;
};

#endif
