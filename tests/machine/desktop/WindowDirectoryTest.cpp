#include "machine/desktop/Desktop.h"

#include "tests/machine/desktop/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>

namespace
{

using machine::desktop::ListWindows;
using machine::desktop::PublishWindow;
using machine::desktop::TopLevelWindow;
using machine::desktop::WithdrawWindow;

std::vector<TopLevelWindow> windowsOf(const machine::Machine& m, int pid)
{
    auto all = ListWindows(m);
    std::vector<TopLevelWindow> of;
    std::copy_if(all.begin(), all.end(), std::back_inserter(of),
                 [&](const TopLevelWindow& w) { return w.pid == pid; });
    return of;
}

void expectSame(const std::vector<TopLevelWindow>& got, const std::vector<TopLevelWindow>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i)
    {
        EXPECT_EQ(got[i].hwnd, want[i].hwnd) << i;
        EXPECT_EQ(got[i].pid, ::getpid()) << i;
        EXPECT_EQ(got[i].title, want[i].title) << i;
        EXPECT_EQ(got[i].className, want[i].className) << i;
        EXPECT_EQ(got[i].visible, want[i].visible) << i;
    }
}

TEST(WindowDirectory, PublishedWindowsComeBackExactlyAndWithdrawnOnesGo)
{
    testing_support::TempMachine m;
    // Titles and class names are bytes: separators, escapes and UTF-8 must all survive.
    std::vector<TopLevelWindow> windows = {
        {0x10010, 0, "Vantir Wireless UI", "#32770", false},
        {0x10012, 0, "", "", true},
        {0x10014, 0, "tab\there", "line\nbreak\r", false},
        {0x10016, 0, "back\\slash \\x41 \\t", "100%", true},
        {0x10018, 0, "R\xC3\xA9seau \xE6\x97\xA0\xE7\xBA\xBF", "\x01\x1F\x7F", false},
        {0xFFFEFFFE, 0, std::string(600, 'x'), "C", true},
    };
    for (const auto& w : windows)
        ASSERT_TRUE(PublishWindow(m.machine(), w));
    expectSame(ListWindows(m.machine()), windows);

    // Publishing a handle again replaces its entry where it stands.
    windows[1].title = "Renamed";
    windows[1].visible = false;
    ASSERT_TRUE(PublishWindow(m.machine(), windows[1]));
    expectSame(ListWindows(m.machine()), windows);

    WithdrawWindow(m.machine(), windows[0].hwnd);
    WithdrawWindow(m.machine(), 0x7777); // not ours: nothing happens
    windows.erase(windows.begin());
    expectSame(ListWindows(m.machine()), windows);

    for (const auto& w : windows)
        WithdrawWindow(m.machine(), w.hwnd);
    EXPECT_TRUE(ListWindows(m.machine()).empty());
    EXPECT_FALSE(PublishWindow(m.machine(), {0, 0, "no handle", "C", true}));
}

TEST(WindowDirectory, WindowsOfAKilledProcessDisappear)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(PublishWindow(m.machine(), {0x20000, 0, "Parent", "P", true}));
    desktop_tests::ChildProcess child(
        [](const desktop_tests::Channel& parent)
        {
            // A child starts with no windows of its own, whatever its parent published.
            if (!PublishWindow(machine::CurrentMachine(), {0x30000, 0, "Child", "C", false}))
                return 1;
            parent.Send('r');
            parent.Receive(); // until killed
            return 0;
        });
    ASSERT_EQ(child.channel().Receive(), 'r');

    auto before = windowsOf(m.machine(), child.pid());
    ASSERT_EQ(before.size(), 1u);
    EXPECT_EQ(before[0].hwnd, 0x30000u);
    EXPECT_EQ(before[0].title, "Child");
    ASSERT_EQ(windowsOf(m.machine(), ::getpid()).size(), 1u);

    const int pid = child.pid();
    child.Kill();
    EXPECT_EQ(child.Wait(), 128 + SIGKILL);
    EXPECT_TRUE(windowsOf(m.machine(), pid).empty());
    // What it left is gone from the folder too, not just hidden.
    const auto run = m.machine().runtimeDir();
    EXPECT_FALSE(std::filesystem::exists(run / "windows" / std::to_string(pid)));
    EXPECT_FALSE(std::filesystem::exists(run / "procs" / (std::to_string(pid) + ".alive")));
    EXPECT_EQ(windowsOf(m.machine(), ::getpid()).size(), 1u);
}

TEST(WindowDirectory, AProcessThatDiesIsGoneEvenWhileItsChildLivesOn)
{
    testing_support::TempMachine m;
    int hold[2];
    ASSERT_EQ(::pipe(hold), 0);
    desktop_tests::ChildProcess child(
        [&](const desktop_tests::Channel& parent)
        {
            if (!PublishWindow(machine::CurrentMachine(), {0x30000, 0, "Dies", "C", false}))
                return 1;
            // The grandchild inherits every descriptor of the child and outlives it.
            pid_t grandchild = ::fork();
            if (grandchild == 0)
            {
                ::close(hold[1]);
                char c;
                while (::read(hold[0], &c, 1) < 0 && errno == EINTR)
                {
                }
                ::_exit(0);
            }
            parent.Send(&grandchild, sizeof grandchild);
            parent.Receive();
            return 0;
        });
    ::close(hold[0]);
    pid_t grandchild = 0;
    ASSERT_TRUE(child.channel().Receive(&grandchild, sizeof grandchild));
    ASSERT_EQ(windowsOf(m.machine(), child.pid()).size(), 1u);

    const int pid = child.pid();
    child.Kill();
    child.Wait();
    EXPECT_EQ(::kill(grandchild, 0), 0); // still running
    EXPECT_TRUE(windowsOf(m.machine(), pid).empty());
    ::close(hold[1]); // lets the grandchild end
}

TEST(WindowDirectory, FilesUnderANumberNowUsedByAnotherProcessAreIgnored)
{
    testing_support::TempMachine m;
    const auto windowsDir = m.machine().runtimeDir() / "windows";
    // A process publishes and is killed before anyone looks: its file stays for now.
    std::filesystem::path left;
    {
        desktop_tests::ChildProcess dead(
            [](const desktop_tests::Channel& parent)
            {
                PublishWindow(machine::CurrentMachine(), {0x40000, 0, "Ghost", "C", true});
                parent.Send('r');
                parent.Receive();
                return 0;
            });
        ASSERT_EQ(dead.channel().Receive(), 'r');
        left = windowsDir / std::to_string(dead.pid());
        dead.Kill();
        dead.Wait();
    }
    ASSERT_TRUE(std::filesystem::exists(left));

    // Its number is taken by a running process that never took part: as if the pid was reused.
    desktop_tests::ChildProcess reused([](const desktop_tests::Channel& parent)
                                       { return parent.Receive() ? 0 : 1; });
    std::filesystem::copy_file(left, windowsDir / std::to_string(reused.pid()));
    std::filesystem::copy_file(left, windowsDir / std::to_string(::getpid()));

    EXPECT_TRUE(ListWindows(m.machine()).empty());
    EXPECT_FALSE(std::filesystem::exists(windowsDir / std::to_string(reused.pid())));
    // This process's own number too: a file it did not write is not its own.
    EXPECT_FALSE(std::filesystem::exists(windowsDir / std::to_string(::getpid())));
    reused.channel().Send('q');
    EXPECT_EQ(reused.Wait(), 0);

    // Publishing later writes this process's real windows only.
    ASSERT_TRUE(PublishWindow(m.machine(), {0x50000, 0, "Mine", "C", true}));
    auto mine = ListWindows(m.machine());
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(mine[0].title, "Mine");
}

} // namespace
