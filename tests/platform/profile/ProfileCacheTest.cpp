#include "platform/profile/IniDocument.h"
#include "platform/profile/PrivateProfile.h"

#include "machine/FileStore.h"
#include "tests/support/TempMachine.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace
{

const char* const kFile = "C:\\Program Files\\Tessaryn\\cached";

std::filesystem::path hostFile(const testing_support::TempMachine& m)
{
    return m.cDrive() / "Program Files" / "Tessaryn" / "cached";
}

std::string value(LPCSTR section, LPCSTR key)
{
    char buffer[64];
    GetPrivateProfileStringA(section, key, "<none>", buffer, sizeof buffer, kFile);
    return buffer;
}

// Rewrites the file in place (same inode, same size), as a plain editor might, and moves its
// time on so the change is visible however coarse the file system's clock is.
void rewriteInPlace(const std::filesystem::path& file, const std::string& bytes)
{
    auto before = std::filesystem::last_write_time(file);
    std::ofstream(file, std::ios::binary | std::ios::in | std::ios::out) << bytes;
    std::filesystem::last_write_time(file, before + std::chrono::seconds(5));
}

TEST(ProfileCache, AnOutsideChangeIsSeen)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(WritePrivateProfileStringA("a", "k", "1", kFile));
    EXPECT_EQ(value("a", "k"), "1");

    rewriteInPlace(hostFile(m), "[a]\r\nk=2\r\n");
    EXPECT_EQ(value("a", "k"), "2");

    // Replaced by another file (as a rewrite through a temporary file does).
    auto aside = hostFile(m);
    aside += ".new";
    std::ofstream(aside, std::ios::binary) << "[a]\r\nk=3\r\n";
    std::filesystem::rename(aside, hostFile(m));
    EXPECT_EQ(value("a", "k"), "3");

    std::filesystem::remove(hostFile(m));
    EXPECT_EQ(value("a", "k"), "<none>");
}

TEST(ProfileCache, AWriteStartsFromTheFileOnDiskNotFromAnOldRead)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(WritePrivateProfileStringA("a", "first", "1", kFile));
    EXPECT_EQ(value("a", "first"), "1"); // now parsed and kept
    rewriteInPlace(hostFile(m), "[a]\r\nfirst=1\r\nother=2\r\n");
    ASSERT_TRUE(WritePrivateProfileStringA("a", "third", "3", kFile));
    EXPECT_EQ(machine::ReadWholeFile(hostFile(m)).value_or(""),
              "[a]\r\nfirst=1\r\nother=2\r\nthird=3\r\n");
}

TEST(ProfileCache, ManySectionsAreParsedOnceForAllTheirKeys)
{
    testing_support::TempMachine m;
    constexpr int kSections = 500;
    constexpr int kKeys = 10;
    std::string text;
    for (int s = 0; s < kSections; ++s)
    {
        text += "[PROF" + std::to_string(s + 1) + "]\r\n";
        for (int k = 0; k < kKeys; ++k)
            text += "Key" + std::to_string(k) + "=" + std::to_string(s * 100 + k) + "\r\n";
    }
    std::ofstream(hostFile(m), std::ios::binary) << text;

    const std::uint64_t start = platform::ProfileParseCount();
    std::vector<char> names(16384);
    DWORD length = GetPrivateProfileSectionNamesA(names.data(), names.size(), kFile);
    ASSERT_GT(length, 0u);
    int sections = 0;
    for (const char* name = names.data(); *name != '\0'; name += std::strlen(name) + 1)
    {
        for (int k = 0; k < kKeys; ++k)
        {
            std::string key = "key" + std::to_string(k);
            ASSERT_EQ(value(name, key.c_str()), std::to_string(sections * 100 + k)) << name;
        }
        ++sections;
    }
    EXPECT_EQ(sections, kSections);
    EXPECT_EQ(platform::ProfileParseCount() - start, 1u);

    // A write of ours keeps the parsed form current: reading on needs no new parse, and a value
    // rewritten in place needs none either, while the file reads back as written.
    ASSERT_TRUE(WritePrivateProfileStringA("PROF250", "Key3", "changed", kFile));
    EXPECT_EQ(platform::ProfileParseCount() - start, 1u);
    ASSERT_TRUE(WritePrivateProfileStringA("PROF250", "NewKey", "added", kFile));
    ASSERT_TRUE(WritePrivateProfileStringA("PROF501", "Key0", "new section", kFile));
    EXPECT_EQ(platform::ProfileParseCount() - start, 1u) << "added keys and sections parse nothing";
    EXPECT_EQ(value("PROF501", "key0"), "new section");
    const std::uint64_t afterWrite = platform::ProfileParseCount();
    EXPECT_EQ(value("PROF250", "Key3"), "changed");
    EXPECT_EQ(value("PROF250", "NewKey"), "added");
    EXPECT_EQ(value("PROF499", "Key9"), "49809");
    EXPECT_EQ(platform::ProfileParseCount(), afterWrite);
    ASSERT_TRUE(WritePrivateProfileStringA("prof250", " key3 ", "  again ", kFile));
    EXPECT_EQ(value("PROF250", "Key3"), "again");
    std::ifstream in(hostFile(m), std::ios::binary);
    const std::string written(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(written.find("\r\nKey3=  again \r\n"), std::string::npos);
}

// An added key or section changes the kept document into exactly the parse of the new text,
// whatever the file's line ends and layout.
TEST(ProfileCache, AddedKeysAndSectionsPatchTheDocumentAsTheirTextParses)
{
    const char* const texts[] = {
        "",
        "[A]\r\nk=1\r\n",
        "[A]\r\nk=1",                           // no end on the last line
        "[A]\rk=1\r",                           // lone CR ends
        "[A]\nk=1\n\n; note\n[B]\n",            // blank and comment lines close A
        "top=1\r\n[A]\r\n",                     // text before the first section; A without entries
        "[a]\r\nx\r\n[A]\r\nk=2\r\n[C]\r\nq=3", // duplicate names: the first counts
    };
    const struct
    {
        const char *section, *key, *value;
    } edits[] = {
        {"A", "new", "v"}, {" a ", " K ", " spaced "}, {"B", "k", "1"}, {"Z", "z", ""},
        {"C", "q", "4"},
    };
    for (const char* text : texts)
        for (const auto& e : edits)
        {
            platform::ini::Document patched = platform::ini::Document::Parse(text);
            auto written = patched.withValue(e.section, e.key, e.value);
            if (!written)
                continue;
            ASSERT_TRUE(patched.setValue(e.section, e.key, e.value));
            EXPECT_EQ(patched.text(), *written) << text << " + " << e.section << "/" << e.key;
            EXPECT_TRUE(patched == platform::ini::Document::Parse(*written))
                << text << " + " << e.section << "/" << e.key;
        }
}

// Every value the functions read, and the value the file's text gives when read afresh.
void expectReadsMatchTheFile(const std::filesystem::path& file, const std::string& when)
{
    const std::string bytes = machine::ReadWholeFile(file).value_or("");
    const auto fresh = platform::ini::Document::Parse(bytes);
    for (const auto& section : fresh.sections())
        for (std::size_t line : section.entries)
        {
            const auto& entry = fresh.lines()[line];
            const std::string name(fresh.nameOf(entry));
            const platform::ini::Line* first = fresh.findEntry(section, name);
            if (!entry.hasValue || first != &entry || fresh.findSection(section.name) != &section)
                continue;
            EXPECT_EQ(value(section.name.c_str(), name.c_str()), fresh.valueOf(entry))
                << when << ": " << section.name << "/" << name;
        }
    std::vector<char> names(65536);
    const DWORD length = GetPrivateProfileSectionNamesA(names.data(), names.size(), kFile);
    std::string expected;
    for (const auto& section : fresh.sections())
        expected += section.name + '\0';
    EXPECT_EQ(std::string(names.data(), length), expected) << when;
}

// Writes of every kind, with other processes' rewrites between them: what is read is always what
// the file holds, and each write starts from the file as it is.
TEST(ProfileCache, KeptTextFollowsWritesAndOutsideChanges)
{
    testing_support::TempMachine m;
    std::string text = "; settings\r\n";
    for (int s = 0; s < 30; ++s)
    {
        text += "[P" + std::to_string(s) + "]\r\n";
        for (int k = 0; k < 5; ++k)
            text += "K" + std::to_string(k) + " = v" + std::to_string(s * 10 + k) + "\n";
        text += "\r\n";
    }
    std::ofstream(hostFile(m), std::ios::binary) << text;
    expectReadsMatchTheFile(hostFile(m), "start");

    const struct
    {
        const char *section, *key, *value;
    } writes[] = {
        {"P15", "K2", "a value far longer than the one it replaces"},
        {"P15", "K2", "x"},
        {"P15", "New", "added in the middle"},
        {"P29", "K4", "last section"},
        {"Fresh", "F", "a section at the end"},
        {"Fresh", "G", "and a second key"},
        {"P3", "K0", nullptr},
        {"P4", nullptr, nullptr},
        {"P0", nullptr, nullptr},
        {"Fresh", nullptr, nullptr},
        {"P20", "K1", "after all that"},
    };
    int step = 0;
    for (const auto& w : writes)
    {
        const std::string when = "write " + std::to_string(step++);
        const std::string before = machine::ReadWholeFile(hostFile(m)).value_or("");
        ASSERT_TRUE(WritePrivateProfileStringA(w.section, w.key, w.value, kFile)) << when;
        expectReadsMatchTheFile(hostFile(m), when);
        if (step % 3 == 0)
        {
            // Another process changes a value and adds a section in the file's own bytes.
            std::string changed = machine::ReadWholeFile(hostFile(m)).value_or("");
            const std::size_t at = changed.find("v21");
            if (at != std::string::npos)
                changed.replace(at, 3, "outside value");
            changed += "[Outside" + std::to_string(step) + "]\r\nO=1\r\n";
            std::ofstream(hostFile(m), std::ios::binary | std::ios::trunc) << changed;
            std::filesystem::last_write_time(hostFile(m),
                                             std::filesystem::last_write_time(hostFile(m)) +
                                                 std::chrono::seconds(5));
            expectReadsMatchTheFile(hostFile(m), when + " and an outside change");
        }
    }
    EXPECT_EQ(value("P2", "K1"), "outside value");
    EXPECT_EQ(value("P20", "K1"), "after all that");
}

// A write that fails changes neither the file nor what is read from it.
TEST(ProfileCache, AFailedWriteLeavesReadsAsTheFileIs)
{
    testing_support::TempMachine m;
    // So long a name that the file beside it, written first, cannot be made.
    const std::string name(250, 'n');
    const std::string file = "C:\\" + name;
    std::ofstream(m.cDrive() / name, std::ios::binary) << "[a]\r\nk=old\r\n";
    char buffer[16];
    GetPrivateProfileStringA("a", "k", "", buffer, sizeof buffer, file.c_str());
    ASSERT_STREQ(buffer, "old");
    for (const char* key : {"k", "other"})
    {
        EXPECT_FALSE(WritePrivateProfileStringA("a", key, "new", file.c_str()));
        GetPrivateProfileStringA("a", key, "<none>", buffer, sizeof buffer, file.c_str());
        EXPECT_STREQ(buffer, key == std::string("k") ? "old" : "<none>");
    }
    EXPECT_EQ(machine::ReadWholeFile(m.cDrive() / name), "[a]\r\nk=old\r\n");
}

TEST(ProfileCache, ConcurrentWritersLoseNothing)
{
    testing_support::TempMachine m;
    constexpr int kThreads = 4;
    constexpr int kWrites = 25;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back(
            [t]
            {
                for (int i = 0; i < kWrites; ++i)
                {
                    std::string key = "t" + std::to_string(t) + "k" + std::to_string(i);
                    WritePrivateProfileStringA(t % 2 ? "odd" : "even", key.c_str(), "v", kFile);
                }
            });
    for (auto& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t)
        for (int i = 0; i < kWrites; ++i)
        {
            std::string key = "t" + std::to_string(t) + "k" + std::to_string(i);
            EXPECT_EQ(value(t % 2 ? "odd" : "even", key.c_str()), "v") << key;
        }
}

} // namespace
