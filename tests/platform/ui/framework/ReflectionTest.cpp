#include "tests/platform/ui/framework/FrameworkTestSupport.h"

#include <string>
#include <vector>

namespace
{

using framework_test::Control;
using framework_test::FrameworkTest;
using framework_test::RegisterTemplate;

constexpr UINT IDD_REFLECT = 7001;
constexpr int IDC_SMART = 1010;
constexpr int IDC_PLAIN = 1011;
constexpr int IDC_OTHER = 1012;
constexpr HBRUSH kControlBrush = 0x1234;

std::vector<std::string> g_log;

// A control that handles its own notifications, the way the system's custom edit does.
class CSelfNotifyEdit : public CWnd
{
public:
    int m_nPreSubclass = 0;

protected:
    void PreSubclassWindow() override { ++m_nPreSubclass; }
    afx_msg void OnKillFocus() { g_log.push_back("control:killfocus"); }
    afx_msg BOOL OnChangeEx()
    {
        g_log.push_back("control:change");
        return FALSE; // the parent sees it too
    }
    afx_msg void OnClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_log.push_back("control:click from " + std::to_string(pNMHDR->idFrom));
        *pResult = 5;
    }
    afx_msg void HScroll(UINT nSBCode, UINT nPos)
    {
        g_log.push_back("control:hscroll " + std::to_string(nSBCode) + " " + std::to_string(nPos));
    }
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor)
    {
        g_log.push_back("control:ctlcolor " + std::to_string(nCtlColor));
        pDC->SetBkMode(TRANSPARENT);
        return kControlBrush;
    }
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
    {
        ModifyStyle(WS_HSCROLL, 0);
        g_log.push_back(std::string("control:nccalcsize ") + (bCalcValidRects ? "1" : "0") +
                        (lpncsp != nullptr ? " params" : ""));
        CWnd::OnNcCalcSize(bCalcValidRects, lpncsp);
    }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point)
    {
        g_log.push_back("control:lbuttonup " + std::to_string(nFlags) + " " +
                        std::to_string(point.x) + "," + std::to_string(point.y));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfNotifyEdit, CWnd)
ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocus)
ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChangeEx)
ON_NOTIFY_REFLECT(NM_CLICK, OnClick)
ON_WM_HSCROLL_REFLECT()
ON_WM_CTLCOLOR_REFLECT()
ON_WM_NCCALCSIZE()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

class CReflectDlg : public CDialog
{
public:
    CReflectDlg() : CDialog(IDD_REFLECT) {}
    CSelfNotifyEdit m_smart;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_SMART, m_smart);
    }
    afx_msg void OnSmartKillFocus() { g_log.push_back("parent:killfocus smart"); }
    afx_msg void OnPlainKillFocus() { g_log.push_back("parent:killfocus plain"); }
    afx_msg void OnSmartChange() { g_log.push_back("parent:change"); }
    afx_msg void OnSmartClick(NMHDR*, LRESULT*) { g_log.push_back("parent:click"); }
    afx_msg void OnRange(UINT nID) { g_log.push_back("range " + std::to_string(nID)); }
    afx_msg void OnButtons(UINT nID) { g_log.push_back("buttons " + std::to_string(nID)); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        g_log.push_back("parent:ctlcolor " + std::to_string(nCtlColor));
        return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectDlg, CDialog)
ON_EN_KILLFOCUS(IDC_SMART, OnSmartKillFocus)
ON_EN_KILLFOCUS(IDC_PLAIN, OnPlainKillFocus)
ON_EN_CHANGE(IDC_SMART, OnSmartChange)
ON_NOTIFY(NM_CLICK, IDC_SMART, OnSmartClick)
ON_COMMAND_RANGE(2000, 2009, OnRange)
ON_CONTROL_RANGE(BN_CLICKED, 3000, 3002, OnButtons)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// A parent that handles scrolling itself: it sees WM_HSCROLL first, as the framework orders it,
// and the control only when the parent passes it to the base.
class CScrollingParentDlg : public CReflectDlg
{
public:
    bool m_bPassOn = false;

protected:
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
    {
        g_log.push_back("parent:hscroll");
        if (m_bPassOn)
            CReflectDlg::OnHScroll(nSBCode, nPos, pScrollBar);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CScrollingParentDlg, CReflectDlg)
ON_WM_HSCROLL()
END_MESSAGE_MAP()

class ReflectionTest : public FrameworkTest
{
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        g_log.clear();
        RegisterTemplate(IDD_REFLECT, "Reflect",
                         {Control("Edit", IDC_SMART, WS_VISIBLE | WS_TABSTOP),
                          Control("Edit", IDC_PLAIN, WS_VISIBLE | WS_TABSTOP),
                          Control("Button", IDC_OTHER, WS_VISIBLE, "Other"),
                          Control("Button", 3001, WS_VISIBLE, "Third")},
                         RECT{0, 0, 200, 100}, WS_POPUP | WS_CAPTION);
    }

    HWND item(CWnd& dlg, int id) { return ::GetDlgItem(dlg.m_hWnd, id); }
    void command(CWnd& dlg, int id, UINT code)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                        static_cast<LPARAM>(item(dlg, id)));
    }
};

TEST_F(ReflectionTest, ControlNotificationsGoToTheControlsObjectFirst)
{
    CReflectDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_REFLECT));
    ASSERT_EQ(CWnd::FromHandlePermanent(item(dlg, IDC_SMART)), &dlg.m_smart);

    struct Case
    {
        int id;
        UINT code;
        std::vector<std::string> expected;
    } cases[] = {
        // A plain reflect entry takes the notification: the parent's entry does not run.
        {IDC_SMART, EN_KILLFOCUS, {"control:killfocus"}},
        // The _EX form returned FALSE: the parent sees it as well.
        {IDC_SMART, EN_CHANGE, {"control:change", "parent:change"}},
        // A control without an object of its own: straight to the parent.
        {IDC_PLAIN, EN_KILLFOCUS, {"parent:killfocus plain"}},
    };
    for (const Case& c : cases)
    {
        g_log.clear();
        command(dlg, c.id, c.code);
        EXPECT_EQ(g_log, c.expected) << "id " << c.id << " code " << c.code;
    }
}

TEST_F(ReflectionTest, NotifyIsReflectedWithItsResult)
{
    CReflectDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_REFLECT));
    NMHDR hdr{item(dlg, IDC_SMART), static_cast<UINT_PTR>(IDC_SMART), NM_CLICK};
    platform::PointerParam param(&hdr);
    const LRESULT result = dlg.SendMessage(WM_NOTIFY, IDC_SMART, param);
    EXPECT_EQ(g_log, (std::vector<std::string>{"control:click from 1010"}));
    EXPECT_EQ(result, 5);
}

TEST_F(ReflectionTest, ScrollReachesTheControlUnlessTheParentKeepsIt)
{
    {
        CReflectDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_REFLECT));
        dlg.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300),
                        static_cast<LPARAM>(item(dlg, IDC_SMART)));
        EXPECT_EQ(g_log, (std::vector<std::string>{"control:hscroll 5 300"}));
    }
    for (bool passOn : {false, true})
    {
        g_log.clear();
        CScrollingParentDlg dlg;
        dlg.m_bPassOn = passOn;
        ASSERT_TRUE(dlg.Create(IDD_REFLECT));
        dlg.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0),
                        static_cast<LPARAM>(item(dlg, IDC_SMART)));
        std::vector<std::string> expected{"parent:hscroll"};
        if (passOn)
            expected.push_back("control:hscroll 1 0");
        EXPECT_EQ(g_log, expected) << "pass on " << passOn;
    }
}

TEST_F(ReflectionTest, CtlColorAsksTheControlThroughTheParent)
{
    CReflectDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_REFLECT));
    HDC hdc = GetDC(dlg.m_hWnd);
    const LRESULT brush =
        dlg.SendMessage(WM_CTLCOLOREDIT, hdc, static_cast<LPARAM>(item(dlg, IDC_SMART)));
    EXPECT_EQ(static_cast<HBRUSH>(brush), kControlBrush);
    EXPECT_EQ(GetBkMode(hdc), TRANSPARENT);
    EXPECT_EQ(g_log, (std::vector<std::string>{"parent:ctlcolor 1", "control:ctlcolor 1"}));
    ReleaseDC(dlg.m_hWnd, hdc);
}

TEST_F(ReflectionTest, CommandAndControlRanges)
{
    CReflectDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_REFLECT));
    struct Case
    {
        WPARAM wParam;
        bool fromControl;
        std::vector<std::string> expected;
    } cases[] = {
        {2000, false, {"range 2000"}},
        {2009, false, {"range 2009"}},
        {2010, false, {}},
        {1999, false, {}},
        {MAKEWPARAM(3001, BN_CLICKED), true, {"buttons 3001"}},
        // Another notification code of a control in the range is not the range's.
        {MAKEWPARAM(3001, BN_DOUBLECLICKED), true, {}},
    };
    for (const Case& c : cases)
    {
        g_log.clear();
        dlg.PostMessage(WM_COMMAND, c.wParam,
                        c.fromControl ? static_cast<LPARAM>(item(dlg, LOWORD(c.wParam))) : 0);
        platform::PumpUntilIdle();
        EXPECT_EQ(g_log, c.expected) << "wParam " << c.wParam;
    }
}

TEST_F(ReflectionTest, PreSubclassWindowRunsOnceWhenTheObjectTakesTheControl)
{
    CReflectDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_REFLECT));
    EXPECT_EQ(dlg.m_smart.m_nPreSubclass, 1);
    // Later exchanges leave the control as it is.
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.m_smart.m_nPreSubclass, 1);

    CSelfNotifyEdit other;
    ASSERT_TRUE(other.SubclassDlgItem(IDC_PLAIN, &dlg));
    EXPECT_EQ(other.m_nPreSubclass, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(item(dlg, IDC_PLAIN)), &other);
    // A window that has an object cannot be taken twice.
    CSelfNotifyEdit again;
    EXPECT_FALSE(again.SubclassDlgItem(IDC_PLAIN, &dlg));
    EXPECT_EQ(again.m_nPreSubclass, 0);
    other.UnsubclassWindow();
}

TEST_F(ReflectionTest, WindowMessagesReachTheNewEntries)
{
    CReflectDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_REFLECT));
    HWND hSmart = item(dlg, IDC_SMART);
    ::SetWindowLongA(hSmart, GWL_STYLE,
                     static_cast<LONG>(::GetWindowLongA(hSmart, GWL_STYLE) | WS_HSCROLL));
    NCCALCSIZE_PARAMS params{};
    platform::PointerParam param(&params);
    ::SendMessageA(hSmart, WM_NCCALCSIZE, TRUE, param);
    ::SendMessageA(hSmart, WM_LBUTTONUP, 0x0001, MAKELPARAM(10, 20));
    EXPECT_EQ(g_log, (std::vector<std::string>{"control:nccalcsize 1 params",
                                               "control:lbuttonup 1 10,20"}));
    EXPECT_EQ(::GetWindowLongA(hSmart, GWL_STYLE) & WS_HSCROLL, 0);
}

} // namespace
