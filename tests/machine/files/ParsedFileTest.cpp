// A machine file is parsed again only when it has changed, whichever way it changed.

#include "machine/ParsedFile.h"
#include "machine/FileStore.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

TEST(ParsedFile, ParsesOncePerChange)
{
    testing_support::TempMachine m;
    const auto path = m.root() / "x.txt";
    int reads = 0;
    machine::ParsedFile<std::string> kept;
    auto load = [&]
    {
        return kept.load(path,
                         [&](const std::filesystem::path& p) -> std::optional<std::string>
                         {
                             ++reads;
                             return machine::ReadWholeFile(p);
                         });
    };
    EXPECT_FALSE(load().has_value()); // no file
    ASSERT_TRUE(machine::WriteFileAtomically(path, "one"));
    EXPECT_EQ(load(), "one");
    EXPECT_EQ(load(), "one");
    EXPECT_EQ(reads, 2);

    // Replaced whole by one of the same size at once: another inode.
    ASSERT_TRUE(machine::WriteFileAtomically(path, "two"));
    EXPECT_EQ(load(), "two");
    EXPECT_EQ(reads, 3);

    std::filesystem::remove(path);
    EXPECT_FALSE(load().has_value());
}

} // namespace
