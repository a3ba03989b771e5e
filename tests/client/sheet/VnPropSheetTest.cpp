#include "client/sheet/VnPropSheet.h"

#include "client/access/AdapterState.h"
#include "client/app/ProgramObjects.h"
#include "client/monitor/ClientGlobals.h"
#include "machine/programs/ProgramLog.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynUI/TessarynUIResources.h"
#include "resources/TessarynUI/resource.h"
#include "tests/support/TempMachine.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace
{

// A page that counts what the sheet asks of it.
class SpyPage : public CPropertyPage
{
public:
    SpyPage() : CPropertyPage(IDD_STATISTIC_PAGE) {}
    BOOL OnKillActive() override
    {
        killActive++;
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        applied++;
        return TRUE;
    }
    void OnReset() override { reset++; }

    int killActive = 0;
    int applied = 0;
    int reset = 0;
};

RECT windowRect(HWND hWnd)
{
    RECT r{};
    GetWindowRect(hWnd, &r);
    return r;
}

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class VnPropSheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(1000);
        RegisterTessarynUIResources();
    }

    testing_support::TempMachine m;
};

TEST_F(VnPropSheetTest, OpensOnSiteSurveyWithFivePagesInTabOrder)
{
    // Both constructors build the same sheet.
    std::vector<std::unique_ptr<CVnPropSheet>> sheets;
    sheets.push_back(std::make_unique<CVnPropSheet>(IDS_SHEET_CAPTION));
    sheets.push_back(std::make_unique<CVnPropSheet>("Tessaryn Wireless Utility"));
    for (auto& sheet : sheets)
    {
        ASSERT_TRUE(sheet->Create());
        platform::PumpUntilIdle();
        std::vector<std::string> tabs;
        for (int i = 0; i < sheet->GetPageCount(); i++)
            tabs.push_back(std::string(sheet->GetPageCaption(i)));
        EXPECT_EQ(tabs, (std::vector<std::string>{"Profile", "Link Status", "Site Survey",
                                                  "Statistics", "About"}));
        EXPECT_EQ(sheet->GetActivePage(), &sheet->m_SiteSurvPage);
        EXPECT_TRUE(sheet->IsModeless());
        EXPECT_EQ(platform::IconResourceId(sheet->m_psh.hIcon), UINT(IDI_DISCONNECTED));

        CString caption;
        sheet->GetWindowText(caption);
        EXPECT_EQ(std::string(caption), "Tessaryn Wireless Utility");

        // OK sits where Apply would, and with Help it is the only button shown.
        HWND hOk = ::GetDlgItem(sheet->m_hWnd, IDOK);
        HWND hApply = ::GetDlgItem(sheet->m_hWnd, ID_APPLY_NOW);
        HWND hHelp = ::GetDlgItem(sheet->m_hWnd, IDHELP);
        HWND hCancel = ::GetDlgItem(sheet->m_hWnd, IDCANCEL);
        EXPECT_TRUE(IsWindowVisible(hOk) && IsWindowEnabled(hOk));
        EXPECT_TRUE(IsWindowVisible(hHelp) && IsWindowEnabled(hHelp));
        EXPECT_FALSE(IsWindowVisible(hApply));
        EXPECT_FALSE(IsWindowVisible(hCancel));
        EXPECT_TRUE(sameRect(windowRect(hOk), windowRect(hApply)));
        sheet->DestroyWindow();
    }
}

TEST_F(VnPropSheetTest, EveryActivationOfOkClosesAsCancel)
{
    const char* const ways[] = {"mouse", "enter", "command"};
    for (const char* way : ways)
    {
        SpyPage spy;
        CVnPropSheet sheet(IDS_SHEET_CAPTION);
        sheet.AddPage(&spy);
        ASSERT_TRUE(sheet.Create());
        ASSERT_TRUE(platform::automation::SelectPage(sheet.m_hWnd, "#5"));
        platform::PumpUntilIdle();
        ASSERT_EQ(sheet.GetActivePage(), &spy);

        std::string w = way;
        if (w == "mouse")
            ASSERT_TRUE(platform::automation::MouseClick(sheet.m_hWnd, "1"));
        else if (w == "enter")
            ASSERT_TRUE(platform::automation::PressKey(sheet.m_hWnd, "enter"));
        else
            sheet.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                              (LPARAM)::GetDlgItem(sheet.m_hWnd, IDOK));
        platform::PumpUntilIdle();

        EXPECT_EQ(sheet.m_hWnd, 0u) << way;
        EXPECT_EQ(spy.applied, 0) << way;
        EXPECT_EQ(spy.killActive, 0) << way;
        EXPECT_EQ(spy.reset, 1) << way;
    }
}

// The help viewer's requests in the program log.
std::vector<std::string> helpRequests(const machine::Machine& machine)
{
    std::vector<std::string> lines;
    for (const std::string& line : machine::programs::ReadProgramLog(machine))
        if (line.rfind("HtmlHelp ", 0) == 0)
            lines.push_back(line);
    return lines;
}

TEST_F(VnPropSheetTest, F1AndHelpEachOpenTheHelpFileOnANewThread)
{
    free(const_cast<char*>(theApp.m_pszHelpFilePath));
    theApp.m_pszHelpFilePath = _strdup(".\\VnConfigENG.chm");
    machine::programs::ClearProgramLog(m.machine());
    CVnPropSheet sheet(IDS_SHEET_CAPTION);
    ASSERT_TRUE(sheet.Create());
    platform::PumpUntilIdle();

    HELPINFO info = {};
    info.cbSize = sizeof(info);
    EXPECT_TRUE(sheet.SendMessage(WM_HELP, 0, platform::PointerParam(&info)));
    EXPECT_NE(g_hHelpThread, 0u);
    ASSERT_TRUE(platform::automation::Click(sheet.m_hWnd, "9"));
    platform::PumpUntilIdle();

    // The workers are never waited for: give them real time to run.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (helpRequests(m.machine()).size() < 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::vector<std::string> requests = helpRequests(m.machine());
    ASSERT_EQ(requests.size(), 2u);
    std::set<std::string> threads;
    for (const std::string& line : requests)
    {
        EXPECT_EQ(line.rfind("HtmlHelp [.\\VnConfigENG.chm] ", 0), 0u) << line;
        EXPECT_NE(line.find(" command=0 data=0 "), std::string::npos) << line;
        EXPECT_NE(line.find(" window=0x00000000"), std::string::npos) << line;
        std::string thread = line.substr(line.find(" thread="));
        thread = thread.substr(0, thread.find(" window="));
        EXPECT_NE(thread, " thread=" + std::to_string(GetCurrentThreadId())) << line;
        threads.insert(thread);
    }
    EXPECT_EQ(threads.size(), 2u);
    EXPECT_NE(sheet.m_hWnd, 0u); // help leaves the sheet open
    sheet.DestroyWindow();
}

TEST_F(VnPropSheetTest, The11nPageLeavesOnlyWithoutHtSupport)
{
    for (BOOL bHt : {FALSE, TRUE})
    {
        g_bHtSupported = bHt;
        CVnPropSheet sheet(IDS_SHEET_CAPTION);
        sheet.RemoveHtPageIfUnsupported(); // not in the sheet: nothing else goes
        EXPECT_EQ(sheet.GetPageCount(), 5);
        sheet.AddPage(&sheet.m_BlockAck);
        sheet.RemoveHtPageIfUnsupported();
        EXPECT_EQ(sheet.GetPageIndex(&sheet.m_BlockAck), bHt ? 5 : -1);
        EXPECT_EQ(sheet.GetPageCount(), bHt ? 6 : 5);
    }
}

TEST_F(VnPropSheetTest, CloseModalChildEndsTheOpenProfileEditor)
{
    CVnPropSheet sheet(IDS_SHEET_CAPTION);
    sheet.CloseModalChild(); // no editor: nothing to do

    CPropertySheet editor("Edit Profile");
    SpyPage page;
    editor.AddPage(&page);
    g_pProfileEditor = &editor;
    SetEvent(g_evtProfileEditor);
    bool closed = false;
    platform::SetIdleHook(
        [&]
        {
            ASSERT_FALSE(closed) << "the editor stayed open";
            closed = true;
            sheet.CloseModalChild();
        });
    EXPECT_EQ(editor.DoModal(), 2);
    platform::SetIdleHook(nullptr);
    EXPECT_TRUE(closed);
    EXPECT_EQ(page.applied, 0);
    EXPECT_EQ(WaitForSingleObject(g_evtProfileEditor, 0), WAIT_TIMEOUT);
    g_pProfileEditor = NULL;
}

} // namespace
