// The application: the administrator check before anything else, the command line's "-s", and
// the help file by the system's language.

#include "accesspoint/app/ProgramObjects.h"
#include "accesspoint/monitor/HideDlg.h"
#include "machine/SystemInfo.h"
#include "machine/desktop/Tray.h"
#include "platform/system/Crt.h"
#include "resources/TessarynAp/resource.h"
#include "tests/accesspoint/monitor/MonitorFixture.h"
#include "tests/accesspoint/support/ApMachine.h"

#include <cstring>

namespace
{

class HubPanelAppTest : public ap_test::ApMachine
{
protected:
    void setSystem(bool administrator, std::uint16_t language) const
    {
        machine::SystemInfo info = machine::LoadSystemInfo(machine());
        info.administrator = administrator;
        info.languageId = language;
        ASSERT_TRUE(machine::SaveSystemInfo(machine(), info));
    }

    // Runs the program with that command tail until it is idle, then ends it from its tray
    // menu. TRUE when the sheet was open by then.
    bool runWithCommandTail(const char* pszTail)
    {
        char szTail[64];
        strncpy(szTail, pszTail, sizeof(szTail) - 1);
        szTail[sizeof(szTail) - 1] = '\0';
        theApp.m_lpCmdLine = szTail;
        bool bSheet = false;
        platform::SetIdleHook(
            [&]
            {
                HWND hMonitor = FindWindowA(NULL, "Vantir Wireless UI");
                if (hMonitor == 0)
                    return;
                bSheet = FindWindowA(NULL, "Tessaryn Wireless Utility") != 0;
                PostMessageA(hMonitor, WM_COMMAND, ID_TRAY_EXIT, 0);
            });
        EXPECT_FALSE(theApp.InitInstance());
        platform::SetIdleHook(nullptr);
        theApp.ExitInstance();
        theApp.m_lpCmdLine = NULL;
        return bSheet;
    }
};

TEST_F(HubPanelAppTest, NonAdministratorGetsTheMessageAndNothingElseRuns)
{
    setSystem(false, 0x0409);
    clearRequests();
    platform::ClearMessageBoxLog();
    platform::ScriptMessageBoxAnswers({IDOK});
    CHideDlg dlg;
    dlg.m_bOpenSheetAtStart = FALSE;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    auto boxes = platform::MessageBoxLog();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Soft AP user's account must have 'Administrator' privilege.");
    EXPECT_FALSE(dlg.m_bDeviceExist);
    EXPECT_FALSE(dlg.m_bTrayIconAdded);
    EXPECT_TRUE(requests().empty());
    EXPECT_TRUE(programStarts().empty());
    platform::AdvanceClock(3 * MONITOR_PERIOD);
    EXPECT_TRUE(requests().empty());
}

struct CommandTailCase
{
    const char* name;
    const char* tail;
    bool sheet;
};

class CommandTailTest : public HubPanelAppTest,
                        public ::testing::WithParamInterface<CommandTailCase>
{
};

// One program run a process: the single-instance mutex is the machine's.
TEST_P(CommandTailTest, DashSAloneStartsWithoutTheSheet)
{
    EXPECT_EQ(runWithCommandTail(GetParam().tail), GetParam().sheet);
}

INSTANTIATE_TEST_SUITE_P(Tails, CommandTailTest,
                         ::testing::Values(CommandTailCase{"LowerS", "-s", false},
                                           CommandTailCase{"UpperS", "-S", false},
                                           CommandTailCase{"None", "", true},
                                           CommandTailCase{"UpperSAndMore", "-S more", true},
                                           CommandTailCase{"Other", "-x", true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(HubPanelAppTest, HelpFileFollowsTheSystemLanguage)
{
    const struct
    {
        std::uint16_t language;
        const char* file;
    } cases[] = {{0x0409, "C:\\Program Files\\Tessaryn\\HubPanelENG.HLP"},
                 {1028, "C:\\Program Files\\Tessaryn\\HubPanelCHN.HLP"},
                 {2052, "C:\\Program Files\\Tessaryn\\HubPanelENG.HLP"}};
    for (const auto& c : cases)
    {
        setSystem(true, c.language);
        free(const_cast<char*>(theApp.m_pszHelpFilePath));
        theApp.m_pszHelpFilePath = _strdup("C:\\Program Files\\Tessaryn\\TessarynAp.HLP");
        theApp.BuildHelpFilePath();
        EXPECT_STREQ(theApp.m_pszHelpFilePath, c.file) << c.language;
    }
}

// A second start while one runs (this program or the client) asks the running one to open its
// window, and ends without a window of its own.
class RunningMonitorTest : public ap_test::MonitorFixture
{
};

TEST_F(RunningMonitorTest, SecondStartHandsOverToTheRunningOne)
{
    HANDLE hRunning = CreateMutexA(NULL, FALSE, "KQ21");
    ASSERT_NE(hRunning, 0u);
    clearRequests();
    EXPECT_FALSE(theApp.InitInstance());
    theApp.ExitInstance();
    EXPECT_TRUE(requests().empty());
    platform::PumpUntilIdle();
    EXPECT_TRUE(m_pDlg->IsSheetOpen());
    CloseHandle(hRunning);
}

} // namespace
