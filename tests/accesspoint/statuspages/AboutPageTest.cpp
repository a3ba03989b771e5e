#include "accesspoint/pages/AboutPage.h"

#include "accesspoint/app/ApGlobals.h"
#include "adapter/discovery/AdapterDiscovery.h"
#include "adapter/driver/MacText.h"
#include "adapter/system/Wow64.h"
#include "machine/SystemInfo.h"
#include "machine/miniport/OidTable.h"
#include "machine/network/Connections.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/VersionResource.h"
#include "platform/file/WinPath.h"
#include "platform/system/Kernel32.h"
#include "tests/accesspoint/support/ApPageFixture.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{

namespace mp = machine::miniport;
namespace net = machine::network;

constexpr const char* kDrivers = "C:\\Windows\\System32\\drivers\\";
constexpr const char* kWow64Drivers = "C:\\Windows\\SysWOW64\\drivers\\";

class ApAboutPageTest : public ap_test::ApPageFixture<CAboutPage>
{
protected:
    void TearDown() override
    {
        ap_test::ApPageFixture<CAboutPage>::TearDown();
        g_bWow64 = FALSE;
    }

    // A file with version information (none when `version` is empty) and that time.
    void WriteFile(const std::string& windowsPath, const std::string& version,
                   const std::string& legal = "", std::int64_t unixSeconds = 1236889800) const
    {
        std::filesystem::path host = platform::HostPath(windowsPath).value();
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

    static std::string ProgramFile()
    {
        char szModule[MAX_PATH] = {};
        GetModuleFileNameA(0, szModule, sizeof(szModule));
        return szModule;
    }

    void SetWow64(bool bWow64) const
    {
        machine::SystemInfo info = machine::LoadSystemInfo(machine());
        info.wow64 = bWow64;
        machine::SaveSystemInfo(machine(), info);
        g_bWow64 = bWow64 ? TRUE : FALSE;
    }

    static net::Connection WithAddress(const std::string& name, const std::string& mac,
                                       const std::string& ip)
    {
        net::Connection c;
        c.name = name;
        c.mac = mac;
        c.ip = ip;
        c.mask = "255.255.255.0";
        c.gateway = ip.substr(0, ip.rfind('.')) + ".1";
        return c;
    }

    std::vector<std::string> Addresses() const
    {
        return {Text(IDC_ABOUT_IP), Text(IDC_ABOUT_MASK), Text(IDC_ABOUT_GATEWAY)};
    }
};

TEST_F(ApAboutPageTest, VersionsDatesAndLabelsOfTheProgramAndTheDriverFile)
{
    g_nChipType = 5;
    OsVersionCode = 8;
    WriteFile(ProgramFile(), "2.6.0.118", "Copyright (C) 2009 Tessaryn Networks", 1237368600);
    WriteFile(std::string(kDrivers) + g_ChipFamilyTable[5].pszDriverFile[2], "3.1.65535.210");
    OpenPage();
    EXPECT_EQ(Text(IDC_ABOUT_UTILITY_VERSION), "2.6.0.118\n");
    EXPECT_EQ(Text(IDC_ABOUT_LEGAL), "Copyright (C) 2009 Tessaryn Networks");
    EXPECT_EQ(Text(IDC_ABOUT_UTILITY_DATE), "03-18-2009");
    EXPECT_EQ(Text(IDC_ABOUT_DRIVER_VERSION), "3.1.65535.210\n");
    EXPECT_EQ(Text(IDC_ABOUT_DRIVER_DATE), "03-12-2009");
    const std::pair<int, const char*> labels[] = {
        {IDC_ABOUT_UTILITY_VERSION_LABEL, "Utility Version :"},
        {IDC_ABOUT_DRIVER_VERSION_LABEL, "Driver Version :"},
        {IDC_ABOUT_DRIVER_DATE_LABEL, "Date :"},
        {IDC_ABOUT_MAC_LABEL, "Phy_Address :"},
        {IDC_ABOUT_IP_LABEL, "IP Address :"},
        {IDC_ABOUT_MASK_LABEL, "Sub Mask :"},
        {IDC_ABOUT_GATEWAY_LABEL, "Default Gateway :"},
    };
    for (auto [id, text] : labels)
        EXPECT_EQ(Text(id), text) << id;
    ClosePage();

    // Files without version information leave their rows empty.
    WriteFile(ProgramFile(), "");
    WriteFile(std::string(kDrivers) + g_ChipFamilyTable[5].pszDriverFile[2], "");
    OpenPage();
    for (int id : {IDC_ABOUT_UTILITY_VERSION, IDC_ABOUT_LEGAL, IDC_ABOUT_UTILITY_DATE,
                   IDC_ABOUT_DRIVER_VERSION, IDC_ABOUT_DRIVER_DATE})
        EXPECT_EQ(Text(id), "") << id;
}

TEST_F(ApAboutPageTest, TheDriverFileFollowsTheSystemAndWow64)
{
    const int chip = 4;
    const ChipFamilyEntry& row = g_ChipFamilyTable[chip];
    // Each place the page may look holds a file that names itself by its version.
    for (int column = 1; column <= 3; column++)
    {
        const std::string name = row.pszDriverFile[column - 1];
        WriteFile(kDrivers + name, "1.0.0." + std::to_string(column));
        WriteFile(kWow64Drivers + name, "9.0.0." + std::to_string(column));
    }
    WriteFile(std::string("C:\\Windows\\System32\\") + row.pszDriverFile[0], "1.0.1.1");
    struct Case
    {
        int osCode;
        bool wow64;
        const char* expected;
    };
    const Case cases[] = {
        {12, false, "1.0.0.3\n"}, {11, true, "1.0.0.3\n"}, {10, true, "1.0.0.3\n"},
        {9, false, "1.0.0.3\n"},  {8, false, "1.0.0.3\n"}, {7, false, "1.0.0.2\n"},
        {6, false, "1.0.1.1\n"},  {3, false, "1.0.1.1\n"}, {2, false, ""},
    };
    g_nChipType = chip;
    for (const Case& c : cases)
    {
        SCOPED_TRACE("system " + std::to_string(c.osCode) + (c.wow64 ? " wow64" : ""));
        OsVersionCode = c.osCode;
        SetWow64(c.wow64);
        OpenPage();
        EXPECT_EQ(Text(IDC_ABOUT_DRIVER_VERSION), c.expected);
        ClosePage();
    }
}

TEST_F(ApAboutPageTest, Wow64RedirectionIsOffOnlyForTheDriverFile)
{
    g_nChipType = 4;
    OsVersionCode = 11;
    SetWow64(true);
    WriteFile(std::string(kDrivers) + g_ChipFamilyTable[4].pszDriverFile[2], "1.0.0.3");
    ASSERT_NE(g_pfnWow64EnableWow64FsRedirection, nullptr);
    for (BOOL bBefore : {TRUE, FALSE})
    {
        SCOPED_TRACE(bBefore ? "redirection on before" : "redirection off before");
        g_pfnWow64EnableWow64FsRedirection(bBefore);
        OpenPage();
        EXPECT_EQ(Text(IDC_ABOUT_DRIVER_VERSION), "1.0.0.3\n");
        EXPECT_EQ(platform::Wow64RedirectionEnabled(), bBefore != FALSE);
        ClosePage();
    }
    g_pfnWow64EnableWow64FsRedirection(TRUE);
}

TEST_F(ApAboutPageTest, EepromFirmwareAndMacRowsFollowTheDriversAnswers)
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
        {4, false, false, true},
        {8, true, true, false},
        {6, false, true, false},
    };
    mp::ChangeAdapterState(machine(), m_id,
                           [](mp::AdapterState& a)
                           {
                               a.setBytes(mp::oid::EepromVersion, std::string("\x01\x02\0\0", 4));
                               a.setBytes(mp::oid::FirmwareVersion, std::string("\x01\x02\0\0", 4));
                           });
    setMacLastByte(0x3A);
    const std::string macBytes =
        mp::LoadAdapterState(machine(), m_id).bytes(mp::oid::AdapterMac, 6);
    const std::string mac(MacText(reinterpret_cast<const BYTE*>(macBytes.data())).GetString());
    for (const Case& c : cases)
    {
        SCOPED_TRACE("chip type " + std::to_string(c.chipType));
        g_nChipType = c.chipType;
        machine::miniport::ClearDriverFaults(machine(), m_id);
        if (c.eepromFails)
            failRequests(0x0D710119, 1);
        if (c.firmwareFails)
            failRequests(0x0D710129, 1);
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
        EXPECT_EQ(sent(0x0D710129).size(), c.chipType >= 4 ? 1u : 0u);
        EXPECT_EQ(Text(IDC_ABOUT_MAC), mac);
        ClosePage();
    }
}

TEST_F(ApAboutPageTest, AddressesOfTheCardsMacRefreshEveryFiveSecondsWhileShown)
{
    OpenPage();
    const std::string mac = Text(IDC_ABOUT_MAC);
    ClosePage();
    net::SaveConnections(machine(), {
                                        WithAddress("Wired", "00-1B-77-3A-9C-41", "10.0.0.23"),
                                        WithAddress("First", mac, "192.168.5.10"),
                                        WithAddress("Second", mac, "192.168.7.20"),
                                    });
    OpenPage();
    EXPECT_EQ(Addresses(),
              (std::vector<std::string>{"192.168.7.20", "255.255.255.0", "192.168.7.1"}));
    net::SetConnectionField(machine(), "Second", "ip", "192.168.7.21");
    platform::AdvanceClock(4999);
    EXPECT_EQ(Text(IDC_ABOUT_IP), "192.168.7.20");
    platform::AdvanceClock(1);
    EXPECT_EQ(Text(IDC_ABOUT_IP), "192.168.7.21");

    LeavePage();
    net::SetConnectionField(machine(), "Second", "ip", "192.168.7.22");
    platform::AdvanceClock(10000);
    EXPECT_EQ(Text(IDC_ABOUT_IP), "192.168.7.21");

    // An empty list empties the fields and says so on the console.
    net::SaveConnections(machine(), {});
    testing::internal::CaptureStdout();
    ReturnToPage();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "\n No Interfaces Present.\n");
    EXPECT_EQ(Addresses(), (std::vector<std::string>{"", "", ""}));
}

TEST_F(ApAboutPageTest, TheWebButtonOpensTheVendorsAddressAtOnce)
{
    OpenPage();
    EXPECT_EQ(Text(IDC_ABOUT_WEB_LINK), "http://www.tessaryn.example/");
    machine::programs::ClearProgramLog(machine());
    Click(IDC_ABOUT_WEB_LINK);
    std::vector<std::string> opens;
    for (const std::string& line : machine::programs::ReadProgramLog(machine()))
        if (line.rfind("ShellExecute ", 0) == 0)
            opens.push_back(line);
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(
        opens[0].rfind("ShellExecute open [http://www.tessaryn.example/] params=[] show=1 ", 0), 0u)
        << opens[0];
}

} // namespace
