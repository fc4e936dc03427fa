#include "tests/support/modal_watcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

thread_local ModalWatcher *activeWatcher = nullptr;

// Message boxes are dialogs that carry the icon static (id 1088) and the
// text static (id 0xFFFF, or 100 in older Wine versions).
HWND MessageBoxText(HWND window)
{
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !GetDlgItem(window, 1088))
        return nullptr;
    HWND text = GetDlgItem(window, 0xFFFF);
    return text ? text : GetDlgItem(window, 100);
}

struct Script {
    HWND dialog;
    std::vector<DialogStep> steps;
    size_t next = 0;
    bool running = false;  // a step is under way (it may run a nested modal loop)
};

std::map<UINT_PTR, Script> scripts;

// What the scripts did on each dialog: a step under way, and when the last
// one ended. A dialog waits for an answer only while no step runs on it.
struct StepActivity {
    bool running = false;
    DWORD lastEnd = 0;
};
std::map<HWND, StepActivity> activity;

void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD)
{
    auto it = scripts.find(timer);
    if (it == scripts.end())
        return;
    Script &script = it->second;
    // A step that opens a dialog runs that dialog's loop, and a step that
    // renders the preview pumps timer messages: both dispatch this timer
    // too, so the next step waits until the step has returned.
    if (script.running)
        return;
    if (script.next >= script.steps.size() || !IsWindow(script.dialog)) {
        KillTimer(nullptr, timer);
        scripts.erase(it);
        return;
    }
    DialogStep step = script.steps[script.next++];
    HWND dialog = script.dialog;
    script.running = true;
    activity[dialog].running = true;
    step(dialog);
    activity[dialog] = {false, GetTickCount()};
    script.running = false;
}

}  // namespace

ModalWatcher::ModalWatcher()
{
    activeWatcher = this;
    hook_ = SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId());
    watchTimer_ = SetTimer(nullptr, 0, 100, OnWatchTick);
}

ModalWatcher::~ModalWatcher()
{
    if (watchTimer_)
        KillTimer(nullptr, watchTimer_);
    if (hook_)
        UnhookWindowsHookEx(hook_);
    activeWatcher = nullptr;
}

void CALLBACK ModalWatcher::OnWatchTick(HWND, UINT, UINT_PTR, DWORD)
{
    if (activeWatcher)
        activeWatcher->CloseUnanswered();
}

// Closes the newest dialog that has waited too long, one a tick, so that a
// step waiting on it goes on and the dialogs beneath get their turn.
void ModalWatcher::CloseUnanswered()
{
    const DWORD now = GetTickCount();
    waiting_.erase(std::remove_if(waiting_.begin(), waiting_.end(),
                                  [](const Waiting &w) { return !IsWindow(w.window); }),
                   waiting_.end());
    for (auto w = waiting_.rbegin(); w != waiting_.rend(); ++w) {
        const StepActivity &steps = activity[w->window];
        // Tick counts wrap round: the later of two is the one less than half
        // the range ahead.
        const bool stepEndedSince = steps.lastEnd && steps.lastEnd - w->since < 0x80000000u;
        const DWORD since = stepEndedSince ? steps.lastEnd : w->since;
        if (steps.running || now - since < answerLimit_)
            continue;
        HWND window = w->window;
        waiting_.erase(std::next(w).base());
        char caption[256] = "";
        GetWindowTextA(window, caption, sizeof caption);
        ADD_FAILURE() << "nothing answered the dialog \"" << caption << "\" within "
                      << answerLimit_ << " ms; it was closed";
        EndDialog(window, IDCANCEL);
        return;
    }
}

LRESULT CALLBACK ModalWatcher::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && activeWatcher)
        activeWatcher->OnActivate(reinterpret_cast<HWND>(wParam));
    if (code == HCBT_SETFOCUS && activeWatcher)
        activeWatcher->OnFocus(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ModalWatcher::OnActivate(HWND window)
{
    if (!seen_.insert(window).second)
        return;
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0)
        return;
    waiting_.push_back({window, GetTickCount()});
    activity.erase(window);
    if (MessageBoxText(window)) {
        AnswerBox(window);
        return;
    }
    dialogs_.push_back(window);
    if (dialogAction_)
        dialogAction_(window);
}

// A message box gives its default button the focus as it opens, just
// before it is activated.
void ModalWatcher::OnFocus(HWND window)
{
    HWND box = window ? GetParent(window) : nullptr;
    if (box && MessageBoxText(box) && !seen_.count(box))
        firstFocus_[box] = GetDlgCtrlID(window);
}

void ModalWatcher::AnswerBox(HWND box)
{
    CapturedBox captured;
    char text[2048];
    GetWindowTextA(box, text, sizeof text);
    captured.caption = text;
    GetWindowTextA(MessageBoxText(box), text, sizeof text);
    captured.text = text;
    // Buttons of other kinds stay in the box, hidden.
    for (int id = IDOK; id <= IDNO; ++id) {
        HWND button = GetDlgItem(box, id);
        if (button && (GetWindowLongA(button, GWL_STYLE) & WS_VISIBLE))
            captured.buttons.push_back(id);
    }
    auto focus = firstFocus_.find(box);
    captured.defaultButton = focus != firstFocus_.end() ? focus->second : 0;
    captured.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, 1088, STM_GETICON, 0, 0));
    if (!answers_.empty()) {
        captured.answer = answers_.front();
        answers_.pop_front();
    } else {
        captured.answer = IDNO;
        for (int button : {IDCANCEL, IDOK})
            if (std::count(captured.buttons.begin(), captured.buttons.end(), button))
                captured.answer = button;
    }
    boxes_.push_back(captured);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(captured.answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, captured.answer)));
}

std::vector<std::string> ModalWatcher::NewTexts(bool withCaptions)
{
    std::vector<std::string> texts;
    for (; reported_ < boxes_.size(); ++reported_) {
        const CapturedBox &box = boxes_[reported_];
        texts.push_back(withCaptions ? box.caption + ": " + box.text : box.text);
    }
    return texts;
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessageA(GetActiveWindow(), &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
}

void PostCloseBox(HWND dialog)
{
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void RunDialogScript(HWND dialog, std::vector<DialogStep> steps)
{
    UINT_PTR timer = SetTimer(nullptr, 0, 10, OnTick);
    scripts[timer] = Script{dialog, std::move(steps)};
}
