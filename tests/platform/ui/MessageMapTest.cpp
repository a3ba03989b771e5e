#include "tests/platform/ui/UiTestSupport.h"

#include <string>

namespace
{

class MessageMapTest : public ui_test::UiTest
{
};

std::vector<std::string> g_calls;

class CBaseWnd : public CWnd
{
    DECLARE_DYNAMIC(CBaseWnd)
public:
    BOOL CreateTop(LPCSTR title)
    {
        return CreateEx(0, nullptr, title, WS_POPUP, 0, 0, 10, 10, 0, 0);
    }
    int m_nPostNcDestroy = 0;

protected:
    afx_msg void OnBaseCommand() { g_calls.push_back("base 100"); }
    afx_msg void OnOverridden() { g_calls.push_back("base 101"); }
    afx_msg void OnTimer(UINT_PTR nIDEvent)
    {
        g_calls.push_back("timer " + std::to_string(nIDEvent));
    }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNAMIC(CBaseWnd, CWnd)
BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_COMMAND(100, OnBaseCommand)
ON_COMMAND(101, OnOverridden)
ON_WM_TIMER()
END_MESSAGE_MAP()

inline constexpr UINT kNotifyCode = static_cast<UINT>(-12);

class CDerivedWnd : public CBaseWnd
{
    DECLARE_DYNCREATE(CDerivedWnd)
protected:
    afx_msg void OnDerivedOverride() { g_calls.push_back("derived 101"); }
    afx_msg void OnRange(UINT nID) { g_calls.push_back("range " + std::to_string(nID)); }
    afx_msg void OnClicked() { g_calls.push_back("clicked 1003"); }
    afx_msg void OnKillFocusEdit() { g_calls.push_back("killfocus 1004"); }
    afx_msg LRESULT OnApp(WPARAM wParam, LPARAM lParam)
    {
        g_calls.push_back("app " + std::to_string(wParam) + " " + std::to_string(lParam));
        return 77;
    }
    afx_msg void OnNotifyList(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_calls.push_back("notify " + std::to_string(pNMHDR->idFrom));
        *pResult = 5;
    }
    afx_msg void OnPaint()
    {
        PAINTSTRUCT ps;
        BeginPaint(m_hWnd, &ps);
        EndPaint(m_hWnd, &ps);
        g_calls.push_back("paint");
    }
    afx_msg void OnClose() { g_calls.push_back("close"); } // refuses: no default handling
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CDerivedWnd, CBaseWnd)
BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_COMMAND(101, OnDerivedOverride)
ON_COMMAND_RANGE(200, 209, OnRange)
ON_BN_CLICKED(1003, OnClicked)
ON_EN_KILLFOCUS(1004, OnKillFocusEdit)
ON_MESSAGE(WM_APP + 1, OnApp)
ON_NOTIFY(kNotifyCode, 1005, OnNotifyList)
ON_WM_PAINT()
ON_WM_CLOSE()
END_MESSAGE_MAP()

TEST_F(MessageMapTest, CommandsReachTheirHandlersThroughTheClassChain)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateTop("derived"));
    HWND control = ui_test::MakeWindow("edit", WS_CHILD, wnd.m_hWnd, 1004);

    struct Case
    {
        WPARAM wParam;
        LPARAM lParam;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {100, 0, {"base 100"}},      // found in the base class's map
        {101, 0, {"derived 101"}},   // the derived entry comes first
        {205, 0, {"range 205"}},     // inside the range
        {209, 0, {"range 209"}},     // its last id
        {210, 0, {}},                // outside
        {1003, 0, {"clicked 1003"}}, // a posted (1003, 0) is a click
        {MAKEWPARAM(1003, BN_CLICKED), static_cast<LPARAM>(control), {"clicked 1003"}},
        {MAKEWPARAM(1004, EN_KILLFOCUS), static_cast<LPARAM>(control), {"killfocus 1004"}},
        {MAKEWPARAM(1004, EN_CHANGE), static_cast<LPARAM>(control), {}}, // no entry
        {MAKEWPARAM(100, 1), 0, {"base 100"}}, // an accelerator is a command
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.wParam);
        g_calls.clear();
        PostMessageA(wnd.m_hWnd, WM_COMMAND, c.wParam, c.lParam);
        platform::PumpUntilIdle();
        EXPECT_EQ(g_calls, c.calls);
    }
}

TEST_F(MessageMapTest, MessagesNotificationsAndTimersUseTheFrameworkSignatures)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateTop("derived"));
    g_calls.clear();

    EXPECT_EQ(wnd.SendMessage(WM_APP + 1, 3, -4), 77);

    NMHDR header{0, 1005, kNotifyCode};
    platform::PointerParam param(&header);
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 1005, param), 5);
    header.idFrom = 1006; // no entry for it
    EXPECT_EQ(wnd.SendMessage(WM_NOTIFY, 1006, param), 0);

    wnd.SetTimer(0, 100, nullptr);
    platform::AdvanceClock(100);
    wnd.KillTimer(0);

    wnd.ShowWindow(SW_SHOW);
    platform::PumpUntilIdle();
    EXPECT_EQ(g_calls, (std::vector<std::string>{"app 3 -4", "notify 1005", "timer 0", "paint"}));

    // Messages without an entry get the default handling; WM_CLOSE has one that refuses.
    wnd.SetWindowText("renamed");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "renamed");
    wnd.SendMessage(WM_CLOSE);
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    EXPECT_EQ(g_calls.back(), "close");
}

TEST_F(MessageMapTest, TheDefaultCloseDestroysTheWindowAndTheObjectLetsGo)
{
    CBaseWnd wnd;
    ASSERT_TRUE(wnd.CreateTop("base"));
    HWND hwnd = wnd.m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), &wnd);
    wnd.SendMessage(WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_EQ(wnd.m_hWnd, 0u);
    EXPECT_EQ(wnd.m_nPostNcDestroy, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

class CSelfDeleting : public CWnd
{
public:
    static int s_deleted;
    ~CSelfDeleting() override { ++s_deleted; }

protected:
    void PostNcDestroy() override { delete this; }
};
int CSelfDeleting::s_deleted = 0;

TEST_F(MessageMapTest, AnObjectMayDeleteItselfAfterItsWindowsLastMessage)
{
    auto* wnd = new CSelfDeleting;
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "self", WS_POPUP, 0, 0, 0, 0, 0, 0));
    HWND hwnd = wnd->m_hWnd;
    ::DestroyWindow(hwnd);
    EXPECT_EQ(CSelfDeleting::s_deleted, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(MessageMapTest, RunTimeClassesTellKindsAndCreateObjects)
{
    CDerivedWnd derived;
    CBaseWnd base;
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CBaseWnd)));
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(derived.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(base.IsKindOf(RUNTIME_CLASS(CDerivedWnd)));
    EXPECT_FALSE(base.IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_STREQ(derived.GetRuntimeClass()->m_lpszClassName, "CDerivedWnd");

    std::unique_ptr<CObject> made(RUNTIME_CLASS(CDerivedWnd)->CreateObject());
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDerivedWnd)));
    EXPECT_EQ(RUNTIME_CLASS(CBaseWnd)->CreateObject(), nullptr); // only DYNAMIC
}

struct Finder
{
    int found = 0;
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM lParam)
    {
        auto* self = platform::PointerFromParam<Finder>(lParam);
        CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
        if (wnd != nullptr && wnd->IsKindOf(RUNTIME_CLASS(CDerivedWnd)))
            ++self->found;
        return TRUE;
    }
};

TEST_F(MessageMapTest, PermanentObjectsAreFoundFromTheirHandlesWhileWalkingWindows)
{
    CDerivedWnd a, b;
    CBaseWnd c;
    ASSERT_TRUE(a.CreateTop("a"));
    ASSERT_TRUE(b.CreateTop("b"));
    ASSERT_TRUE(c.CreateTop("c"));
    HWND raw = ui_test::MakeWindow("raw", WS_POPUP);

    Finder finder;
    platform::PointerParam param(&finder);
    EnumWindows(Finder::Visit, param);
    EXPECT_EQ(finder.found, 2);

    // A window without an object gets a temporary one, the same on each call.
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    CWnd* temporary = CWnd::FromHandle(raw);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(CWnd::FromHandle(raw), temporary);
    EXPECT_EQ(temporary->m_hWnd, raw);
    EXPECT_EQ(CWnd::FromHandle(0), nullptr);
    DestroyWindow(raw);
}

class CSubclass : public CWnd
{
protected:
    afx_msg LRESULT OnMine(WPARAM, LPARAM) { return 1234; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSubclass, CWnd)
ON_MESSAGE(WM_USER + 50, OnMine)
END_MESSAGE_MAP()

TEST_F(MessageMapTest, ASubclassedWindowPassesWhatItDoesNotHandleToItsOwnProcedure)
{
    HWND raw = ui_test::MakeWindow("raw", WS_POPUP);
    CSubclass wnd;
    ASSERT_TRUE(wnd.SubclassWindow(raw));
    EXPECT_EQ(CWnd::FromHandle(raw), &wnd);
    ui_test::ClearLog();
    EXPECT_EQ(::SendMessageA(raw, WM_USER + 50, 0, 0), 1234);
    ::SendMessageA(raw, WM_USER + 51, 0, 0);
    auto log = ui_test::Log();
    ASSERT_EQ(log.size(), 1u); // only the unhandled one reached the recording procedure
    EXPECT_EQ(log[0].message, WM_USER + 51u);

    EXPECT_EQ(wnd.UnsubclassWindow(), raw);
    EXPECT_EQ(::SendMessageA(raw, WM_USER + 50, 0, 0), 0);
    DestroyWindow(raw);
}

class CFilteringParent : public CWnd
{
public:
    int m_nSeen = 0;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_USER + 60)
            return FALSE;
        ++m_nSeen;
        return TRUE; // eaten: never dispatched
    }
};

TEST_F(MessageMapTest, PreTranslateMessageSeesMessagesOfChildWindowsBeforeDispatch)
{
    CFilteringParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, 0, 0, 0, 0, 0, 0));
    HWND child = ui_test::MakeWindow("child", WS_CHILD, parent.m_hWnd, 9);
    ui_test::ClearLog();
    PostMessageA(child, WM_USER + 60, 0, 0);
    PostMessageA(child, WM_USER + 61, 0, 0);
    platform::PumpUntilIdle();
    EXPECT_EQ(parent.m_nSeen, 1);
    auto log = ui_test::Log();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].message, WM_USER + 61u);
}

} // namespace
