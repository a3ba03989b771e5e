#include "uplink/NicReportParser.h"
#include "uplink/AdapterRecords.h"

#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{

// Report text in the layout of ipconfig /all.
const char kPreamble[] = "\n"
                         "Windows IP Configuration\n"
                         "\n"
                         "        Host Name . . . . . . . . . . . . : OFFICE-PC\n"
                         "        Primary Dns Suffix  . . . . . . . : \n"
                         "        Node Type . . . . . . . . . . . . : Unknown\n"
                         "        IP Routing Enabled. . . . . . . . : No\n"
                         "        WINS Proxy Enabled. . . . . . . . : No\n"
                         "\n";

std::string Header(const std::string& kind, const std::string& name)
{
    return kind + " adapter " + name + ":\n\n";
}

std::string Connected(const std::string& name, const std::string& description,
                      const std::string& mac, const std::string& ip, bool dhcp = true)
{
    std::string text = Header("Ethernet", name);
    text += "        Connection-specific DNS Suffix  . : \n";
    text += "        Description . . . . . . . . . . . : " + description + "\n";
    text += "        Physical Address. . . . . . . . . : " + mac + "\n";
    if (dhcp)
    {
        text += "        Dhcp Enabled. . . . . . . . . . . : Yes\n";
        text += "        Autoconfiguration Enabled . . . . : Yes\n";
    }
    else
        text += "        Dhcp Enabled. . . . . . . . . . . : No\n";
    text += "        IP Address. . . . . . . . . . . . : " + ip + "\n";
    text += "        Subnet Mask . . . . . . . . . . . : 255.255.255.0\n";
    text += "        Default Gateway . . . . . . . . . : 10.0.0.1\n";
    if (dhcp)
    {
        text += "        DHCP Server . . . . . . . . . . . : 10.0.0.1\n";
        text += "        Lease Obtained. . . . . . . . . . : Thursday, December 10, 2026 "
                "9:15:02 AM\n";
    }
    text += "        DNS Servers . . . . . . . . . . . : 10.0.0.1\n";
    return text + "\n";
}

std::string Disconnected(const std::string& name, const std::string& description,
                         const std::string& mac)
{
    std::string text = Header("Ethernet", name);
    text += "        Media State . . . . . . . . . . . : Media disconnected\n";
    text += "        Description . . . . . . . . . . . : " + description + "\n";
    text += "        Physical Address. . . . . . . . . : " + mac + "\n";
    return text + "\n";
}

std::string Ppp(const std::string& name, const std::string& ip, bool connected = true)
{
    std::string text = Header("PPP", name);
    if (connected)
        text += "        Connection-specific DNS Suffix  . : \n";
    else
        text += "        Media State . . . . . . . . . . . : Media disconnected\n";
    text += "        Description . . . . . . . . . . . : WAN (PPP/SLIP) Interface\n";
    text += "        Physical Address. . . . . . . . . : 00-53-45-00-00-00\n";
    text += "        Dhcp Enabled. . . . . . . . . . . : No\n";
    text += "        IP Address. . . . . . . . . . . . : " + ip + "\n";
    text += "        Subnet Mask . . . . . . . . . . . : 255.255.255.255\n";
    text += "        Default Gateway . . . . . . . . . : " + ip + "\n";
    return text + "\n";
}

const char kLan[] = "Brightwire Fast Ethernet Adapter";
const char kWireless[] = "Tessaryn KWF-9310USB Wireless LAN Adapter";

struct Expected
{
    std::string name, description, mac, ip;
};

struct ReportCase
{
    const char* what;
    std::string report;
    std::vector<Expected> listed;
    std::string wireless;
};

std::string Eleven()
{
    std::string text = kPreamble;
    for (int i = 1; i <= 11; i++)
        text +=
            Connected("LAN " + std::to_string(i), kLan, "00-11-22-33-44-" + std::to_string(10 + i),
                      "10.0.0." + std::to_string(i));
    // The wireless adapter's block after a full table is still recognised.
    return text + Disconnected("Wireless Network Connection", kWireless, "00-0C-43-30-52-77");
}

std::vector<Expected> FirstTen()
{
    std::vector<Expected> listed;
    for (int i = 1; i <= 10; i++)
        listed.push_back({"LAN " + std::to_string(i), kLan,
                          "00-11-22-33-44-" + std::to_string(10 + i),
                          "10.0.0." + std::to_string(i)});
    return listed;
}

std::vector<ReportCase> Cases()
{
    std::string wifiConnected = Connected("Wireless Network Connection", kWireless,
                                          "00-0C-43-30-52-77", "192.168.0.1", false);
    return {
        {"connected, DHCP",
         std::string(kPreamble) +
             Connected("Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5"),
         {{"Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5"}},
         ""},
        {"connected, fixed address (no autoconfiguration line)",
         Connected("Local Area Connection", kLan, "00-11-22-33-44-55", "172.16.4.9", false),
         {{"Local Area Connection", kLan, "00-11-22-33-44-55", "172.16.4.9"}},
         ""},
        {"disconnected is listed with an empty address, the next block still read",
         Disconnected("Local Area Connection", kLan, "00-11-22-33-44-55") +
             Connected("Local Area Connection 2", "Other NIC", "00-AA-BB-CC-DD-EE", "10.1.1.1"),
         {{"Local Area Connection", kLan, "00-11-22-33-44-55", ""},
          {"Local Area Connection 2", "Other NIC", "00-AA-BB-CC-DD-EE", "10.1.1.1"}},
         ""},
        {"PPP connected",
         Ppp("Dial-up Provider", "10.64.1.7"),
         {{"Dial-up Provider", "WAN (PPP/SLIP) Interface", "00-53-45-00-00-00", "10.64.1.7"}},
         ""},
        {"PPP without Connection-specific is not listed",
         Ppp("Dial-up Provider", "10.64.1.7", false) +
             Connected("Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5"),
         {{"Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5"}},
         ""},
        {"wireless block, connected, never listed",
         Connected("Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5") + wifiConnected,
         {{"Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5"}},
         "Wireless Network Connection"},
        {"wireless block, disconnected, never listed",
         Disconnected("Wireless Network Connection", kWireless, "00-0C-43-30-52-77") +
             Connected("Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5"),
         {{"Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5"}},
         "Wireless Network Connection"},
        {"several wireless blocks: the last name is kept",
         Disconnected("Wireless Network Connection", kWireless, "00-0C-43-30-52-77") +
             Connected("Wireless Network Connection 2",
                       "Tessaryn KQ3400 USB Wireless LAN Adapter #2", "00-0C-43-30-52-78",
                       "10.9.9.9"),
         {},
         "Wireless Network Connection 2"},
        {"an eleventh connection is not listed", Eleven(), FirstTen(),
         "Wireless Network Connection"},
        {"file ending inside a block",
         Connected("Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5") +
             "Ethernet adapter Cut Off:\n\n        Connection-specific DNS Suffix  . : \n"
             "        Description . . . . . . . . . . . : Late NIC",
         {{"Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5"},
          {"Cut Off", "Late NIC", "", ""}},
         ""},
        {"file ending right after a header", "Ethernet adapter Last:", {{"Last", "", "", ""}}, ""},
        {"empty report", "", {}, ""},
        {"no adapter blocks", kPreamble, {}, ""},
        {"header without colon keeps its whole name",
         "Ethernet adapter Local Area Connection\n\n"
         "        Connection-specific DNS Suffix  . : \n"
         "        Description . . . . . . . . . . . : NIC\n"
         "        Physical Address. . . . . . . . . : 00-11-22-33-44-55\n"
         "        Dhcp Enabled. . . . . . . . . . . : No\n"
         "        IP Address. . . . . . . . . . . . : 10.0.0.5\n",
         {{"Local Area Connection", "NIC", "00-11-22-33-44-55", "10.0.0.5"}},
         ""},
        {"header with trailing blanks and CRLF line ends",
         "Ethernet adapter LAN:  \t\r\n\r\n"
         "        Connection-specific DNS Suffix  . : \r\n"
         "        Description . . . . . . . . . . . : NIC\r\n"
         "        Physical Address. . . . . . . . . : 00-11-22-33-44-55\r\n"
         "        Dhcp Enabled. . . . . . . . . . . : Yes\r\n"
         "        Autoconfiguration Enabled . . . . : Yes\r\n"
         "        IP Address. . . . . . . . . . . . : 10.0.0.5\r\n",
         {{"LAN", "NIC", "00-11-22-33-44-55", "10.0.0.5"}},
         ""},
        {"value lines without \": \" give empty fields",
         "Ethernet adapter LAN:\n\n"
         "        Connection-specific DNS Suffix  . :\n"
         "        Description\n"
         "        Physical Address:00-11-22-33-44-55\n"
         "        Dhcp Enabled. . . . . . . . . . . : No\n"
         "        IP Address. . . . . . . . . . . . :\n",
         {{"LAN", "", "", ""}},
         ""},
        {"a value keeps its own colons",
         Connected("LAN", "NIC: rev 2", "00-11-22-33-44-55", "10.0.0.5"),
         {{"LAN", "NIC: rev 2", "00-11-22-33-44-55", "10.0.0.5"}},
         ""},
        {"names keep their bytes",
         Connected("\xE5\x8D\x80\xE5\x9F\x9F\xE9\x80\xA3\xE7\xB7\x9A", kLan, "00-11-22-33-44-55",
                   "10.0.0.5"),
         {{"\xE5\x8D\x80\xE5\x9F\x9F\xE9\x80\xA3\xE7\xB7\x9A", kLan, "00-11-22-33-44-55",
           "10.0.0.5"}},
         ""},
        {"other adapter kinds are passed over",
         "Tunnel adapter Teredo Tunneling Pseudo-Interface:\n\n"
         "        Connection-specific DNS Suffix  . : \n"
         "        Description . . . . . . . . . . . : Teredo Tunneling Pseudo-Interface\n" +
             Ppp("VPN", "10.200.0.2"),
         {{"VPN", "WAN (PPP/SLIP) Interface", "00-53-45-00-00-00", "10.200.0.2"}},
         ""},
    };
}

TEST(NicReportParserTest, ListsTheReportsConnections)
{
    for (const ReportCase& c : Cases())
    {
        SCOPED_TRACE(c.what);
        CStringArray names;
        int count = ParseNicReportText(c.report.data(), c.report.size(), names);
        ASSERT_EQ(count, static_cast<int>(c.listed.size()));
        ASSERT_EQ(g_nAdapterCount, count);
        ASSERT_EQ(names.GetSize(), count);
        for (int i = 0; i < count; i++)
        {
            EXPECT_EQ(names[i], c.listed[i].name.c_str()) << i;
            EXPECT_EQ(g_AdapterRecords[i].Name, c.listed[i].name.c_str()) << i;
            EXPECT_EQ(g_AdapterRecords[i].Description, c.listed[i].description.c_str()) << i;
            EXPECT_EQ(g_AdapterRecords[i].MAC, c.listed[i].mac.c_str()) << i;
            EXPECT_EQ(g_AdapterRecords[i].IP, c.listed[i].ip.c_str()) << i;
        }
        for (int i = count; i < MAX_ADAPTER_RECORDS; i++)
            EXPECT_TRUE(g_AdapterRecords[i].Name.IsEmpty()) << i;
        EXPECT_EQ(g_strWirelessName, c.wireless.c_str());
    }
}

TEST(NicReportParserTest, ParsingAgainStartsFromAnEmptyTable)
{
    CStringArray names;
    std::string first = Connected("A", kLan, "00-11-22-33-44-55", "10.0.0.5") +
                        Connected("B", kLan, "00-11-22-33-44-56", "10.0.0.6") +
                        Disconnected("Wi-Fi", kWireless, "00-0C-43-30-52-77");
    ParseNicReportText(first.data(), first.size(), names);
    ASSERT_EQ(g_nAdapterCount, 2);

    std::string second = Connected("C", kLan, "00-11-22-33-44-57", "10.0.0.7");
    EXPECT_EQ(ParseNicReportText(second.data(), second.size(), names), 1);
    ASSERT_EQ(names.GetSize(), 1);
    EXPECT_EQ(names[0], "C");
    EXPECT_TRUE(g_AdapterRecords[1].Name.IsEmpty());
    EXPECT_TRUE(g_AdapterRecords[1].IP.IsEmpty());
    EXPECT_TRUE(g_strWirelessName.IsEmpty());
}

TEST(NicReportParserTest, SplitsLinesAsATextModeRead)
{
    const std::string text = "a\r\nb\n\nc\rd\r\nlast";
    CStringArray lines;
    SplitNicReportLines(text.data(), text.size(), lines);
    ASSERT_EQ(lines.GetSize(), 5);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "c\rd");
    EXPECT_EQ(lines[4], "last");

    SplitNicReportLines("x\n", 2, lines);
    EXPECT_EQ(lines.GetSize(), 1);
    SplitNicReportLines("", 0, lines);
    EXPECT_EQ(lines.GetSize(), 0);
}

void WriteReport(LPCSTR lpszFile, const std::string& text)
{
    HANDLE hFile =
        CreateFileA(lpszFile, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, 0);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE);
    DWORD dwWritten = 0;
    ASSERT_TRUE(WriteFile(hFile, text.data(), static_cast<DWORD>(text.size()), &dwWritten, NULL));
    CloseHandle(hFile);
}

TEST(NicReportFileTest, ReadsTheReportInTheCurrentFolder)
{
    testing_support::TempMachine m;
    std::string text = std::string(kPreamble) +
                       Connected("Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5") +
                       Disconnected("Wireless Network Connection", kWireless, "00-0C-43-30-52-77");
    // Large enough to need several reads.
    for (int i = 0; i < 200; i++)
        text += "        DNS Servers . . . . . . . . . . . : 10.0.0." + std::to_string(i) + "\n";
    text += Ppp("Dial-up", "10.64.1.7");
    WriteReport("NicReport.txt", text);

    CStringArray names;
    ASSERT_TRUE(ReadNicReport("NicReport.txt", names));
    ASSERT_EQ(names.GetSize(), 2);
    EXPECT_EQ(names[0], "Local Area Connection");
    EXPECT_EQ(names[1], "Dial-up");
    EXPECT_EQ(g_AdapterRecords[1].IP, "10.64.1.7");
    EXPECT_EQ(g_strWirelessName, "Wireless Network Connection");
}

TEST(NicReportFileTest, MissingReportListsNothingAndChangesNothing)
{
    testing_support::TempMachine m;
    std::string text = Connected("Local Area Connection", kLan, "00-11-22-33-44-55", "10.0.0.5");
    CStringArray names;
    ParseNicReportText(text.data(), text.size(), names);
    ASSERT_EQ(g_nAdapterCount, 1);

    CStringArray after;
    EXPECT_FALSE(ReadNicReport("NicReport.txt", after));
    EXPECT_EQ(after.GetSize(), 0);
    EXPECT_EQ(g_nAdapterCount, 1);
    EXPECT_EQ(g_AdapterRecords[0].Name, "Local Area Connection");
}

TEST(NicReportFileTest, EmptyReportFileListsNothing)
{
    testing_support::TempMachine m;
    WriteReport("NicReport.txt", "");
    CStringArray names;
    EXPECT_TRUE(ReadNicReport("NicReport.txt", names));
    EXPECT_EQ(names.GetSize(), 0);
    EXPECT_EQ(g_nAdapterCount, 0);
}

} // namespace
