#include "client/access/WlanProfileXmlWriter.h"

#include "adapter/driver/NdisTypes.h"
#include "client/access/ScanList.h"
#include "client/access/StationProfile.h"

#include <cstring>
#include <gtest/gtest.h>
#include <initializer_list>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <memory>
#include <string>
#include <vector>

namespace
{

const char kProfileNs[] = "http://www.microsoft.com/networking/WLAN/profile/v1";
const char kOneXNs[] = "http://www.microsoft.com/networking/OneX/v1";
const char kEapHostNs[] = "http://www.microsoft.com/provisioning/EapHostConfig";
const char kEapCommonNs[] = "http://www.microsoft.com/provisioning/EapCommon";

std::string ToUtf8(const WCHAR* psz)
{
    std::u16string wide(psz);
    return platform::Utf16ToUtf8(wide);
}

// The writer's outputs, with the document parsed.
struct Written
{
    BOOL bResult = FALSE;
    WCHAR szName[WLAN_PROFILE_NAME_CHARS];
    WCHAR szXml[WLAN_PROFILE_XML_CHARS];
    DOT11_BSS_TYPE bssType = dot11_BSS_type_any;
    DWORD dwBssidGiven = 77;
    BOOL bSecured = 77;
    std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc{nullptr, xmlFreeDoc};

    xmlNodePtr Root() const { return doc ? xmlDocGetRootElement(doc.get()) : nullptr; }

    // The element at a path of local names below the root, or null.
    xmlNodePtr Find(std::initializer_list<const char*> path) const
    {
        xmlNodePtr node = Root();
        for (const char* name : path)
        {
            xmlNodePtr child = node ? node->children : nullptr;
            while (child && !(child->type == XML_ELEMENT_NODE &&
                              std::strcmp(reinterpret_cast<const char*>(child->name), name) == 0))
                child = child->next;
            node = child;
        }
        return node;
    }

    std::string Text(std::initializer_list<const char*> path) const
    {
        xmlNodePtr node = Find(path);
        if (!node)
            return "<absent>";
        xmlChar* content = xmlNodeGetContent(node);
        std::string text = reinterpret_cast<const char*>(content);
        xmlFree(content);
        return text;
    }

    static std::string Ns(xmlNodePtr node)
    {
        return node && node->ns ? reinterpret_cast<const char*>(node->ns->href) : "";
    }
};

Written Write(const StationProfile& profile)
{
    Written out;
    std::memset(out.szName, 0x41, sizeof(out.szName));
    std::memset(out.szXml, 0x41, sizeof(out.szXml));
    WlanProfileXmlWriter writer;
    out.bResult = writer.Write(&profile, out.szName, out.szXml, &out.bssType, &out.dwBssidGiven,
                               &out.bSecured);
    if (out.bResult)
    {
        std::string xml = ToUtf8(out.szXml);
        out.doc.reset(xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "profile.xml",
                                    nullptr, XML_PARSE_NONET | XML_PARSE_NOERROR));
        EXPECT_NE(out.doc, nullptr) << xml;
    }
    return out;
}

// A zero-filled record as the settings code builds it, with its key blocks beside it.
struct Profile
{
    StationProfile record;
    alignas(8) BYTE keyBytes[4][64];
    const StationKeyBlock& key(int n) const
    {
        return *reinterpret_cast<const StationKeyBlock*>(keyBytes[n - 1]);
    }

    Profile(const std::string& ssid, ULONG networkType, LONG authMode, ULONG status)
    {
        std::memset(&record, 0, sizeof(record));
        std::memset(keyBytes, 0, sizeof(keyBytes));
        record.SsidLength = static_cast<ULONG>(ssid.size());
        std::memcpy(record.Ssid, ssid.data(), ssid.size());
        record.NetworkType = networkType;
        record.AuthenticationMode = authMode;
        record.EncryptionStatus = status;
    }

    void WepKey(int n, const std::vector<BYTE>& key, bool transmit)
    {
        StationKeyBlock& block = *reinterpret_cast<StationKeyBlock*>(keyBytes[n - 1]);
        block.Length = static_cast<ULONG>(key.size() + 39);
        block.KeyIndex = static_cast<ULONG>(n - 1) | (transmit ? 0x80000000u : 0);
        block.KeyLength = static_cast<ULONG>(key.size());
        std::memset(block.Bssid, 0xFF, sizeof(block.Bssid));
        std::memcpy(block.KeyMaterial, key.data(), key.size());
        *WepKeyBlock(&record, n) = &block;
        *WepKeyBlockSize(&record, n) = block.Length;
    }

    void Passphrase(const std::string& text)
    {
        std::memcpy(record.WpaPassphrase, text.data(), text.size());
        record.WpaPassphraseLength = static_cast<ULONG>(text.size());
    }
};

TEST(WlanProfileXmlWriterTest, OpenInfrastructureProfile)
{
    Profile profile("harbour-lab", 1, 0, 1);
    profile.record.BssidGiven = 1;
    Written out = Write(profile.record);
    ASSERT_TRUE(out.bResult);
    EXPECT_EQ(ToUtf8(out.szName), "harbour-lab");
    EXPECT_EQ(std::u16string(out.szXml).rfind(u"<?xml version=\"1.0\"?><WLANProfile xmlns=\"", 0),
              0u);
    EXPECT_EQ(Written::Ns(out.Root()), kProfileNs);
    EXPECT_EQ(out.Text({"name"}), "harbour-lab");
    EXPECT_EQ(out.Text({"SSIDConfig", "SSID", "name"}), "harbour-lab");
    EXPECT_EQ(out.Find({"SSIDConfig", "SSID", "hex"}), nullptr);
    EXPECT_EQ(out.Text({"SSIDConfig", "nonBroadcast"}), "true");
    EXPECT_EQ(out.Text({"connectionType"}), "ESS");
    EXPECT_EQ(out.Text({"connectionMode"}), "auto");
    EXPECT_EQ(out.Text({"autoSwitch"}), "true");
    EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "authentication"}), "open");
    EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "encryption"}), "none");
    EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "useOneX"}), "false");
    EXPECT_EQ(out.Find({"MSM", "security", "sharedKey"}), nullptr);
    EXPECT_EQ(out.Find({"MSM", "security", "keyIndex"}), nullptr);
    EXPECT_EQ(out.Find({"MSM", "security", "OneX"}), nullptr);
    EXPECT_EQ(out.bssType, dot11_BSS_type_infrastructure);
    EXPECT_EQ(out.dwBssidGiven, 1u);
    EXPECT_FALSE(out.bSecured);
    // One line, no white space between elements.
    EXPECT_EQ(std::u16string(out.szXml).find(u"> "), std::u16string::npos);
    EXPECT_EQ(std::u16string(out.szXml).find(u"\n"), std::u16string::npos);
}

TEST(WlanProfileXmlWriterTest, WepSecondKeyIsTheTransmitKey)
{
    const struct
    {
        std::vector<BYTE> key;
        const char* hex;
    } cases[] = {
        {{0x1A, 0x2B, 0x3C, 0x4D, 0x5E}, "1A2B3C4D5E"},
        {{0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xFF},
         "00112233445566778899AABBFF"},
    };
    for (const auto& c : cases)
    {
        Profile profile("wep-net", 1, 1, 0);
        profile.WepKey(1, {1, 2, 3, 4, 5}, false);
        profile.WepKey(2, c.key, true);
        profile.WepKey(3, {9, 9, 9, 9, 9}, true);
        Written out = Write(profile.record);
        ASSERT_TRUE(out.bResult);
        EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "authentication"}), "shared");
        EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "encryption"}), "WEP");
        EXPECT_EQ(out.Text({"MSM", "security", "sharedKey", "keyType"}), "networkKey");
        EXPECT_EQ(out.Text({"MSM", "security", "sharedKey", "protected"}), "false");
        EXPECT_EQ(out.Text({"MSM", "security", "sharedKey", "keyMaterial"}), c.hex);
        EXPECT_EQ(out.Text({"MSM", "security", "keyIndex"}), "1");
        EXPECT_TRUE(out.bSecured);
        // The conversion leaves the key bytes as they were.
        EXPECT_EQ(std::memcmp(profile.key(2).KeyMaterial, c.key.data(), c.key.size()), 0);
    }

    // No transmit key: no key material and no index, but the key type stays.
    Profile none("wep-net", 1, 0, 0);
    none.WepKey(1, {1, 2, 3, 4, 5}, false);
    Written out = Write(none.record);
    ASSERT_TRUE(out.bResult);
    EXPECT_EQ(out.Text({"MSM", "security", "sharedKey", "keyType"}), "networkKey");
    EXPECT_EQ(out.Find({"MSM", "security", "sharedKey", "keyMaterial"}), nullptr);
    EXPECT_EQ(out.Find({"MSM", "security", "keyIndex"}), nullptr);
}

TEST(WlanProfileXmlWriterTest, PskProfiles)
{
    const std::string hex64 = "0123456789abcdef0123456789ABCDEF0123456789abcdef0123456789ABCDEF";
    const struct
    {
        LONG mode;
        ULONG status;
        std::string passphrase;
        const char* auth;
        const char* cipher;
        const char* keyType;
    } cases[] = {
        {4, 4, hex64, "WPAPSK", "TKIP", "networkKey"},
        {4, 4, "sesame12", "WPAPSK", "TKIP", "passPhrase"},
        {7, 6, "correct horse battery", "WPA2PSK", "AES", "passPhrase"},
        {7, 6, hex64, "WPA2PSK", "AES", "networkKey"},
        {4, 6, "sesame12", "WPAPSK", "AES", "passPhrase"},
    };
    for (const auto& c : cases)
    {
        Profile profile("psk-net", 1, c.mode, c.status);
        profile.Passphrase(c.passphrase);
        Written out = Write(profile.record);
        ASSERT_TRUE(out.bResult) << c.passphrase;
        EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "authentication"}), c.auth);
        EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "encryption"}), c.cipher);
        EXPECT_EQ(out.Text({"MSM", "security", "sharedKey", "keyType"}), c.keyType);
        EXPECT_EQ(out.Text({"MSM", "security", "sharedKey", "protected"}), "false");
        EXPECT_EQ(out.Text({"MSM", "security", "sharedKey", "keyMaterial"}), c.passphrase);
        EXPECT_EQ(out.Find({"MSM", "security", "keyIndex"}), nullptr);
        EXPECT_TRUE(out.bSecured);
    }
}

TEST(WlanProfileXmlWriterTest, AdHocWpaNone)
{
    Profile profile("adhoc-net", 0, 5, 4);
    profile.Passphrase("sesame12");
    Written out = Write(profile.record);
    ASSERT_TRUE(out.bResult);
    EXPECT_EQ(out.Text({"connectionType"}), "IBSS");
    EXPECT_EQ(out.Text({"connectionMode"}), "manual");
    EXPECT_EQ(out.Find({"SSIDConfig", "nonBroadcast"}), nullptr);
    EXPECT_EQ(out.Find({"autoSwitch"}), nullptr);
    EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "authentication"}), "WPAPSK");
    EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "encryption"}), "TKIP");
    EXPECT_EQ(out.Text({"MSM", "security", "sharedKey", "keyMaterial"}), "sesame12");
    EXPECT_EQ(out.bssType, dot11_BSS_type_independent);
    EXPECT_TRUE(out.bSecured);
}

TEST(WlanProfileXmlWriterTest, OneXProfileCarriesThePeapBlock)
{
    Profile profile("corp-net", 1, 6, 6);
    profile.record.Use8021X = 1;
    profile.Passphrase("not-used");
    Written out = Write(profile.record);
    ASSERT_TRUE(out.bResult);
    EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "authentication"}), "WPA2");
    EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "encryption"}), "AES");
    EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "useOneX"}), "true");
    EXPECT_EQ(out.Find({"MSM", "security", "sharedKey"}), nullptr);
    EXPECT_EQ(out.Find({"MSM", "security", "keyIndex"}), nullptr);
    xmlNodePtr oneX = out.Find({"MSM", "security", "OneX"});
    EXPECT_EQ(Written::Ns(oneX), kOneXNs);
    xmlNodePtr host = out.Find({"MSM", "security", "OneX", "EAPConfig", "EapHostConfig"});
    EXPECT_EQ(Written::Ns(host), kEapHostNs);
    const std::pair<const char*, const char*> method[] = {
        {"Type", "25"}, {"VendorId", "0"}, {"VendorType", "0"}, {"AuthorId", "0"}};
    for (const auto& [name, value] : method)
    {
        std::initializer_list<const char*> path = {
            "MSM", "security", "OneX", "EAPConfig", "EapHostConfig", "EapMethod", name};
        EXPECT_EQ(out.Text(path), value) << name;
        EXPECT_EQ(Written::Ns(out.Find(path)), kEapCommonNs) << name;
    }
    EXPECT_NE(out.Find({"MSM", "security", "OneX", "EAPConfig", "EapHostConfig", "ConfigBlob"}),
              nullptr);
    EXPECT_NE(std::u16string(out.szXml).find(u"<ConfigBlob></ConfigBlob>"), std::u16string::npos);
    EXPECT_TRUE(out.bSecured);
}

TEST(WlanProfileXmlWriterTest, EncryptionAndSecuredTable)
{
    const struct
    {
        LONG mode;
        ULONG status;
        const char* auth;
        const char* cipher;
        BOOL secured;
    } cases[] = {
        {0, 0, "open", "WEP", TRUE},     {0, 1, "open", "none", FALSE},
        {0, 4, "open", "TKIP", TRUE},    {0, 5, "open", "none", TRUE},
        {0, 6, "open", "AES", TRUE},     {0, 9, "open", "none", FALSE},
        {3, 0, "WPA", "WEP", TRUE},      {3, 4, "WPA", "TKIP", TRUE},
        {6, 2, "WPA2", "none", TRUE},    {4, 0, "WPAPSK", "none", TRUE},
        {7, 3, "WPA2PSK", "none", TRUE}, {2, 6, "open", "none", TRUE},
        {8, 4, "open", "none", TRUE},    {-1, 0, "open", "none", TRUE},
    };
    for (const auto& c : cases)
    {
        Profile profile("table-net", 2, c.mode, c.status);
        Written out = Write(profile.record);
        ASSERT_TRUE(out.bResult);
        EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "authentication"}), c.auth)
            << c.mode << "/" << c.status;
        EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "encryption"}), c.cipher)
            << c.mode << "/" << c.status;
        EXPECT_EQ(out.bSecured, c.secured) << c.mode << "/" << c.status;
        EXPECT_EQ(out.bssType, dot11_BSS_type_any);
    }
}

TEST(WlanProfileXmlWriterTest, MarkupAndNonAsciiTextsReadBackExact)
{
    const std::string ssid = "a<b>&\"c'd\xC3\xA9\xE2\x82\xAC\xF0\x9F\x93\xA1";
    const std::string passphrase = "</keyMaterial>&amp;\"'\xC3\xBC\t\r\nx";
    Profile profile(ssid, 1, 7, 6);
    profile.Passphrase(passphrase);
    Written out = Write(profile.record);
    ASSERT_TRUE(out.bResult);
    EXPECT_EQ(ToUtf8(out.szName), ssid);
    EXPECT_EQ(out.Text({"name"}), ssid);
    EXPECT_EQ(out.Text({"SSIDConfig", "SSID", "name"}), ssid);
    EXPECT_EQ(out.Find({"SSIDConfig", "SSID", "hex"}), nullptr);
    EXPECT_EQ(out.Text({"MSM", "security", "sharedKey", "keyMaterial"}), passphrase);
    EXPECT_EQ(out.Find({"MSM", "security", "keyIndex"}), nullptr);

    // The longest texts (every byte escaped) still fit whole.
    Profile longest(std::string(32, '"'), 1, 7, 6);
    longest.Passphrase(std::string(64, '&'));
    Written full = Write(longest.record);
    ASSERT_TRUE(full.bResult);
    EXPECT_EQ(full.Text({"SSIDConfig", "SSID", "name"}), std::string(32, '"'));
    EXPECT_EQ(full.Text({"MSM", "security", "sharedKey", "keyMaterial"}), std::string(64, '&'));
}

TEST(WlanProfileXmlWriterTest, SsidBytesThatAreNotTextComeBackThroughHex)
{
    // Bytes that are no UTF-8, and a control character a document cannot hold.
    const std::string ssid =
        std::string("\xFF\x80x\xC3", 4) + std::string(1, '\0') + "\x01\xC3\xA9";
    Profile profile(ssid, 1, 0, 1);
    Written out = Write(profile.record);
    ASSERT_TRUE(out.bResult);
    EXPECT_EQ(out.Text({"SSIDConfig", "SSID", "hex"}), "FF8078C30001C3A9");
    // The name shows each stray byte as the character of its value.
    const std::u16string name = u"\u00FF\u0080x\u00C3\uFFFD\uFFFD\u00E9";
    EXPECT_EQ(std::u16string(out.szName), name);
    EXPECT_EQ(out.Text({"SSIDConfig", "SSID", "name"}), platform::Utf16ToUtf8(name));
    EXPECT_EQ(out.Text({"name"}), platform::Utf16ToUtf8(name));
}

TEST(WlanProfileXmlWriterTest, PassphraseTheDocumentCannotCarryStoresNothing)
{
    Profile profile("psk-net", 1, 7, 6);
    profile.Passphrase(std::string("pass\x01word", 9));
    Written out = Write(profile.record);
    EXPECT_FALSE(out.bResult);
    EXPECT_EQ(out.szName[0], 0);
    EXPECT_EQ(out.szXml[0], 0);

    // Lengths beyond the fields are read as the fields' size.
    Profile wide("psk-net", 1, 7, 6);
    wide.Passphrase(std::string(64, 'k'));
    wide.record.WpaPassphraseLength = 500;
    wide.record.SsidLength = 400;
    Written clamped = Write(wide.record);
    ASSERT_TRUE(clamped.bResult);
    EXPECT_EQ(clamped.Text({"MSM", "security", "sharedKey", "keyMaterial"}), std::string(64, 'k'));
    EXPECT_EQ(clamped.Text({"MSM", "security", "sharedKey", "keyType"}), "networkKey");
    EXPECT_EQ(std::u16string(clamped.szName).size(), 32u);
}

// A published scan list built entry by entry.
class ScanListFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_list.assign(BSSID_LIST_BYTES, 0);
        g_pBssidListCopy = m_list.data();
    }
    void TearDown() override { g_pBssidListCopy = nullptr; }

    // Appends an entry and returns its offset; entries are not aligned, as in a real list.
    ULONG Add(const std::string& ssid, LONG rssi, ULONG privacy, ULONG mode,
              const std::vector<BYTE>& ies = {})
    {
        NDIS_WLAN_BSSID_EX header;
        std::memset(&header, 0, sizeof(header));
        header.Length = static_cast<ULONG>(NDIS_WLAN_BSSID_EX_FIXED + ies.size());
        header.Ssid.SsidLength = static_cast<ULONG>(ssid.size());
        std::memcpy(header.Ssid.Ssid, ssid.data(), ssid.size());
        header.Rssi = rssi;
        header.Privacy = privacy;
        header.InfrastructureMode = mode;
        header.IELength = static_cast<ULONG>(ies.size());
        ULONG offset = m_offset;
        std::memcpy(m_list.data() + offset, &header, NDIS_WLAN_BSSID_EX_FIXED);
        if (!ies.empty())
            std::memcpy(m_list.data() + offset + NDIS_WLAN_BSSID_EX_FIXED, ies.data(), ies.size());
        m_offset += header.Length;
        SetCount(++m_count);
        return offset;
    }

    void SetCount(ULONG count) { std::memcpy(m_list.data(), &count, sizeof(count)); }
    void SetLength(ULONG offset, ULONG length)
    {
        std::memcpy(m_list.data() + offset, &length, sizeof(length));
    }

    std::string Chosen()
    {
        Profile profile("", 0, 7, 6);
        profile.Passphrase("sesame12");
        profile.record.Use8021X = 1;
        Written out = Write(profile.record);
        EXPECT_TRUE(out.bResult);
        if (!out.bResult)
            return "<failed>";
        EXPECT_EQ(out.bssType, dot11_BSS_type_infrastructure);
        EXPECT_FALSE(out.bSecured);
        EXPECT_EQ(out.Text({"connectionType"}), "ESS");
        EXPECT_EQ(out.Text({"connectionMode"}), "manual");
        EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "authentication"}), "open");
        EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "encryption"}), "none");
        EXPECT_EQ(out.Text({"MSM", "security", "authEncryption", "useOneX"}), "false");
        EXPECT_EQ(out.Find({"MSM", "security", "sharedKey"}), nullptr);
        EXPECT_EQ(out.Find({"MSM", "security", "OneX"}), nullptr);
        std::string name = ToUtf8(out.szName);
        EXPECT_EQ(out.Text({"SSIDConfig", "SSID", "name"}), name.empty() ? "<absent>" : name);
        return name;
    }

    std::vector<BYTE> m_list;
    ULONG m_offset = 4;
    ULONG m_count = 0;
};

const std::vector<BYTE> kRsnPsk = {48,   20,   1, 0, 0x00, 0x0F, 0xAC, 4,    1, 0, 0x00,
                                   0x0F, 0xAC, 4, 1, 0,    0x00, 0x0F, 0xAC, 2, 0, 0};
const std::vector<BYTE> kHtOperation = {61, 22, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                        0,  0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

TEST_F(ScanListFixture, StrongestOpenNetworkStandsInForAMissingSsid)
{
    Add("secured", -20, 0, 1, kRsnPsk);
    Add("wep", -25, 1, 1, {221, 1, 0});
    Add("adhoc-open", -22, 0, 0);
    Add("open-weak", -70, 0, 1);
    Add("open-ht", -40, 0, 1, kHtOperation);
    Add("open-equal", -40, 0, 1);
    Add("open-floor", -250, 0, 1);
    EXPECT_EQ(Chosen(), "open-ht");
}

TEST_F(ScanListFixture, SearchStaysInsideTheList)
{
    // Nothing qualifies: the name is empty.
    Add("secured", -20, 0, 1, kRsnPsk);
    Add("floor", -250, 0, 1);
    EXPECT_EQ(Chosen(), "");

    // An entry Length below the fixed part ends the walk before a stronger network.
    Add("open-first", -60, 0, 1);
    ULONG broken = Add("broken", -30, 0, 1);
    Add("open-after", -10, 0, 1);
    EXPECT_EQ(Chosen(), "open-after");
    SetLength(broken, 8);
    EXPECT_EQ(Chosen(), "open-first");

    // A count beyond what the block holds ends at the first empty entry.
    SetLength(broken, NDIS_WLAN_BSSID_EX_FIXED);
    SetCount(0xFFFFFFFF);
    EXPECT_EQ(Chosen(), "open-after");
}

TEST_F(ScanListFixture, NoPublishedList)
{
    g_pBssidListCopy = nullptr;
    EXPECT_EQ(Chosen(), "");
}

} // namespace
