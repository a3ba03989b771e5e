#pragma once
// A client handle and the interface GUID of the default adapter, over the small radio.

#include "platform/base/StringConv.h"
#include "platform/ui/Clock.h"
#include "platform/wlan/WlanApi.h"
#include "platform/wlan/WlanMemory.h"
#include "tests/machine/wlan/WlanFixture.h"

#include <algorithm>
#include <cstdio>

namespace wlan_test
{

inline std::string SsidOf(const DOT11_SSID& ssid)
{
    return std::string(reinterpret_cast<const char*>(ssid.ucSSID),
                       std::min<std::size_t>(ssid.uSSIDLength, 32));
}

// "{XXXXXXXX-...}", as the service names interfaces.
inline std::string GuidText(const GUID& g)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.Data1), g.Data2, g.Data3, g.Data4[0], g.Data4[1],
                  g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6], g.Data4[7]);
    return text;
}

class WlanClientTest : public WlanTest
{
protected:
    void SetUp() override
    {
        platform::UseManualClock(10000);
        WlanTest::SetUp();
        DWORD version = 0;
        ASSERT_EQ(WlanOpenHandle(2, nullptr, &version, &m_client), ERROR_SUCCESS);
        ASSERT_EQ(version, 2u);
        PWLAN_INTERFACE_INFO_LIST list = nullptr;
        ASSERT_EQ(WlanEnumInterfaces(m_client, nullptr, &list), ERROR_SUCCESS);
        ASSERT_EQ(list->dwNumberOfItems, 1u);
        m_interface = list->InterfaceInfo[0].InterfaceGuid;
        WlanFreeMemory(list);
    }
    void TearDown() override
    {
        if (m_client != 0)
            WlanCloseHandle(m_client, nullptr);
        EXPECT_EQ(platform::wlan::LiveWlanBlocks(), 0u);
    }

    // Connects by a stored profile named after the SSID and lets the connect fall due.
    void connect(const std::string& ssid, const std::string& auth = "open",
                 const std::string& cipher = "none", const std::string& key = {})
    {
        storeProfile(ProfileXml(ssid, ssid, auth, cipher, key));
        std::u16string name(ssid.begin(), ssid.end());
        WLAN_CONNECTION_PARAMETERS p{};
        p.wlanConnectionMode = wlan_connection_mode_profile;
        p.strProfile = name.c_str();
        p.dot11BssType = dot11_BSS_type_infrastructure;
        ASSERT_EQ(WlanConnect(m_client, &m_interface, &p, nullptr), ERROR_SUCCESS);
        platform::AdvanceClockWithoutDispatch(500);
    }

    HANDLE m_client = 0;
    GUID m_interface{};
};

} // namespace wlan_test
