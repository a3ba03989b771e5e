// A machine file is parsed again only when it has changed, whichever way it changed.

#include "machine/ParsedFile.h"
#include "machine/FileStore.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

namespace
{

// A file's text, kept, counting the reads.
struct CountedFile
{
    explicit CountedFile(std::filesystem::path file) : path(std::move(file)) {}

    std::filesystem::path path;
    int reads = 0;
    machine::ParsedFile<std::string> kept;

    std::optional<std::string> load()
    {
        return kept.load(path,
                         [&](const std::filesystem::path& p) -> std::optional<std::string>
                         {
                             ++reads;
                             return machine::ReadWholeFile(p);
                         });
    }
};

TEST(ParsedFile, ParsesOncePerChange)
{
    testing_support::TempMachine m;
    const auto path = m.root() / "x.txt";
    CountedFile file{path};
    auto load = [&] { return file.load(); };
    int& reads = file.reads;
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

TEST(ParsedFile, KeepsAMissingFileAsMissingUntilAnotherProcessMakesIt)
{
    testing_support::TempMachine m;
    CountedFile file{m.root() / "absent.txt"};
    EXPECT_FALSE(file.load().has_value());
    EXPECT_FALSE(file.load().has_value());
    EXPECT_EQ(file.reads, 1);
    testing_support::InOtherProcess([&]
                                    { return machine::WriteFileAtomically(file.path, "here"); });
    EXPECT_EQ(file.load(), "here");
    EXPECT_EQ(file.reads, 2);
}

} // namespace
