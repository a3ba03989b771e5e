#include "tests/platform/ui/UiTestSupport.h"

#include "machine/MachineImage.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{

class WinAppTest : public ui_test::UiTest
{
};

struct Observed
{
    std::string cmdLine;
    std::string exeName;
    std::string appName;
    std::string helpBefore;
    int exitCalls = 0;
    bool ran = false;
};

class CTestApp : public CWinApp
{
public:
    enum class Mode
    {
        ReturnFalse,
        ModalMainDialog,
        LoopUntilQuit,
        NoMainWindow
    };
    CTestApp(Mode mode, Observed& seen) : m_mode(mode), m_seen(seen) {}

    BOOL InitInstance() override
    {
        AfxEnableControlContainer();
        m_seen.cmdLine = m_lpCmdLine;
        m_seen.exeName = m_pszExeName;
        m_seen.appName = m_pszAppName;
        m_seen.helpBefore = m_pszHelpFilePath;
        // Programs replace the help path as the framework expects: free the old, copy the new.
        std::free(const_cast<char*>(m_pszHelpFilePath));
        m_pszHelpFilePath = _strdup(".\\VnConfigENG.chm");
        switch (m_mode)
        {
        case Mode::ReturnFalse:
            return FALSE;
        case Mode::ModalMainDialog:
        {
            CDialog dlg(900);
            m_pMainWnd = &dlg;
            platform::SetIdleHook([&] { dlg.PostMessage(WM_COMMAND, IDCANCEL); });
            dlg.DoModal();
            return FALSE;
        }
        case Mode::LoopUntilQuit:
            m_window = std::make_unique<CWnd>();
            m_window->CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 0, 0, 0, 0);
            m_pMainWnd = m_window.get();
            // The program's loop: a thread timer ends it.
            SetTimer(0, 0, 1000,
                     [](HWND, UINT, UINT_PTR id, DWORD)
                     {
                         KillTimer(0, id);
                         PostQuitMessage(5);
                     });
            platform::SetIdleHook([] { platform::AdvanceClock(1000); });
            return TRUE;
        case Mode::NoMainWindow:
            return TRUE;
        }
        return FALSE;
    }
    int Run() override
    {
        m_seen.ran = true;
        return CWinApp::Run();
    }
    int ExitInstance() override
    {
        ++m_seen.exitCalls;
        if (m_window)
            m_window->DestroyWindow();
        return CWinApp::ExitInstance();
    }

private:
    Mode m_mode;
    Observed& m_seen;
    std::unique_ptr<CWnd> m_window;
};

int runProgram(CTestApp::Mode mode, Observed& seen, std::vector<std::string> args)
{
    CTestApp app(mode, seen);
    EXPECT_EQ(AfxGetApp(), &app);
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    int code = AfxWinMain(static_cast<int>(argv.size()), argv.data());
    if (mode != CTestApp::Mode::LoopUntilQuit)
    {
        EXPECT_EQ(app.m_pMainWnd, nullptr);
    }
    EXPECT_STREQ(app.m_pszHelpFilePath, ".\\VnConfigENG.chm");
    return code;
}

TEST_F(WinAppTest, InitInstanceReturningFalseEndsTheProgramThroughExitInstance)
{
    Observed seen;
    EXPECT_EQ(runProgram(CTestApp::Mode::ReturnFalse, seen, {"/opt/bin/uiprog", "-S", "more"}), 0);
    EXPECT_EQ(seen.cmdLine, "-S more");
    EXPECT_EQ(seen.exeName, "uiprog");
    EXPECT_EQ(seen.appName, "uiprog");
    EXPECT_EQ(seen.helpBefore, std::string(machine::kProgramFolder) + "\\uiprog.HLP");
    EXPECT_EQ(seen.exitCalls, 1);
    EXPECT_FALSE(seen.ran);
    EXPECT_EQ(AfxGetApp(), nullptr);
}

TEST_F(WinAppTest, TheProgramMayLiveInsideAModalRunOfItsMainDialog)
{
    Observed seen;
    EXPECT_EQ(runProgram(CTestApp::Mode::ModalMainDialog, seen, {"uiprog"}), 0);
    EXPECT_EQ(seen.cmdLine, "");
    EXPECT_EQ(seen.exitCalls, 1);
    EXPECT_FALSE(seen.ran);
    EXPECT_EQ(platform::WindowCount(), 0u);
    // The main window's end asked for the program's loop to end, as the framework does.
    MSG msg{};
    while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE) && msg.message != WM_QUIT)
    {
    }
    EXPECT_EQ(msg.message, WM_QUIT);
}

TEST_F(WinAppTest, RunPumpsUntilTheQuitAndItsCodeIsTheExitCode)
{
    Observed seen;
    EXPECT_EQ(runProgram(CTestApp::Mode::LoopUntilQuit, seen, {"uiprog", "-s"}), 5);
    EXPECT_TRUE(seen.ran);
    EXPECT_EQ(seen.exitCalls, 1);
    EXPECT_EQ(platform::Now(), 2000u);
}

TEST_F(WinAppTest, RunWithoutAMainWindowEndsAtOnce)
{
    Observed seen;
    EXPECT_EQ(runProgram(CTestApp::Mode::NoMainWindow, seen, {"uiprog"}), 0);
    EXPECT_TRUE(seen.ran);
    EXPECT_EQ(seen.exitCalls, 1);
}

} // namespace
