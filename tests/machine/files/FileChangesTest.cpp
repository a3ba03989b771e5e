// A file's version is known from what the system tells of it: whatever way another process or
// this one changes the file, the next look sees the change; nothing is missed after a fork.

#include "machine/FileChanges.h"
#include "machine/FileStore.h"
#include "machine/ParsedFile.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/TempMachine.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

TEST(FileChanges, EveryKindOfChangeIsSeenByTheNextLook)
{
    testing_support::TempMachine m;
    const fs::path folder = m.root() / "f";
    fs::create_directories(folder);
    const fs::path file = folder / "x.txt";

    struct Step
    {
        const char* what;
        std::function<void()> change;
    };
    const std::vector<Step> steps = {
        {"made by another process",
         [&] {
             testing_support::InOtherProcess([&]
                                             { return machine::WriteFileAtomically(file, "one"); });
         }},
        {"replaced by a rename",
         [&]
         {
             ASSERT_TRUE(machine::WriteFileAtomically(folder / "y.txt", "two!"));
             fs::rename(folder / "y.txt", file);
         }},
        {"written in place, same size",
         [&] { std::ofstream(file, std::ios::binary | std::ios::trunc) << "two?"; }},
        {"its mode changed", [&] { ::chmod(file.c_str(), 0600); }},
        {"removed", [&] { fs::remove(file); }},
        {"its folder removed and made anew, the file with it",
         [&]
         {
             fs::remove_all(folder);
             fs::create_directories(folder);
             std::ofstream(file) << "three";
         }},
    };
    auto seen = machine::VersionOf(file);
    EXPECT_FALSE(seen.has_value());
    for (const Step& step : steps)
    {
        step.change();
        const auto now = machine::VersionOf(file);
        EXPECT_EQ(now, machine::StatVersionOf(file)) << step.what;
        EXPECT_NE(now, seen) << step.what;
        seen = now;
        EXPECT_EQ(machine::VersionOf(file), seen) << step.what << ": nothing since";
    }
}

TEST(FileChanges, AFileInFoldersNotYetMadeIsSeenWhenTheyAndItAreMade)
{
    testing_support::TempMachine m;
    const fs::path file = m.root() / "a" / "b" / "x.txt";
    const auto inOther = [](const std::function<void()>& change)
    {
        testing_support::InOtherProcess(
            [&]
            {
                change();
                return true;
            });
    };
    EXPECT_FALSE(machine::VersionOf(file).has_value());
    EXPECT_FALSE(machine::VersionOf(file).has_value()) << "looked at again";
    inOther([&] { fs::create_directories(m.root() / "a"); });
    EXPECT_FALSE(machine::VersionOf(file).has_value()) << "the outer folder made";
    inOther([&] { fs::create_directories(file.parent_path()); });
    EXPECT_FALSE(machine::VersionOf(file).has_value()) << "the inner folder made";
    inOther([&] { std::ofstream(file) << "one"; });
    EXPECT_TRUE(machine::VersionOf(file).has_value()) << "the file made";
    EXPECT_EQ(machine::VersionOf(file), machine::StatVersionOf(file));
    inOther([&] { fs::remove_all(m.root() / "a"); });
    EXPECT_FALSE(machine::VersionOf(file).has_value()) << "all removed";
    inOther(
        [&]
        {
            fs::create_directories(file.parent_path());
            std::ofstream(file) << "two";
        });
    EXPECT_EQ(machine::VersionOf(file), machine::StatVersionOf(file)) << "all made at once";
    EXPECT_TRUE(machine::VersionOf(file).has_value());
}

TEST(FileChanges, AScopeLooksOnceButSeesItsOwnWrites)
{
    testing_support::TempMachine m;
    const fs::path file = m.root() / "x.txt";
    ASSERT_TRUE(machine::WriteFileAtomically(file, "one"));
    const auto one = machine::VersionOf(file);
    {
        const machine::ChangeScope scope;
        EXPECT_EQ(machine::VersionOf(file), one);
        // Another process's change during the call is for the next call.
        testing_support::InOtherProcess([&] { return machine::WriteFileAtomically(file, "two"); });
        EXPECT_EQ(machine::VersionOf(file), one);
        ASSERT_TRUE(machine::WriteFileAtomically(file, "three"));
        EXPECT_EQ(machine::VersionOf(file), machine::StatVersionOf(file)) << "its own write";
    }
    EXPECT_EQ(machine::VersionOf(file), machine::StatVersionOf(file));
}

TEST(FileChanges, AForkedChildLooksWithoutTakingItsParentsNews)
{
    testing_support::TempMachine m;
    const fs::path file = m.root() / "x.txt";
    ASSERT_TRUE(machine::WriteFileAtomically(file, "one"));
    const auto one = machine::VersionOf(file);
    ASSERT_TRUE(machine::WriteFileAtomically(file, "two"));
    // The child looks (and would take the parent's pending event, were the queue shared).
    EXPECT_EQ(testing_support::InOtherProcess(
                  [&] { return machine::VersionOf(file) == machine::StatVersionOf(file); }),
              0);
    const auto two = machine::VersionOf(file);
    EXPECT_NE(two, one);
    EXPECT_EQ(two, machine::StatVersionOf(file));
}

} // namespace
