#include "client/app/SettingsStore.h"

#include "client/access/AdapterState.h"
#include "client/app/ProgramObjects.h"
#include "machine/FileStore.h"
#include "tests/support/TempMachine.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>

namespace
{

const char kGuid[] = "{6B1E3A52-0C4D-4F7A-9E21-7D5C0B8A1F33}";

class SettingsStoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_nChipType = 4;
        ASSERT_TRUE(SetCurrentDirectoryA("C:\\Program Files\\Tessaryn"));
        writeSetting("[config]\r\ntype=2\r\ndir=C:\\Data\\\r\n");
        std::filesystem::create_directories(m.cDrive() / "Data");
        theApp.BuildDataDirectory();
    }

    void writeSetting(const std::string& text)
    {
        machine::WriteFileAtomically(m.cDrive() / "Program Files" / "Tessaryn" / "setting", text);
    }
    std::filesystem::path profileFile() const
    {
        return m.cDrive() / "Data" / (std::string("KQ21_") + kGuid + "_prof");
    }
    std::string readProfileFile() const
    {
        return machine::ReadWholeFile(profileFile()).value_or("<missing>");
    }
    void writeProfileFile(const std::string& text)
    {
        machine::WriteFileAtomically(profileFile(), text);
    }

    testing_support::TempMachine m;
};

TEST_F(SettingsStoreTest, FileNamesJoinDirectoryChipPrefixNameAndKind)
{
    EXPECT_STREQ(GetIniFileName(kGuid, INI_KIND_STATION),
                 (std::string("C:\\Data\\KQ21_") + kGuid + "_sta").c_str());
    EXPECT_STREQ(GetIniFileName(kGuid, INI_KIND_AP),
                 (std::string("C:\\Data\\KQ21_") + kGuid + "_ap").c_str());
    EXPECT_STREQ(GetIniFileName(kGuid, 7), (std::string("C:\\Data\\KQ21_") + kGuid).c_str());
    g_nChipType = 7;
    EXPECT_STREQ(GetIniFileName("X", INI_KIND_PROFILE), "C:\\Data\\KQ3300_X_prof");
}

TEST_F(SettingsStoreTest, AnEmptyDataDirectoryMeansTheCurrentDirectory)
{
    writeSetting("[config]\r\ntype=3\r\n");
    theApp.BuildDataDirectory();
    EXPECT_STREQ(theApp.GetDataDir(), "");

    writeSetting("[config]\r\ntype=2\r\ndir=\r\n");
    theApp.BuildDataDirectory();
    EXPECT_TRUE(SetIniValue(kGuid, INI_KIND_STATION, "Config", "CurProfile", "PROF1"));
    EXPECT_TRUE(std::filesystem::exists(m.cDrive() / "Program Files" / "Tessaryn" /
                                        (std::string("KQ21_") + kGuid + "_sta")));
    char value[128];
    GetIniValue(kGuid, INI_KIND_STATION, "Config", "CurProfile", value, sizeof value);
    EXPECT_STREQ(value, "PROF1");
}

TEST_F(SettingsStoreTest, MissingValuesReadEmpty)
{
    char value[16] = "junk";
    GetIniValue(kGuid, INI_KIND_PROFILE, "PROF1", "SSID", value, sizeof value);
    EXPECT_STREQ(value, "");
}

TEST_F(SettingsStoreTest, NewProfileGetsAllKeysEmptyInOrder)
{
    WriteIniProfileKeys(kGuid, "PROF1");
    std::string expected = "[PROF1]\r\n";
    for (LPCSTR key : g_szProfileKeys)
        expected += std::string(key) + "=\r\n";
    EXPECT_EQ(readProfileFile(), expected);
}

TEST_F(SettingsStoreTest, SectionExistsComparesExactly)
{
    writeProfileFile("[PROF1]\r\nSSID=a\r\n[Home Net]\r\nSSID=b\r\n");
    EXPECT_EQ(IniSectionExists(kGuid, "PROF1"), 1);
    EXPECT_EQ(IniSectionExists(kGuid, "Home Net"), 1);
    EXPECT_EQ(IniSectionExists(kGuid, "prof1"), 0);
    EXPECT_EQ(IniSectionExists(kGuid, "PROF"), 0);
}

TEST_F(SettingsStoreTest, DeleteRemovesOnlyTheNamedSectionAndKeepsEverythingElse)
{
    // Text before the first header and a last line without a line end survive the rewrite.
    writeProfileFile("; profiles\r\n"
                     "[PROF10]\r\nSSID=ten\r\n"
                     "[PROF1]\r\nSSID=one\r\nWPAPSK=secret\r\n"
                     "[PROF11]\r\nSSID=eleven\n"
                     "[PROF1]\r\nSSID=again\r\n"
                     "[PROF2]\r\nSSID=two");
    EXPECT_EQ(DeleteIniSection(kGuid, "PROF1"), 1);
    EXPECT_EQ(readProfileFile(), "; profiles\r\n"
                                 "[PROF10]\r\nSSID=ten\r\n"
                                 "[PROF11]\r\nSSID=eleven\n"
                                 "[PROF2]\r\nSSID=two");
    char value[16];
    GetIniValue(kGuid, INI_KIND_PROFILE, "PROF2", "SSID", value, sizeof value);
    EXPECT_STREQ(value, "two");
}

// Headers are what the private-profile functions take for headers: an indented one starts a
// section of its own (it was swallowed with the deleted one before it), and one with blanks
// inside its brackets names the section it reads as.
TEST_F(SettingsStoreTest, DeleteSeesHeadersAsTheProfileFunctionsReadThem)
{
    const struct
    {
        const char* file;
        const char* left;
    } cases[] = {
        {"[PROF1]\r\nSSID=one\r\n  [PROF2]\r\nSSID=two\r\n", "  [PROF2]\r\nSSID=two\r\n"},
        {"[PROF1]\r\nSSID=one\r\n\t[PROF2]\nSSID=two", "\t[PROF2]\nSSID=two"},
        {"[PROF2]\r\nSSID=two\r\n[ PROF1 ]\r\nSSID=one\r\n", "[PROF2]\r\nSSID=two\r\n"},
        {"[PROF2]\r\nSSID=two\r\n [PROF1\r\nSSID=one\r\n", "[PROF2]\r\nSSID=two\r\n"},
    };
    for (const auto& c : cases)
    {
        writeProfileFile(c.file);
        EXPECT_EQ(DeleteIniSection(kGuid, "PROF1"), 1) << c.file;
        EXPECT_EQ(readProfileFile(), c.left) << c.file;
        char value[16] = "";
        GetIniValue(kGuid, INI_KIND_PROFILE, "PROF2", "SSID", value, sizeof value);
        EXPECT_STREQ(value, "two") << c.file;
        GetIniValue(kGuid, INI_KIND_PROFILE, "PROF1", "SSID", value, sizeof value);
        EXPECT_STREQ(value, "") << c.file;
    }
}

TEST_F(SettingsStoreTest, DeleteFailsWithoutTouchingTheFile)
{
    EXPECT_EQ(DeleteIniSection(kGuid, "PROF1"), 0); // no file

    const std::string original = "[PROF1]\r\nSSID=one\r\n[PROF2]\r\nSSID=two\r\n";
    writeProfileFile(original);
    // Nothing can be written beside the file: the original stays whole.
    std::filesystem::path aside = profileFile();
    aside += ".new";
    std::filesystem::create_directories(aside / "blocker");
    EXPECT_EQ(DeleteIniSection(kGuid, "PROF1"), 0);
    EXPECT_EQ(readProfileFile(), original);
}

TEST_F(SettingsStoreTest, CopyWritesEveryProfileKeyIntoConfig)
{
    writeProfileFile("[PROF1]\r\nSSID=Cafe\r\nChannel=6\r\n");
    SetIniValue(kGuid, INI_KIND_STATION, "Config", "CurProfile", "PROF1");
    SetIniValue(kGuid, INI_KIND_STATION, "Config", "WPAPSK", "old key");
    CopyIniSection(kGuid, "PROF1");

    char value[128];
    GetIniValue(kGuid, INI_KIND_STATION, "Config", "SSID", value, sizeof value);
    EXPECT_STREQ(value, "Cafe");
    GetIniValue(kGuid, INI_KIND_STATION, "Config", "WPAPSK", value, sizeof value);
    EXPECT_STREQ(value, "");
    GetIniValue(kGuid, INI_KIND_STATION, "Config", "CurProfile", value, sizeof value);
    EXPECT_STREQ(value, "PROF1"); // keys outside the list are kept
    std::string station =
        machine::ReadWholeFile(m.cDrive() / "Data" / (std::string("KQ21_") + kGuid + "_sta"))
            .value_or("");
    EXPECT_NE(station.find("WPAPSK=\r\n"), std::string::npos);
}

TEST_F(SettingsStoreTest, SectionNamesStopAtTheListBufferWithWholeNamesOnly)
{
    // 90 names of 11 bytes with their zero: 90 fit in 999 bytes plus the closing zero, so
    // exactly 90 names of 120 come back, none of them cut.
    std::string text;
    for (int i = 0; i < 120; i++)
    {
        char name[16];
        snprintf(name, sizeof name, "PROFILE%03d", i);
        text += std::string("[") + name + "]\r\nSSID=x\r\n";
    }
    writeProfileFile(text);
    CStringArray list;
    list.Add("stale");
    GetIniSectionNames(kGuid, list);
    ASSERT_EQ(list.GetSize(), 90);
    EXPECT_STREQ(list.GetAt(0), "PROFILE000");
    EXPECT_STREQ(list.GetAt(89), "PROFILE089");

    // A name that would straddle the limit is left out rather than cut.
    writeProfileFile("[" + std::string(990, 'A') + "]\r\n[BBBBBBBBBBBBBBBBBBBB]\r\n");
    GetIniSectionNames(kGuid, list);
    ASSERT_EQ(list.GetSize(), 1);
    EXPECT_EQ(list.GetAt(0).GetLength(), 990);
}

} // namespace
