#pragma once
// A small radio environment and profile documents for the WLAN tests, on a fresh machine with
// the clock of the test.

#include "machine/devices/DeviceBuilders.h"
#include "machine/radio/Elements.h"
#include "machine/radio/RadioStore.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "tests/support/MachineTestClock.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wlan_test
{

namespace radio = machine::radio;

inline radio::Network Bss(const std::string& ssid, std::uint8_t id, std::uint16_t capability,
                          radio::Bytes elements, std::int32_t rssi = -60)
{
    radio::Network n;
    n.ssid = ssid;
    n.bssid = {0x02, 0x11, 0x22, 0x33, 0x44, id};
    n.rssi = rssi;
    n.linkQuality = radio::QualityFromRssi(rssi);
    n.capability = capability;
    n.elements = std::move(elements);
    return n;
}

// Open, WEP, WPA2-PSK (two BSSs), the same SSID open and ad hoc, a hidden one, and one whose
// elements have an odd length; one BSS carries no elements at all.
inline std::vector<radio::Network> SmallRadio()
{
    using namespace radio;
    const std::uint16_t secured = kCapEss | kCapPrivacy;
    std::vector<Network> list;
    list.push_back(Bss("Open One", 1, kCapEss, SsidElement("Open One"), -50));
    list.push_back(Bss("Wep Two", 2, secured, SsidElement("Wep Two"), -65));
    list.push_back(
        Bss("Psk Three", 3, secured, RsnElement(kRsnCcmp, {kRsnCcmp}, {kRsnAkmPsk}), -70));
    Network second =
        Bss("Psk Three", 4, secured, RsnElement(kRsnCcmp, {kRsnCcmp}, {kRsnAkmPsk}), -45);
    second.phyType = kPhyOfdm;
    second.channel = 36;
    second.frequencyKhz = 5180000;
    list.push_back(second);
    list.push_back(Bss("Open One", 5, secured, {}, -80)); // same name, secured: its own network
    Network adhoc = Bss("Open One", 6, kCapIbss, SsidElement("Open One"), -75);
    adhoc.bssType = kIndependent;
    list.push_back(adhoc);
    list.push_back(Bss("", 7, secured, SsidElement(""), -82));            // hidden
    list.push_back(Bss("Odd", 8, kCapEss, Element(221, {1, 2, 3}), -60)); // 5 bytes
    return list;
}

inline std::string Escape(const std::string& text)
{
    std::string out;
    for (char c : text)
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    return out;
}

// A profile document; an empty key leaves the shared key out.
inline std::string ProfileXml(const std::string& name, const std::string& ssid,
                              const std::string& auth, const std::string& cipher,
                              const std::string& key = {}, const std::string& type = "ESS")
{
    std::string xml = "<?xml version=\"1.0\"?>\n"
                      "<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">"
                      "<name>" +
                      Escape(name) + "</name><SSIDConfig><SSID><name>" + Escape(ssid) +
                      "</name></SSID></SSIDConfig><connectionType>" + type +
                      "</connectionType><MSM><security><authEncryption><authentication>" + auth +
                      "</authentication><encryption>" + cipher +
                      "</encryption><useOneX>false</useOneX></authEncryption>";
    if (!key.empty())
        xml += "<sharedKey><keyType>" + std::string(cipher == "WEP" ? "networkKey" : "passPhrase") +
               "</keyType><protected>false</protected><keyMaterial>" + Escape(key) +
               "</keyMaterial></sharedKey>";
    return xml + "</security></MSM></WLANProfile>";
}

class WlanTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(radio::SaveNetworks(m(), SmallRadio()));
        machine::wlan::SetNetworkSecret(m(), "Psk Three", "right-pass");
        machine::wlan::SetNetworkSecret(m(), "Wep Two", "12345");
    }

    const machine::Machine& m() const { return m_machine.machine(); }
    const std::string m_guid = machine::devices::DefaultAdapter().netCfgInstanceId;

    void storeProfile(const std::string& xml, bool user = true)
    {
        std::uint32_t reason = 0;
        ASSERT_EQ(machine::wlan::SetProfile(m(), m_guid, xml, user, true, reason), 0u) << reason;
    }

    testing_support::TempMachine m_machine;
};

// The machine's own tests hold its clock; tests above the platform use the platform's manual
// clock, which the machine follows.
class WlanMachineTest : public WlanTest
{
protected:
    testing_support::MachineTestClock clock{10000};
};

} // namespace wlan_test
