#include "tests/platform/ui/UiTestSupport.h"

#include <string>
#include <tuple>
#include <vector>

namespace
{

using ui_test::Messages;

class GeometryTest : public ui_test::UiTest
{
};

std::tuple<LONG, LONG, LONG, LONG> parts(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

RECT windowRect(HWND hwnd)
{
    RECT r{-1, -1, -1, -1};
    EXPECT_TRUE(GetWindowRect(hwnd, &r));
    return r;
}

HWND makeAt(DWORD style, HWND parent, int id, int x, int y, int w, int h)
{
    HWND hwnd = ui_test::MakeWindow("w", style, parent, id);
    EXPECT_NE(hwnd, 0u);
    MoveWindow(hwnd, x, y, w, h, FALSE);
    return hwnd;
}

TEST_F(GeometryTest, ChildRectanglesAreOnTheScreenAndFollowTheirParents)
{
    HWND top = makeAt(WS_OVERLAPPEDWINDOW, 0, 0, 100, 50, 400, 300);
    HWND child = makeAt(WS_CHILD, top, 1, 10, 20, 200, 100);
    HWND grandchild = makeAt(WS_CHILD, child, 2, 5, 6, 30, 40);
    struct Case
    {
        HWND hwnd;
        RECT screen;
        RECT client;
    } cases[] = {
        {top, {100, 50, 500, 350}, {0, 0, 400, 300}},
        {child, {110, 70, 310, 170}, {0, 0, 200, 100}},
        {grandchild, {115, 76, 145, 116}, {0, 0, 30, 40}},
    };
    for (const Case& c : cases)
    {
        EXPECT_EQ(parts(windowRect(c.hwnd)), parts(c.screen)) << c.hwnd;
        RECT client{-1, -1, -1, -1};
        ASSERT_TRUE(GetClientRect(c.hwnd, &client));
        EXPECT_EQ(parts(client), parts(c.client)) << c.hwnd;
        // The client origin is where the window starts (no window has a frame).
        POINT p{0, 0};
        ASSERT_TRUE(ClientToScreen(c.hwnd, &p));
        EXPECT_EQ(p.x, c.screen.left);
        EXPECT_EQ(p.y, c.screen.top);
        ASSERT_TRUE(ScreenToClient(c.hwnd, &p));
        EXPECT_EQ(p.x, 0);
        EXPECT_EQ(p.y, 0);
    }

    // From the grandchild to the top-level window and back.
    POINT points[2] = {{1, 2}, {3, 4}};
    const int offset = MapWindowPoints(grandchild, top, points, 2);
    EXPECT_EQ(points[0].x, 16);
    EXPECT_EQ(points[0].y, 28);
    EXPECT_EQ(points[1].x, 18);
    EXPECT_EQ(points[1].y, 30);
    EXPECT_EQ(LOWORD(static_cast<DWORD>(offset)), 15);
    EXPECT_EQ(HIWORD(static_cast<DWORD>(offset)), 26);
    MapWindowPoints(top, grandchild, points, 2);
    EXPECT_EQ(points[0].x, 1);
    EXPECT_EQ(points[0].y, 2);

    // Moving the parent moves its children on the screen; their own positions stay.
    MoveWindow(top, 0, 0, 400, 300, FALSE);
    EXPECT_EQ(parts(windowRect(child)), parts(RECT{10, 20, 210, 120}));
    EXPECT_EQ(parts(windowRect(grandchild)), parts(RECT{15, 26, 45, 66}));
    DestroyWindow(top);
}

TEST_F(GeometryTest, MovingAControlToWhereItsWindowRectangleSaysKeepsItThere)
{
    HWND top = makeAt(WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, 400, 300);
    HWND page = makeAt(WS_CHILD, top, 1, 7, 30, 300, 200);
    HWND a = makeAt(WS_CHILD, page, 10, 40, 50, 60, 20);
    HWND b = makeAt(WS_CHILD, page, 11, 120, 90, 80, 25);

    // The usual pattern: the rectangle on the screen, into the parent's client coordinates,
    // then moved there.
    RECT r = windowRect(b);
    MapWindowPoints(0, page, reinterpret_cast<LPPOINT>(&r), 2);
    EXPECT_EQ(parts(r), parts(RECT{120, 90, 200, 115}));
    ASSERT_TRUE(MoveWindow(a, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE));
    EXPECT_EQ(parts(windowRect(a)), parts(windowRect(b)));

    // The same with the point form on each corner.
    RECT again = windowRect(a);
    POINT corner{again.left, again.top};
    ScreenToClient(page, &corner);
    MoveWindow(a, corner.x, corner.y, again.right - again.left, again.bottom - again.top, TRUE);
    EXPECT_EQ(parts(windowRect(a)), parts(again));
    DestroyWindow(top);
}

TEST_F(GeometryTest, CoordinateCallsRefuseWindowsThatAreGone)
{
    HWND top = makeAt(WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, 50, 50);
    DestroyWindow(top);
    POINT p{5, 5};
    EXPECT_FALSE(ScreenToClient(top, &p));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_FALSE(ClientToScreen(top, &p));
    EXPECT_EQ(MapWindowPoints(top, 0, &p, 1), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    EXPECT_EQ(p.x, 5);
    EXPECT_EQ(p.y, 5);
    RECT r{};
    EXPECT_FALSE(GetWindowRect(top, &r));
}

// A window with a frame of its own: it leaves a nonclient area on each side, and takes
// WS_HSCROLL off itself as a list subclass does.
struct FrameLog
{
    std::vector<UINT> order;
    std::vector<WPARAM> calcWParams;
    std::vector<RECT> proposed; // rgrc[0] as it came
    std::vector<RECT> oldWindow;
    std::vector<UINT> posFlags;
};
FrameLog g_frame;
constexpr RECT kInset{3, 20, 4, 5};

LRESULT CALLBACK FramedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE || message == WM_CREATE || message == WM_NCCALCSIZE)
        g_frame.order.push_back(message);
    if (message == WM_NCCALCSIZE)
    {
        auto* params = platform::PointerFromParam<NCCALCSIZE_PARAMS>(lParam);
        EXPECT_NE(params, nullptr);
        if (params == nullptr)
            return 0;
        g_frame.calcWParams.push_back(wParam);
        g_frame.proposed.push_back(params->rgrc[0]);
        if (wParam)
        {
            g_frame.oldWindow.push_back(params->rgrc[1]);
            g_frame.posFlags.push_back(params->lppos != nullptr ? params->lppos->flags : 0);
        }
        const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
        if ((style & WS_HSCROLL) != 0)
            SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(style & ~WS_HSCROLL));
        params->rgrc[0].left += kInset.left;
        params->rgrc[0].top += kInset.top;
        params->rgrc[0].right -= kInset.right;
        params->rgrc[0].bottom -= kInset.bottom;
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(GeometryTest, TheClientAreaIsWhatNcCalcSizeLeaves)
{
    g_frame = {};
    WNDCLASSA wc{};
    wc.lpfnWndProc = FramedProc;
    wc.lpszClassName = "GeometryFramed";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND top = CreateWindowExA(0, "GeometryFramed", "framed", WS_POPUP | WS_HSCROLL, 100, 100, 200,
                               150, 0, 0, 0, nullptr);
    ASSERT_NE(top, 0u);
    EXPECT_EQ(g_frame.order, (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
    EXPECT_EQ(g_frame.calcWParams, (std::vector<WPARAM>{FALSE}));
    ASSERT_EQ(g_frame.proposed.size(), 1u);
    EXPECT_EQ(parts(g_frame.proposed[0]), parts(RECT{100, 100, 300, 250}));
    EXPECT_EQ(GetWindowLongA(top, GWL_STYLE) & WS_HSCROLL, 0);

    RECT client{};
    GetClientRect(top, &client);
    EXPECT_EQ(parts(client), parts(RECT{0, 0, 200 - 3 - 4, 150 - 20 - 5}));
    EXPECT_EQ(parts(windowRect(top)), parts(RECT{100, 100, 300, 250}));
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    EXPECT_EQ(origin.x, 103);
    EXPECT_EQ(origin.y, 120);

    // A child sits in the client area.
    HWND child = makeAt(WS_CHILD, top, 1, 10, 10, 20, 20);
    EXPECT_EQ(parts(windowRect(child)), parts(RECT{113, 130, 133, 150}));

    // A plain move or resize keeps the frame without asking again.
    g_frame = {};
    MoveWindow(top, 0, 0, 100, 80, FALSE);
    EXPECT_TRUE(g_frame.order.empty());
    GetClientRect(top, &client);
    EXPECT_EQ(parts(client), parts(RECT{0, 0, 93, 55}));

    // A changed frame is asked for with the request, after the window has its new place.
    SetWindowLongA(top, GWL_STYLE, GetWindowLongA(top, GWL_STYLE) | WS_HSCROLL);
    ASSERT_TRUE(SetWindowPos(top, 0, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED));
    EXPECT_EQ(g_frame.calcWParams, (std::vector<WPARAM>{TRUE}));
    ASSERT_EQ(g_frame.oldWindow.size(), 1u);
    EXPECT_EQ(parts(g_frame.proposed[0]), parts(RECT{0, 0, 100, 80}));
    EXPECT_EQ(parts(g_frame.oldWindow[0]), parts(RECT{0, 0, 100, 80}));
    EXPECT_NE(g_frame.posFlags[0] & SWP_FRAMECHANGED, 0u);
    EXPECT_EQ(GetWindowLongA(top, GWL_STYLE) & WS_HSCROLL, 0);
    DestroyWindow(top);
}

TEST_F(GeometryTest, TheDefaultFrameRuleLeavesTheWholeRectangle)
{
    for (DWORD style : {WS_OVERLAPPEDWINDOW, WS_POPUP | WS_CAPTION | WS_BORDER | WS_VSCROLL,
                        WS_POPUP | WS_THICKFRAME})
    {
        HWND top = makeAt(style, 0, 0, 20, 30, 120, 90);
        RECT client{};
        GetClientRect(top, &client);
        EXPECT_EQ(parts(client), parts(RECT{0, 0, 120, 90})) << style;
        POINT p{0, 0};
        ClientToScreen(top, &p);
        EXPECT_EQ(p.x, 20);
        EXPECT_EQ(p.y, 30);
        DestroyWindow(top);
    }
    // Every window is asked once when it is made, with the flag of creation.
    ui_test::ClearLog();
    HWND top = ui_test::MakeWindow("asked");
    const auto calc = Messages(WM_NCCALCSIZE);
    ASSERT_EQ(calc.size(), 1u);
    EXPECT_EQ(calc[0].wParam, static_cast<WPARAM>(FALSE));
    DestroyWindow(top);
}

TEST_F(GeometryTest, TheDefaultProcedureKeepsEachWindowsFont)
{
    HWND a = ui_test::MakeWindow("a");
    HWND b = ui_test::MakeWindow("b");
    EXPECT_EQ(SendMessageA(a, WM_GETFONT, 0, 0), 0);
    const HFONT font = GetStockObject(ANSI_VAR_FONT);
    ASSERT_NE(font, 0u);
    SendMessageA(a, WM_SETFONT, font, FALSE);
    EXPECT_EQ(static_cast<HFONT>(SendMessageA(a, WM_GETFONT, 0, 0)), font);
    EXPECT_EQ(SendMessageA(b, WM_GETFONT, 0, 0), 0);
    SendMessageA(a, WM_SETFONT, 0, FALSE);
    EXPECT_EQ(SendMessageA(a, WM_GETFONT, 0, 0), 0);

    // The framework's forms: the kept font, the default GUI font for one given none.
    CWnd* wa = CWnd::FromHandle(a);
    CFont* defaultFont = wa->GetFont();
    ASSERT_NE(defaultFont, nullptr);
    EXPECT_EQ(defaultFont->m_hObject, GetStockObject(DEFAULT_GUI_FONT));
    CFont* given = CFont::FromHandle(font);
    wa->SetFont(given, FALSE);
    EXPECT_EQ(static_cast<HFONT>(SendMessageA(a, WM_GETFONT, 0, 0)), font);
    EXPECT_EQ(wa->GetFont()->m_hObject, font);
    DestroyWindow(a);
    DestroyWindow(b);
}

TEST_F(GeometryTest, APlainDialogAnswersForItsDefaultButton)
{
    platform::DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION;
    t.caption = "plain";
    t.rect = {0, 0, 100, 60};
    t.controls = {
        {"Button", "OK", IDOK, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 0, {5, 5, 40, 14}},
        {"Button", "Other", 1001, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, {50, 5, 40, 14}},
    };
    HWND dlg = platform::CreateDialogFromTemplate(t, 0, 0);
    ASSERT_NE(dlg, 0u);
    auto answer = [&] { return static_cast<DWORD>(SendMessageA(dlg, DM_GETDEFID, 0, 0)); };
    auto type = [&](int id)
    { return static_cast<DWORD>(GetWindowLongA(GetDlgItem(dlg, id), GWL_STYLE)) & BS_TYPEMASK; };
    EXPECT_EQ(HIWORD(answer()), DC_HASDEFID);
    EXPECT_EQ(LOWORD(answer()), IDOK);

    EXPECT_TRUE(SendMessageA(dlg, DM_SETDEFID, 1001, 0));
    EXPECT_EQ(LOWORD(answer()), 1001);
    EXPECT_EQ(platform::DialogDefaultId(dlg), 1001u);
    // The look moves with it.
    EXPECT_EQ(type(1001), BS_DEFPUSHBUTTON);
    EXPECT_EQ(type(IDOK), BS_PUSHBUTTON);
    DestroyWindow(dlg);
}

} // namespace
