// The settings push: what each stored value becomes on the wire, the records sent only when
// the driver holds something else, the keys, the broadcast SSID, the lists, and the order of it
// all.

#include "accesspoint/monitor/HideDlg.h"
#include "tests/accesspoint/support/ApMachine.h"

#include <cstring>

namespace
{

using testing_support::HexBytes;
using testing_support::le32;

class ApplyApSettingsTest : public ap_test::ApMachine
{
protected:
    void SetUp() override
    {
        ApMachine::SetUp();
        g_bABandSupported = TRUE;
        setMacLastByte(0x3A);
        dlg.CreateDefaultApSettings();
        clearRequests();
    }

    void set(const std::string& name, const std::string& value) const
    {
        setText(m_driverKey, name, value);
    }
    // One push, from a clean log.
    void apply()
    {
        clearRequests();
        dlg.ApplyApSettings();
    }
    // The single request of that code the push made; empty when it made none.
    std::string only(std::uint32_t code) const
    {
        std::vector<std::string> all = sent(code);
        EXPECT_LE(all.size(), 1u) << std::hex << code;
        return all.empty() ? std::string() : all[0];
    }

    CHideDlg dlg;
};

TEST_F(ApplyApSettingsTest, RateSetFollowsModeAndTransRate)
{
    const struct
    {
        const char* mode;
        const char* rate;
        const char* bytes; // "" when no rate set is sent
    } cases[] = {
        {"1", "6", "16 0b 04 02"}, // B only: an index above 4 counts as auto
        {"1", "4", "16"},
        {"4", "1", "0c"},
        {"0", "1", "02"},
        {"0", "0", "6c 60 48 30 16 0b 04 02"},
        {"9", "12", "6c"},
        {"9", "13", "6c 60 48 30 16 0b 04 02"},
        {"4", "0", "6c 60 48 30 24 18 12 0c"},
        {"2", "8", "6c"},
        {"2", "9", "6c 60 48 30 24 18 12 0c"}, // A only: an index above 8 counts as auto
        {"8", "5", "30"},
        {"6", "1", ""}, // N only keeps the driver's rates
    };
    for (const auto& c : cases)
    {
        set("WirelessMode", c.mode);
        set("TransRate", c.rate);
        apply();
        std::string expected = *c.bytes ? HexBytes(c.bytes, 8) : std::string();
        EXPECT_EQ(only(0x0D810210), expected) << c.mode << "/" << c.rate;
        EXPECT_EQ(g_nApWirelessMode, atoi(c.mode));
    }
}

TEST_F(ApplyApSettingsTest, TxPowerIndexBecomesItsPercent)
{
    const struct
    {
        const char* index;
        std::uint32_t percent;
    } cases[] = {{"0", 100}, {"1", 75}, {"2", 50}, {"3", 25}, {"4", 12}, {"7", 100}, {"-1", 100}};
    for (const auto& c : cases)
    {
        set("TXPower", c.index);
        apply();
        EXPECT_EQ(only(0x0DF10118), le32(c.percent)) << c.index;
    }
}

TEST_F(ApplyApSettingsTest, EncryptionIsCorrectedByTheAuthentication)
{
    const struct
    {
        int auth;
        int encryption;
        std::uint32_t sent;
    } cases[] = {
        {0, 4, 1}, {0, 0, 0}, {1, 6, 1}, {2, 8, 1}, {3, 0, 4}, {4, 1, 4},
        {6, 6, 6}, {7, 9, 4}, {8, 8, 8}, {9, 6, 6}, {5, 6, 6},
    };
    for (const auto& c : cases)
    {
        set("AuthenType", std::to_string(c.auth));
        set("Encryption", std::to_string(c.encryption));
        set("WPAPSK", "orchard-secret");
        apply();
        EXPECT_EQ(only(0x0D81011B), le32(c.sent)) << c.auth << "/" << c.encryption;
        EXPECT_EQ(only(0x0D810118), le32(static_cast<std::uint32_t>(c.auth)));
        EXPECT_EQ(g_bWdsAllowed, c.sent < 4 ? TRUE : FALSE);
        EXPECT_EQ(g_nApAuthMode, c.auth);
    }
}

// The passphrase is hashed with the SSID the access point broadcasts (IEEE 802.11i's test
// vector: "password" on "IEEE"); 64 hexadecimal digits are the key itself; a text that is
// neither sends no key at all.
TEST_F(ApplyApSettingsTest, PreSharedKeyRecord)
{
    const std::string header = le32(71) + le32(0x80000000u) + le32(32) + std::string(20, '\0');
    const std::string hex = "000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f";
    const struct
    {
        const char* auth;
        const char* ssid;
        std::string passphrase;
        std::string key; // "" when no key is sent
    } cases[] = {
        {"4", "IEEE", "password",
         HexBytes("f4 2c 6f c5 2d f0 eb ef 9e bb 4b 90 b3 8a 5f 90 2e 83 fe 1b 13 5a 70 e2 3a ed "
                  "76 2e 97 10 a1 2e")},
        {"7", "IEEE", "password",
         HexBytes("f4 2c 6f c5 2d f0 eb ef 9e bb 4b 90 b3 8a 5f 90 2e 83 fe 1b 13 5a 70 e2 3a ed "
                  "76 2e 97 10 a1 2e")},
        {"9", "Lantern", hex,
         HexBytes("00 01 02 03 04 05 06 07 08 09 0a 0b 0c 0d 0e 0f 10 11 12 13 14 15 16 17 18 19 "
                  "1a 1b 1c 1d 1e 1f")},
        {"4", "Lantern", hex.substr(0, 63) + "g", ""},
        {"4", "Lantern", std::string(70, 'p'), ""},
        {"6", "Lantern", "password", ""}, // WPA with a server: no pre-shared key
    };
    for (const auto& c : cases)
    {
        set("AuthenType", c.auth);
        set("Encryption", "6");
        set("SSID", c.ssid);
        set("WPAPSK", c.passphrase);
        apply();
        std::string expected = c.key.empty() ? std::string() : header + c.key + std::string(7, 0);
        EXPECT_EQ(only(0x0D81011D), expected) << c.auth << " " << c.passphrase;
        if (strcmp(c.auth, "6") != 0)
        {
            EXPECT_EQ(std::string(g_strApPassphrase), c.passphrase);
        }
    }

    // An empty SSID broadcasts "SoftAP-" and the MAC's last byte, and the key is derived from
    // that name, as a station joining it derives its own.
    set("AuthenType", "7");
    set("WPAPSK", "password");
    set("SSID", "SoftAP-3A");
    apply();
    std::string named = only(0x0D81011D);
    set("SSID", "");
    apply();
    EXPECT_EQ(only(0x0D81011D), named);
    std::string ssid = only(0x0D810102);
    ASSERT_EQ(ssid.size(), 36u);
    EXPECT_EQ(ssid.substr(0, 4), le32(9));
    EXPECT_EQ(ssid.substr(4, 9), "SoftAP-3A");
    EXPECT_EQ(ssid.substr(13), std::string(23, '\0'));
}

TEST_F(ApplyApSettingsTest, WepKeysAreAddedOrRemoved)
{
    set("AuthenType", "0");
    set("Encryption", "0");
    set("WEPKeyUse", "2");
    set("WEPKey1", "");
    set("WEPKey2", "00112233445566778899aabbcc");
    set("WEPKey3", "012345678g"); // not hexadecimal: no key
    set("WEPKey4", "0123456789");
    apply();
    const std::string ff(6, '\xff');
    auto removal = [&](std::uint32_t index)
    { return le32(16) + le32(index) + ff + std::string(2, '\0'); };
    EXPECT_EQ(sent(0x0D81011E), (std::vector<std::string>{removal(0), removal(2)}));
    EXPECT_EQ(sent(0x0D81011D),
              (std::vector<std::string>{
                  le32(52) + le32(0x80000001u) + le32(13) + ff + std::string(14, '\0') +
                      HexBytes("00 11 22 33 44 55 66 77 88 99 aa bb cc") + std::string(7, '\0'),
                  le32(44) + le32(3) + le32(5) + ff + std::string(14, '\0') +
                      HexBytes("01 23 45 67 89") + std::string(7, '\0')}));

    // Shared authentication sends the keys whatever the encryption; WPA sends none.
    set("AuthenType", "1");
    set("Encryption", "1");
    apply();
    EXPECT_EQ(sent(0x0D81011D).size() + sent(0x0D81011E).size(), 4u);
    set("AuthenType", "4");
    apply();
    EXPECT_TRUE(sent(0x0D81011E).empty());
}

// Records the driver reports back are sent only when the stored values differ from them.
TEST_F(ApplyApSettingsTest, ReportedRecordsAreSentOnlyWhenTheyDiffer)
{
    set("AuthenType", "3");
    set("Encryption", "4");
    set("RadiusIP", "-1062731518"); // 192.168.1.2
    set("RadiusPort", "1812");
    set("RadiusKey", std::string(70, 'k'));
    set("PreambleType", "5"); // sent as 0 (long), which the driver does not hold yet
    setDriverValue(0x0D710101, le32(1));
    set("Channel", "11");
    apply();
    const std::uint32_t reported[] = {0x0D810211, 0x0DF10101, 0x0D81020A, 0x0D810209,
                                      0x0DF1010F, 0x0DF10113, 0x0DF10114};
    EXPECT_EQ(only(0x0DF10113), le32(0xC0A80102u) + le32(1812) + std::string(64, 'k'));
    EXPECT_EQ(only(0x0DF10101), le32(0));
    std::string config = only(0x0D810211);
    ASSERT_EQ(config.size(), 32u);
    EXPECT_EQ(config.substr(4, 4), le32(100));
    EXPECT_EQ(config.substr(12, 4), le32(2462000));

    // The driver holds them now: a second push sends none of them.
    apply();
    for (std::uint32_t code : reported)
        EXPECT_TRUE(sent(code).empty()) << std::hex << code;

    // One changed value sends its record only.
    set("RtsThresh", "500");
    apply();
    EXPECT_EQ(only(0x0D81020A), le32(500));
    for (std::uint32_t code : reported)
    {
        if (code != 0x0D81020A)
        {
            EXPECT_TRUE(sent(code).empty()) << std::hex << code;
        }
    }

    // Without the driver's configuration record nothing overwrites its fields.
    set("BeaconPeriod", "200");
    failRequests(0x0D010211);
    apply();
    EXPECT_TRUE(sent(0x0D810211).empty());
}

TEST_F(ApplyApSettingsTest, AdvancedRecordKeepsTheDriversBytesAndProtectionFollowsTheMode)
{
    std::string answered(32, '\0');
    answered.replace(26, 6, "\x11\x22\x33\x44\x55\x66");
    answered.replace(0, 4, le32(1)); // TX burst on: "TXBurst" is not stored, so it stays
    setDriverValue(0x0D71010F, answered);
    set("BGProtection", "2");
    set("HideSSID", "1");
    set("IdleTime", "600");
    for (const char* mode : {"0", "4"})
    {
        set("WirelessMode", mode);
        apply();
        std::string record = only(0x0DF1010F);
        ASSERT_EQ(record.size(), 32u) << mode;
        EXPECT_EQ(record.substr(0, 4), le32(1));
        EXPECT_EQ(record.substr(12, 4), le32(1));
        EXPECT_EQ(record.substr(16, 4), le32(strcmp(mode, "0") == 0 ? 2 : 0)) << mode;
        EXPECT_EQ(record.substr(20, 4), le32(1));
        EXPECT_EQ(record.substr(24, 2), std::string("\x58\x02", 2));
        EXPECT_EQ(record.substr(26), answered.substr(26));
    }
}

TEST_F(ApplyApSettingsTest, AccessControlAndWdsRecords)
{
    std::string list;
    for (int i = 0; i < 32; i++)
    {
        char entry[13];
        snprintf(entry, sizeof(entry), "0011223344%02X", i);
        list += std::string(entry) + '\0';
    }
    list += '\0';
    ASSERT_TRUE(machine::registry::SetValue(machine(), m_driverKey, "AccessControlList",
                                            REG_MULTI_SZ, list));
    set("AccessControlPolicy", "2");
    apply();
    std::string acl = only(0x0DF10110);
    ASSERT_EQ(acl.size(), 264u);
    EXPECT_EQ(acl.substr(0, 8), le32(2) + le32(32));
    for (int i = 0; i < 32; i++)
        EXPECT_EQ(acl.substr(8 + 8 * i, 8),
                  HexBytes("00 11 22 33 44") + static_cast<char>(i) + std::string(2, '\0'))
            << i;

    // A policy with no addresses is no policy.
    ASSERT_TRUE(machine::registry::SetValue(machine(), m_driverKey, "AccessControlList",
                                            REG_MULTI_SZ, std::string(1, '\0')));
    set("AccessControlPolicy", "1");
    apply();
    EXPECT_EQ(only(0x0DF10110), std::string(264, '\0'));

    // WDS: peers only while it is enabled (0) and the encryption is WEP or none.
    ASSERT_TRUE(machine::registry::SetValue(machine(), m_driverKey, "WdsList", REG_MULTI_SZ,
                                            std::string("001122334455\0AABBCCDDEEFF\0\0", 27)));
    const struct
    {
        const char* enable;
        const char* auth;
        const char* encryption;
        std::uint32_t count;
    } cases[] = {{"0", "0", "1", 2}, {"1", "0", "1", 0}, {"0", "7", "6", 0}};
    for (const auto& c : cases)
    {
        set("WdsEnable", c.enable);
        set("AuthenType", c.auth);
        set("Encryption", c.encryption);
        set("WPAPSK", "password");
        apply();
        std::string wds = only(0x0DF10112);
        ASSERT_EQ(wds.size(), 60u);
        EXPECT_EQ(wds.substr(0, 4), le32(c.count)) << c.enable << c.auth;
        if (c.count == 2)
        {
            EXPECT_EQ(wds.substr(4, 12), HexBytes("00 11 22 33 44 55 aa bb cc dd ee ff"));
        }
        // The pre-shared-key modes carry the link key.
        EXPECT_EQ(wds.substr(24, 4), le32(strcmp(c.auth, "7") == 0 ? 32 : 0)) << c.auth;
    }
}

// The whole push of the first-run set, in order, with each record's size. The driver holds the
// first-run beacon period, thresholds, preamble and advanced block already: those records are
// only queried.
TEST_F(ApplyApSettingsTest, FirstRunSetIsPushedInItsOrder)
{
    apply();
    EXPECT_EQ(trace(), (std::vector<std::string>{
                           "0DF1010C/4",   // wireless mode
                           "0DF1013B/12",  // 802.11n transmit settings
                           "0DF10118/4",   // transmit power
                           "0D810210/8",   // rates
                           "0D010211/32",  // configuration
                           "0D710101/4",   // preamble
                           "0D01020A/4",   // RTS threshold
                           "0D010209/4",   // fragmentation threshold
                           "0D71010F/32",  // advanced block
                           "0D810118/4",   // authentication
                           "0D81011B/4",   // encryption
                           "0D810102/36",  // the SSID: the access point starts
                           "0DF10110/264", // access control
                           "0DF10112/60",  // WDS
                       }));
    EXPECT_EQ(only(0x0DF1010C), le32(9));
    EXPECT_EQ(only(0x0D810102).substr(0, 13), le32(9) + "SoftAP-3A");
}

} // namespace
