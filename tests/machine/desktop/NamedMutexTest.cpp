#include "machine/desktop/Desktop.h"

#include "tests/machine/desktop/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

namespace
{

using machine::desktop::NamedMutex;

std::optional<NamedMutex> open(const machine::Machine& m, const std::string& name, bool& existed)
{
    return NamedMutex::Open(m, name, existed);
}

TEST(NamedMutex, ExistsWhileAnyHandleIsOpen)
{
    testing_support::TempMachine m;
    const std::string names[] = {
        "KQ21",
        "kq21", // names differ by case
        "../../escape",
        "a/b\\c",
        "with space and %41",
        "Global\\KQ21",
        "R\xC3\xA9seau",
        std::string(700, 'n'), // longer than a file name may be
        std::string(400, '/'),
    };
    std::vector<NamedMutex> held;
    for (const auto& name : names)
    {
        bool existed = true;
        auto first = open(m.machine(), name, existed);
        ASSERT_TRUE(first) << name;
        EXPECT_FALSE(existed) << name;
        // A second handle in the same process finds it.
        auto second = open(m.machine(), name, existed);
        ASSERT_TRUE(second) << name;
        EXPECT_TRUE(existed) << name;
        EXPECT_TRUE(NamedMutex::OpenExisting(m.machine(), name)) << name;

        // A moved handle still holds it; closing the moved-from one changes nothing.
        NamedMutex moved = std::move(*first);
        first.reset();
        second.reset();
        EXPECT_TRUE(NamedMutex::OpenExisting(m.machine(), name)) << name;
        held.push_back(std::move(moved));
    }
    // Every name stayed inside the mutex folder.
    for (const auto& entry : std::filesystem::directory_iterator(m.machine().runtimeDir()))
        EXPECT_NE(entry.path().filename(), "escape");
    EXPECT_FALSE(std::filesystem::exists(m.machine().root() / "escape"));

    held.clear();
    for (const auto& name : names)
    {
        EXPECT_FALSE(NamedMutex::OpenExisting(m.machine(), name)) << name;
        bool existed = true;
        auto again = open(m.machine(), name, existed);
        ASSERT_TRUE(again);
        EXPECT_FALSE(existed) << name;
    }

    bool existed = true;
    EXPECT_FALSE(open(m.machine(), "", existed));
    EXPECT_FALSE(NamedMutex::OpenExisting(m.machine(), ""));
    EXPECT_FALSE(NamedMutex::OpenExisting(m.machine(), "NeverMade"));
}

TEST(NamedMutex, AHolderInAnotherProcessIsSeenAndReleasesWhenKilled)
{
    testing_support::TempMachine m;
    desktop_tests::ChildProcess holder(
        [](const desktop_tests::Channel& parent)
        {
            bool existed = true;
            auto mutex = NamedMutex::Open(machine::CurrentMachine(), "KQ21", existed);
            parent.Send(mutex && !existed ? 'n' : 'x');
            parent.Receive(); // holds it until killed
            return 0;
        });
    ASSERT_EQ(holder.channel().Receive(), 'n');
    {
        bool existed = false;
        auto mine = NamedMutex::Open(m.machine(), "KQ21", existed);
        ASSERT_TRUE(mine);
        EXPECT_TRUE(existed);
        EXPECT_TRUE(NamedMutex::OpenExisting(m.machine(), "KQ21"));
    }
    holder.Kill();
    holder.Wait();
    EXPECT_FALSE(NamedMutex::OpenExisting(m.machine(), "KQ21"));
    bool existed = true;
    EXPECT_TRUE(NamedMutex::Open(m.machine(), "KQ21", existed));
    EXPECT_FALSE(existed);
}

TEST(NamedMutex, OfTwoRacingProcessesExactlyOneCreatesIt)
{
    testing_support::TempMachine m;
    constexpr int kRounds = 300;
    // Each round: open when told, say whether it was new, hold it until told to close.
    auto racer = [](const desktop_tests::Channel& parent)
    {
        for (int round = 0; round < kRounds; ++round)
        {
            if (parent.Receive() != 'g')
                return 1;
            bool existed = false;
            auto mutex = NamedMutex::Open(machine::CurrentMachine(), "KQ21", existed);
            if (!mutex)
                return 2;
            parent.Send(existed ? 'e' : 'w');
            if (parent.Receive() != 'c')
                return 3;
            mutex.reset();
            parent.Send('d');
        }
        return 0;
    };
    desktop_tests::ChildProcess a(racer);
    desktop_tests::ChildProcess b(racer);
    int winsOfA = 0;
    for (int round = 0; round < kRounds; ++round)
    {
        a.channel().Send('g');
        b.channel().Send('g');
        auto ra = a.channel().Receive();
        auto rb = b.channel().Receive();
        ASSERT_TRUE(ra && rb) << round;
        ASSERT_EQ((*ra == 'w') + (*rb == 'w'), 1) << "round " << round << ": " << *ra << *rb;
        winsOfA += *ra == 'w';
        a.channel().Send('c');
        b.channel().Send('c');
        ASSERT_EQ(a.channel().Receive(), 'd');
        ASSERT_EQ(b.channel().Receive(), 'd');
    }
    EXPECT_EQ(a.Wait(), 0);
    EXPECT_EQ(b.Wait(), 0);
    RecordProperty("winsOfA", winsOfA);
}

} // namespace
