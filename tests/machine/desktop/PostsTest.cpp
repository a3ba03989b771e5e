#include "machine/desktop/Desktop.h"

#include "tests/machine/desktop/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace
{

using machine::desktop::PostedMessage;
using machine::desktop::PostToProcess;
using machine::desktop::StartReceiving;
using machine::desktop::StopReceiving;

// Collects what arrives on the receiving thread; the test thread waits for it.
class Inbox
{
public:
    std::function<void(const PostedMessage&)> callback()
    {
        return [this](const PostedMessage& m)
        {
            std::lock_guard guard(m_lock);
            m_got.push_back(m);
            m_arrived.notify_all();
        };
    }
    // What arrived once count messages are there (or the wait ran out).
    std::vector<PostedMessage> waitFor(std::size_t count)
    {
        std::unique_lock guard(m_lock);
        m_arrived.wait_for(guard, std::chrono::milliseconds(desktop_tests::kWaitMs),
                           [&] { return m_got.size() >= count; });
        return m_got;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_arrived;
    std::vector<PostedMessage> m_got;
};

bool same(const PostedMessage& a, const PostedMessage& b)
{
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam &&
           a.lParam == b.lParam;
}

const PostedMessage kMessages[] = {
    {0x10010, 0x0111, 0x8006, 0}, // the hand-over command
    {0x10012, 0x0401, 0, 0},
    {0xFFFEFFFE, 0xFFFFFFFF, 0xFFFFFFFF, -1},
    {0x10014, 0x8001, 0x12345678, INT32_MIN},
    {0x10016, 0x0464, 0, INT32_MAX},
};

TEST(Posts, PostsOfAnotherProcessArriveWholeAndInOrder)
{
    testing_support::TempMachine m;
    constexpr int kRepeats = 40; // more than a socket queues before the reader drains it
    // Forked before this process has a second thread: the child may then use the heap.
    desktop_tests::ChildProcess sender(
        [](const desktop_tests::Channel& parent)
        {
            if (parent.Receive() != 'g')
                return -1;
            int failed = 0;
            for (int r = 0; r < kRepeats; ++r)
                for (const auto& message : kMessages)
                    failed +=
                        PostToProcess(machine::CurrentMachine(), ::getppid(), message) ? 0 : 1;
            return failed;
        });
    Inbox inbox;
    ASSERT_TRUE(StartReceiving(m.machine(), inbox.callback()));
    sender.channel().Send('g');
    EXPECT_EQ(sender.Wait(), 0);
    const std::size_t n = std::size(kMessages);
    auto got = inbox.waitFor(n * kRepeats);
    ASSERT_EQ(got.size(), n * kRepeats);
    for (std::size_t i = 0; i < got.size(); ++i)
        EXPECT_TRUE(same(got[i], kMessages[i % n])) << i;
    StopReceiving();
}

TEST(Posts, APostReachesAReceivingChild)
{
    testing_support::TempMachine m;
    desktop_tests::ChildProcess receiver(
        [](const desktop_tests::Channel& parent)
        {
            bool ok = StartReceiving(machine::CurrentMachine(), [&parent](const PostedMessage& m)
                                     { parent.Send(&m, sizeof m); });
            if (!ok)
                return 1;
            parent.Send('r');
            parent.Receive(); // until told to stop
            StopReceiving();
            return 0;
        });
    ASSERT_EQ(receiver.channel().Receive(), 'r');
    ASSERT_TRUE(PostToProcess(m.machine(), receiver.pid(), kMessages[0]));
    PostedMessage got;
    ASSERT_TRUE(receiver.channel().Receive(&got, sizeof got));
    EXPECT_TRUE(same(got, kMessages[0]));
    receiver.channel().Send('q');
    EXPECT_EQ(receiver.Wait(), 0);
    // It stopped receiving before it ended: posts fail, and the socket file went with it.
    EXPECT_FALSE(PostToProcess(m.machine(), receiver.pid(), kMessages[0]));
    EXPECT_TRUE(std::filesystem::is_empty(m.machine().runtimeDir() / "sock"));
}

TEST(Posts, PostsToProcessesThatDoNotReceiveFail)
{
    testing_support::TempMachine m;
    // Running, but never started receiving.
    desktop_tests::ChildProcess idle([](const desktop_tests::Channel& parent)
                                     { return parent.Receive() ? 0 : 1; });
    // Received, then was killed: its socket file is left behind.
    desktop_tests::ChildProcess killed(
        [](const desktop_tests::Channel& parent)
        {
            if (!StartReceiving(machine::CurrentMachine(), [](const PostedMessage&) {}))
                return 1;
            parent.Send('r');
            parent.Receive();
            return 0;
        });
    ASSERT_EQ(killed.channel().Receive(), 'r');
    ASSERT_TRUE(PostToProcess(m.machine(), killed.pid(), kMessages[0]));
    const int killedPid = killed.pid();
    killed.Kill();
    killed.Wait();
    ASSERT_TRUE(
        std::filesystem::exists(m.machine().runtimeDir() / "sock" / std::to_string(killedPid)));

    for (int pid : {idle.pid(), killedPid, ::getpid(), 0, -5})
        EXPECT_FALSE(PostToProcess(m.machine(), pid, kMessages[0])) << pid;
    idle.channel().Send('q');
    EXPECT_EQ(idle.Wait(), 0);
}

TEST(Posts, ReceivingStopsAndStartsAgain)
{
    testing_support::TempMachine m;
    Inbox first, second;
    ASSERT_TRUE(StartReceiving(m.machine(), first.callback()));
    // Already receiving: the first callback stays.
    ASSERT_TRUE(StartReceiving(m.machine(), second.callback()));
    ASSERT_TRUE(PostToProcess(m.machine(), ::getpid(), kMessages[0]));
    ASSERT_EQ(first.waitFor(1).size(), 1u);

    StopReceiving();
    EXPECT_FALSE(machine::desktop::IsReceiving());
    EXPECT_FALSE(PostToProcess(m.machine(), ::getpid(), kMessages[1]));
    StopReceiving(); // harmless when not receiving

    ASSERT_TRUE(StartReceiving(m.machine(), second.callback()));
    ASSERT_TRUE(PostToProcess(m.machine(), ::getpid(), kMessages[2]));
    auto got = second.waitFor(1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_TRUE(same(got[0], kMessages[2]));
    EXPECT_EQ(first.waitFor(1).size(), 1u);
    StopReceiving();
}

TEST(Posts, TheCallbackMayStopReceiving)
{
    testing_support::TempMachine m;
    std::atomic<int> calls{0};
    Inbox done;
    auto notify = done.callback();
    ASSERT_TRUE(StartReceiving(m.machine(),
                               [&](const PostedMessage& message)
                               {
                                   ++calls;
                                   StopReceiving();
                                   notify(message);
                               }));
    ASSERT_TRUE(PostToProcess(m.machine(), ::getpid(), kMessages[0]));
    ASSERT_EQ(done.waitFor(1).size(), 1u);
    EXPECT_FALSE(machine::desktop::IsReceiving());
    EXPECT_FALSE(PostToProcess(m.machine(), ::getpid(), kMessages[1]));
    EXPECT_EQ(calls.load(), 1);

    Inbox again;
    ASSERT_TRUE(StartReceiving(m.machine(), again.callback()));
    ASSERT_TRUE(PostToProcess(m.machine(), ::getpid(), kMessages[1]));
    EXPECT_EQ(again.waitFor(1).size(), 1u);
    StopReceiving();
}

TEST(Posts, WorkOnAMachineDeepInTheFileSystem)
{
    testing_support::TempMachine m;
    // Longer than a socket address holds.
    auto root = m.root() / std::string(60, 'd') / std::string(60, 'e') / "machine";
    std::filesystem::create_directories(root);
    machine::Machine deep(root);
    Inbox inbox;
    ASSERT_TRUE(StartReceiving(deep, inbox.callback()));
    ASSERT_TRUE(PostToProcess(deep, ::getpid(), kMessages[3]));
    auto got = inbox.waitFor(1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_TRUE(same(got[0], kMessages[3]));
    StopReceiving();
    EXPECT_FALSE(std::filesystem::exists(deep.runtimeDir() / "sock" / std::to_string(::getpid())));
}

} // namespace
