#include "tests/platform/ui/UiTestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace
{

class CrossProcessTest : public ui_test::UiTest
{
};

std::string g_receiptPath;

LRESULT CALLBACK ReceivingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
    {
        std::ofstream(g_receiptPath) << wParam << ' ' << lParam << '\n';
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The child: a hidden top-level window titled "X" and its loop, until the command comes.
[[noreturn]] void runChild()
{
    ::alarm(30); // never outlive a broken test
    platform::UseRealClock();
    WNDCLASSA wc{};
    wc.lpfnWndProc = ReceivingProc;
    wc.lpszClassName = "UiTestReceiver";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "UiTestReceiver", "X", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, nullptr);
    if (hwnd == 0)
        ::_exit(2);
    MSG msg;
    while (GetMessageA(&msg, 0, 0, 0) > 0)
        DispatchMessageA(&msg);
    DestroyWindow(hwnd);
    ::_exit(0);
}

TEST_F(CrossProcessTest, APostToAHiddenWindowOfAnotherProcessArrivesInItsQueue)
{
    g_receiptPath = (m_machine.root() / "receipt").string();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        runChild();

    HWND found = 0;
    ASSERT_TRUE(ui_test::Eventually([&] { return (found = FindWindowA(nullptr, "X")) != 0; }));
    EXPECT_FALSE(IsWindowVisible(found));
    char title[8];
    EXPECT_EQ(GetWindowTextA(found, title, sizeof title), 1);
    DWORD pid = 0;
    GetWindowThreadProcessId(found, &pid);
    EXPECT_EQ(pid, static_cast<DWORD>(child));
    EXPECT_TRUE(PostMessageA(found, WM_COMMAND, 0x8006, 0));

    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::ifstream receipt(g_receiptPath);
    std::stringstream text;
    text << receipt.rdbuf();
    EXPECT_EQ(text.str(), "32774 0\n");

    // The window went with its process.
    EXPECT_FALSE(IsWindow(found));
    EXPECT_EQ(FindWindowA(nullptr, "X"), 0u);
    EXPECT_FALSE(PostMessageA(found, WM_COMMAND, 0x8006, 0));
}

} // namespace
