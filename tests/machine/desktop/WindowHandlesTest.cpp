#include "machine/desktop/Desktop.h"

#include "machine/FileStore.h"
#include "tests/machine/desktop/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace
{

using machine::desktop::AllocateWindowHandle;
using machine::desktop::kFirstWindowHandle;
using machine::desktop::kWindowHandleLimit;

bool wellFormed(std::uint32_t h)
{
    return h >= kFirstWindowHandle && h < kWindowHandleLimit && h % 2 == 0;
}

TEST(WindowHandles, UniqueAcrossTheProcessesOfAMachine)
{
    testing_support::TempMachine m;
    constexpr int kCount = 300;
    std::vector<std::uint32_t> all;
    // The parent already holds handles it has not handed out yet when the children start:
    // they must not hand out the same ones.
    all.push_back(AllocateWindowHandle(m.machine()));

    auto allocator = [&](const desktop_tests::Channel& parent)
    {
        std::uint32_t handles[kCount];
        for (auto& h : handles)
            h = AllocateWindowHandle(machine::CurrentMachine());
        return parent.Send(handles, sizeof handles) ? 0 : 1;
    };
    desktop_tests::ChildProcess first(allocator);
    desktop_tests::ChildProcess second(allocator);
    for (int i = 0; i < kCount; ++i)
        all.push_back(AllocateWindowHandle(m.machine()));
    for (auto* child : {&first, &second})
    {
        std::uint32_t handles[kCount];
        ASSERT_TRUE(child->channel().Receive(handles, sizeof handles));
        all.insert(all.end(), handles, handles + kCount);
        EXPECT_EQ(child->Wait(), 0);
    }

    std::set<std::uint32_t> distinct(all.begin(), all.end());
    EXPECT_EQ(distinct.size(), all.size());
    for (auto h : all)
        ASSERT_TRUE(wellFormed(h)) << std::hex << h;
}

TEST(WindowHandles, CounterStartsOverBeforeTheSpecialValuesAndSurvivesDamage)
{
    testing_support::TempMachine m;
    struct Case
    {
        const char* counter; // nullptr: no counter file
        std::uint32_t firstHandle;
    } cases[] = {
        {nullptr, kFirstWindowHandle},      {"00020000\n", 0x00020000},
        {"FFFEFFFA\n", kFirstWindowHandle}, // too close to the end for a whole block
        {"FFFEFFC0\n", 0xFFFEFFC0},         // two blocks, then the start again
        {"FFFFFFFE\n", kFirstWindowHandle}, {"00000000\n", kFirstWindowHandle},
        {"00010011\n", kFirstWindowHandle}, // odd
        {"junk", kFirstWindowHandle},       {"", kFirstWindowHandle},
    };
    int index = 0;
    for (const auto& c : cases)
    {
        // A machine of its own per case: a process keeps a block of handles per machine.
        auto root = m.root() / ("case" + std::to_string(index++));
        std::filesystem::create_directories(root / "run");
        machine::Machine scratch(root);
        if (c.counter != nullptr)
        {
            ASSERT_TRUE(machine::WriteFileAtomically(root / "run" / "next-hwnd", c.counter));
        }
        std::set<std::uint32_t> seen;
        std::uint32_t first = AllocateWindowHandle(scratch);
        EXPECT_EQ(first, c.firstHandle) << (c.counter ? c.counter : "none");
        seen.insert(first);
        for (int i = 0; i < 100; ++i)
        {
            std::uint32_t h = AllocateWindowHandle(scratch);
            ASSERT_TRUE(wellFormed(h)) << std::hex << h;
            EXPECT_TRUE(seen.insert(h).second) << std::hex << h;
        }
    }
}

} // namespace
