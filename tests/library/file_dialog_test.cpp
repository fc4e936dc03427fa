// The reading of an open dialog's selection when the dialog answers badly,
// and path messages that cannot overflow. (The folder and file a dialog
// starts at are the path rules' and the library commands' part.)
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frame/file_dialog.h"
#include "tests/support/modal_watcher.h"

namespace {

// An open dialog whose answers to the selection queries a case scripts.
struct Answer {
    LRESULT result;
    std::string text;  // written into the caller's buffer, cut to its size
    bool terminated;   // followed by a zero when it fits
};
Answer nameAnswer, pathAnswer;
std::vector<UINT> queries;

LRESULT CALLBACK ScriptedDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != CDM_GETSPEC && message != CDM_GETFILEPATH)
        return DefWindowProcA(window, message, wParam, lParam);
    queries.push_back(message);
    const Answer &answer = message == CDM_GETSPEC ? nameAnswer : pathAnswer;
    char *buffer = reinterpret_cast<char *>(lParam);
    size_t n = std::min(answer.text.size(), size_t(wParam));
    std::memcpy(buffer, answer.text.data(), n);
    if (answer.terminated && n < wParam)
        buffer[n] = '\0';
    return answer.result;
}

TEST(OpenDialogSelection, OnlyAnswersThatFitTheBufferCount)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ScriptedDialogProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ScriptedOpenDialog";
    RegisterClassA(&windowClass);
    HWND dialog = CreateWindowA("ScriptedOpenDialog", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
    HWND hook = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 10, 10, dialog, nullptr,
                              windowClass.hInstance, nullptr);

    const std::string longest(FILE_NAME_SIZE - 1, 'p');
    const std::string fileName = "stars.lnz", path = "C:\\fx\\stars.lnz";
    struct Case {
        Answer name, path;
        std::string expected;
        size_t queries;
    } cases[] = {
        {{0, "", true}, {}, "", 1},
        {{-1, "junk", false}, {}, "", 1},
        {{FILE_NAME_SIZE + 1, std::string(FILE_NAME_SIZE, 's'), false}, {}, "", 1},
        {{1, "", true}, {}, "", 1},
        {{10, fileName, true}, {0, "junk", false}, "", 2},
        {{10, fileName, true}, {-5, path, true}, "", 2},
        {{10, fileName, true}, {FILE_NAME_SIZE + 40, std::string(FILE_NAME_SIZE, 'p'), false}, "",
         2},
        {{10, fileName, true}, {16, path, true}, path, 2},
        {{10, fileName, true}, {FILE_NAME_SIZE, longest, true}, longest, 2},
        // A dialog that fills the whole buffer without a zero is read only
        // up to the buffer's last character.
        {{10, fileName, true}, {FILE_NAME_SIZE, std::string(FILE_NAME_SIZE, 'p'), false}, longest,
         2},
    };
    for (const Case &c : cases) {
        nameAnswer = c.name;
        pathAnswer = c.path;
        queries.clear();
        char buffer[FILE_NAME_SIZE + 16];
        std::memset(buffer, 'z', sizeof buffer);
        buffer[sizeof buffer - 1] = '\0';
        int16_t found = GetOpenDialogSelection(hook, buffer);
        EXPECT_EQ(std::string(buffer), c.expected)
            << "name " << c.name.result << ", path " << c.path.result;
        EXPECT_EQ(found, c.expected.empty() ? 0 : 1);
        EXPECT_EQ(queries.size(), c.queries);
    }
    DestroyWindow(dialog);
}

TEST(PathMessage, APathTooLongForTheTextIsCutNotOverflowed)
{
    ModalWatcher watcher;
    const std::string path(1000, 'p');
    ShowPathMessage(nullptr, "The file name '%s' is too long to end in .lnz.", path.c_str(),
                    "Filename Error", MB_OK);
    ASSERT_EQ(watcher.boxes().size(), 1u);
    const std::string &text = watcher.boxes()[0].text;
    EXPECT_EQ(text.rfind("The file name 'ppp", 0), 0u);
    EXPECT_LT(text.size(), size_t(FILE_NAME_SIZE + 200));
}

}  // namespace
