#include "tests/platform/ui/framework/FrameworkTestSupport.h"

#include <functional>
#include <string>
#include <vector>

namespace
{

using framework_test::Control;
using framework_test::FrameworkTest;
using framework_test::RegisterTemplate;
using framework_test::TextOf;

constexpr UINT IDD_PAGE_A = 7201;
constexpr UINT IDD_PAGE_B = 7202;
constexpr UINT IDD_PAGE_C = 7203;
constexpr UINT IDS_SHEET = 7290;
constexpr UINT IDS_PAGE_C = 7291;
constexpr int IDC_VALUE = 1100;

std::vector<std::string> g_log;

class CLogPage : public CPropertyPage
{
public:
    CLogPage(UINT nIDTemplate, std::string name, UINT nIDCaption = 0)
        : CPropertyPage(nIDTemplate, nIDCaption), m_name(std::move(name))
    {
    }

    std::string m_name;
    bool m_bRefuseApply = false;
    bool m_bRefuseKill = false;
    bool m_bRefuseCancel = false;
    bool m_bRefuseSetActive = false;
    std::function<void()> m_onApply;
    std::function<void()> m_onInit;

    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        g_log.push_back(m_name + ":init");
        if (m_onInit)
            m_onInit();
        return TRUE;
    }
    BOOL OnSetActive() override
    {
        g_log.push_back(m_name + ":setactive");
        return m_bRefuseSetActive ? FALSE : CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        g_log.push_back(m_name + ":killactive");
        return m_bRefuseKill ? FALSE : CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        g_log.push_back(m_name + ":apply");
        if (m_onApply)
            m_onApply();
        return m_bRefuseApply ? FALSE : CPropertyPage::OnApply();
    }
    void OnReset() override
    {
        g_log.push_back(m_name + ":reset");
        CPropertyPage::OnReset();
    }
    BOOL OnQueryCancel() override
    {
        g_log.push_back(m_name + ":querycancel");
        return m_bRefuseCancel ? FALSE : TRUE;
    }

protected:
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        g_log.push_back(m_name + ":timer " + std::to_string(nIDEvent));
    }
    afx_msg void OnPageCommand() { g_log.push_back(m_name + ":command"); }
    DECLARE_MESSAGE_MAP()
};

constexpr int IDC_PAGE_COMMAND = 1101;

BEGIN_MESSAGE_MAP(CLogPage, CPropertyPage)
ON_WM_TIMER()
ON_BN_CLICKED(IDC_PAGE_COMMAND, OnPageCommand)
END_MESSAGE_MAP()

class CTestSheet : public CPropertySheet
{
public:
    CTestSheet()
        : CPropertySheet("Test sheet"), m_a(IDD_PAGE_A, "a"), m_b(IDD_PAGE_B, "b"),
          m_c(IDD_PAGE_C, "c", IDS_PAGE_C)
    {
        AddPage(&m_a);
        AddPage(&m_b);
        AddPage(&m_c);
    }
    CLogPage m_a;
    CLogPage m_b;
    CLogPage m_c;
    std::function<void(CTestSheet&)> m_onInit;

    BOOL OnInitDialog() override
    {
        BOOL result = CPropertySheet::OnInitDialog();
        g_log.push_back("sheet:init");
        if (m_onInit)
            m_onInit(*this);
        return result;
    }
};

HWND button(CWnd& sheet, int id)
{
    return ::GetDlgItem(sheet.m_hWnd, id);
}

void click(CWnd& sheet, int id)
{
    ::PostMessageA(sheet.m_hWnd, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                   static_cast<LPARAM>(button(sheet, id)));
}

class PropertySheetTest : public FrameworkTest
{
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        g_log.clear();
        RegisterTemplate(IDD_PAGE_A, "General",
                         {Control("Edit", IDC_VALUE, WS_VISIBLE | WS_TABSTOP)},
                         RECT{0, 0, 200, 100}, WS_CHILD | WS_DISABLED | WS_CAPTION);
        RegisterTemplate(IDD_PAGE_B, "Security", {}, RECT{0, 0, 212, 120}, WS_CHILD | WS_CAPTION);
        RegisterTemplate(IDD_PAGE_C, "Template caption", {}, RECT{0, 0, 100, 50},
                         WS_CHILD | WS_CAPTION);
        platform::SetStringResolver(
            [](UINT id) -> std::optional<std::string>
            {
                if (id == IDS_SHEET)
                    return "Wireless Utility";
                if (id == IDS_PAGE_C)
                    return "About";
                return std::nullopt;
            });
    }
    void TearDown() override
    {
        platform::SetStringResolver(nullptr);
        FrameworkTest::TearDown();
    }
};

TEST_F(PropertySheetTest, OkAppliesOnlyThePagesThatWereShownInPageOrder)
{
    CTestSheet sheet;
    sheet.m_psh.nStartPage = 2;
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            switch (step++)
            {
            case 0:
                EXPECT_EQ(sheet.GetActivePage(), &sheet.m_c);
                EXPECT_TRUE(sheet.SetActivePage(0));
                EXPECT_EQ(sheet.m_b.m_hWnd, 0u); // never shown: no window
                g_log.clear();
                click(sheet, IDOK);
                break;
            default:
                ADD_FAILURE() << "the sheet did not end";
                sheet.EndDialog(-7);
                break;
            }
        });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(g_log, (std::vector<std::string>{"a:killactive", "a:apply", "c:apply"}));
    EXPECT_EQ(sheet.m_hWnd, 0u);
    EXPECT_EQ(sheet.m_a.m_hWnd, 0u);
}

TEST_F(PropertySheetTest, ACommandTheSheetDoesNotKnowGoesToTheActivePage)
{
    CTestSheet sheet;
    sheet.m_psh.nStartPage = 1;
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            switch (step++)
            {
            case 0:
                g_log.clear();
                ::PostMessageA(sheet.m_hWnd, WM_COMMAND, IDC_PAGE_COMMAND, 0);
                break;
            case 1:
                EXPECT_EQ(g_log, (std::vector<std::string>{"b:command"}));
                click(sheet, IDCANCEL); // the sheet's own buttons stay its own
                break;
            default:
                sheet.EndDialog(-7);
                break;
            }
        });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(PropertySheetTest, CreationOrderAndTheWindowTree)
{
    CTestSheet sheet;
    platform::SetIdleHook(
        [&]
        {
            // The sheet, its buttons and the page area.
            char cls[32] = {};
            GetClassNameA(sheet.m_hWnd, cls, sizeof cls);
            EXPECT_STREQ(cls, "#32770");
            EXPECT_EQ(TextOf(sheet.m_hWnd), "Test sheet");
            for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP})
                EXPECT_NE(button(sheet, id), 0u) << id;
            EXPECT_TRUE(IsWindowVisible(button(sheet, IDOK)));
            EXPECT_FALSE(IsWindowEnabled(button(sheet, ID_APPLY_NOW)));
            EXPECT_FALSE(IsWindowVisible(button(sheet, IDHELP)));
            EXPECT_EQ(GetParent(sheet.m_a.m_hWnd), sheet.m_hWnd);
            // Page templates are disabled; the page the sheet makes of one is not.
            EXPECT_TRUE(IsWindowEnabled(sheet.m_a.m_hWnd));
            EXPECT_EQ(GetParent(sheet.m_a.GetDlgItem(IDC_VALUE)->m_hWnd), sheet.m_a.m_hWnd);
            // The page area is as large as the largest page: 212 x 120 units.
            const RECT area = sheet.GetPageRect();
            EXPECT_EQ(area.right - area.left, 318);
            EXPECT_EQ(area.bottom - area.top, 195);
            RECT ok{}, cancel{}, apply{}, help{};
            GetWindowRect(button(sheet, IDOK), &ok);
            GetWindowRect(button(sheet, IDCANCEL), &cancel);
            GetWindowRect(button(sheet, ID_APPLY_NOW), &apply);
            GetWindowRect(button(sheet, IDHELP), &help);
            EXPECT_LT(ok.right, cancel.left);
            EXPECT_LT(cancel.right, apply.left);
            EXPECT_LT(apply.right, help.left);
            EXPECT_EQ(ok.top, help.top);
            EXPECT_GT(ok.top, area.bottom);
            EXPECT_EQ(sheet.GetPageCaption(0), CString("General"));
            EXPECT_EQ(sheet.GetPageCaption(2), CString("About")); // the caption id wins
            sheet.EndDialog(IDCANCEL);
        });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    // The start page is made before the sheet's own initialisation ends.
    EXPECT_EQ(g_log, (std::vector<std::string>{"a:init", "a:setactive", "sheet:init"}));
}

TEST_F(PropertySheetTest, ARefusedApplyKeepsTheSheetOpenOnThePageItChose)
{
    CTestSheet sheet;
    sheet.m_psh.nStartPage = 1;
    sheet.m_onInit = [](CTestSheet& s) { s.SetActivePage(0); }; // both pages get windows
    sheet.m_a.m_bRefuseApply = true;
    sheet.m_a.m_onApply = [&]
    {
        if (sheet.m_a.m_bRefuseApply)
            sheet.SetActivePage(1);
    };
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            switch (step++)
            {
            case 0:
                g_log.clear();
                click(sheet, IDOK);
                break;
            case 1:
                EXPECT_TRUE(::IsWindow(sheet.m_hWnd));
                EXPECT_EQ(sheet.GetActiveIndex(), 1);
                EXPECT_TRUE(::IsWindowVisible(sheet.m_b.m_hWnd));
                EXPECT_FALSE(::IsWindowVisible(sheet.m_a.m_hWnd));
                EXPECT_EQ(g_log, (std::vector<std::string>{"a:killactive", "a:apply",
                                                           "a:killactive", "b:setactive"}));
                sheet.m_a.m_bRefuseApply = false;
                g_log.clear();
                click(sheet, IDOK);
                break;
            default:
                ADD_FAILURE() << "the sheet did not end";
                sheet.EndDialog(-7);
                break;
            }
        });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(g_log, (std::vector<std::string>{"b:killactive", "a:apply", "b:apply"}));
}

TEST_F(PropertySheetTest, CancelAsksTheActivePageThenResetsTheShownOnes)
{
    CTestSheet sheet;
    sheet.m_c.m_bRefuseCancel = true;
    sheet.m_onInit = [](CTestSheet& s) { s.SetActivePage(2); };
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            switch (step++)
            {
            case 0:
                g_log.clear();
                // Escape in the page's edit is the Cancel button.
                ::SetFocus(sheet.m_c.m_hWnd);
                ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
                break;
            case 1:
                EXPECT_TRUE(::IsWindow(sheet.m_hWnd));
                EXPECT_EQ(g_log, (std::vector<std::string>{"c:querycancel"}));
                sheet.m_c.m_bRefuseCancel = false;
                g_log.clear();
                ::PostMessageA(sheet.m_hWnd, WM_CLOSE, 0, 0);
                break;
            default:
                ADD_FAILURE() << "the sheet did not end";
                sheet.EndDialog(-7);
                break;
            }
        });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(g_log, (std::vector<std::string>{"c:querycancel", "a:reset", "c:reset"}));
}

TEST_F(PropertySheetTest, EnterPressesOkAndAKillActiveRefusalKeepsThePage)
{
    CTestSheet sheet;
    sheet.m_a.m_bRefuseKill = true;
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            HWND edit = ::GetDlgItem(sheet.m_a.m_hWnd, IDC_VALUE);
            switch (step++)
            {
            case 0:
                g_log.clear();
                EXPECT_FALSE(sheet.SetActivePage(1));
                EXPECT_EQ(sheet.GetActiveIndex(), 0);
                ::SetFocus(edit);
                ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
                break;
            case 1:
                EXPECT_EQ(g_log, (std::vector<std::string>{"a:killactive", "a:killactive"}));
                sheet.m_a.m_bRefuseKill = false;
                ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
                break;
            default:
                ADD_FAILURE() << "the sheet did not end";
                sheet.EndDialog(-7);
                break;
            }
        });
    EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(PropertySheetTest, ApplyFollowsModifiedPagesAndKeepsTheSheet)
{
    CTestSheet sheet;
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            switch (step++)
            {
            case 0:
                sheet.m_a.SetModified(TRUE);
                EXPECT_TRUE(::IsWindowEnabled(button(sheet, ID_APPLY_NOW)));
                g_log.clear();
                EXPECT_TRUE(sheet.PressButton(PSBTN_APPLYNOW));
                EXPECT_EQ(g_log, (std::vector<std::string>{"a:killactive", "a:apply"}));
                EXPECT_FALSE(::IsWindowEnabled(button(sheet, ID_APPLY_NOW)));
                EXPECT_FALSE(sheet.m_a.IsModified());
                EXPECT_TRUE(::IsWindow(sheet.m_hWnd));
                // After an apply that cannot be taken back, OK closes.
                sheet.m_a.CancelToClose();
                EXPECT_EQ(TextOf(button(sheet, IDOK)), "Close");
                EXPECT_FALSE(::IsWindowEnabled(button(sheet, IDCANCEL)));
                sheet.PressButton(PSBTN_CANCEL);
                break;
            default:
                ADD_FAILURE() << "the sheet did not end";
                sheet.EndDialog(-7);
                break;
            }
        });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(PropertySheetTest, TimersFireInsideTheModalSheetsLoop)
{
    CTestSheet sheet;
    sheet.m_a.m_onInit = [&] { sheet.m_a.SetTimer(3, 1000, nullptr); };
    int ticks = 0;
    platform::SetIdleHook(
        [&]
        {
            platform::AdvanceClock(1000);
            if (++ticks == 3)
                sheet.EndDialog(IDOK);
        });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    int fired = 0;
    for (const std::string& entry : g_log)
        fired += entry == "a:timer 3" ? 1 : 0;
    EXPECT_EQ(fired, 3);
}

TEST_F(PropertySheetTest, ModelessSheetComesUpWithoutItsButtonsAndEndsWithItsWindowOnly)
{
    CTestSheet sheet;
    sheet.m_psh.dwFlags |= PSH_USEHICON | PSH_NOAPPLYNOW;
    sheet.m_psh.hIcon = 0x11000000u | 163u;
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(sheet.IsModeless());
    EXPECT_TRUE(::IsWindowVisible(sheet.m_hWnd));
    EXPECT_EQ(button(sheet, ID_APPLY_NOW), 0u);
    for (int id : {IDOK, IDCANCEL, IDHELP})
    {
        ASSERT_NE(button(sheet, id), 0u) << id;
        EXPECT_FALSE(::IsWindowVisible(button(sheet, id))) << id;
    }
    RECT window{}, ok{};
    sheet.GetWindowRect(&window);
    ::GetWindowRect(button(sheet, IDOK), &ok);
    EXPECT_EQ(window.bottom - window.top, ok.top);
    EXPECT_EQ(sheet.GetIcon(FALSE), sheet.m_psh.hIcon);
    EXPECT_EQ(sheet.GetIcon(TRUE), sheet.m_psh.hIcon);

    // OK on a modeless sheet applies and destroys the window; the object stays.
    g_log.clear();
    click(sheet, IDOK);
    platform::PumpUntilIdle();
    EXPECT_EQ(g_log, (std::vector<std::string>{"a:killactive", "a:apply"}));
    EXPECT_EQ(sheet.m_hWnd, 0u);
    EXPECT_EQ(sheet.m_a.m_hWnd, 0u);
    EXPECT_EQ(sheet.GetPageCount(), 3);

    // And it can come up again.
    ASSERT_TRUE(sheet.Create());
    g_log.clear();
    sheet.PressButton(PSBTN_CANCEL);
    EXPECT_EQ(g_log, (std::vector<std::string>{"a:querycancel", "a:reset"}));
    EXPECT_EQ(sheet.m_hWnd, 0u);
}

TEST_F(PropertySheetTest, PagesComeAndGoOnALiveSheet)
{
    CPropertySheet sheet(IDS_SHEET);
    CLogPage a(IDD_PAGE_A, "a"), b(IDD_PAGE_B, "b"), extra(IDD_PAGE_C, "x");
    sheet.AddPage(&a);
    sheet.AddPage(&b);
    ASSERT_TRUE(sheet.Create());
    EXPECT_EQ(TextOf(sheet.m_hWnd), "Wireless Utility");

    // Added: a tab, but no window until it is shown.
    sheet.AddPage(&extra);
    EXPECT_EQ(sheet.GetPageCount(), 3);
    EXPECT_EQ(sheet.GetPageCaption(2), CString("Template caption"));
    EXPECT_EQ(extra.m_hWnd, 0u);
    EXPECT_EQ(sheet.GetPageIndex(&extra), 2);

    ASSERT_TRUE(sheet.SetActivePage(&extra));
    ASSERT_NE(extra.m_hWnd, 0u);
    EXPECT_EQ(sheet.GetActivePage(), &extra);
    const HWND extraWindow = extra.m_hWnd;

    // Removing the active page shows the one before it (it was the last) and destroys its window.
    g_log.clear();
    sheet.RemovePage(&extra);
    EXPECT_FALSE(::IsWindow(extraWindow));
    EXPECT_EQ(extra.m_hWnd, 0u);
    EXPECT_EQ(sheet.GetPageCount(), 2);
    EXPECT_EQ(sheet.GetActivePage(), &b);
    EXPECT_TRUE(::IsWindowVisible(b.m_hWnd));
    EXPECT_EQ(g_log, (std::vector<std::string>{"b:init", "b:setactive"}));

    // Added and removed at once: never shown, never made.
    sheet.AddPage(&extra);
    sheet.RemovePage(2);
    EXPECT_EQ(extra.m_hWnd, 0u);
    EXPECT_EQ(sheet.GetPageIndex(&extra), -1);

    // Removing a page before the active one keeps the active page.
    sheet.RemovePage(0);
    EXPECT_EQ(sheet.GetActivePage(), &b);
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(a.m_hWnd, 0u);
    sheet.DestroyWindow();
}

TEST_F(PropertySheetTest, APageGoneBeforeItsSheetLeavesIt)
{
    CPropertySheet sheet("Sheet");
    {
        CLogPage temporary(IDD_PAGE_A, "t");
        sheet.AddPage(&temporary);
        ASSERT_TRUE(sheet.Create());
    }
    EXPECT_EQ(sheet.GetPageCount(), 0);
    EXPECT_EQ(sheet.GetActivePage(), nullptr);
    sheet.DestroyWindow();
}

// The way the programs' sheets turn OK into a close button and offer help.
class CCloseButtonSheet : public CTestSheet
{
public:
    int m_nHelp = 0;
    BOOL OnInitDialog() override
    {
        BOOL result = CTestSheet::OnInitDialog();
        CRect rect;
        GetDlgItem(ID_APPLY_NOW)->GetWindowRect(&rect);
        ScreenToClient(&rect);
        CWnd* ok = GetDlgItem(IDOK);
        ok->ShowWindow(SW_SHOW);
        ok->EnableWindow(TRUE);
        ok->MoveWindow(&rect);
        GetDlgItem(IDHELP)->ShowWindow(SW_SHOW);
        return result;
    }

protected:
    afx_msg void OnHelp() { ++m_nHelp; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCloseButtonSheet, CTestSheet)
ON_COMMAND(IDHELP, OnHelp)
END_MESSAGE_MAP()

TEST_F(PropertySheetTest, ADerivedSheetMovesItsButtonsAndSeesTheirCommandsFirst)
{
    CCloseButtonSheet sheet;
    sheet.m_psh.dwFlags |= PSH_MODELESS | PSH_USEHICON;
    ASSERT_TRUE(sheet.Create());
    CRect ok, apply;
    ::GetWindowRect(button(sheet, IDOK), &ok);
    ::GetWindowRect(button(sheet, ID_APPLY_NOW), &apply);
    EXPECT_EQ(ok, apply);
    EXPECT_TRUE(::IsWindowVisible(button(sheet, IDOK)));
    EXPECT_TRUE(::IsWindowVisible(button(sheet, IDHELP)));
    EXPECT_FALSE(::IsWindowVisible(button(sheet, ID_APPLY_NOW)));
    sheet.PressButton(PSBTN_HELP);
    EXPECT_EQ(sheet.m_nHelp, 1);
    EXPECT_TRUE(::IsWindow(sheet.m_hWnd));
    sheet.DestroyWindow();
    EXPECT_EQ(sheet.GetPageCount(), 3);
}

} // namespace
