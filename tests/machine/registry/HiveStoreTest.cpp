#include "machine/registry/HiveStore.h"

#include "machine/FileStore.h"
#include "machine/registry/HiveJournal.h"
#include "machine/registry/HiveText.h"
#include "machine/registry/Registry.h"
#include "tests/support/InOtherProcess.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace std::string_literals;
namespace reg = machine::registry;

namespace
{

TEST(HiveStore, ANewMachineHasTheDefaultRegistry)
{
    testing_support::TempMachine m;
    auto local = reg::GetValue(m.machine(), "HKCU\\Volatile Environment", "LOCALAPPDATA");
    ASSERT_TRUE(local);
    EXPECT_EQ(local->type, reg::kTypeString);
    EXPECT_EQ(local->data, "C:\\Users\\Owner\\AppData\\Local\0"s);
    const char* version = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    EXPECT_EQ(reg::GetValue(m.machine(), version, "ProductName")->data,
              "Windows Vista (TM) Business\0"s);
    EXPECT_EQ(reg::GetValue(m.machine(), version, "CurrentVersion")->data, "6.0\0"s);
    EXPECT_EQ(reg::GetValue(m.machine(), version, "CurrentBuildNumber")->data, "6002\0"s);
    EXPECT_EQ(reg::DumpKey(m.machine(), "HKLM\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
                                        "{4D36E972-E325-11CE-BFC1-08002BE10318}")
                  ->size(),
              0u);
    EXPECT_TRUE(reg::KeyExists(m.machine(),
                               "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters"));
    // A person can read it, and only the owner may.
    auto text = machine::ReadWholeFile(m.machine().hivePath());
    ASSERT_TRUE(text);
    EXPECT_EQ(text->rfind(reg::kHiveSignature, 0), 0u);
    struct stat st
    {
    };
    ASSERT_EQ(::stat(m.machine().hivePath().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(HiveStore, ChangesReachTheFileAndAnotherProcess)
{
    testing_support::TempMachine m;
    const char* key = "HKLM\\SOFTWARE\\Tessaryn\\Shared";
    ASSERT_TRUE(reg::SetValue(m.machine(), key, "OpMode", reg::kTypeString, "1"));
    // The other process sees this process's change, makes its own...
    EXPECT_EQ(testing_support::InOtherProcess(
                  [&]
                  {
                      auto v = reg::GetValue(m.machine(), key, "OpMode");
                      return v && v->data == "1" &&
                             reg::SetValue(m.machine(), key, "OpMode", reg::kTypeString, "0") &&
                             reg::SetDword(m.machine(), key, "Other", 7);
                  }),
              0);
    // ...and this one sees it on the next call.
    auto values = reg::DumpKey(m.machine(), key);
    ASSERT_TRUE(values);
    ASSERT_EQ(values->size(), 2u);
    EXPECT_EQ((*values)[0], (reg::Value{"OpMode", reg::kTypeString, "0"}));
    EXPECT_EQ((*values)[1], (reg::Value{"Other", reg::kTypeDword, "\7\0\0\0"s}));

    // What is on disk is exactly what a fresh parse gives: the hive file, then its journal
    // imported over it as the registry editor would.
    reg::Hive fromFile;
    ASSERT_TRUE(reg::ApplyHiveText(*machine::ReadWholeFile(m.machine().hivePath()), fromFile).ok);
    ASSERT_TRUE(
        reg::ApplyHiveText(*machine::ReadWholeFile(reg::JournalPath(m.machine())), fromFile).ok);
    EXPECT_EQ(fromFile.find(*reg::ParseKeyPath(key))->values(), *values);
}

TEST(HiveStore, RepeatedReadsParseOnceAndAnOutsideEditIsSeen)
{
    testing_support::TempMachine m;
    const char* key = "HKCU\\Volatile Environment";
    reg::GetValue(m.machine(), key, "LOCALAPPDATA");
    std::uint64_t parses = reg::HiveParseCount();
    for (int i = 0; i < 50; ++i)
        ASSERT_TRUE(reg::GetValue(m.machine(), key, "LOCALAPPDATA"));
    // Our own change is kept in memory as it is written.
    ASSERT_TRUE(reg::SetDword(m.machine(), key, "Count", 1));
    ASSERT_TRUE(reg::GetValue(m.machine(), key, "Count"));
    EXPECT_EQ(reg::HiveParseCount(), parses);

    // A person edits the file with the same length of text in the same instant.
    std::string text = *machine::ReadWholeFile(m.machine().hivePath());
    std::size_t at = text.find("Users\\\\Owner");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 12, "Users\\\\Other");
    struct stat before
    {
    };
    ::stat(m.machine().hivePath().c_str(), &before);
    ASSERT_TRUE(machine::WriteFileAtomically(m.machine().hivePath(), text));
    timespec times[2] = {before.st_atim, before.st_mtim};
    ::utimensat(AT_FDCWD, m.machine().hivePath().c_str(), times, 0);

    EXPECT_EQ(reg::GetValue(m.machine(), key, "LOCALAPPDATA")->data,
              "C:\\Users\\Other\\AppData\\Local\0"s);
    EXPECT_EQ(reg::GetValue(m.machine(), key, "Count")->data, "\1\0\0\0"s); // from the journal
    EXPECT_EQ(reg::HiveParseCount(), parses + 1);
}

TEST(HiveStore, EveryRewriteGivesTheFileANewStamp)
{
    // Two rewrites within one clock tick must still look different to a reader's cache.
    testing_support::TempMachine m;
    struct stat last
    {
    };
    ASSERT_EQ(::stat(m.machine().hivePath().c_str(), &last), 0);
    for (int i = 0; i < 20; ++i)
    {
        ASSERT_TRUE(reg::SetDword(m.machine(), "HKCU\\Tick", "n", static_cast<std::uint32_t>(i)));
        ASSERT_EQ(reg::FoldJournal(m.machine()), reg::StoreStatus::Ok);
        struct stat now
        {
        };
        ASSERT_EQ(::stat(m.machine().hivePath().c_str(), &now), 0);
        EXPECT_TRUE(now.st_mtim.tv_sec > last.st_mtim.tv_sec ||
                    (now.st_mtim.tv_sec == last.st_mtim.tv_sec &&
                     now.st_mtim.tv_nsec > last.st_mtim.tv_nsec));
        last = now;
    }
}

TEST(HiveStore, AFileThatIsNotAHiveIsRefusedAndLeftAlone)
{
    testing_support::TempMachine m;
    const std::string garbage = "[HKEY_CURRENT_USER\\x]\n\"a\"=dword:1\n";
    ASSERT_TRUE(machine::WriteFileAtomically(m.machine().hivePath(), garbage));
    EXPECT_EQ(reg::ReadHive(m.machine(), [](const reg::Hive&) {}), reg::StoreStatus::Corrupt);
    EXPECT_FALSE(reg::SetDword(m.machine(), "HKCU\\x", "b", 2));
    EXPECT_FALSE(
        reg::ImportText(m.machine(), std::string(reg::kHiveSignature) + "\n[HKCU\\y]\n").ok);
    EXPECT_FALSE(reg::HiveLoadError(m.machine()).empty());
    EXPECT_EQ(*machine::ReadWholeFile(m.machine().hivePath()), garbage);

    // Mended by hand: used again.
    ASSERT_TRUE(machine::WriteFileAtomically(m.machine().hivePath(),
                                             std::string(reg::kHiveSignature) + "\n" + garbage));
    EXPECT_EQ(reg::GetValue(m.machine(), "HKCU\\x", "a")->data, "\1\0\0\0"s);
}

TEST(HiveStore, SkippedLinesAreReportedAndTheRestServes)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(machine::WriteFileAtomically(
        m.machine().hivePath(),
        std::string(reg::kHiveSignature) + "\n[HKCU\\x]\n\"bad\"=dword:xyz\n\"good\"=hex(1):31\n"));
    EXPECT_EQ(reg::GetValue(m.machine(), "HKCU\\x", "good")->data, "1");
    auto warnings = reg::HiveLoadWarnings(m.machine());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].rfind("line 3:", 0), 0u) << warnings[0];
}

TEST(HiveStore, UnreadableLinesSurviveEveryWriteAndAreReportedWhereTheyNowStand)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(reg::SetDword(m.machine(), "HKCU\\x", "a", 1));
    ASSERT_EQ(reg::FoldJournal(m.machine()), reg::StoreStatus::Ok);
    const std::string typo = "\"Typo\"=dword:1234567g\r\n";
    const std::string junk = "\x01\x02 appended junk\n";
    const std::string cut = "[HKEY_CURRENT_USER\\cut"; // no line end
    std::string text = *machine::ReadWholeFile(m.machine().hivePath());
    std::size_t at = text.find("\"a\"=dword:00000001\r\n");
    ASSERT_NE(at, std::string::npos);
    text.insert(at, typo);
    text += junk + cut;
    ASSERT_TRUE(machine::WriteFileAtomically(m.machine().hivePath(), text));

    ASSERT_TRUE(reg::SetDword(m.machine(), "HKCU\\x", "b", 2));
    ASSERT_TRUE(reg::DeleteValue(m.machine(), "HKCU\\x", "a"));
    ASSERT_TRUE(reg::CreateKey(m.machine(), "HKCU\\y"));
    ASSERT_EQ(reg::FoldJournal(m.machine()), reg::StoreStatus::Ok);
    std::string after = *machine::ReadWholeFile(m.machine().hivePath());
    // The junk was the last key's last line: it stays in that key, the values around it changed.
    EXPECT_NE(after.find("[HKEY_CURRENT_USER\\x]\r\n" + typo + junk + "\"b\"=dword:00000002\r\n"),
              std::string::npos)
        << after;
    EXPECT_NE(after.find(cut + "\r\n"), std::string::npos) << after;

    // Reported at the lines they stand on in the file as written last.
    auto warnings = reg::HiveLoadWarnings(m.machine());
    ASSERT_EQ(warnings.size(), 3u);
    auto lineOf = [&](const std::string& piece)
    {
        std::size_t pos = after.find(piece);
        return "line " + std::to_string(1 + std::count(after.begin(), after.begin() + pos, '\n')) +
               ":";
    };
    EXPECT_EQ(warnings[0].rfind(lineOf(typo), 0), 0u) << warnings[0];
    EXPECT_EQ(warnings[2].rfind(lineOf(cut), 0), 0u) << warnings[2];
}

TEST(HiveStore, ImportMergesAndDeletes)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(reg::SetDword(m.machine(), "HKCU\\Imp", "keep", 1));
    ASSERT_TRUE(reg::SetDword(m.machine(), "HKCU\\Imp", "drop", 2));
    ASSERT_TRUE(reg::CreateKey(m.machine(), "HKCU\\Imp\\Old\\Deeper"));
    auto report = reg::ImportText(m.machine(), std::string(reg::kHiveSignature) +
                                                   "\r\n[HKEY_CURRENT_USER\\Imp]\r\n"
                                                   "\"drop\"=-\r\n\"new\"=\"n\"\r\n"
                                                   "[-HKEY_CURRENT_USER\\Imp\\Old]\r\n");
    ASSERT_TRUE(report.ok) << report.error;
    auto values = reg::DumpKey(m.machine(), "HKCU\\Imp");
    ASSERT_EQ(values->size(), 2u);
    EXPECT_EQ((*values)[0].name, "keep");
    EXPECT_EQ((*values)[1], (reg::Value{"new", reg::kTypeString, "n\0"s}));
    EXPECT_FALSE(reg::KeyExists(m.machine(), "HKCU\\Imp\\Old"));
    EXPECT_TRUE(reg::ListSubkeys(m.machine(), "HKCU\\Imp")->empty());
}

} // namespace
