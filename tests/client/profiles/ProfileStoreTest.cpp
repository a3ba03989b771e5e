// The profile section: the code mappings, a section written from the editor's pages and read
// back into them, and the reset of the active configuration.

#include "client/profiles/ProfileStore.h"
#include "adapter/crypto/HexToBytes.h"

#include "client/profiles/ProfilePage.h"
#include "client/profiles/ProfileSheet.h"
#include "tests/client/profiles/ProfileFixture.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{

using testing_support::ProfileFixture;

TEST(ProfileCodes, ChannelsAuthenticationAndEncryption)
{
    EXPECT_EQ(std::string(StoredChannelFromText("J12")), "212");
    EXPECT_EQ(std::string(StoredChannelFromText("11")), "11");
    EXPECT_EQ(std::string(ChannelTextFromStored("212")), "J12");
    EXPECT_EQ(std::string(ChannelTextFromStored("216")), "J16");
    EXPECT_EQ(std::string(ChannelTextFromStored("36")), "36");
    EXPECT_EQ(std::string(ChannelTextFromStored("")), "");

    struct Auth
    {
        int mode, networkType, stored;
    } auths[] = {{4, 0, 5}, {3, 0, 0}, {5, 1, 4}, {4, 1, 4}, {7, 0, 7}, {5, 0, 5}, {1, 0, 1}};
    for (const Auth& a : auths)
        EXPECT_EQ(AdjustStoredAuthMode(a.mode, a.networkType), a.stored)
            << a.mode << " in " << a.networkType;

    struct Enc
    {
        int mode, index, networkType;
        BOOL leap, ccx;
        int leapEnc, code;
    } encs[] = {
        {4, 0, 1, 0, 0, 0, 4}, {4, 1, 1, 0, 0, 0, 6}, // WPA-PSK: TKIP or AES
        {5, 0, 0, 0, 0, 0, 6},                        // ad hoc is AES whatever the index
        {0, 0, 1, 0, 0, 0, 1}, {0, 1, 1, 0, 0, 0, 0}, {1, 3, 1, 0, 0, 0, 0},
        {0, 0, 1, 1, 0, 2, 0}, // LEAP without CCX is WEP
        {0, 0, 1, 1, 1, 1, 4}, {0, 0, 1, 1, 1, 2, 6}, {0, 0, 1, 1, 1, 0, 0},
    };
    for (const Enc& e : encs)
        EXPECT_EQ(
            EncryptionCodeFromChoice(e.mode, e.index, e.networkType, e.leap, e.ccx, e.leapEnc),
            e.code)
            << e.mode << "/" << e.index << "/" << e.networkType << "/" << e.leap;
}

TEST(ProfileCodes, AsciiWepKeysAreTwoDigitsPerByte)
{
    EXPECT_EQ(std::string(WepAsciiToHex("abcde")), "6162636465");
    EXPECT_EQ(std::string(WepAsciiToHex("")), "");
    // Any length but 5 keeps its first 13 characters.
    EXPECT_EQ(std::string(WepAsciiToHex("ABCDEFGHIJKLMNO")), "4142434445464748494a4b4c4d");
    // A character above 0x7F still gives two digits, so the key keeps its length.
    std::string high = WepAsciiToHex("\xE9\x01\x41zz").GetString();
    EXPECT_EQ(high, "e901417a7a");

    CString ascii;
    EXPECT_TRUE(WepHexToAscii("6162636465", ascii));
    EXPECT_EQ(std::string(ascii), "abcde");
    EXPECT_TRUE(WepHexToAscii("e901417A7a", ascii));
    EXPECT_EQ(std::string(ascii), "\xE9\x01\x41zz");
    for (const char* bad : {"616263646566", "61626364", "6162636g65", "6100636465"})
    {
        EXPECT_FALSE(WepHexToAscii(bad, ascii)) << bad;
        EXPECT_TRUE(ascii.IsEmpty()) << bad;
    }
}

TEST(ProfileCodes, CertificateBytesDecodeNoFurtherThanBufferOrText)
{
    const BYTE bytes[] = {0x00, 0x0f, 0xa5, 0xff};
    EXPECT_EQ(std::string(BytesToHex(bytes, 4)), "000fa5ff");
    BYTE out[6];
    memset(out, 0x77, sizeof out);
    HexToBytesZeroFilled("000fa5ff", out, 6); // text shorter than the buffer
    EXPECT_EQ(std::vector<BYTE>(out, out + 6), (std::vector<BYTE>{0, 0x0f, 0xa5, 0xff, 0, 0}));
    BYTE small[2] = {};
    HexToBytesZeroFilled("000fa5ff", small, 2); // buffer shorter than the text
    EXPECT_EQ(std::vector<BYTE>(small, small + 2), (std::vector<BYTE>{0, 0x0f}));
}

TEST(ProfileCodes, SectionNamesTheFileCannotHold)
{
    for (const char* good : {"Home", "a=b", ";lab", "[x", "Caf\xE9 2"})
        EXPECT_TRUE(IsStorableProfileName(good)) << good;
    for (const char* bad : {"a]b", "two\nlines", "cr\r"})
        EXPECT_FALSE(IsStorableProfileName(bad)) << bad;
}

class ProfileStoreTest : public ProfileFixture
{
protected:
    std::unique_ptr<CProfileSheet> sheet(const char* name)
    {
        auto s = std::make_unique<CProfileSheet>("Edit Profile");
        s->m_SysConfigPage.m_strProfileName = name;
        return s;
    }
};

TEST_F(ProfileStoreTest, SaveWritesEveryKeyInOrderAndLoadReadsThemBack)
{
    auto s = sheet("Office");
    CSysConfigPage& sys = s->m_SysConfigPage;
    CAuthSecuPage& auth = s->m_AuthSecuPage;
    sys.m_strSsid = "  Lab \"net\" ";
    sys.m_strChannel = "J12";
    sys.m_nNetworkType = 0;
    sys.m_nPreamble = 1;
    sys.m_nPowerSaveMode = 1;
    sys.m_nTxPower = 3;
    sys.m_bUseRtsThreshold = 1;
    sys.m_nRtsThreshold = 500;
    sys.m_bUseFragThreshold = 0;
    sys.m_nFragThreshold = 800;
    auth.m_nAuthMode = 4; // WPA-PSK in ad hoc
    auth.m_nEncryptIndex = 0;
    auth.m_strWpaPsk = " pass phrase ";
    auth.m_nDefaultKey = 2;
    auth.m_nWepKeyType[0] = 1;
    auth.m_strWepKeyAscii[0] = "abcde";
    auth.m_nWepKeyType[1] = 0;
    auth.m_strWepKeyHex[1] = "0123456789";
    SetCertDataLength(&g_pClientCertData, &g_nClientCertLen, 3);
    g_pClientCertData[0] = 0x0a;
    g_pClientCertData[2] = 0xff;
    EXPECT_EQ(s->SaveProfile(), 1);

    EXPECT_EQ(value("Office", "Channel"), "212");
    EXPECT_EQ(value("Office", "AuthenType"), "5");
    EXPECT_EQ(value("Office", "Encryption"), "6");
    EXPECT_EQ(auth.m_nEncryptIndex, 6); // the page's row text is built from it
    EXPECT_EQ(value("Office", "PreambleType"), "0");
    EXPECT_EQ(value("Office", "PSMode"), "2");
    EXPECT_EQ(value("Office", "RtsThresh"), "500");
    EXPECT_EQ(value("Office", "FragThresh"), "2346");
    EXPECT_EQ(value("Office", "WEPKeyUse"), "3");
    EXPECT_EQ(value("Office", "WEPKey1"), "6162636465");
    EXPECT_EQ(value("Office", "WEPKey1Type"), "1");
    EXPECT_EQ(value("Office", "ClientCertData"), "0a00ff");
    EXPECT_EQ(value("Office", "ServerCertLen"), "0");
    // Blanks and quotes around typed texts survive the file's reading rules.
    EXPECT_EQ(value("Office", "SSID"), "  Lab \"net\" ");
    EXPECT_EQ(value("Office", "WPAPSK"), " pass phrase ");

    // Keys in the order they were written: the first of the section are the radio keys.
    std::string text = fileText(INI_KIND_PROFILE);
    std::vector<std::string> order = {
        "SSID=",       "Channel=",    "NetworkType=",   "PreambleType=",
        "ACPowerCam=", "PSMode=",     "TXPower=",       "UseRts=",
        "AuthenType=", "Encryption=", "WEPKeyUse=",     "WEPKey1Type=",
        "WEPKey1=",    "Use8021X=",   "ClientCertLen=", "IntermediateCert="};
    std::size_t pos = 0;
    for (const auto& key : order)
    {
        std::size_t at = text.find("\n" + key, pos);
        ASSERT_NE(at, std::string::npos) << key;
        pos = at;
    }
    EXPECT_EQ(text.find("PACFilePath="), std::string::npos); // no applied record yet

    SetCertDataLength(&g_pClientCertData, &g_nClientCertLen, 0);
    auto r = sheet("Office");
    EXPECT_EQ(r->LoadProfile(), 1);
    EXPECT_EQ(std::string(r->m_SysConfigPage.m_strSsid), "  Lab \"net\" ");
    EXPECT_EQ(std::string(r->m_SysConfigPage.m_strChannel), "J12");
    EXPECT_EQ(r->m_SysConfigPage.m_nNetworkType, 0);
    EXPECT_EQ(r->m_AuthSecuPage.m_bInfrastructure, 0);
    EXPECT_EQ(r->m_SysConfigPage.m_nPreamble, 1);
    EXPECT_EQ(r->m_SysConfigPage.m_nPowerSaveMode, 1);
    EXPECT_EQ(r->m_SysConfigPage.m_nTxPower, 3);
    EXPECT_EQ(r->m_SysConfigPage.m_nRtsThreshold, 500);
    EXPECT_EQ(r->m_SysConfigPage.m_bUseFragThreshold, 0);
    EXPECT_EQ(r->m_SysConfigPage.m_nFragThreshold, 2346);
    EXPECT_EQ(r->m_AuthSecuPage.m_nAuthMode, 5);
    EXPECT_EQ(r->m_AuthSecuPage.m_nEncryptIndex, 1);
    EXPECT_EQ(r->m_AuthSecuPage.m_nDefaultKey, 2);
    EXPECT_EQ(std::string(r->m_AuthSecuPage.m_strWepKeyAscii[0]), "abcde");
    EXPECT_EQ(std::string(r->m_AuthSecuPage.m_strWepKeyHex[1]), "0123456789");
    EXPECT_EQ(std::string(r->m_AuthSecuPage.m_strWpaPsk), " pass phrase ");
    ASSERT_EQ(g_nClientCertLen, 3);
    EXPECT_EQ(std::vector<BYTE>(g_pClientCertData, g_pClientCertData + 3),
              (std::vector<BYTE>{0x0a, 0, 0xff}));
}

TEST_F(ProfileStoreTest, LoadEdgeCases)
{
    writeSection("P", {{"RtsThresh", "3000"},
                       {"UseRts", "1"},
                       {"FragThresh", "100"},
                       {"UseFrag", "1"},
                       {"PSMode", "7"},
                       {"PreambleType", "1"},
                       {"WEPKey1Type", "1"},
                       {"WEPKey1", "616263646566"},
                       {"LeapEnabled", "1"},
                       {"Encryption", "4"},
                       {"AuthenProtocol", "2"},
                       {"TunnelProtocol", "4"}});
    auto s = sheet("P");
    s->m_AuthSecuPage.m_strWepKeyAscii[0] = "stale";
    s->m_AuthSecuPage.m_bUse8021x = 1;
    s->m_AuthSecuPage.m_strWpaPsk = "kept";
    s->LoadProfile();
    EXPECT_EQ(s->m_SysConfigPage.m_nRtsThreshold, 2347);
    EXPECT_EQ(s->m_SysConfigPage.m_nFragThreshold, 256);
    EXPECT_EQ(s->m_SysConfigPage.m_nPowerSaveMode, 0);
    EXPECT_EQ(s->m_SysConfigPage.m_nPreamble, 0);
    EXPECT_TRUE(s->m_AuthSecuPage.m_strWepKeyAscii[0].IsEmpty()); // 12 digits: no ASCII key
    EXPECT_EQ(s->m_AuthSecuPage.m_nLeapEncryption, 1);
    EXPECT_EQ(s->m_AuthSecuPage.m_bUse8021x, 0);
    EXPECT_EQ(std::string(s->m_AuthSecuPage.m_strWpaPsk), "kept"); // absent keys leave members
    EXPECT_EQ(s->m_AuthSecuPage.m_dot1x.nTtlsInnerMethod, 4);

    // A missing section turns the thresholds off and leaves the rest.
    auto none = sheet("Missing");
    none->m_SysConfigPage.m_bUseRtsThreshold = 1;
    none->m_SysConfigPage.m_nRtsThreshold = 100;
    none->m_SysConfigPage.m_strSsid = "kept";
    none->LoadProfile();
    EXPECT_EQ(none->m_SysConfigPage.m_bUseRtsThreshold, 0);
    EXPECT_EQ(none->m_SysConfigPage.m_nRtsThreshold, 2347);
    EXPECT_EQ(std::string(none->m_SysConfigPage.m_strSsid), "kept");
}

TEST_F(ProfileStoreTest, ALongerCertificateLengthGetsABufferOfThatLength)
{
    writeSection("A", {{"ClientCertLen", "2"}, {"ClientCertData", "0102"}});
    writeSection("B", {{"ClientCertLen", "40"}, {"ClientCertData", "0a0b0c"}});
    sheet("A")->LoadProfile();
    ASSERT_EQ(g_nClientCertLen, 2);
    sheet("B")->LoadProfile();
    ASSERT_EQ(g_nClientCertLen, 40);
    std::vector<BYTE> expect(40, 0);
    expect[0] = 0x0a;
    expect[1] = 0x0b;
    expect[2] = 0x0c;
    EXPECT_EQ(std::vector<BYTE>(g_pClientCertData, g_pClientCertData + 40), expect);
}

TEST_F(ProfileStoreTest, ALeapProfileWithoutCcx)
{
    auto s = sheet("Leap");
    s->m_AuthSecuPage.m_bLeap = 1;
    s->m_AuthSecuPage.m_bUse8021x = 1;
    s->m_AuthSecuPage.m_nAuthMode = 0;
    s->m_AuthSecuPage.m_nLeapEncryption = 2;
    s->SaveProfile();
    EXPECT_EQ(value("Leap", "AuthenType"), "0");
    EXPECT_EQ(value("Leap", "LeapEnabled"), "1");
    EXPECT_EQ(value("Leap", "Encryption"), "0");
    EXPECT_EQ(value("Leap", "Use8021X"), "0");
}

TEST_F(ProfileStoreTest, ResetWritesTheDefaultsToConfigAndTheDriverKey)
{
    for (const char* key : {"SSID", "AuthenType", "CurProfile", "ClientCertLen"})
        SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", key, "x");
    SetIniValue(g_strNetCfgInstanceId, INI_KIND_STATION, "Config", "WPAPSK", "keep me");
    CProfilePage page;
    page.m_strCurProfile = "Office";
    EXPECT_TRUE(ResetCurrentConfig(&page));
    EXPECT_TRUE(page.m_strCurProfile.IsEmpty());
    const std::pair<const char*, const char*> expected[] = {
        {"SSID", ""},           {"NetworkType", "1"},   {"AuthenType", "0"},
        {"Encryption", "1"},    {"WEPKey3Type", ""},    {"CurProfile", ""},
        {"ServerCertLen", "0"}, {"ClientCertLen", "0"}, {"ClientCertData", ""}};
    for (const auto& [key, text] : expected)
    {
        EXPECT_EQ(config(key), text) << key;
        EXPECT_EQ(driverValue(key), text) << key;
    }
    EXPECT_EQ(config("WPAPSK"), "keep me");
}

} // namespace
