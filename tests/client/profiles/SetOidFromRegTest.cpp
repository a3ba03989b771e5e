// The station profile built from the active configuration: what each "Config" key becomes in
// the record and its key blocks, the values the build leaves program-wide, and the driver
// queries it makes. The record is read through the current-profile copy the queue keeps.

#include "client/profiles/SetOidFromReg.h"

#include "adapter/driver/DriverRequest.h"
#include "adapter/system/OsVersion.h"
#include "client/access/AdapterState.h"
#include "client/access/StationProfile.h"
#include "client/app/SettingsStore.h"
#include "client/monitor/ActionQueue.h"
#include "client/monitor/ClientGlobals.h"
#include "machine/miniport/RequestLog.h"
#include "tests/client/support/ClientState.h"
#include "tests/support/SelectedAdapter.h"
#include "tests/support/TempMachine.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace
{

using Config = std::map<std::string, std::string>;
using Bytes = std::vector<BYTE>;

Bytes FromHex(const std::string& text)
{
    Bytes out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2)
        out.push_back(static_cast<BYTE>(std::stoul(text.substr(i, 2), nullptr, 16)));
    return out;
}

class SetOidFromRegTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        id = testing_support::PrepareClientState(m.machine());
        ASSERT_FALSE(id.empty());
        g_bHtSupported = TRUE;
        g_bABandSupported = TRUE;
        g_bRegionValid = FALSE;
        g_bABandRegionValid = FALSE;
        g_bAllowSecuredConnect = FALSE;
        g_bProfileApplied = FALSE;
        g_nDriverVersion = 0x0501;
        G_enumWirelessMode = 0;
        g_nHtTransmitSetting = 0;
        baseline = platform::LiveGlobalBlocks();
    }
    void TearDown() override
    {
        testing_support::ReleaseClientState();
        // The applied record and its key blocks are gone; only the current copy was left.
        EXPECT_EQ(platform::LiveGlobalBlocks(), baseline);
    }

    // Builds from exactly these "Config" keys and returns the record that was queued.
    const StationProfile& build(const Config& config, BOOL bSetAdvance = FALSE, LPCSTR pszName = "",
                                BOOL bConnect = FALSE)
    {
        std::filesystem::remove(std::filesystem::path(
            m.cDrive() / "Program Files" / "Tessaryn" /
            std::string(GetIniFileName(g_strNetCfgInstanceId, INI_KIND_STATION))));
        for (const auto& [key, value] : config)
            SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", key.c_str(),
                        value.c_str());
        machine::miniport::ClearRequestLog(m.machine(), id);
        SetOidFromReg(bSetAdvance, pszName, bConnect);
        EXPECT_EQ(ActionQueue.GetSize(), 0); // applied at once
        EXPECT_NE(g_pCurrentProfile, nullptr);
        return *g_pCurrentProfile;
    }
    std::string configValue(LPCSTR pszKey)
    {
        char value[128] = {};
        GetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", pszKey, value, sizeof value);
        return value;
    }
    std::vector<std::uint32_t> codes() const
    {
        std::vector<std::uint32_t> out;
        for (const auto& e : machine::miniport::ReadRequestLog(m.machine(), id))
            out.push_back(e.code);
        return out;
    }

    testing_support::TempMachine m;
    std::string id;
    std::size_t baseline = 0;
};

TEST_F(SetOidFromRegTest, SsidAndNetworkTypeAloneGiveAnOpenInfrastructureRecord)
{
    const StationProfile& r = build({{"SSID", "Cafe"}, {"NetworkType", "1"}}, FALSE, "Office", 1);
    EXPECT_EQ(r.SsidLength, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.Ssid), 5), std::string("Cafe\0", 5));
    EXPECT_EQ(r.NetworkType, 1u);
    EXPECT_EQ(r.BssidGiven, 0u);
    EXPECT_EQ(r.RtsThreshold, 2347u);
    EXPECT_EQ(r.FragThreshold, 0u);
    EXPECT_EQ(r.Preamble, 0u);
    EXPECT_EQ(r.AuthenticationMode, 0);
    EXPECT_EQ(r.EncryptionStatus, 1u); // open, not WEP
    EXPECT_EQ(r.pWpaNoneKey, nullptr);
    for (int n = 1; n <= 4; n++)
        EXPECT_EQ(WepKeyBlock(&r, n), nullptr);
    EXPECT_EQ(r.bSetAdvance, 0u);
    EXPECT_EQ(r.Reserved1, 1u);
    EXPECT_EQ(r.ConnectThroughWlan, 1u);
    EXPECT_STREQ(r.ProfileName, "Office");
    EXPECT_EQ(g_bProfileApplied, 1);
    // Without the advanced settings the driver is not asked for anything.
    std::vector<std::uint32_t> c = codes();
    EXPECT_EQ(std::count(c.begin(), c.end(), 0xFF0C0028u), 0);
    EXPECT_EQ(std::count(c.begin(), c.end(), 0x0D710111u), 0);
}

TEST_F(SetOidFromRegTest, EachKeyLandsInItsFieldWithItsRule)
{
    struct Case
    {
        const char* name;
        Config config;
        std::function<void(const StationProfile&)> check;
    };
    const std::string longName(120, 'n');
    const Case cases[] = {
        {"PSMode 1",
         {{"NetworkType", "1"}, {"PSMode", "1"}},
         [](const StationProfile& r) { EXPECT_EQ(r.PowerMode, 2u); }},
        {"PSMode 3",
         {{"NetworkType", "1"}, {"PSMode", "3"}},
         [](const StationProfile& r) { EXPECT_EQ(r.PowerMode, 0u); }},
        {"PSMode ad hoc",
         {{"NetworkType", "0"}, {"PSMode", "2"}, {"Channel", "6"}},
         [](const StationProfile& r)
         {
             EXPECT_EQ(r.PowerMode, 0u);
             EXPECT_EQ(r.AdhocChannelFrequency, 2437000u);
         }},
        {"unknown channel",
         {{"NetworkType", "0"}, {"Channel", "99"}},
         [](const StationProfile& r) { EXPECT_EQ(r.AdhocChannelFrequency, 0u); }},
        {"ACPowerCam",
         {{"NetworkType", "1"}, {"ACPowerCam", "1"}},
         [](const StationProfile& r) { EXPECT_EQ(r.CamOnAcPower, 1u); }},
        {"PreambleType 1",
         {{"PreambleType", "1"}},
         [](const StationProfile& r) { EXPECT_EQ(r.Preamble, 2u); }},
        {"AuthenType 9",
         {{"AuthenType", "9"}},
         [](const StationProfile& r) { EXPECT_EQ(r.AuthenticationMode, 0); }},
        {"RTS in force",
         {{"UseRts", "1"}, {"RtsThresh", "500"}, {"UseFrag", "1"}, {"FragThresh", "1000"}},
         [](const StationProfile& r)
         {
             EXPECT_EQ(r.RtsThreshold, 500u);
             EXPECT_EQ(r.FragThreshold, 1000u);
         }},
        {"RTS not in force",
         {{"UseRts", "0"}, {"RtsThresh", "500"}, {"FragThresh", "1000"}},
         [](const StationProfile& r)
         {
             EXPECT_EQ(r.RtsThreshold, 2347u);
             EXPECT_EQ(r.FragThreshold, 0u);
         }},
        {"CCX2Control 3 with LEAP",
         {{"CCX2Control", "3"},
          {"LeapEnabled", "1"},
          {"Encryption", "4"},
          {"Use8021X", "1"},
          {"LeapUserName", "alice"}},
         [](const StationProfile& r)
         {
             EXPECT_EQ(r.CCX2Control, 3u);
             EXPECT_EQ(r.CCKM, 1);
             EXPECT_EQ(r.EncryptionStatus, 4u);
             EXPECT_EQ(r.Use8021X, 0u);
             EXPECT_STREQ(r.LeapUserName, "alice");
             EXPECT_EQ(r.LeapUserNameLength, 127u);
             EXPECT_EQ(r.LeapPasswordLength, 0u);
         }},
        {"CCX2Control 2 with LEAP",
         {{"CCX2Control", "2"}, {"LeapEnabled", "1"}, {"Encryption", "4"}},
         [](const StationProfile& r) { EXPECT_EQ(r.EncryptionStatus, 0u); }},
        {"TXPower", {{"TXPower", "3"}}, [](const StationProfile& r) { EXPECT_EQ(r.TxPower, 3u); }},
        {"long texts are cut",
         {{"SSID", std::string(40, 's')}},
         [](const StationProfile& r) { EXPECT_EQ(r.SsidLength, 32u); }},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        c.check(build(c.config));
    }
    EXPECT_STREQ(build({}, FALSE, longName.c_str()).ProfileName, std::string(99, 'n').c_str());

    // ACPowerCam needs a 5.1 driver.
    g_nDriverVersion = 0x0500;
    EXPECT_EQ(build({{"NetworkType", "1"}, {"ACPowerCam", "1"}}).CamOnAcPower, 0u);
}

TEST_F(SetOidFromRegTest, WepKeysBecomeKeyBlocksFromTheirHexDigits)
{
    const StationProfile& r = build({{"AuthenType", "1"},
                                     {"Encryption", "0"},
                                     {"WEPKeyUse", "2"},
                                     {"WEPKey1", "0102030405"},
                                     {"WEPKey2", "00112233445566778899aabbcc"},
                                     {"WEPKey3", "0"},
                                     {"WEPKey4", "68656c6c6f"}}); // "hello" typed as ASCII
    const StationKeyBlock* k1 = WepKeyBlock(&r, 1);
    const StationKeyBlock* k2 = WepKeyBlock(&r, 2);
    const StationKeyBlock* k4 = WepKeyBlock(&r, 4);
    ASSERT_NE(k1, nullptr);
    ASSERT_NE(k2, nullptr);
    ASSERT_NE(k4, nullptr);
    EXPECT_EQ(WepKeyBlock(&r, 3), nullptr);
    EXPECT_EQ(WepKeyBlockSize(&r, 3), 0u);

    EXPECT_EQ(WepKeyBlockSize(&r, 1), 44u);
    EXPECT_EQ(k1->Length, 44u);
    EXPECT_EQ(k1->KeyIndex, 0u);
    EXPECT_EQ(k1->KeyLength, 5u);
    EXPECT_EQ(Bytes(k1->Bssid, k1->Bssid + 6), Bytes(6, 0xFF));
    EXPECT_EQ(Bytes(k1->KeyMaterial, k1->KeyMaterial + 5), FromHex("0102030405"));

    EXPECT_EQ(WepKeyBlockSize(&r, 2), 52u);
    EXPECT_EQ(k2->KeyIndex, 0x80000001u);
    EXPECT_EQ(k2->KeyLength, 13u);
    EXPECT_EQ(Bytes(k2->KeyMaterial, k2->KeyMaterial + 13), FromHex("00112233445566778899aabbcc"));

    EXPECT_EQ(k4->KeyIndex, 3u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(k4->KeyMaterial), 5), "hello");

    // LEAP carries its own keys: no WEP block is built.
    const StationProfile& leap =
        build({{"Encryption", "0"}, {"LeapEnabled", "1"}, {"WEPKey1", "0102030405"}});
    EXPECT_EQ(WepKeyBlock(&leap, 1), nullptr);
}

TEST_F(SetOidFromRegTest, WpaPassphrasesBecomeAHashedKeyOrStayText)
{
    // The published PBKDF2 vector: "password" over SSID "IEEE".
    const StationProfile& adhoc =
        build({{"SSID", "IEEE"}, {"AuthenType", "5"}, {"Encryption", "6"}, {"WPAPSK", "password"}});
    ASSERT_NE(adhoc.pWpaNoneKey, nullptr);
    EXPECT_EQ(adhoc.WpaNoneKeySize, 71u);
    EXPECT_EQ(adhoc.pWpaNoneKey->Length, 71u);
    EXPECT_EQ(adhoc.pWpaNoneKey->KeyIndex, 0x80000000u);
    EXPECT_EQ(adhoc.pWpaNoneKey->KeyLength, 32u);
    EXPECT_EQ(Bytes(adhoc.pWpaNoneKey->KeyMaterial, adhoc.pWpaNoneKey->KeyMaterial + 32),
              FromHex("f42c6fc52df0ebef9ebb4b90b38a5f902e83fe1b135a70e23aed762e9710a12e"));
    EXPECT_EQ(adhoc.WpaPassphraseLength, 0u);

    const std::string digits = "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f";
    const StationProfile& raw = build({{"SSID", "IEEE"}, {"AuthenType", "5"}, {"WPAPSK", digits}});
    ASSERT_NE(raw.pWpaNoneKey, nullptr);
    EXPECT_EQ(Bytes(raw.pWpaNoneKey->KeyMaterial, raw.pWpaNoneKey->KeyMaterial + 32),
              FromHex(digits));

    const StationProfile& psk = build({{"AuthenType", "7"}, {"WPAPSK", "correct horse"}});
    EXPECT_EQ(psk.pWpaNoneKey, nullptr);
    EXPECT_EQ(psk.WpaPassphraseLength, 13u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(psk.WpaPassphrase), 14),
              std::string("correct horse\0", 14));
}

TEST_F(SetOidFromRegTest, AdvancedBuildChoosesRatesByModeAndTransRate)
{
    struct
    {
        const char* mode;
        const char* transRate; // nullptr: absent
        Bytes rates;
    } cases[] = {
        {"4", nullptr, {108, 96, 72, 48, 36, 24, 18, 12}},
        {"2", nullptr, {108, 96, 72, 48, 36, 24, 18, 12}},
        {"1", nullptr, {22, 11, 4, 2, 0, 0, 0, 0}},
        {"0", nullptr, {108, 96, 72, 48, 22, 11, 4, 2}},
        {"1", "6", {22, 11, 4, 2, 0, 0, 0, 0}},
        {"1", "3", {11, 0, 0, 0, 0, 0, 0, 0}},
        {"4", "3", {24, 0, 0, 0, 0, 0, 0, 0}},
        {"2", "9", {108, 96, 72, 48, 36, 24, 18, 12}},
        {"0", "12", {108, 0, 0, 0, 0, 0, 0, 0}},
        {"3", "13", {108, 96, 72, 48, 22, 11, 4, 2}},
        {"6", nullptr, {108, 96, 72, 48, 22, 11, 4, 2}}, // MCS chosen automatically
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.mode) + " / " + (c.transRate ? c.transRate : "-"));
        Config config = {{"WirelessMode", c.mode}};
        if (c.transRate)
            config["TransRate"] = c.transRate;
        const StationProfile& r = build(config, TRUE);
        EXPECT_EQ(r.bSetAdvance, 1u);
        EXPECT_EQ(Bytes(r.DesiredRates, r.DesiredRates + 8), c.rates);
    }
}

TEST_F(SetOidFromRegTest, AdvancedBuildFillsTheBlockAndThe11nWord)
{
    g_nHtTransmitSetting = 0xF0000000; // bits the build does not own stay
    BYTE driverBlock[32];
    for (int i = 0; i < 32; i++)
        driverBlock[i] = static_cast<BYTE>(0xC0 + i);
    ASSERT_TRUE(OidSetInformation(0x0D710111, driverBlock, sizeof driverBlock, NULL, 1));
    const StationProfile& r = build({{"WirelessMode", "0"},
                                     {"TXBurst", "1"},
                                     {"TurboRate", "1"},
                                     {"BGProtection", "2"},
                                     {"ShortSlot", "1"},
                                     {"CountryRegion", "5"},
                                     {"CountryRegionABand", "1"}},
                                    TRUE);
    // The 11n settings are asked for first, then the advanced block.
    std::vector<std::uint32_t> c = codes();
    ASSERT_GE(c.size(), 2u);
    EXPECT_EQ(c[0], 0xFF0C0028u);
    EXPECT_EQ(c[1], 0x0D710111u);

    // Bytes 20-31 are the driver's own, kept whole in the record.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.AdvancedConfig) + 20, 12),
              std::string(reinterpret_cast<const char*>(driverBlock) + 20, 12));

    DWORD words[5];
    memcpy(words, r.AdvancedConfig, sizeof(words));
    EXPECT_EQ(words[0], 1u);
    EXPECT_EQ(words[1], 1u);
    EXPECT_EQ(words[2], 2u);
    EXPECT_EQ(words[3], 1u);
    EXPECT_EQ(words[4], 1u); // mode 0 in the driver's numbering
    EXPECT_EQ(memcmp(g_abAdvancedConfig, r.AdvancedConfig, 32), 0);
    EXPECT_EQ(r.CountryRegion, 5u + 256u);
    EXPECT_EQ(G_enumWirelessMode, 0);
    // Mode 0, PHY field 2, bandwidth, guard interval and STBC on, MCS 33, mixed mode.
    EXPECT_EQ(g_nHtTransmitSetting, 0xF0000000u | (2u << 14) | (7u << 11) | (33u << 4));

    EXPECT_EQ(configValue("AdhocOfdm"), "1");
    HKEY hKey = 0;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, g_strDriverKey, 0, KEY_READ, &hKey), 0);
    char value[8] = {};
    DWORD dwType = 0;
    DWORD cb = sizeof value;
    EXPECT_EQ(
        RegQueryValueExA(hKey, "AdhocOfdm", NULL, &dwType, reinterpret_cast<BYTE*>(value), &cb), 0);
    RegCloseKey(hKey);
    EXPECT_EQ(dwType, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(value, cb), "1"); // no terminating zero

    // Outside modes 0 and 3 protection is off; an A-band region alone counts for nothing; a
    // stored transmit setting gives its own bits.
    const DWORD stored = (1u << 16) | (0u << 11) | (1u << 12) | (7u << 4) | 0x0F | (3u << 17);
    const StationProfile& g = build({{"WirelessMode", "6"},
                                     {"BGProtection", "2"},
                                     {"CountryRegionABand", "1"},
                                     {"TransmitSetting", std::to_string(stored)}},
                                    TRUE);
    memcpy(words, g.AdvancedConfig, sizeof(words));
    EXPECT_EQ(words[2], 0u);
    EXPECT_EQ(words[4], 6u);
    EXPECT_EQ(g.CountryRegion, 0u);
    EXPECT_EQ(g_nHtTransmitSetting,
              0xF0000000u | 6u | (2u << 14) | (1u << 16) | (1u << 12) | (7u << 4));
}

TEST_F(SetOidFromRegTest, CertificatesFollowTheirLengthAndTheSecuredSettingsTheirRules)
{
    g_bAllowSecuredConnect = TRUE;
    Config config = {
        {"AuthenType", "3"},     {"Encryption", "4"},         {"AuthenProtocol", "2"},
        {"TunnelProtocol", "5"}, {"ID", "user@example.test"}, {"ServerName", "radius.example.test"},
        {"UseClientCert", "1"},  {"ClientCertLen", "4"},      {"ClientCertData", "a1b2c3d4"},
        {"UseServerCert", "0"},  {"ServerCertLen", "4"},      {"ServerCertData", "ffffffff"}};
    const StationProfile& r = build(config);
    EXPECT_EQ(r.AuthenProtocol, 2u);
    EXPECT_EQ(r.TtlsInnerMethod, 5u);
    EXPECT_EQ(r.TunnelProtocol, 0u);
    EXPECT_STREQ(r.ID, "user@example.test");
    EXPECT_STREQ(r.ServerName, "radius.example.test");
    ASSERT_EQ(g_nClientCertLen, 4);
    EXPECT_EQ(Bytes(g_pClientCertData, g_pClientCertData + 4), FromHex("a1b2c3d4"));
    EXPECT_EQ(g_pServerCertData, nullptr); // not in use: not read

    // A longer certificate gets a buffer of its own length; what the text lacks stays zero.
    config["ClientCertLen"] = "20";
    config["ClientCertData"] = "0102";
    build(config);
    ASSERT_EQ(g_nClientCertLen, 20);
    Bytes expected(20, 0);
    expected[0] = 1;
    expected[1] = 2;
    EXPECT_EQ(Bytes(g_pClientCertData, g_pClientCertData + 20), expected);

    // Without secured connections the 802.1X keys are not read.
    g_bAllowSecuredConnect = FALSE;
    EXPECT_EQ(build(config).AuthenProtocol, 0u);
}

} // namespace
