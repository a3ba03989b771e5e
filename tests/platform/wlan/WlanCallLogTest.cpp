// The service's log names every argument of a call as the caller gave it.
#include "tests/platform/wlan/WlanClientFixture.h"

#include "machine/wlan/WlanControl.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace
{

using wlan_test::WlanClientTest;

class WlanCallLog : public WlanClientTest
{
protected:
    // The newest line of the call, with its time stamps left out.
    std::string lastLine(const std::string& call)
    {
        const std::string log = machine::wlan::ReadLog(m());
        const std::size_t at = log.rfind(" " + call + " ");
        if (at == std::string::npos)
            return {};
        const std::size_t end = log.find('\n', at);
        return log.substr(at + 1, end == std::string::npos ? end : end - at - 1);
    }
    std::string guid() const { return wlan_test::GuidText(m_interface); }
};

TEST_F(WlanCallLog, ScanShowsItsSsidAndElementsInHex)
{
    DOT11_SSID ssid{6, {}};
    std::memcpy(ssid.ucSSID, "Bay\"\n\xC3", 6);
    struct
    {
        DWORD size;
        BYTE blob[4];
    } ie{3, {0xDD, 0x01, 0x0A, 0}};
    ASSERT_EQ(
        WlanScan(m_client, &m_interface, &ssid, reinterpret_cast<WLAN_RAW_DATA*>(&ie), nullptr),
        ERROR_SUCCESS);
    EXPECT_EQ(lastLine("WlanScan"),
              "WlanScan " + guid() + " ssid=\"Bay\\x22\\x0A\\xC3\" ie=DD010A");
    ASSERT_EQ(WlanScan(m_client, &m_interface, nullptr, nullptr, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(lastLine("WlanScan"), "WlanScan " + guid() + " ssid=- ie=-");
}

TEST_F(WlanCallLog, ConnectShowsEveryFieldOfTheRequest)
{
    DOT11_SSID ssid{9, {}};
    std::memcpy(ssid.ucSSID, "Psk Three", 9);
    DOT11_BSSID_LIST bssids{};
    bssids.Header = {NDIS_OBJECT_TYPE_DEFAULT, DOT11_BSSID_LIST_REVISION_1, 20};
    bssids.uNumOfEntries = bssids.uTotalNumOfEntries = 1;
    const BYTE bssid[6] = {0x02, 0x11, 0x22, 0x33, 0x44, 0xA3};
    std::memcpy(bssids.BSSIDs[0], bssid, 6);
    WLAN_CONNECTION_PARAMETERS p{};
    p.wlanConnectionMode = wlan_connection_mode_discovery_secure;
    p.strProfile = u"Any";
    p.pDot11Ssid = &ssid;
    p.pDesiredBssidList = &bssids;
    p.dot11BssType = dot11_BSS_type_infrastructure;
    p.dwFlags = 0x10;
    ASSERT_EQ(WlanConnect(m_client, &m_interface, &p, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(lastLine("WlanConnect"), "WlanConnect " + guid() +
                                           " mode=2 profile=\"Any\" ssid=\"Psk Three\" bsstype=1 "
                                           "bssids=02:11:22:33:44:a3 flags=0x00000010");

    // A list that claims more entries than its header holds is shown as such, not read past.
    bssids.uNumOfEntries = 3;
    p.pDesiredBssidList = &bssids;
    p.pDot11Ssid = nullptr;
    p.strProfile = nullptr;
    EXPECT_EQ(WlanConnect(m_client, &m_interface, &p, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(lastLine("WlanConnect"), "WlanConnect " + guid() +
                                           " mode=2 profile=- ssid=- bsstype=1 bssids=invalid "
                                           "flags=0x00000010");
}

TEST_F(WlanCallLog, ProfileCallsShowTheNameScopeAndOverwriteButNotTheKey)
{
    const std::u16string xml = platform::Utf8ToUtf16(
        wlan_test::ProfileXml("Home Net", "Psk Three", "WPA2PSK", "AES", "right-pass"));
    DWORD reason = 0;
    ASSERT_EQ(WlanSetProfile(m_client, &m_interface, WLAN_PROFILE_USER, xml.c_str(), nullptr, FALSE,
                             nullptr, &reason),
              ERROR_SUCCESS);
    const std::string set = lastLine("WlanSetProfile");
    EXPECT_EQ(set, "WlanSetProfile " + guid() +
                       " flags=0x00000002 profile=\"Home Net\" user security=- no-overwrite");
    EXPECT_EQ(set.find("right-pass"), std::string::npos);
    ASSERT_EQ(WlanSetProfile(m_client, &m_interface, 0, xml.c_str(), u"D:(A;;GA;;;WD)", TRUE,
                             nullptr, &reason),
              ERROR_SUCCESS);
    EXPECT_EQ(lastLine("WlanSetProfile"),
              "WlanSetProfile " + guid() +
                  " flags=0x00000000 profile=\"Home Net\" all-users security=\"D:(A;;GA;;;WD)\" "
                  "overwrite");

    ASSERT_EQ(WlanDeleteProfile(m_client, &m_interface, u"Home Net", nullptr), ERROR_SUCCESS);
    EXPECT_EQ(lastLine("WlanDeleteProfile"),
              "WlanDeleteProfile " + guid() + " profile=\"Home Net\"");
}

TEST_F(WlanCallLog, InterfaceCallsShowTheirOpcodeAndValue)
{
    WLAN_PHY_RADIO_STATE s{0, dot11_radio_state_off, dot11_radio_state_on};
    ASSERT_EQ(WlanSetInterface(m_client, &m_interface, wlan_intf_opcode_radio_state, sizeof s, &s,
                               nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(lastLine("WlanSetInterface"),
              "WlanSetInterface " + guid() + " opcode=4 value=000000000200000001000000");

    DWORD size = 0;
    PVOID data = nullptr;
    ASSERT_EQ(WlanQueryInterface(m_client, &m_interface, wlan_intf_opcode_interface_state, nullptr,
                                 &size, &data, nullptr),
              ERROR_SUCCESS);
    WlanFreeMemory(data);
    EXPECT_EQ(lastLine("WlanQueryInterface"), "WlanQueryInterface " + guid() + " opcode=6");
    EXPECT_EQ(WlanQueryInterface(m_client, nullptr, wlan_intf_opcode_rssi, nullptr, &size, &data,
                                 nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(lastLine("WlanQueryInterface"), "WlanQueryInterface - opcode=268435714");
}

} // namespace
