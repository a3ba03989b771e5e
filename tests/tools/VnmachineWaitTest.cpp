// ui wait as a script uses it: the wait ends when the program's state comes to hold, the program
// keeps answering other requests meanwhile, and a wait that runs out names what it saw.

#include "platform/Windows.h"
#include "tests/support/TempMachine.h"
#include "tests/tools/ToolRun.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <future>

namespace
{

using testing_support::RunVnmachineApart;

constexpr int kName = 1001, kReadOnly = 1002, kList = 1003;
constexpr UINT_PTR kFillTimer = 1, kTrayTimer = 2;

HWND g_form = 0;

void CALLBACK fillList(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    // One entry a tick, up to three: a list that fills as a scan's results come in.
    const HWND list = GetDlgItem(hwnd, kList);
    platform::PointerParam text("network");
    SendMessageA(list, LB_ADDSTRING, 0, text);
    if (SendMessageA(list, LB_GETCOUNT, 0, 0) >= 3)
        KillTimer(hwnd, kFillTimer);
}

void CALLBACK showTrayIcon(HWND hwnd, UINT, UINT_PTR, DWORD)
{
    KillTimer(hwnd, kTrayTimer);
    NOTIFYICONDATAA nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = hwnd;
    nid.uID = 7;
    nid.uFlags = NIF_TIP;
    std::snprintf(nid.szTip, sizeof nid.szTip, "late icon");
    Shell_NotifyIconA(NIM_ADD, &nid);
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE)
    {
        PostQuitMessage(0);
        return 0;
    }
    return DefDlgProcA(hwnd, message, wParam, lParam);
}

[[noreturn]] void runForm()
{
    ::alarm(90);
    platform::UseRealClock();
    platform::DialogTemplate t;
    t.caption = "Wait form";
    platform::DialogControl name;
    name.className = "Edit";
    name.id = kName;
    name.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    platform::DialogControl fixed = name;
    fixed.id = kReadOnly;
    fixed.text = "fixed";
    fixed.style |= ES_READONLY;
    platform::DialogControl list = name;
    list.className = "ListBox";
    list.id = kList;
    t.controls = {name, fixed, list};
    g_form = platform::CreateDialogFromTemplate(t, 0, 0);
    platform::SetWindowProc(g_form, FormProc);
    ShowWindow(g_form, SW_SHOW);
    SetTimer(g_form, kFillTimer, 400, fillList);
    SetTimer(g_form, kTrayTimer, 600, showTrayIcon);
    MSG msg;
    while (GetMessageA(&msg, 0, 0, 0) > 0)
        DispatchMessageA(&msg);
    ::_exit(0);
}

TEST(VnmachineWait, WaitsEndWhenTheStateComesAndTheProgramAnswersMeanwhile)
{
    testing_support::TempMachine m;
    const pid_t form = ::fork();
    ASSERT_GE(form, 0);
    if (form == 0)
        runForm();
    auto tool = [&](const std::vector<std::string>& args)
    { return RunVnmachineApart(m.root(), args); };

    // Waited for before it is there: the window, then the rows its timer adds, then the icon.
    auto r = tool({"ui", "wait", "Wait form", "20"});
    ASSERT_EQ(r.status, 0) << r.err;
    r = tool({"ui", "wait", "rows", "Wait form", "1003", "3", "--timeout", "20"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "3 rows\n");
    r = tool({"ui", "wait", "tray", std::to_string(form), "--timeout", "20"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "tray icon 7 of " + std::to_string(form) + "\n");

    // While one wait is under way, the program takes the typing that ends it.
    auto waiting = std::async(
        std::launch::async,
        [&] {
            return tool({"ui", "wait", "text", "Wait form", "1001", "done", "--timeout", "20"});
        });
    const auto start = std::chrono::steady_clock::now();
    r = tool({"ui", "type", "Wait form", "1001", "done"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    r = waiting.get();
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "text \"done\"\n");

    // A wait that runs out says what the control holds; a read-only edit takes no typing.
    r = tool({"ui", "wait", "text", "Wait form", "1001", "never", "--timeout", "0.3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("is \"done\", not \"never\""), std::string::npos) << r.err;
    r = tool({"ui", "wait", "rows", "Wait form", "1003", "4", "--timeout", "0.3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("3 rows, not 4"), std::string::npos) << r.err;
    r = tool({"ui", "wait", "rows", "Wait form", "1099", "--timeout", "0.3"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no control '1099'"), std::string::npos) << r.err;
    r = tool({"ui", "type", "Wait form", "1002", "x"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("read-only"), std::string::npos) << r.err;
    EXPECT_EQ(tool({"ui", "wait", "text", "Wait form", "1002", "fixed", "--timeout", "5"}).status,
              0);

    r = tool({"ui", "close", "Wait form"});
    EXPECT_EQ(r.status, 0) << r.err;
    int status = 0;
    ASSERT_EQ(::waitpid(form, &status, 0), form);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

} // namespace

namespace
{

TEST(VnmachineWait, AWaitThatRunsOutMakesNothingOnTheMachine)
{
    testing_support::TempMachine m;
    const auto run = m.machine().runtimeDir();
    const std::pair<std::vector<std::string>, std::string> waits[] = {
        {{"ui", "wait", "tray", "TessarynUI", "--timeout", "0.2"}, "no tray icon of 'TessarynUI'"},
        {{"ui", "wait", "Nothing here", "0.2"}, "no window 'Nothing here'"},
        {{"ui", "wait", "rows", "Nothing here", "1002", "--timeout", "0.2"}, "no control '1002'"},
    };
    for (const auto& [words, problem] : waits)
    {
        const auto r = testing_support::RunVnmachineApart(m.root(), words);
        EXPECT_EQ(r.status, 1) << testing_support::Joined(words);
        EXPECT_NE(r.err.find(problem), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(run / "tray"));
    EXPECT_FALSE(std::filesystem::exists(run / "windows"));
}

} // namespace
