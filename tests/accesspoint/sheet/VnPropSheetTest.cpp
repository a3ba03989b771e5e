// The access point's sheet by itself: its caption, pages and their classes, OK standing in
// Cancel's place and closing without an apply however it is pressed, and the 11n and WDS pages
// coming and going.

#include "accesspoint/sheet/VnPropSheet.h"
#include "accesspoint/app/ApGlobals.h"
#include "accesspoint/monitor/HideDlg.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynAp/resource.h"
#include "tests/accesspoint/support/ApMachine.h"

#include <string>
#include <vector>

namespace
{

using Texts = std::vector<std::string>;

const Texts kPages = {"Config", "Access Control", "Mac Table", "Event Log", "Statistics", "About"};

// Counts the applies and resets the sheet asks of it.
class CountingPage : public CPropertyPage
{
public:
    CountingPage() : CPropertyPage(IDD_ABOUT_PAGE) {}
    BOOL OnApply() override
    {
        m_nApplied++;
        return TRUE;
    }
    void OnReset() override { m_nReset++; }

    int m_nApplied = 0;
    int m_nReset = 0;
};

RECT WindowRectOf(HWND hWnd)
{
    RECT r{};
    ::GetWindowRect(hWnd, &r);
    return r;
}

class ApSheetTest : public ap_test::ApMachine
{
protected:
    void SetUp() override
    {
        ApMachine::SetUp();
        g_nCheckBuild = 0;
        CHideDlg monitor;
        monitor.CreateDefaultApSettings();
    }
    void TearDown() override
    {
        g_nCheckBuild = 0;
        ApMachine::TearDown();
    }

    static Texts tabs(const CVnPropSheet& sheet)
    {
        Texts captions;
        for (int i = 0; i < sheet.GetPageCount(); i++)
            captions.push_back(std::string(sheet.GetPageCaption(i)));
        return captions;
    }
};

TEST_F(ApSheetTest, SixPagesWhateverTheWdsSetting)
{
    for (BOOL bUsb : {FALSE, TRUE})
        for (BOOL bWds : {FALSE, TRUE})
        {
            g_bUsbAdapter = bUsb;
            g_bWdsAllowed = bWds;
            CVnPropSheet sheet(IDS_SHEET_CAPTION);
            EXPECT_EQ(tabs(sheet), kPages) << bUsb << bWds;
            ASSERT_TRUE(sheet.Create());
            platform::PumpUntilIdle();
            EXPECT_EQ(tabs(sheet), kPages) << bUsb << bWds;
            EXPECT_EQ(sheet.GetActiveIndex(), 0);
            CString strCaption;
            sheet.GetWindowText(strCaption);
            EXPECT_EQ(std::string(strCaption), "Tessaryn Wireless Utility");
            EXPECT_EQ(sheet.m_psh.dwFlags & (PSH_USEHICON | PSH_NOAPPLYNOW | PSH_MODELESS),
                      static_cast<DWORD>(PSH_USEHICON | PSH_NOAPPLYNOW | PSH_MODELESS));
            EXPECT_EQ(::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW), 0u);

            // The pages of statistics and version information are of their own classes.
            EXPECT_TRUE(sheet.GetPage(4)->IsKindOf(RUNTIME_CLASS(CStatisticPage)));
            EXPECT_TRUE(sheet.GetPage(5)->IsKindOf(RUNTIME_CLASS(CAboutPage)));
            EXPECT_EQ(sheet.GetPage(0), &sheet.m_ConfigPage);
            sheet.DestroyWindow();
        }
}

TEST_F(ApSheetTest, OkStandsInCancelsPlaceBesideHelp)
{
    CVnPropSheet sheet(IDS_SHEET_CAPTION);
    ASSERT_TRUE(sheet.Create());
    platform::PumpUntilIdle();
    HWND hOk = ::GetDlgItem(sheet.m_hWnd, IDOK);
    HWND hCancel = ::GetDlgItem(sheet.m_hWnd, IDCANCEL);
    HWND hHelp = ::GetDlgItem(sheet.m_hWnd, IDHELP);
    ASSERT_TRUE(hOk && hCancel && hHelp);
    RECT rcOk = WindowRectOf(hOk);
    RECT rcCancel = WindowRectOf(hCancel);
    EXPECT_EQ(std::vector<LONG>({rcOk.left, rcOk.top, rcOk.right, rcOk.bottom}),
              std::vector<LONG>({rcCancel.left, rcCancel.top, rcCancel.right, rcCancel.bottom}));
    for (HWND h : {hOk, hHelp})
    {
        EXPECT_TRUE(::IsWindowVisible(h));
        EXPECT_TRUE(::IsWindowEnabled(h));
    }
    EXPECT_FALSE(::IsWindowVisible(hCancel));
    sheet.DestroyWindow();
}

TEST_F(ApSheetTest, EveryActivationOfOkClosesWithoutAnApply)
{
    for (const std::string way : {"mouse", "enter", "command"})
    {
        CountingPage counting;
        CVnPropSheet sheet(IDS_SHEET_CAPTION);
        sheet.AddPage(&counting);
        ASSERT_TRUE(sheet.Create());
        ASSERT_TRUE(platform::automation::SelectPage(sheet.m_hWnd, "#6"));
        platform::PumpUntilIdle();
        ASSERT_EQ(sheet.GetActivePage(), &counting);
        clearRequests();

        if (way == "mouse")
            ASSERT_TRUE(platform::automation::MouseClick(sheet.m_hWnd, "1"));
        else if (way == "enter")
            ASSERT_TRUE(platform::automation::PressKey(sheet.m_hWnd, "enter"));
        else
            sheet.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                              static_cast<LPARAM>(::GetDlgItem(sheet.m_hWnd, IDOK)));
        platform::PumpUntilIdle();

        // The window is gone, the object and its pages stay; nothing was applied or sent.
        EXPECT_EQ(sheet.m_hWnd, 0u) << way;
        EXPECT_EQ(counting.m_nApplied, 0) << way;
        EXPECT_EQ(counting.m_nReset, 1) << way;
        EXPECT_EQ(sheet.GetPageCount(), 7) << way;
        EXPECT_TRUE(sent(0x0DF10110).empty()) << way;
    }
}

TEST_F(ApSheetTest, ElevenNPageByChipAndCheckBuild)
{
    const Texts withHt = []
    {
        Texts t = kPages;
        t.push_back("11n Setting");
        return t;
    }();
    const struct
    {
        BOOL bHt;
        int nCheckBuild;
        bool bShownBefore;
        bool bShownAfter;
    } cases[] = {
        {TRUE, 1, false, true},  {TRUE, 1, true, true},    {TRUE, 2, false, false},
        {TRUE, 2, true, true},   {TRUE, 0, true, false},   {FALSE, 1, false, false},
        {FALSE, 1, true, false}, {FALSE, 0, false, false},
    };
    for (const auto& c : cases)
    {
        CVnPropSheet sheet(IDS_SHEET_CAPTION);
        ASSERT_TRUE(sheet.Create());
        if (c.bShownBefore)
            sheet.AddPage(&sheet.m_BlockAck);
        g_bHtSupported = c.bHt;
        g_nCheckBuild = c.nCheckBuild;
        sheet.UpdateHtPage();
        sheet.UpdateHtPage();
        EXPECT_EQ(tabs(sheet), c.bShownAfter ? withHt : kPages)
            << c.bHt << " " << c.nCheckBuild << " " << c.bShownBefore;
        sheet.DestroyWindow();
    }
}

TEST_F(ApSheetTest, TheWdsPageNeverStays)
{
    Texts withWds = kPages;
    withWds.insert(withWds.begin() + 2, "WDS");
    for (BOOL bUsb : {FALSE, TRUE})
        for (BOOL bWds : {FALSE, TRUE})
        {
            g_bUsbAdapter = bUsb;
            g_bWdsAllowed = bWds;
            CVnPropSheet sheet(IDS_SHEET_CAPTION);
            ASSERT_TRUE(sheet.Create());
            sheet.UpdateWdsPage();
            EXPECT_EQ(tabs(sheet), kPages) << bUsb << bWds;
            sheet.DestroyWindow();
        }

    // A WDS page in the sheet leaves once WDS is not allowed, and is not added twice.
    g_bUsbAdapter = FALSE;
    CVnPropSheet sheet(IDS_SHEET_CAPTION);
    ASSERT_TRUE(sheet.Create());
    sheet.AddPage(&sheet.m_WdsPage);
    g_bWdsAllowed = TRUE;
    sheet.UpdateWdsPage();
    EXPECT_EQ(sheet.GetPageCount(), 7);
    g_bWdsAllowed = FALSE;
    sheet.UpdateWdsPage();
    EXPECT_EQ(tabs(sheet), kPages);
    sheet.DestroyWindow();
}

} // namespace
