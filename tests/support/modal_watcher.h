// Drives modal windows from inside a test, so that no test ever blocks on
// one: every message box shown on this thread while a ModalWatcher lives is
// recorded (caption and text) and answered at once; every other dialog is
// handed once to an action the test chooses (inspect it, then close it).
// A dialog still open a few seconds after it appeared, or after the last
// step of its script, while no step runs on it, is one nobody answers: it
// is closed and the test fails with its caption, instead of waiting for the
// test runner's time-out.
#ifndef TESTS_SUPPORT_MODAL_WATCHER_H
#define TESTS_SUPPORT_MODAL_WATCHER_H

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

struct CapturedBox {
    std::string caption;
    std::string text;
    int answer;                // the button that closed it
    std::vector<int> buttons;  // the buttons it offered (IDOK .. IDNO), in id order
    int defaultButton;         // the button it first gave the focus: its default button
    HICON icon;                // the icon it showed, or null
};

class ModalWatcher {
public:
    ModalWatcher();
    ~ModalWatcher();
    ModalWatcher(const ModalWatcher &) = delete;
    ModalWatcher &operator=(const ModalWatcher &) = delete;

    // Answers for the next message boxes, in order (IDYES, IDNO, ...). Without
    // a queued answer a box is closed with IDOK, or IDCANCEL, or IDNO,
    // whichever button it has first.
    void QueueAnswer(int button) { answers_.push_back(button); }

    // Called once for each dialog (not a message box) when it is first
    // activated, after its WM_INITDIALOG.
    void OnDialog(std::function<void(HWND)> action) { dialogAction_ = std::move(action); }

    const std::vector<CapturedBox> &boxes() const { return boxes_; }
    // The texts of the boxes shown since the last call, each after its
    // caption and ": " when `withCaptions` is set.
    std::vector<std::string> NewTexts(bool withCaptions = false);
    std::vector<HWND> dialogs() const { return dialogs_; }

private:
    struct Waiting {
        HWND window;
        DWORD since;  // when it appeared
    };

    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnWatchTick(HWND, UINT, UINT_PTR, DWORD);
    void OnActivate(HWND window);
    void OnFocus(HWND window);
    void AnswerBox(HWND box);
    void CloseUnanswered();

    HHOOK hook_ = nullptr;
    std::deque<int> answers_;
    std::vector<CapturedBox> boxes_;
    std::map<HWND, int> firstFocus_;  // the control each box first focused
    std::vector<HWND> dialogs_;
    std::set<HWND> seen_;
    std::function<void(HWND)> dialogAction_;
    std::vector<Waiting> waiting_;  // every dialog and box seen, newest last
    size_t reported_ = 0;  // the boxes NewTexts has handed out
    const DWORD answerLimit_ = 5000;  // how long a dialog may wait for an answer, ms
    UINT_PTR watchTimer_ = 0;
};

// Handles the messages waiting on this thread, as the active dialog's loop
// would.
void Pump();

// Closes a dialog the way the user's close box does.
void PostCloseBox(HWND dialog);

// Runs test steps inside a modal dialog's own message loop: each step runs
// on its own timer tick, so that whatever a step posts or sends has been
// handled before the next one starts. Started on `dialog` (typically from
// ModalWatcher::OnDialog); the last step is expected to end the dialog.
using DialogStep = std::function<void(HWND dialog)>;
void RunDialogScript(HWND dialog, std::vector<DialogStep> steps);

#endif
