#include "machine/desktop/PeerCredentials.h"

#include "machine/desktop/Automation.h"
#include "machine/desktop/Desktop.h"
#include "tests/machine/desktop/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace
{

namespace desktop = machine::desktop;
using namespace std::chrono_literals;

const desktop::PostedMessage kPost = {0x10010, 0x0111, 0x8008, 0}; // a command that ends a program

unsigned modeOf(const std::filesystem::path& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 ? st.st_mode & 07777u : 0xFFFFu;
}

struct ReceivingHere
{
    std::atomic<int> posts{0};
    ReceivingHere(const machine::Machine& m)
    {
        desktop::SetAutomationHandler([](const std::string&) { return std::string("pong"); });
        EXPECT_TRUE(desktop::StartReceiving(m, [this](const desktop::PostedMessage&) { ++posts; }));
    }
    ~ReceivingHere() { desktop::StopReceiving(); }
    // Whether `count` posts have arrived within a short while.
    bool arrived(int count)
    {
        for (int i = 0; i < 100 && posts < count; ++i)
            std::this_thread::sleep_for(10ms);
        return posts >= count;
    }
};

TEST(PeerCredentials, TheMachinesFoldersAndSocketsAreTheOwnersOnlyWhateverTheUmask)
{
    const mode_t before = ::umask(0);
    {
        testing_support::TempMachine m;
        ReceivingHere here(m.machine());
        const auto run = m.machine().runtimeDir();
        for (const auto& folder : {run, run / "sock", run / "ui", m.machine().driveDir('C')})
            EXPECT_EQ(modeOf(folder), 0700u) << folder;
        const std::string self = std::to_string(::getpid());
        EXPECT_EQ(modeOf(run / "sock" / self), 0600u);
        EXPECT_EQ(modeOf(run / "ui" / self), 0600u);
    }
    ::umask(before);
}

TEST(PeerCredentials, PostsAndRequestsFromAnotherUserAreDropped)
{
    testing_support::TempMachine m;
    // A process of another user, where the test may make one: the owner's folder keeps it out.
    // Forked before this process has a second thread.
    std::optional<desktop_tests::ChildProcess> stranger;
    if (::geteuid() == 0)
        stranger.emplace(
            [&m](const desktop_tests::Channel& parent)
            {
                if (::setgid(65534) != 0 || ::setuid(65534) != 0 || parent.Receive() != 'g')
                    return 9;
                int reached = desktop::PostToProcess(m.machine(), ::getppid(), kPost) ? 1 : 0;
                if (desktop::AskProcess(m.machine(), ::getppid(), "ping", 2s))
                    reached |= 2;
                return reached;
            });

    ReceivingHere here(m.machine());
    ASSERT_TRUE(desktop::PostToProcess(m.machine(), ::getpid(), kPost));
    ASSERT_TRUE(here.arrived(1));
    ASSERT_EQ(desktop::AskProcess(m.machine(), ::getpid(), "ping", 2s), "pong");

    if (stranger)
    {
        stranger->channel().Send('g');
        EXPECT_EQ(stranger->Wait(), 0);
    }

    // A peer that reaches the sockets all the same (here: this process, taking itself for
    // another user) is checked by its credentials: its post is dropped, its request unanswered.
    desktop::detail::PretendOwnUserForTest(::geteuid() + 1);
    EXPECT_TRUE(desktop::PostToProcess(m.machine(), ::getpid(), kPost));
    auto reply = desktop::AskProcess(m.machine(), ::getpid(), "ping", 2s);
    EXPECT_FALSE(here.arrived(2));
    EXPECT_NE(reply, "pong");
    desktop::detail::PretendOwnUserForTest(std::nullopt);

    ASSERT_TRUE(desktop::PostToProcess(m.machine(), ::getpid(), kPost));
    EXPECT_TRUE(here.arrived(2));
    EXPECT_EQ(desktop::AskProcess(m.machine(), ::getpid(), "ping", 2s), "pong");
}

} // namespace
