#include "platform/Windows.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>

namespace
{

constexpr UINT kTrayMessage = 0x0464;
constexpr UINT kOpen = 32771, kExit = 32772;
std::string g_answerPath;
HWND g_form = 0;

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
    {
        std::ofstream(g_answerPath) << MessageBoxA(hwnd, "Apply?", "Tessaryn", MB_OKCANCEL);
        return 0;
    }
    return DefDlgProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kTrayMessage && lParam == WM_RBUTTONDOWN)
    {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, kOpen, "&Open");
        AppendMenuA(menu, MF_STRING, kExit, "E&xit");
        POINT p;
        GetCursorPos(&p);
        SetForegroundWindow(hwnd);
        TrackPopupMenu(menu, TPM_RIGHTBUTTON, p.x, p.y, 0, hwnd, nullptr);
        DestroyMenu(menu);
        return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kOpen && g_form == 0)
    {
        platform::DialogTemplate t;
        t.caption = "Remote form";
        platform::DialogControl check;
        check.className = "Button";
        check.text = "Enable QOS";
        check.id = 1001;
        check.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
        platform::DialogControl ok = check;
        ok.className = "Button";
        ok.text = "OK";
        ok.id = IDOK;
        ok.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
        t.controls = {check, ok};
        g_form = platform::CreateDialogFromTemplate(t, 0, 0);
        platform::SetWindowProc(g_form, FormProc);
        return 0;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == kExit)
    {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

[[noreturn]] void runHost()
{
    ::alarm(90);
    platform::UseRealClock();
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.lpszClassName = "TrayHost";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "TrayHost", "Tray host", WS_POPUP, 0, 0, 0, 0, 0, 0, 0, nullptr);
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd;
    nid.uID = 161;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = kTrayMessage;
    std::snprintf(nid.szTip, sizeof nid.szTip, "Tessaryn");
    if (hwnd == 0 || !Shell_NotifyIconA(NIM_ADD, &nid))
        ::_exit(2);
    // Long periods: they are looked at, not waited for. 5 ms is clamped to the minimum.
    SetTimer(hwnd, 7, 60000, nullptr);
    SetTimer(hwnd, 3, 5, [](HWND, UINT, UINT_PTR, DWORD) {});
    MSG msg;
    while (GetMessageA(&msg, 0, 0, 0) > 0)
        DispatchMessageA(&msg);
    Shell_NotifyIconA(NIM_DELETE, &nid);
    ::_exit(0);
}

using ToolRun = testing_support::CommandRun;

class VnmachineUiTest : public ::testing::Test
{
protected:
    ToolRun vnmachine(const std::string& args, const std::string& input = {})
    {
        const auto inputPath = m_machine.root() / "stdin";
        std::ofstream(inputPath) << input;
        const std::string command = (testing_support::ProgramDirectory() / "vnmachine").string() +
                                    " --machine '" + m_machine.root().string() + "' " + args +
                                    " <'" + inputPath.string() + "' 2>&1";
        return testing_support::RunShellCommand(command);
    }

    testing_support::TempMachine m_machine;
};

TEST_F(VnmachineUiTest, APersonDrivesATrayProgramThroughTheMachineTool)
{
    g_answerPath = (m_machine.root() / "answer").string();
    const pid_t host = ::fork();
    ASSERT_GE(host, 0);
    if (host == 0)
        runHost();
    const std::string pid = std::to_string(host);

    auto r = vnmachine("ui wait 'Tray host' 20");
    ASSERT_EQ(r.status, 0) << r.out;
    r = vnmachine("ui list");
    EXPECT_NE(r.out.find(pid + " "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"Tray host\" TrayHost (hidden)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("tray 161 \"Tessaryn\""), std::string::npos) << r.out;

    // The requests' own timers (one is set for every request) are not listed.
    r = vnmachine("ui timers 'Tray host'");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "7 every 60000 ms, posts WM_TIMER\n3 every " +
                         std::to_string(USER_TIMER_MINIMUM) + " ms, calls its timer procedure\n");

    r = vnmachine("ui tray " + pid + " right");
    ASSERT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("a menu is open"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("32771 \"&Open\""), std::string::npos) << r.out;
    r = vnmachine("ui menu Open");
    ASSERT_EQ(r.status, 0) << r.out;

    r = vnmachine("ui wait 'Remote form' 20");
    ASSERT_EQ(r.status, 0) << r.out;
    r = vnmachine("ui click 'Remote form' 'Enable QOS'");
    EXPECT_EQ(r.status, 0) << r.out;
    r = vnmachine("ui show 'remote form'");
    EXPECT_NE(r.out.find("[x] 1001 \"Enable QOS\""), std::string::npos) << r.out;
    EXPECT_EQ(vnmachine("ui timers 'Remote form'").out, "no timers\n");

    r = vnmachine("ui key 'Remote form' enter");
    EXPECT_EQ(r.status, 0) << r.out;
    r = vnmachine("ui answer Cancel");
    EXPECT_EQ(r.status, 0) << r.out;
    ASSERT_TRUE(testing_support::WaitUntil(
        [&]
        {
            std::ifstream in(g_answerPath);
            int answer = 0;
            return static_cast<bool>(in >> answer) && answer == IDCANCEL;
        },
        std::chrono::seconds(20)));

    // The interactive desktop takes the same commands; "show" alone draws the whole desktop.
    r = vnmachine("desktop", "show 'Remote form'\nshow\nanswer OK\nquit\n");
    EXPECT_NE(r.out.find("desktop> "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("---- active window"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("no message box is up"), std::string::npos) << r.out;

    EXPECT_EQ(vnmachine("ui show 'No such window'").status, 1);
    EXPECT_EQ(vnmachine("ui click").status, 2);

    r = vnmachine("ui tray " + pid + " right");
    ASSERT_EQ(r.status, 0) << r.out;
    r = vnmachine("ui menu Exit");
    EXPECT_EQ(r.status, 0) << r.out;
    int status = 0;
    ASSERT_EQ(::waitpid(host, &status, 0), host);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    r = vnmachine("ui list");
    EXPECT_EQ(r.out.find("tray 161"), std::string::npos) << r.out;
}

} // namespace
