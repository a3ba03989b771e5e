#include "tests/platform/ui/UiTestSupport.h"

#include "machine/desktop/Desktop.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace
{

using ui_test::MakeWindow;
using ui_test::Messages;

class WindowTest : public ui_test::UiTest
{
};

std::vector<std::pair<HWND, UINT>> lifeMessages()
{
    std::vector<std::pair<HWND, UINT>> out;
    for (const auto& m : ui_test::Log())
        if (m.message == WM_NCCREATE || m.message == WM_CREATE || m.message == WM_DESTROY ||
            m.message == WM_NCDESTROY || m.message == WM_SHOWWINDOW)
            out.emplace_back(m.hwnd, m.message);
    return out;
}

TEST_F(WindowTest, CreationAndDestructionSendTheLifeMessagesInOrder)
{
    const std::size_t before = platform::WindowCount();
    HWND parent = MakeWindow("parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = MakeWindow("child", WS_CHILD, parent, 5);
    ASSERT_NE(parent, 0u);
    ASSERT_NE(child, 0u);
    EXPECT_NE(parent, child);
    EXPECT_EQ(platform::WindowCount(), before + 2);

    DestroyWindow(parent);
    const std::vector<std::pair<HWND, UINT>> expected = {
        {parent, WM_NCCREATE}, {parent, WM_CREATE},   {parent, WM_SHOWWINDOW},
        {child, WM_NCCREATE},  {child, WM_CREATE},    {parent, WM_DESTROY},
        {child, WM_DESTROY},   {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(lifeMessages(), expected);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(platform::WindowCount(), before);
    EXPECT_FALSE(DestroyWindow(parent));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

LRESULT CALLBACK RefusingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE)
    {
        auto* cs = platform::PointerFromParam<CREATESTRUCTA>(lParam);
        return cs != nullptr && std::string(cs->lpszName) == "refuse" ? -1 : 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST_F(WindowTest, CreationFailsForUnknownClassesMissingParentsAndRefusedCreates)
{
    const std::size_t before = platform::WindowCount();
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "x", 0, 0, 0, 0, 0, 0, 0, 0, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
    EXPECT_EQ(MakeWindow("orphan", WS_CHILD), 0u);

    WNDCLASSA wc{};
    wc.lpfnWndProc = RefusingProc;
    wc.lpszClassName = "UiTestRefusing";
    EXPECT_NE(RegisterClassA(&wc), 0);
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
    // Class names match without regard to case.
    HWND accepted = CreateWindowExA(0, "uitestREFUSING", "fine", 0, 0, 0, 0, 0, 0, 0, 0, nullptr);
    EXPECT_NE(accepted, 0u);
    char name[64];
    EXPECT_EQ(GetClassNameA(accepted, name, sizeof name), 14);
    EXPECT_STREQ(name, "UiTestRefusing");
    EXPECT_EQ(CreateWindowExA(0, "UiTestRefusing", "refuse", 0, 0, 0, 0, 0, 0, 0, 0, nullptr), 0u);
    DestroyWindow(accepted);
    EXPECT_EQ(platform::WindowCount(), before);
}

TEST_F(WindowTest, ShowAndEnableReturnThePreviousStateAndVisibilityFollowsTheParents)
{
    HWND top = MakeWindow("top");
    HWND child = MakeWindow("child", WS_CHILD | WS_VISIBLE, top, 1);
    EXPECT_FALSE(IsWindowVisible(child)); // its parent is hidden

    struct Step
    {
        int command;
        BOOL returned;
        BOOL visibleAfter;
        BOOL iconicAfter;
    };
    const Step steps[] = {
        {SW_SHOW, FALSE, TRUE, FALSE},       {SW_SHOW, TRUE, TRUE, FALSE},
        {SW_MINIMIZE, TRUE, TRUE, TRUE},     {SW_RESTORE, TRUE, TRUE, FALSE},
        {SW_HIDE, TRUE, FALSE, FALSE},       {SW_HIDE, FALSE, FALSE, FALSE},
        {SW_SHOWNORMAL, FALSE, TRUE, FALSE},
    };
    for (const Step& s : steps)
    {
        SCOPED_TRACE(s.command);
        EXPECT_EQ(ShowWindow(top, s.command), s.returned);
        EXPECT_EQ(IsWindowVisible(top), s.visibleAfter);
        EXPECT_EQ(IsIconic(top), s.iconicAfter);
    }
    EXPECT_TRUE(IsWindowVisible(child));

    EXPECT_TRUE(IsWindowEnabled(child));
    EXPECT_FALSE(EnableWindow(child, FALSE)); // was enabled
    EXPECT_FALSE(IsWindowEnabled(child));
    EXPECT_NE(GetWindowLongA(child, GWL_STYLE) & WS_DISABLED, 0);
    EXPECT_TRUE(EnableWindow(child, FALSE)); // was disabled
    EXPECT_TRUE(EnableWindow(child, TRUE));
    EXPECT_TRUE(IsWindowEnabled(child));
    ASSERT_EQ(Messages(WM_ENABLE).size(), 2u); // only the changes
    DestroyWindow(top);
}

TEST_F(WindowTest, TextIsCopiedAndCutToTheBuffer)
{
    HWND hwnd = MakeWindow("initial");
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 7);
    EXPECT_TRUE(SetWindowTextA(hwnd, "Hello"));
    char buffer[8] = "xxxxxxx";
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, 4), 3);
    EXPECT_STREQ(buffer, "Hel");
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "Hello");
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, 0), 0);
    // WM_GETTEXT sees the same text.
    char viaMessage[16];
    platform::PointerParam param(viaMessage);
    EXPECT_EQ(SendMessageA(hwnd, WM_GETTEXT, sizeof viaMessage, param), 5);
    EXPECT_STREQ(viaMessage, "Hello");
    EXPECT_TRUE(SetWindowTextA(hwnd, nullptr));
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 0);
    DestroyWindow(hwnd);
}

TEST_F(WindowTest, ChildrenAreFoundByIdAndParentsAndOwnersAreReported)
{
    HWND dialog = MakeWindow("dialog", WS_POPUP | WS_CAPTION);
    HWND ok = MakeWindow("OK", WS_CHILD, dialog, 1);
    HWND list = MakeWindow("list", WS_CHILD, dialog, 1003);
    HWND popup = MakeWindow("popup", WS_POPUP, ok); // owned by the dialog, never by a child
    HWND overlapped = MakeWindow("overlapped", WS_OVERLAPPED, dialog);

    EXPECT_EQ(GetDlgItem(dialog, 1003), list);
    EXPECT_EQ(GetDlgItem(dialog, 1), ok);
    EXPECT_EQ(GetDlgItem(dialog, 2), 0u);
    EXPECT_EQ(GetDlgCtrlID(list), 1003);
    EXPECT_EQ(GetWindowLongA(list, GWL_ID), 1003);
    EXPECT_EQ(GetParent(list), dialog);
    EXPECT_EQ(GetParent(popup), dialog);
    EXPECT_EQ(GetParent(overlapped), 0u); // owned, but not a popup
    EXPECT_EQ(GetParent(dialog), 0u);
    EXPECT_TRUE(IsChild(dialog, list));
    EXPECT_FALSE(IsChild(dialog, popup));

    // The owner takes its owned windows with it.
    DestroyWindow(dialog);
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_FALSE(IsWindow(overlapped));
}

TEST_F(WindowTest, FocusMovesWithKillAndSetFocusMessages)
{
    HWND dialog = MakeWindow("dialog");
    HWND a = MakeWindow("a", WS_CHILD, dialog, 1);
    HWND b = MakeWindow("b", WS_CHILD, dialog, 2);
    EXPECT_EQ(SetFocus(a), 0u);
    ui_test::ClearLog();
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(GetFocus(), b);
    auto log = ui_test::Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].hwnd, a);
    EXPECT_EQ(log[0].message, WM_KILLFOCUS);
    EXPECT_EQ(log[0].wParam, b);
    EXPECT_EQ(log[1].hwnd, b);
    EXPECT_EQ(log[1].message, WM_SETFOCUS);
    EXPECT_EQ(log[1].wParam, a);
    DestroyWindow(dialog);
    EXPECT_EQ(GetFocus(), 0u);
}

TEST_F(WindowTest, FindWindowFindsHiddenTopLevelWindowsButNotChildrenOrDestroyedOnes)
{
    HWND hidden = MakeWindow("Vantir Wireless UI", WS_POPUP);
    HWND child = MakeWindow("Inner", WS_CHILD, hidden, 3);
    ASSERT_FALSE(IsWindowVisible(hidden));

    EXPECT_EQ(FindWindowA(nullptr, "Vantir Wireless UI"), hidden);
    EXPECT_EQ(FindWindowA(ui_test::kRecordingClass, "Vantir Wireless UI"), hidden);
    EXPECT_EQ(FindWindowA(ui_test::kRecordingClass, nullptr), hidden);
    EXPECT_EQ(FindWindowA("Button", "Vantir Wireless UI"), 0u);
    EXPECT_EQ(FindWindowA(nullptr, "Inner"), 0u);
    EXPECT_EQ(FindWindowA(nullptr, "Vantir"), 0u);
    DestroyWindow(hidden);
    EXPECT_EQ(FindWindowA(nullptr, "Vantir Wireless UI"), 0u);
    EXPECT_FALSE(IsWindow(child));
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lParam)
{
    auto* seen = platform::PointerFromParam<std::vector<HWND>>(lParam);
    seen->push_back(hwnd);
    return seen->size() < 2 ? TRUE : FALSE;
}

TEST_F(WindowTest, EnumWindowsWalksTopLevelWindowsUntilTheCallbackStops)
{
    HWND a = MakeWindow("a");
    HWND b = MakeWindow("b", WS_POPUP);
    MakeWindow("child", WS_CHILD, a, 1);
    HWND c = MakeWindow("c");

    std::vector<HWND> seen;
    platform::PointerParam param(&seen);
    EXPECT_FALSE(EnumWindows(CollectWindow, param));
    EXPECT_EQ(seen, (std::vector<HWND>{a, b}));

    seen.clear();
    struct Counter
    {
        static BOOL CALLBACK All(HWND hwnd, LPARAM lParam)
        {
            platform::PointerFromParam<std::vector<HWND>>(lParam)->push_back(hwnd);
            return TRUE;
        }
    };
    EXPECT_TRUE(EnumWindows(Counter::All, param));
    for (HWND h : {a, b, c})
        EXPECT_NE(std::find(seen.begin(), seen.end(), h), seen.end());
    EXPECT_EQ(seen.size(), 3u); // no child windows
    for (HWND h : {a, b, c})
        DestroyWindow(h);
}

std::optional<machine::desktop::TopLevelWindow> directoryEntry(HWND hwnd)
{
    for (auto& w : machine::desktop::ListWindows(machine::CurrentMachine()))
        if (w.hwnd == hwnd)
            return w;
    return std::nullopt;
}

TEST_F(WindowTest, TheMachineDirectoryFollowsTopLevelWindows)
{
    HWND top = MakeWindow("First title", WS_POPUP);
    HWND child = MakeWindow("child", WS_CHILD, top, 1);

    auto entry = directoryEntry(top);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->title, "First title");
    EXPECT_EQ(entry->className, ui_test::kRecordingClass);
    EXPECT_EQ(entry->pid, ::getpid());
    EXPECT_FALSE(entry->visible);
    EXPECT_FALSE(directoryEntry(child));

    SetWindowTextA(top, "Second title");
    ShowWindow(top, SW_SHOW);
    entry = directoryEntry(top);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->title, "Second title");
    EXPECT_TRUE(entry->visible);

    DestroyWindow(top);
    EXPECT_FALSE(directoryEntry(top));
}

TEST_F(WindowTest, AWindowBelongsToTheThreadThatCreatedIt)
{
    std::atomic<HWND> foreign{0};
    std::atomic<DWORD> foreignThread{0};
    std::atomic<bool> done{false};
    std::thread owner(
        [&]
        {
            foreign = MakeWindow("owned elsewhere");
            foreignThread = GetCurrentThreadId();
            MSG msg;
            while (GetMessageA(&msg, 0, 0, 0) > 0)
                DispatchMessageA(&msg);
            DestroyWindow(foreign);
            done = true;
        });
    ASSERT_TRUE(ui_test::Eventually([&] { return foreignThread != 0; }));
    DWORD pid = 0;
    EXPECT_EQ(GetWindowThreadProcessId(foreign, &pid), foreignThread.load());
    EXPECT_EQ(pid, static_cast<DWORD>(::getpid()));
    EXPECT_FALSE(DestroyWindow(foreign));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    // Other threads may change it; the change reaches its thread's procedure.
    EXPECT_TRUE(SetWindowTextA(foreign, "renamed"));
    char text[32];
    GetWindowTextA(foreign, text, sizeof text);
    EXPECT_STREQ(text, "renamed");
    PostThreadMessageA(foreignThread, WM_QUIT, 0, 0);
    owner.join();
    EXPECT_TRUE(done);
    EXPECT_FALSE(IsWindow(foreign));
}

} // namespace
