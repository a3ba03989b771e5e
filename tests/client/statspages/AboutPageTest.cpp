#include "client/status/AboutPage.h"
#include "adapter/system/Wow64.h"

#include "adapter/discovery/AdapterDiscovery.h"
#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/app/ProgramObjects.h"
#include "client/monitor/ClientGlobals.h"
#include "machine/SystemInfo.h"
#include "machine/network/Connections.h"
#include "machine/network/IpAdapters.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/VersionResource.h"
#include "platform/file/WinPath.h"
#include "platform/ui/automation/Actions.h"
#include "resources/TessarynUI/resource.h"
#include "tests/client/statspages/PageFixture.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

namespace
{

namespace mp = machine::miniport;
namespace net = machine::network;

constexpr DWORD kEepromVersion = 0xFF0C0004;
constexpr DWORD kFirmwareVersion = 0xFF0C0005;

class AboutPageTest : public statspages_test::PageFixture<CAboutPage>
{
protected:
    void SetUp() override
    {
        statspages_test::PageFixture<CAboutPage>::SetUp();
        m_nSavedChipType = g_nChipType;
        m_nSavedOsCode = OsVersionCode;
        m_bSavedWow64 = g_bWow64;
    }
    void TearDown() override
    {
        statspages_test::PageFixture<CAboutPage>::TearDown();
        g_nChipType = m_nSavedChipType;
        OsVersionCode = m_nSavedOsCode;
        g_bWow64 = m_bSavedWow64;
    }

    static std::filesystem::path HostPath(const std::string& windowsPath)
    {
        return platform::HostPath(windowsPath).value();
    }

    // A file with version information (none when `version` is empty) and that time.
    void WriteFile(const std::string& windowsPath, const std::string& version,
                   const std::string& legal, std::int64_t unixSeconds) const
    {
        std::filesystem::path host = HostPath(windowsPath);
        std::filesystem::create_directories(host.parent_path());
        std::ofstream out(host, std::ios::binary | std::ios::trunc);
        out << "test file\r\n";
        if (!version.empty())
        {
            machine::programs::VersionResource r;
            r.fileVersion = *machine::programs::ParseVersionNumber(version);
            r.strings = {{"FileVersion", version}, {"LegalCopyright", legal}};
            out << machine::programs::FormatVersionSection(r);
        }
        out.close();
        machine::programs::SetFileTimes(host, unixSeconds);
    }

    void SetTimeZoneBias(int nMinutes) const
    {
        machine::SystemInfo info = machine::LoadSystemInfo(machine());
        info.timeZoneBiasMinutes = nMinutes;
        machine::SaveSystemInfo(machine(), info);
    }

    void SetWow64(bool bWow64) const
    {
        machine::SystemInfo info = machine::LoadSystemInfo(machine());
        info.wow64 = bWow64;
        machine::SaveSystemInfo(machine(), info);
        g_bWow64 = bWow64 ? TRUE : FALSE;
    }

    std::vector<std::string> VersionTexts() const
    {
        return {Text(IDC_ABOUT_UTILITY_VERSION), Text(IDC_ABOUT_LEGAL),
                Text(IDC_ABOUT_UTILITY_DATE), Text(IDC_ABOUT_DRIVER_VERSION),
                Text(IDC_ABOUT_DRIVER_DATE)};
    }

    std::string CardMacText() const
    {
        std::string mac = mp::LoadAdapterState(machine(), m_id).bytes(mp::oid::AdapterMac, 6);
        std::string text;
        for (unsigned char b : mac)
        {
            char part[4];
            snprintf(part, sizeof(part), "%02X", b);
            text += (text.empty() ? "" : "-") + std::string(part);
        }
        return text;
    }

    static net::Connection WithAddress(const std::string& name, const std::string& mac,
                                       const std::string& ip, const std::string& gateway)
    {
        net::Connection c;
        c.name = name;
        c.mac = mac;
        c.ip = ip;
        c.mask = "255.255.255.0";
        c.gateway = gateway;
        return c;
    }

    std::vector<std::string> Addresses() const
    {
        return {Text(IDC_ABOUT_IP), Text(IDC_ABOUT_MASK), Text(IDC_ABOUT_GATEWAY)};
    }

    int m_nSavedChipType = 0;
    int m_nSavedOsCode = 0;
    BOOL m_bSavedWow64 = FALSE;
};

constexpr const char* kProgramFile = "C:\\Program Files\\Tessaryn\\TessarynUI.exe";
constexpr const char* kDrivers = "C:\\Windows\\System32\\drivers\\";

TEST_F(AboutPageTest, VersionsAndLocalDatesOfTheProgramAndTheDriverFile)
{
    g_nChipType = 5;
    OsVersionCode = 8;
    // 2009-03-18 09:30 UTC is the evening before ten hours west; 2009-03-12 20:30 UTC is the
    // next morning there fourteen hours east: the dates are local.
    WriteFile(kProgramFile, "2.6.0.118", "Copyright (C) 2009 Tessaryn Networks", 1237368600);
    WriteFile(std::string(kDrivers) + g_ChipFamilyTable[5].pszDriverFile[2], "3.1.65535.210", "",
              1236889800);
    SetTimeZoneBias(600);
    OpenPage();
    EXPECT_EQ(VersionTexts(),
              (std::vector<std::string>{"2.6.0.118\n", "Copyright (C) 2009 Tessaryn Networks",
                                        "03-17-2009", "3.1.65535.210\n", "03-12-2009"}));
    EXPECT_EQ(Text(IDC_ABOUT_UTILITY_VERSION_LABEL), "Utility Version :");
    EXPECT_EQ(Text(IDC_ABOUT_DRIVER_DATE_LABEL), "Date :");
    m_pSheet->DestroyWindow();

    SetTimeZoneBias(-840);
    OpenPage();
    EXPECT_EQ(Text(IDC_ABOUT_UTILITY_DATE), "03-18-2009");
    EXPECT_EQ(Text(IDC_ABOUT_DRIVER_DATE), "03-13-2009");
}

TEST_F(AboutPageTest, FilesWithoutVersionInformationLeaveTheirRowsEmpty)
{
    g_nChipType = 5;
    OsVersionCode = 8;
    WriteFile(kProgramFile, "", "", 1237368600);
    std::filesystem::remove(
        HostPath(std::string(kDrivers) + g_ChipFamilyTable[5].pszDriverFile[2]));
    OpenPage();
    EXPECT_EQ(VersionTexts(), std::vector<std::string>(5, ""));
    // The rest of the page does not depend on them.
    EXPECT_EQ(Text(IDC_ABOUT_EEPROM_VERSION), "1.2\n");
}

TEST_F(AboutPageTest, TheDriverFileFollowsTheSystemAndWow64)
{
    struct Case
    {
        int osCode;
        bool wow64;
        const char* expected; // the version of the file read
    };
    // Each place the page may look holds a file that names itself by its version.
    const int chip = 4;
    const ChipFamilyEntry& row = g_ChipFamilyTable[chip];
    const std::string wow64Drivers = "C:\\Windows\\SysWOW64\\drivers\\";
    for (int column = 1; column <= 5; column++)
    {
        std::string v = "1.0.0." + std::to_string(column);
        WriteFile(std::string(kDrivers) + row.pszDriverFile[column - 1], v, "", 1236889800);
        WriteFile(wow64Drivers + row.pszDriverFile[column - 1], "9.0.0." + std::to_string(column),
                  "", 1236889800);
    }
    WriteFile(std::string("C:\\Windows\\System32\\") + row.pszDriverFile[0], "1.0.1.1", "",
              1236889800);
    const Case cases[] = {
        {11, false, "1.0.0.4\n"}, {11, true, "1.0.0.5\n"}, {10, true, "1.0.0.3\n"},
        {8, false, "1.0.0.3\n"},  {7, false, "1.0.0.2\n"}, {9, false, "1.0.1.1\n"},
        {13, false, "1.0.1.1\n"}, {2, false, ""},
    };
    g_nChipType = chip;
    for (const Case& c : cases)
    {
        SCOPED_TRACE("system " + std::to_string(c.osCode) + (c.wow64 ? " wow64" : ""));
        OsVersionCode = c.osCode;
        SetWow64(c.wow64);
        OpenPage();
        EXPECT_EQ(Text(IDC_ABOUT_DRIVER_VERSION), c.expected);
        m_pSheet->DestroyWindow();
    }
}

TEST_F(AboutPageTest, Wow64RedirectionIsOffOnlyForTheDriverFile)
{
    g_nChipType = 4;
    OsVersionCode = 11;
    SetWow64(true);
    WriteFile(std::string(kDrivers) + g_ChipFamilyTable[4].pszDriverFile[4], "1.0.0.5", "",
              1236889800);
    ASSERT_NE(g_pfnWow64EnableWow64FsRedirection, nullptr);
    for (BOOL bBefore : {TRUE, FALSE})
    {
        SCOPED_TRACE(bBefore ? "redirection on before" : "redirection off before");
        g_pfnWow64EnableWow64FsRedirection(bBefore);
        OpenPage();
        EXPECT_EQ(Text(IDC_ABOUT_DRIVER_VERSION), "1.0.0.5\n");
        EXPECT_EQ(platform::Wow64RedirectionEnabled(), bBefore != FALSE);
        m_pSheet->DestroyWindow();
    }
    g_pfnWow64EnableWow64FsRedirection(TRUE);
}

TEST_F(AboutPageTest, EepromFirmwareAndMacRowsFollowTheDriversAnswers)
{
    struct Case
    {
        int chipType;
        bool eepromFails;
        bool firmwareFails;
        bool firmwareShown;
    };
    const Case cases[] = {
        {3, false, false, false}, // no firmware row before the 802.11n chips, not even asked
        {4, false, false, true},  {8, false, false, true},
        {8, true, true, false},   {0, true, false, false},
    };
    mp::ChangeAdapterState(machine(), m_id,
                           [](mp::AdapterState& a)
                           {
                               a.setBytes(mp::oid::EepromVersion, std::string("\x01\x02\0\0", 4));
                               a.setBytes(mp::oid::FirmwareVersion, std::string("\x01\x02\0\0", 4));
                           });
    for (const Case& c : cases)
    {
        SCOPED_TRACE("chip type " + std::to_string(c.chipType));
        g_nChipType = c.chipType;
        if (c.eepromFails)
            mp::InjectRequestFault(machine(), m_id, kEepromVersion, 1, mp::Direction::Query);
        if (c.firmwareFails)
            mp::InjectRequestFault(machine(), m_id, kFirmwareVersion, 1, mp::Direction::Query);
        clearRequests();
        OpenPage();

        EXPECT_EQ(Visible(IDC_ABOUT_EEPROM_VERSION), !c.eepromFails);
        EXPECT_EQ(Visible(IDC_ABOUT_EEPROM_LABEL), !c.eepromFails);
        if (!c.eepromFails)
        {
            EXPECT_EQ(Text(IDC_ABOUT_EEPROM_VERSION), "1.2\n");
            EXPECT_EQ(Text(IDC_ABOUT_EEPROM_LABEL), "EEPROM Version :");
        }
        EXPECT_EQ(Visible(IDC_ABOUT_FIRMWARE_VERSION), c.firmwareShown);
        EXPECT_EQ(Visible(IDC_ABOUT_FIRMWARE_LABEL), c.firmwareShown);
        if (c.firmwareShown)
        {
            EXPECT_EQ(Text(IDC_ABOUT_FIRMWARE_VERSION), "2.1\n");
            EXPECT_EQ(Text(IDC_ABOUT_FIRMWARE_LABEL), "Firmware Version :");
        }
        EXPECT_EQ(countCode(requests(), kFirmwareVersion), c.chipType >= 4 ? 1u : 0u);
        EXPECT_EQ(Text(IDC_ABOUT_MAC), CardMacText());
        EXPECT_EQ(Text(IDC_ABOUT_MAC_LABEL), "Phy_Address :");
        EXPECT_EQ(Text(IDC_ABOUT_GATEWAY_LABEL), "Default Gateway :");

        m_pSheet->DestroyWindow();
        platform::PumpUntilIdle();
    }
}

TEST_F(AboutPageTest, AddressesComeFromTheLastAdapterListEntryWithTheCardsMac)
{
    const std::string mac = CardMacText();
    net::SaveConnections(machine(),
                         {
                             WithAddress("Wired", "00-1B-77-3A-9C-41", "10.0.0.23", "10.0.0.1"),
                             WithAddress("First", mac, "192.168.5.10", "192.168.5.1"),
                             WithAddress("Second", mac, "192.168.7.20", "192.168.7.1"),
                             // Same first six bytes, but an eight-byte address: no match.
                             WithAddress("Long", mac + "-00-00", "172.16.0.9", "172.16.0.1"),
                         });
    OpenPage();
    EXPECT_EQ(Addresses(),
              (std::vector<std::string>{"192.168.7.20", "255.255.255.0", "192.168.7.1"}));

    // Refreshed every five seconds while shown; an adapter gone from the list empties them.
    net::SetConnectionField(machine(), "Second", "ip", "192.168.7.21");
    platform::AdvanceClock(4999);
    EXPECT_EQ(Text(IDC_ABOUT_IP), "192.168.7.20");
    platform::AdvanceClock(1);
    EXPECT_EQ(Text(IDC_ABOUT_IP), "192.168.7.21");

    net::RemoveConnection(machine(), "First");
    net::RemoveConnection(machine(), "Second");
    platform::AdvanceClock(5000);
    EXPECT_EQ(Addresses(), (std::vector<std::string>{"", "", ""}));
}

TEST_F(AboutPageTest, AFailedOrEmptyAdapterListLeavesTheAddressesEmpty)
{
    const std::string mac = CardMacText();
    net::SaveConnections(machine(), {WithAddress("Wireless", mac, "192.168.5.10", "192.168.5.1")});
    net::InjectIpHelperFailure(machine(), 1);
    OpenPage();
    EXPECT_EQ(Addresses(), (std::vector<std::string>{"", "", ""}));

    // Leaving the page stops the refresh; coming back reads the list at once.
    LeavePage();
    platform::AdvanceClock(10000);
    EXPECT_EQ(Text(IDC_ABOUT_IP), "");
    ReturnToPage();
    EXPECT_EQ(Text(IDC_ABOUT_IP), "192.168.5.10");

    net::SaveConnections(machine(), {});
    platform::AdvanceClock(5000);
    EXPECT_EQ(Addresses(), (std::vector<std::string>{"", "", ""}));
}

TEST_F(AboutPageTest, TheWebLinkOpensTheSiteOnAWorkerThread)
{
    OpenPage();
    machine::programs::ClearProgramLog(machine());
    g_pWebLinkThread = NULL;
    ASSERT_TRUE(platform::automation::Click(m_pPage->m_hWnd, std::to_string(IDC_ABOUT_WEB_LINK)));
    EXPECT_NE(g_pWebLinkThread, nullptr);

    const std::string expected =
        "ShellExecute open [http://www.tessaryn.example/] params=[] show=1 ";
    std::vector<std::string> opens;
    for (int i = 0; i < 500 && opens.empty(); i++)
    {
        for (const std::string& line : machine::programs::ReadProgramLog(machine()))
            if (line.rfind("ShellExecute ", 0) == 0)
                opens.push_back(line);
        if (opens.empty())
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0].rfind(expected, 0), 0u) << opens[0];
}

} // namespace
