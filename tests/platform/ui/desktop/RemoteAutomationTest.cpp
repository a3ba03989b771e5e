#include "tests/platform/ui/desktop/DesktopTestSupport.h"

#include "tests/support/ChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace
{

using platform::automation::AskProgram;
using platform::automation::HandleText;

constexpr UINT kRemoteTemplate = 4102;
constexpr int kAskButton = 1010;
std::string g_answerPath;

LRESULT CALLBACK RemoteFormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == kAskButton && HIWORD(wParam) == BN_CLICKED)
    {
        const int answer = MessageBoxA(hwnd, "Sure?", "Question", MB_OKCANCEL);
        std::ofstream(g_answerPath) << answer;
        return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
    {
        PostQuitMessage(0);
        return 0;
    }
    return DefDlgProcA(hwnd, message, wParam, lParam);
}

[[noreturn]] void runChild()
{
    ::alarm(60); // never outlive a broken test
    platform::UseRealClock();
    platform::DialogTemplate t;
    t.caption = "Remote form";
    t.rect = {0, 0, 300, 200};
    auto add = [&](const char* cls, const char* text, int id, DWORD style)
    {
        platform::DialogControl c;
        c.className = cls;
        c.text = text;
        c.id = id;
        c.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | style;
        c.rect = {10, 10, 100, 30};
        t.controls.push_back(c);
    };
    add("Button", "Enable QOS", 1001, BS_AUTOCHECKBOX);
    add("Edit", "", 1004, 0);
    add("Button", "Ask", kAskButton, BS_PUSHBUTTON);
    add("Button", "OK", IDOK, BS_DEFPUSHBUTTON);
    HWND dlg = platform::CreateDialogFromTemplate(t, 0, 0);
    if (dlg == 0)
        ::_exit(2);
    platform::SetWindowProc(dlg, RemoteFormProc);
    MSG msg;
    while (GetMessageA(&msg, 0, 0, 0) > 0)
    {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(dlg);
    ::_exit(0);
}

class RemoteAutomationTest : public desktop_test::DesktopTest
{
};

TEST_F(RemoteAutomationTest, AnotherProcessesDialogIsDescribedAndDrivenThroughItsSocket)
{
    g_answerPath = (m_machine.root() / "answer").string();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        runChild();

    HWND dlg = 0;
    ASSERT_TRUE(testing_support::WaitUntil(
        [&] { return (dlg = FindWindowA("#32770", "Remote form")) != 0; },
        std::chrono::seconds(20)));
    const std::string w = HandleText(dlg);
    // The first request may come before the socket is there.
    platform::automation::Reply described;
    ASSERT_TRUE(testing_support::WaitUntil(
        [&] {
            return (described = AskProgram(child, {"describe", w})).ok;
        },
        std::chrono::seconds(20)))
        << described.message;
    EXPECT_NE(described.body.find("[ ] 1001 \"Enable QOS\""), std::string::npos) << described.body;

    auto r = AskProgram(child, {"click", w, "Enable QOS"});
    EXPECT_TRUE(r.ok) << r.message;
    r = AskProgram(child, {"type", w, "1004", "a b"});
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_TRUE(AskProgram(child, {"settext", w, "1004", "x\ty \"z\""}).ok);
    described = AskProgram(child, {"describe", w});
    EXPECT_NE(described.body.find("[x] 1001 \"Enable QOS\""), std::string::npos) << described.body;
    EXPECT_NE(described.body.find("[ edit 1004: \"x\\ty \\\"z\\\"\" ]"), std::string::npos)
        << described.body;
    EXPECT_FALSE(AskProgram(child, {"click", w, "No such"}).ok);
    EXPECT_FALSE(AskProgram(child, {"frobnicate", w}).ok);

    // A click that opens a message box replies while the box waits for the person.
    r = AskProgram(child, {"click", w, "Ask"});
    EXPECT_TRUE(r.ok) << r.message;
    EXPECT_EQ(r.message, "a modal window opened");
    auto boxes = AskProgram(child, {"boxes"});
    ASSERT_TRUE(boxes.ok);
    EXPECT_NE(boxes.body.find("\tQuestion\tSure?"), std::string::npos) << boxes.body;
    // The dialog is disabled under the box, and still answers.
    described = AskProgram(child, {"describe", w});
    EXPECT_NE(described.body.find("(disabled)"), std::string::npos) << described.body;
    r = AskProgram(child, {"answer", "0", "OK"});
    EXPECT_TRUE(r.ok) << r.message;
    ASSERT_TRUE(testing_support::WaitUntil(
        [&]
        {
            std::ifstream in(g_answerPath);
            std::string s;
            return static_cast<bool>(in >> s) && s == "1";
        },
        std::chrono::seconds(20)));

    // Enter ends the program; the reply may be lost with it.
    r = AskProgram(child, {"key", w, "enter"});
    EXPECT_TRUE(r.ok) << r.message;
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(AskProgram(child, {"describe", w}).ok);
}

} // namespace
