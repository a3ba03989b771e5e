#include "tests/platform/ui/UiTestSupport.h"

#include <atomic>
#include <string>
#include <thread>

namespace
{

class DialogTest : public ui_test::UiTest
{
};

inline constexpr UINT ID_TRAY_LAUNCH = 0x8006;
inline constexpr UINT IDD_TEST = 900;

std::vector<std::string> g_events;

class CTestDlg : public CDialog
{
public:
    explicit CTestDlg(CWnd* pParent = nullptr, UINT nID = IDD_TEST) : CDialog(nID, pParent) {}

    int m_nEndAfterTicks = 0;
    int m_nTicks = 0;
    bool m_bEndInInit = false;
    bool m_bHideOnPaint = false;
    BOOL m_bOwnerEnabledInInit = TRUE;
    std::vector<std::uint64_t> m_tickTimes;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        g_events.push_back("init");
        if (m_pParentWnd != nullptr)
            m_bOwnerEnabledInInit = m_pParentWnd->IsWindowEnabled();
        if (m_nEndAfterTicks > 0)
            SetTimer(1, 2000, nullptr);
        if (m_bEndInInit)
            EndDialog(55);
        return TRUE;
    }

protected:
    afx_msg void OnTrayLaunch()
    {
        g_events.push_back("launch");
        EndDialog(42);
    }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        m_tickTimes.push_back(platform::Now());
        if (++m_nTicks == m_nEndAfterTicks)
            EndDialog(7);
    }
    afx_msg void OnPaint()
    {
        PAINTSTRUCT ps;
        BeginPaint(m_hWnd, &ps);
        EndPaint(m_hWnd, &ps);
        g_events.push_back("paint");
        if (m_bHideOnPaint)
            ShowWindow(SW_HIDE);
    }
    void OnCancel() override
    {
        g_events.push_back("cancel");
        CDialog::OnCancel();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
ON_WM_TIMER()
ON_WM_PAINT()
END_MESSAGE_MAP()

// The dialog window of the modal run in progress (the only dialog of the test).
HWND currentDialog()
{
    return FindWindowA(WC_DIALOG, nullptr);
}

TEST_F(DialogTest, APostedCommandEndsTheModalRunWithTheHandlersResult)
{
    g_events.clear();
    CTestDlg dlg;
    platform::SetIdleHook(
        []
        {
            if (HWND h = currentDialog())
                PostMessageA(h, WM_COMMAND, ID_TRAY_LAUNCH, 0);
        });
    const std::size_t before = platform::WindowCount();
    EXPECT_EQ(dlg.DoModal(), 42);
    EXPECT_EQ(dlg.m_hWnd, 0u);
    EXPECT_EQ(platform::WindowCount(), before);
    EXPECT_EQ(g_events, (std::vector<std::string>{"init", "paint", "launch"}));
}

TEST_F(DialogTest, TimersFireInsideTheModalLoopAsTheClockAdvances)
{
    CTestDlg dlg;
    dlg.m_nEndAfterTicks = 3;
    platform::SetIdleHook([] { platform::AdvanceClock(500); });
    EXPECT_EQ(dlg.DoModal(), 7);
    EXPECT_EQ(dlg.m_tickTimes, (std::vector<std::uint64_t>{3000, 5000, 7000}));
}

std::atomic<int> g_threadTimerCalls{0};
void CALLBACK EndFromThreadTimer(HWND hwnd, UINT message, UINT_PTR id, DWORD time)
{
    if (++g_threadTimerCalls == 2)
        if (CWnd* dlg = CWnd::FromHandlePermanent(currentDialog()))
            static_cast<CDialog*>(dlg)->EndDialog(IDOK);
}

TEST_F(DialogTest, ThreadTimerProceduresRunFromTheModalLoop)
{
    g_threadTimerCalls = 0;
    UINT_PTR id = SetTimer(0, 0, 500, EndFromThreadTimer);
    CTestDlg dlg;
    platform::SetIdleHook([] { platform::AdvanceClock(500); });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(g_threadTimerCalls, 2);
    KillTimer(0, id);
}

TEST_F(DialogTest, APostFromAnotherThreadReachesTheDialogAndEndsIt)
{
    // No idle hook: the modal loop sleeps until the worker's post arrives.
    g_events.clear();
    std::thread worker(
        []
        {
            HWND h = 0;
            ASSERT_TRUE(ui_test::Eventually(
                [&] { return (h = FindWindowA(nullptr, "Vantir Wireless UI")) != 0; }));
            PostMessageA(h, WM_COMMAND, ID_TRAY_LAUNCH, 0);
        });
    platform::DialogTemplate hidden;
    hidden.caption = "Vantir Wireless UI";
    platform::RegisterDialogTemplate(149, hidden);
    CTestDlg dlg(nullptr, 149);
    dlg.m_bHideOnPaint = true;
    EXPECT_EQ(dlg.DoModal(), 42);
    worker.join();
    EXPECT_EQ(g_events.back(), "launch");
}

TEST_F(DialogTest, ADialogThatHidesWhenPaintedStaysHiddenAndIsFoundByTitle)
{
    platform::DialogTemplate hidden;
    hidden.caption = "Vantir Wireless UI";
    hidden.style &= ~WS_VISIBLE;
    platform::RegisterDialogTemplate(149, hidden);
    g_events.clear();
    CTestDlg dlg(nullptr, 149);
    dlg.m_bHideOnPaint = true;
    int idleCalls = 0;
    platform::SetIdleHook(
        [&]
        {
            HWND h = FindWindowA(nullptr, "Vantir Wireless UI");
            ASSERT_NE(h, 0u);
            EXPECT_FALSE(IsWindowVisible(h));
            if (++idleCalls == 1)
            {
                // Painted again while hidden: it stays hidden.
                SendMessageA(h, WM_PAINT, 0, 0);
                EXPECT_FALSE(IsWindowVisible(h));
                platform::AdvanceClock(1000);
            }
            else
                PostMessageA(h, WM_COMMAND, ID_TRAY_LAUNCH, 0);
        });
    EXPECT_EQ(dlg.DoModal(), 42);
    // Shown once when the loop first had nothing to do, painted, hidden.
    EXPECT_EQ(g_events, (std::vector<std::string>{"init", "paint", "paint", "launch"}));
}

TEST_F(DialogTest, TheOwnerIsDisabledDuringTheModalRun)
{
    CTestDlg owner;
    ASSERT_TRUE(owner.Create(IDD_TEST));
    CTestDlg dlg(&owner);
    platform::SetIdleHook([] { PostMessageA(currentDialog(), WM_COMMAND, IDOK, 0); });
    // The modeless owner is the first dialog; find the newest one instead.
    platform::SetIdleHook(
        [&]
        {
            HWND modal = 0;
            struct Pick
            {
                static BOOL CALLBACK Visit(HWND h, LPARAM lParam)
                {
                    char cls[16];
                    GetClassNameA(h, cls, sizeof cls);
                    if (std::string(cls) == WC_DIALOG)
                        *platform::PointerFromParam<HWND>(lParam) = h;
                    return TRUE;
                }
            };
            platform::PointerParam param(&modal);
            EnumWindows(Pick::Visit, param);
            EXPECT_NE(modal, owner.m_hWnd);
            EXPECT_EQ(GetParent(modal), owner.m_hWnd);
            PostMessageA(modal, WM_COMMAND, IDOK, 0);
        });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.m_bOwnerEnabledInInit);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST_F(DialogTest, EndingInOnInitDialogSkipsTheLoopAndTheDialogIsNeverShown)
{
    g_events.clear();
    ui_test::ClearLog();
    CTestDlg dlg;
    dlg.m_bEndInInit = true;
    platform::SetIdleHook([] { FAIL() << "no loop should run"; });
    EXPECT_EQ(dlg.DoModal(), 55);
    EXPECT_EQ(g_events, (std::vector<std::string>{"init"}));
}

TEST_F(DialogTest, ClosingADialogCancelsIt)
{
    g_events.clear();
    CTestDlg dlg;
    platform::SetIdleHook([] { PostMessageA(currentDialog(), WM_CLOSE, 0, 0); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(g_events.back(), "cancel");
}

TEST_F(DialogTest, TemplateControlsAreChildrenOfTheDialog)
{
    platform::DialogTemplate withControls;
    withControls.caption = "With controls";
    withControls.controls = {
        {"Button", "OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, {}},
        {"Button", "Refresh", 1003, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, {}},
        {"Static", "label", 1010, WS_CHILD, 0, {}},
    };
    platform::RegisterDialogTemplate(901, withControls);
    CTestDlg dlg(nullptr, 901);
    platform::SetIdleHook(
        [&]
        {
            CWnd* refresh = dlg.GetDlgItem(1003);
            ASSERT_NE(refresh, nullptr);
            CString text;
            refresh->GetWindowText(text);
            EXPECT_STREQ(text, "Refresh");
            EXPECT_EQ(refresh->GetParent(), &dlg);
            EXPECT_FALSE(dlg.GetDlgItem(1010)->IsWindowVisible());
            EXPECT_EQ(GetFocus(), dlg.GetDlgItem(IDOK)->m_hWnd); // the first tab stop
            CString caption;
            dlg.GetWindowText(caption);
            EXPECT_STREQ(caption, "With controls");
            // A click on OK, as the button reports it.
            dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                            static_cast<LPARAM>(dlg.GetDlgItem(IDOK)->m_hWnd));
        });
    EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST_F(DialogTest, ModalRunsNestAndTheQuitEndsThemAll)
{
    g_events.clear();
    CTestDlg outer;
    int step = 0;
    platform::SetIdleHook(
        [&]
        {
            switch (step++)
            {
            case 0:
            {
                CTestDlg inner(&outer);
                g_events.push_back("inner " + std::to_string(inner.DoModal()));
                break;
            }
            case 1: // inside the inner run
                PostQuitMessage(4);
                break;
            default:
                FAIL() << "no more idle time expected";
            }
        });
    EXPECT_EQ(outer.DoModal(), -1);
    EXPECT_EQ(g_events, (std::vector<std::string>{"init", "paint", "init", "paint", "inner -1"}));
    // The quit is still there for the program's own loop.
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, 0, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(DialogTest, EndModalLoopFromOutsideEndsAnotherWindowsRun)
{
    CTestDlg dlg;
    platform::SetIdleHook([&] { dlg.EndModalLoop(IDCANCEL); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

} // namespace
