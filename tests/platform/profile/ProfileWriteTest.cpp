#include "platform/profile/PrivateProfile.h"

#include "machine/FileStore.h"
#include "tests/support/TempMachine.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace
{

const char* const kFile = ".\\KQ21_{GUID}_prof"; // in the current directory

std::filesystem::path hostFile(const testing_support::TempMachine& m)
{
    return m.cDrive() / "Program Files" / "Tessaryn" / "KQ21_{GUID}_prof";
}

void put(const std::filesystem::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

std::optional<std::string> contents(const std::filesystem::path& file)
{
    return machine::ReadWholeFile(file);
}

ino_t inodeOf(const std::filesystem::path& file)
{
    struct stat st;
    return ::stat(file.c_str(), &st) == 0 ? st.st_ino : 0;
}

struct Write
{
    const char* section;
    const char* key;   // nullptr deletes the section
    const char* value; // nullptr deletes the key
};

struct Case
{
    const char* what;
    std::optional<std::string> before; // nullopt: no file
    Write write;
    std::string after;
};

TEST(ProfileWrite, FileContentsAfterEachKindOfWrite)
{
    const Case cases[] = {
        {"new file", std::nullopt, {"Config", "SSID", "home"}, "[Config]\r\nSSID=home\r\n"},
        {"empty value", std::nullopt, {"a", "k", ""}, "[a]\r\nk=\r\n"},
        {"names trimmed, value as given",
         std::nullopt,
         {"  a ", "\tk  ", " \"q\" "},
         "[a]\r\nk= \"q\" \r\n"},
        {"new section at the end, no blank line",
         "[a]\r\nx=1\r\n",
         {"b", "y", "2"},
         "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        {"new key after the section's last entry",
         "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n",
         {"a", "z", "3"},
         "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n"},
        {"new key before a comment that leads the next section",
         "[a]\r\nx=1\r\n; about b\r\n[b]\r\n",
         {"A", "z", "3"},
         "[a]\r\nx=1\r\nz=3\r\n; about b\r\n[b]\r\n"},
        {"new key in a section without entries",
         "[a]\r\n[b]\r\n",
         {"a", "z", "3"},
         "[a]\r\nz=3\r\n[b]\r\n"},
        {"changed key: one line rewritten, the file's spelling kept",
         "; top\r\n[Config]\r\n  SSID =  old  \r\n\tweird  line\r\n;c\r\nX=1\r\n",
         {"config", "ssid", "new"},
         "; top\r\n[Config]\r\nSSID=new\r\n\tweird  line\r\n;c\r\nX=1\r\n"},
        {"deleted key",
         "[a]\r\nx=1\r\ny=2\r\n[b]\r\nx=3\r\n",
         {"a", "X", nullptr},
         "[a]\r\ny=2\r\n[b]\r\nx=3\r\n"},
        {"deleted section takes its comments and blank lines",
         "top\r\n[a]\r\nx=1\r\n\r\n[b]\r\n; b's\r\ny=2\r\n\r\n[c]\r\nz=3",
         {"B", nullptr, nullptr},
         "top\r\n[a]\r\nx=1\r\n\r\n[c]\r\nz=3"},
        {"deleted last section",
         "[a]\r\nx=1\r\n[b]\r\ny=2",
         {"b", nullptr, nullptr},
         "[a]\r\nx=1\r\n"},
        {"LF-only file: only the new line has CR LF",
         "[a]\nx=1\n\n[b]\ny=2\n",
         {"a", "z", "3"},
         "[a]\nx=1\nz=3\r\n\n[b]\ny=2\n"},
        {"LF-only file: changed line",
         "[a]\nx=1\n\n[b]\ny=2\n",
         {"b", "y", "5"},
         "[a]\nx=1\n\n[b]\ny=5\r\n"},
        {"no final line end: new key", "[a]\r\nx=1", {"a", "y", "2"}, "[a]\r\nx=1\r\ny=2\r\n"},
        {"no final line end: new section",
         "[a]\r\nx=1",
         {"b", "y", "2"},
         "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
        {"no final line end: changed key", "[a]\r\nx=1", {"a", "x", "2"}, "[a]\r\nx=2\r\n"},
        {"no final line end: deleted key",
         "[a]\r\nw=0\r\nx=1",
         {"a", "x", nullptr},
         "[a]\r\nw=0\r\n"},
        {"header without line end", "[a]", {"a", "x", "1"}, "[a]\r\nx=1\r\n"},
        {"duplicate sections: the first is written",
         "[P]\r\na=1\r\n[p]\r\na=2\r\n",
         {"p", "a", "9"},
         "[P]\r\na=9\r\n[p]\r\na=2\r\n"},
        {"duplicate sections: a new key goes to the first",
         "[P]\r\na=1\r\n[p]\r\na=2\r\n",
         {"p", "b", "1"},
         "[P]\r\na=1\r\nb=1\r\n[p]\r\na=2\r\n"},
        {"duplicate sections: the first is deleted",
         "[P]\r\na=1\r\n[p]\r\na=2\r\n",
         {"p", nullptr, nullptr},
         "[p]\r\na=2\r\n"},
        {"duplicate keys: the first is written",
         "[a]\r\nk=1\r\nK=2\r\n",
         {"a", "k", "3"},
         "[a]\r\nk=3\r\nK=2\r\n"},
        {"text before the first section stays",
         "orphan=1\r\n; note\r\n",
         {"a", "k", "v"},
         "orphan=1\r\n; note\r\n[a]\r\nk=v\r\n"},
        {"a key like a comment further in is fine",
         std::nullopt,
         {"a", "x;y", "1"},
         "[a]\r\nx;y=1\r\n"},
    };
    for (const auto& c : cases)
    {
        testing_support::TempMachine m;
        if (c.before)
            put(hostFile(m), *c.before);
        SetLastError(777);
        EXPECT_TRUE(WritePrivateProfileStringA(c.write.section, c.write.key, c.write.value, kFile))
            << c.what;
        EXPECT_EQ(contents(hostFile(m)).value_or("<no file>"), c.after) << c.what;
    }
}

TEST(ProfileWrite, WhatWasWrittenReadsBack)
{
    testing_support::TempMachine m;
    ASSERT_TRUE(WritePrivateProfileStringA("PROF1", "SSID", "my net", kFile));
    ASSERT_TRUE(WritePrivateProfileStringA("prof1", "Key", "  'quoted'  ", kFile));
    ASSERT_TRUE(WritePrivateProfileStringA("PROF10", "SSID", "other", kFile));
    char buffer[64];
    GetPrivateProfileStringA("Prof1", "ssid", "", buffer, sizeof buffer, kFile);
    EXPECT_STREQ(buffer, "my net");
    GetPrivateProfileStringA("PROF1", "Key", "", buffer, sizeof buffer, kFile);
    EXPECT_STREQ(buffer, "quoted");
    ASSERT_TRUE(WritePrivateProfileStringA("PROF1", "SSID", nullptr, kFile));
    EXPECT_EQ(GetPrivateProfileStringA("PROF1", "SSID", "gone", buffer, sizeof buffer, kFile), 4u);
    ASSERT_TRUE(WritePrivateProfileStringA("PROF1", nullptr, nullptr, kFile));
    EXPECT_EQ(GetPrivateProfileSectionNamesA(buffer, sizeof buffer, kFile), 7u);
    EXPECT_EQ(std::string(buffer, 8), std::string("PROF10\0\0", 8));
}

TEST(ProfileWrite, WritesThatChangeNothingLeaveTheFileAlone)
{
    testing_support::TempMachine m;
    const std::string before = "[a]\nx = 1\nk=v\n";
    put(hostFile(m), before);
    ino_t inode = inodeOf(hostFile(m));
    const Write writes[] = {
        {"a", "k", "v"},           // same text
        {"a", "missing", nullptr}, // no such key
        {"none", "x", nullptr},    // no such section
        {"none", nullptr, nullptr},
    };
    for (const auto& w : writes)
    {
        EXPECT_TRUE(WritePrivateProfileStringA(w.section, w.key, w.value, kFile));
        EXPECT_EQ(contents(hostFile(m)), before);
        EXPECT_EQ(inodeOf(hostFile(m)), inode) << "rewritten for " << w.section;
    }
    // Deleting from a file that does not exist creates none.
    EXPECT_TRUE(WritePrivateProfileStringA("a", "x", nullptr, "C:\\absent"));
    EXPECT_TRUE(WritePrivateProfileStringA("a", nullptr, nullptr, "C:\\absent"));
    EXPECT_FALSE(std::filesystem::exists(m.cDrive() / "absent"));
    // The platform's "flush the cache" form answers FALSE.
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, nullptr, nullptr, kFile));
}

TEST(ProfileWrite, NamesThatWouldCorruptTheFileAreRefused)
{
    const Write writes[] = {
        {"a]b", "k", "v"},      {"a\r\n[x", "k", "v"},  {"a\nb", nullptr, nullptr},
        {"a", "k=x", "v"},      {"a", "k\nx", "v"},     {"a", ";k", "v"},
        {"a", "  [k]", "v"},    {"a", "k", "v\r\nx=1"}, {"a", "k", "line\n"},
        {"a", "k", "cr\ronly"}, {"a", "k\r", nullptr},
    };
    for (bool exists : {true, false})
    {
        testing_support::TempMachine m;
        const std::string before = "[a]\r\nk=old\r\n";
        if (exists)
            put(hostFile(m), before);
        for (const auto& w : writes)
        {
            SetLastError(0);
            EXPECT_FALSE(WritePrivateProfileStringA(w.section, w.key, w.value, kFile))
                << w.section << " / " << (w.key ? w.key : "<null>");
            EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
            EXPECT_EQ(contents(hostFile(m)), exists ? std::optional(before) : std::nullopt);
        }
        EXPECT_FALSE(WritePrivateProfileSectionA("a", "ok=1\0bad\n=2\0", kFile));
        EXPECT_FALSE(WritePrivateProfileSectionA("a", "ok=1\0 [hdr]\0", kFile));
        EXPECT_FALSE(WritePrivateProfileSectionA("a]", "ok=1\0", kFile));
        EXPECT_EQ(contents(hostFile(m)), exists ? std::optional(before) : std::nullopt);
    }
}

TEST(ProfileWrite, WholeSections)
{
    testing_support::TempMachine m;
    put(hostFile(m), "[a]\r\nx=1\r\n;c\r\n\r\n[b]\r\ny=2\r\n");
    ASSERT_TRUE(WritePrivateProfileSectionA("A", "p=1\0q = 2\0", kFile));
    EXPECT_EQ(*contents(hostFile(m)), "[a]\r\np=1\r\nq = 2\r\n\r\n[b]\r\ny=2\r\n");
    ASSERT_TRUE(WritePrivateProfileSectionA("c", "z=3\0", kFile));
    EXPECT_EQ(*contents(hostFile(m)), "[a]\r\np=1\r\nq = 2\r\n\r\n[b]\r\ny=2\r\n[c]\r\nz=3\r\n");
    ASSERT_TRUE(WritePrivateProfileSectionA("b", "", kFile));
    EXPECT_EQ(*contents(hostFile(m)), "[a]\r\np=1\r\nq = 2\r\n\r\n[b]\r\n[c]\r\nz=3\r\n");
    ASSERT_TRUE(WritePrivateProfileSectionA("a", nullptr, kFile));
    EXPECT_EQ(*contents(hostFile(m)), "[b]\r\n[c]\r\nz=3\r\n");
}

TEST(ProfileWrite, FilesAreOwnerOnlyAndFailuresReported)
{
    testing_support::TempMachine m;
    put(hostFile(m), "[a]\r\nk=1\r\n");
    std::filesystem::permissions(hostFile(m), std::filesystem::perms(0644));
    ASSERT_TRUE(WritePrivateProfileStringA("a", "key", "secret", kFile));
    EXPECT_EQ(std::filesystem::status(hostFile(m)).permissions(), std::filesystem::perms(0600));
    ASSERT_TRUE(WritePrivateProfileStringA("a", "key", "secret", "C:\\fresh"));
    EXPECT_EQ(std::filesystem::status(m.cDrive() / "fresh").permissions(),
              std::filesystem::perms(0600));

    EXPECT_FALSE(WritePrivateProfileStringA("a", "k", "v", "C:\\No Folder\\file"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(WritePrivateProfileStringA("a", "k", "v", "C:\\Windows"));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_FALSE(WritePrivateProfileStringA("a", "k", "v", "C:\\bad|name"));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
    EXPECT_FALSE(WritePrivateProfileStringA("a", "k", "v", "\\\\.\\NBRG"));
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(WritePrivateProfileStringA(nullptr, "k", "v", kFile));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    // Nothing is left beside the files.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(m.cDrive()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos);
}

} // namespace
