// The hive's journal: changes appended beside the hive, read back by every process, folded into
// the hive past a fraction of its size, and whole whatever point a writer dies at.

#include "machine/registry/HiveJournal.h"

#include "machine/FileStore.h"
#include "machine/registry/HiveStore.h"
#include "machine/registry/Registry.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <ctime>
#include <fstream>
#include <random>

using namespace std::string_literals;
namespace reg = machine::registry;
namespace fs = std::filesystem;

namespace
{

// The same machine under another name: this process keeps no parsed hive for it yet, as a
// process that starts now would not.
machine::Machine freshView(const machine::Machine& m)
{
    static int views = 0;
    fs::path root = m.root();
    for (int i = 0; i <= views; ++i)
        root /= ".";
    ++views;
    return machine::Machine(root);
}

struct stat statOf(const fs::path& path)
{
    struct stat st
    {
    };
    ::stat(path.c_str(), &st);
    return st;
}

std::string dword(std::uint32_t n)
{
    return std::string(reinterpret_cast<const char*>(&n), 4);
}

std::vector<std::string> valueNames(const machine::Machine& m, const std::string& key)
{
    std::vector<std::string> names;
    for (const auto& v : reg::DumpKey(m, key).value_or(std::vector<reg::Value>{}))
        names.push_back(v.name);
    return names;
}

TEST(HiveJournal, ChangesGoToTheJournalAndEveryProcessReadsThemBack)
{
    testing_support::TempMachine m;
    const auto& mm = m.machine();
    const std::string key = "HKCU\\Software\\Journal";
    const struct stat hive = statOf(mm.hivePath());
    ASSERT_TRUE(reg::SetDword(mm, key, "a", 1));
    ASSERT_TRUE(reg::SetString(mm, key, "b", "text"));
    ASSERT_TRUE(reg::CreateKey(mm, key + "\\Child\\Deeper"));
    ASSERT_TRUE(reg::CreateKey(mm, key + "\\Gone\\Below"));
    ASSERT_TRUE(reg::DeleteValue(mm, key, "a"));
    ASSERT_TRUE(reg::DeleteKeyTree(mm, key + "\\Gone"));
    // The hive file was not written.
    EXPECT_EQ(statOf(mm.hivePath()).st_ino, hive.st_ino);
    EXPECT_EQ(statOf(mm.hivePath()).st_size, hive.st_size);
    const std::string expected = *reg::ExportText(mm);

    const std::uint64_t parses = reg::HiveParseCount();
    EXPECT_EQ(testing_support::InOtherProcess(
                  [&]
                  {
                      // Read afresh, it is the same registry...
                      machine::Machine view = freshView(mm);
                      if (reg::ExportText(view) != expected ||
                          reg::ListSubkeys(view, key) != std::vector<std::string>{"Child"} ||
                          !reg::KeyExists(view, key + "\\Child\\Deeper"))
                          return false;
                      // ...and a change made here reaches the first process.
                      return reg::SetDword(mm, key, "c", 3) && reg::DeleteValue(mm, key, "b");
                  }),
              0);
    EXPECT_EQ(reg::GetValue(mm, key, "c")->data, dword(3));
    EXPECT_FALSE(reg::GetValue(mm, key, "b"));
    // Only what the journal gained was read.
    EXPECT_EQ(reg::HiveParseCount(), parses);
}

TEST(HiveJournal, FoldsIntoTheHiveOnceItOutgrowsItsShareOfIt)
{
    testing_support::TempMachine m;
    const auto& mm = m.machine();
    const std::string key = "HKCU\\Software\\Fold";
    const struct stat hive = statOf(mm.hivePath());
    const auto threshold = reg::JournalFoldThreshold(static_cast<std::uint64_t>(hive.st_size));
    const reg::KeyPath path = *reg::ParseKeyPath(key);
    ASSERT_TRUE(reg::CreateKey(mm, key));

    std::uint32_t n = 0;
    std::uintmax_t journalBefore = 0;
    for (; n < 100000 && fs::exists(reg::JournalPath(mm)); ++n)
    {
        journalBefore = fs::file_size(reg::JournalPath(mm));
        ASSERT_LE(journalBefore, threshold);
        ASSERT_EQ(statOf(mm.hivePath()).st_ino, hive.st_ino) << n;
        ASSERT_TRUE(reg::SetDword(mm, key, "v" + std::to_string(n), n));
    }
    // Folded by the change that took the journal past its share, and not before.
    const std::string last =
        reg::FormatJournalChange({{reg::HiveChange::Kind::SetValue, path,
                                   "v" + std::to_string(n - 1), reg::kTypeDword, dword(n - 1)}});
    EXPECT_GT(journalBefore + last.size(), threshold);
    EXPECT_NE(statOf(mm.hivePath()).st_ino, hive.st_ino);

    // The hive file by itself holds every change.
    reg::Hive fromFile;
    ASSERT_TRUE(reg::ApplyHiveText(*machine::ReadWholeFile(mm.hivePath()), fromFile).ok);
    const reg::Key* k = fromFile.find(path);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->values().size(), n);
    EXPECT_EQ(k->findValue("v" + std::to_string(n - 1))->data, dword(n - 1));
}

TEST(HiveJournal, AJournalLeftQuietIsFoldedByTheNextProcessToReadTheRegistry)
{
    testing_support::TempMachine m;
    const auto& mm = m.machine();
    const std::string key = "HKCU\\Software\\Quiet";
    ASSERT_TRUE(reg::SetDword(mm, key, "a", 1));
    const auto journal = reg::JournalPath(mm);
    ASSERT_TRUE(fs::exists(journal));
    const auto reads = [&]
    {
        return testing_support::InOtherProcess(
            [&]
            {
                machine::Machine view = freshView(mm);
                auto v = reg::GetValue(view, key, "a");
                return v && v->data == dword(1);
            });
    };
    // A change made just now: the registry is in use, and a reader leaves the journal be.
    EXPECT_EQ(reads(), 0);
    EXPECT_TRUE(fs::exists(journal));

    const auto quiet = [&]
    {
        timespec times[2];
        times[0].tv_nsec = UTIME_OMIT;
        ::clock_gettime(CLOCK_REALTIME, &times[1]);
        times[1].tv_sec -= reg::kJournalQuietSeconds + 1;
        ASSERT_EQ(::utimensat(AT_FDCWD, journal.c_str(), times, 0), 0);
    };
    quiet();
    EXPECT_EQ(reads(), 0);
    EXPECT_FALSE(fs::exists(journal)) << "folded by the reader";
    reg::Hive fromFile;
    ASSERT_TRUE(reg::ApplyHiveText(*machine::ReadWholeFile(mm.hivePath()), fromFile).ok);
    ASSERT_NE(fromFile.find(*reg::ParseKeyPath(key)), nullptr);
    EXPECT_EQ(fromFile.find(*reg::ParseKeyPath(key))->findValue("a")->data, dword(1));

    // This process, which kept the journal's parse, sees the folded hive the same; and a writer
    // that finds a quiet journal folds it before adding its own change.
    EXPECT_EQ(reg::GetValue(mm, key, "a")->data, dword(1));
    ASSERT_TRUE(reg::SetDword(mm, key, "b", 2));
    quiet();
    ASSERT_TRUE(reg::SetDword(freshView(mm), key, "c", 3));
    EXPECT_EQ(valueNames(mm, key), (std::vector<std::string>{"a", "b", "c"}));
    ASSERT_TRUE(reg::ApplyHiveText(*machine::ReadWholeFile(mm.hivePath()), fromFile).ok);
    EXPECT_NE(fromFile.find(*reg::ParseKeyPath(key))->findValue("b"), nullptr);
}

TEST(HiveJournal, AChangeCutShortIsLeftOutWholeAndOneWrittenAfterItApplies)
{
    testing_support::TempMachine m;
    const auto& mm = m.machine();
    const std::string key = "HKCU\\Software\\Torn";
    const reg::KeyPath path = *reg::ParseKeyPath(key);
    ASSERT_TRUE(reg::SetDword(mm, key, "kept", 1));
    const std::string journal = *machine::ReadWholeFile(reg::JournalPath(mm));
    const std::string change = reg::FormatJournalChange(
        {{reg::HiveChange::Kind::SetValue, path, "x", reg::kTypeDword, dword(2)},
         {reg::HiveChange::Kind::SetValue, path, "y", reg::kTypeString, "yy\0"s}});

    for (std::size_t cut = 0; cut <= change.size(); ++cut)
    {
        ASSERT_TRUE(
            machine::WriteFileAtomically(reg::JournalPath(mm), journal + change.substr(0, cut)));
        const bool whole = cut == change.size();
        const machine::Machine view = freshView(mm);
        for (const machine::Machine* reader : {&mm, &view})
        {
            EXPECT_TRUE(reg::GetValue(*reader, key, "kept")) << cut;
            EXPECT_EQ(reg::GetValue(*reader, key, "x").has_value(), whole) << cut;
            EXPECT_EQ(reg::GetValue(*reader, key, "y").has_value(), whole) << cut;
        }
    }

    // Cut within its closing line: the next writer's change must not complete it.
    for (std::size_t missing : {1u, 2u, 3u})
    {
        ASSERT_TRUE(machine::WriteFileAtomically(
            reg::JournalPath(mm), journal + change.substr(0, change.size() - missing)));
        ASSERT_TRUE(reg::SetDword(mm, key, "after", static_cast<std::uint32_t>(missing)));
        const machine::Machine view = freshView(mm);
        for (const machine::Machine* reader : {&mm, &view})
        {
            EXPECT_EQ(reg::GetValue(*reader, key, "after")->data,
                      dword(static_cast<std::uint32_t>(missing)));
            EXPECT_FALSE(reg::GetValue(*reader, key, "x")) << missing;
        }
        auto warnings = reg::HiveLoadWarnings(view);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_NE(warnings[0].find("did not finish"), std::string::npos) << warnings[0];
    }
}

TEST(HiveJournal, AFoldCutShortLoadsToTheSameRegistry)
{
    testing_support::TempMachine m;
    const auto& mm = m.machine();
    const std::string key = "HKCU\\Software\\Order";
    ASSERT_TRUE(reg::SetDword(mm, key, "A", 1));
    ASSERT_EQ(reg::FoldJournal(mm), reg::StoreStatus::Ok);
    // Applied twice, these steps would give N, A: the journal must apply once.
    ASSERT_TRUE(reg::DeleteValue(mm, key, "A"));
    ASSERT_TRUE(reg::SetDword(mm, key, "A", 2));
    ASSERT_TRUE(reg::SetDword(mm, key, "N", 3));
    const std::vector<std::string> expected = {"A", "N"};
    ASSERT_EQ(valueNames(mm, key), expected);
    const std::string journal = *machine::ReadWholeFile(reg::JournalPath(mm));

    // The writer died after writing the new hive aside, before it took the old one's place.
    std::ofstream(reg::JournalPath(mm), std::ios::app | std::ios::binary)
        << reg::FormatFoldMark({123456789, 999});
    EXPECT_EQ(valueNames(freshView(mm), key), expected);

    // The writer died after the new hive took its place, before removing the journal.
    ASSERT_EQ(reg::FoldJournal(mm), reg::StoreStatus::Ok);
    ASSERT_FALSE(fs::exists(reg::JournalPath(mm)));
    const struct stat hive = statOf(mm.hivePath());
    ASSERT_TRUE(machine::WriteFileAtomically(
        reg::JournalPath(mm),
        journal + reg::FormatFoldMark({static_cast<std::uint64_t>(hive.st_ino),
                                       static_cast<std::uint64_t>(hive.st_size)})));
    EXPECT_EQ(valueNames(freshView(mm), key), expected);
    EXPECT_FALSE(fs::exists(reg::JournalPath(mm))); // known to be in the hive: removed
    ASSERT_TRUE(reg::SetDword(mm, key, "Z", 4));
    EXPECT_EQ(valueNames(freshView(mm), key), (std::vector<std::string>{"A", "N", "Z"}));
}

TEST(HiveJournal, AWriterKilledAnywhereLeavesTheLastChangeItCompleted)
{
    testing_support::TempMachine m;
    const auto& mm = m.machine();
    const std::string key = "HKCU\\Software\\Kill";
    const reg::KeyPath path = *reg::ParseKeyPath(key);
    // A hive that takes a while to rewrite, and changes large enough that every few are folded.
    std::string filler = std::string(reg::kHiveSignature) + "\r\n[HKEY_CURRENT_USER\\Filler]\r\n";
    for (int i = 0; i < 4000; ++i)
        filler += "\"v" + std::to_string(i) + "\"=dword:00000001\r\n";
    ASSERT_TRUE(reg::ImportText(mm, filler).ok);
    const std::string padding(6000, 'p');

    std::mt19937 random(20);
    std::uint32_t next = 1; // what the next writer writes first
    for (int round = 0; round < 30; ++round)
    {
        int done[2];
        ASSERT_EQ(::pipe(done), 0);
        const pid_t writer = ::fork();
        if (writer == 0)
        {
            ::close(done[0]);
            for (std::uint32_t n = next;; ++n)
            {
                // One change of three steps: all of it counts, or none.
                reg::ChangeHive(mm,
                                [&](reg::HiveEdit& edit)
                                {
                                    edit.create(path);
                                    edit.setValue(path, "a", reg::kTypeDword, dword(n));
                                    edit.setValue(path, "pad", reg::kTypeBinary, padding);
                                    return edit.setValue(path, "b", reg::kTypeDword, dword(n));
                                });
                if (::write(done[1], &n, sizeof n) != sizeof n)
                    ::_exit(1);
            }
        }
        ::close(done[1]);
        ::usleep(static_cast<useconds_t>(1000 + random() % 15000));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
        std::uint32_t completed = next - 1, n = 0;
        while (::read(done[0], &n, sizeof n) == sizeof n)
            completed = n;
        ::close(done[0]);

        const machine::Machine view = freshView(mm);
        for (const machine::Machine* reader : {&mm, &view})
        {
            ASSERT_EQ(reg::HiveLoadError(*reader), "");
            auto a = reg::GetValue(*reader, key, "a");
            auto b = reg::GetValue(*reader, key, "b");
            if (completed == 0 && !a)
                continue; // killed before its first change
            ASSERT_TRUE(a && b) << round;
            ASSERT_EQ(a->data, b->data) << round;
            std::uint32_t value = 0;
            std::memcpy(&value, a->data.data(), 4);
            // The one it was writing when killed may have been complete.
            ASSERT_TRUE(value == completed || value == completed + 1)
                << round << ": " << value << " after " << completed;
            next = value + 1;
        }
    }
    // Whatever was left, the next change and fold serve.
    ASSERT_TRUE(reg::SetDword(mm, key, "end", 1));
    ASSERT_EQ(reg::FoldJournal(mm), reg::StoreStatus::Ok);
    EXPECT_TRUE(reg::GetValue(freshView(mm), key, "end"));
}

} // namespace
