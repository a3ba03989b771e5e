// The first-run set of "ApDefault", its completion when it exists, and the copy into the
// driver key.

#include "accesspoint/monitor/HideDlg.h"
#include "tests/accesspoint/support/ApMachine.h"

namespace
{

using machine::registry::Value;

Value text(const char* name, const char* data)
{
    return Value{name, REG_SZ, data};
}

Value emptyList(const char* name)
{
    return Value{name, REG_MULTI_SZ, std::string(1, '\0')};
}

class CreateDefaultApSettingsTest : public ap_test::ApMachine
{
protected:
    std::vector<Value> dump(const std::string& key) const
    {
        return machine::registry::DumpKey(machine(), key).value_or(std::vector<Value>{});
    }
    // The value of that name in the key, whatever the case of its name.
    std::optional<Value> find(const std::string& key, const std::string& name) const
    {
        return machine::registry::GetValue(machine(), key, name);
    }
};

TEST_F(CreateDefaultApSettingsTest, FirstRunWritesTheAccessPointsSetAndCopiesIt)
{
    for (BOOL bHt : {TRUE, FALSE})
    {
        machine::registry::DeleteKeyTree(machine(), apDefault());
        g_bHtSupported = bHt;
        setMacLastByte(0x3A);
        CHideDlg dlg;
        dlg.CreateDefaultApSettings();
        const std::vector<Value> expected = {
            text("SSID", "SoftAP-3A"),
            text("WirelessMode", bHt ? "9" : "0"),
            text("TransRate", "0"),
            text("TurboRate", "0"),
            text("BGProtection", "0"),
            text("ShortSlot", "1"),
            text("CountryRegion", "0"),
            text("CountryRegionABand", "0"),
            text("Channel", "0"),
            text("PreambleType", "0"),
            text("TXPower", "0"),
            text("RtsThresh", "2347"),
            text("FragThresh", "2346"),
            text("AuthenType", "0"),
            text("Encryption", "1"),
            text("WPAPSK", ""),
            text("WEPKey1Type", "0"),
            text("WEPKey2Type", "0"),
            text("WEPKey3Type", "0"),
            text("WEPKey4Type", "0"),
            text("WEPKeyUse", "1"),
            text("WEPKey1", ""),
            text("WEPKey2", ""),
            text("WEPKey3", ""),
            text("WEPKey4", ""),
            text("RekeyInterval", "60"),
            text("RekeyMethod", "0"),
            text("RadiusIP", ""),
            text("RadiusPort", ""),
            text("RadiusKey", ""),
            text("AccessControlPolicy", "0"),
            emptyList("AccessControlList"),
            text("WdsEnable", "0"),
            emptyList("WdsList"),
            text("AutoChannelSelect", "0"),
            text("NoForwarding", "0"),
            text("HideSSID", "0"),
            text("BeaconPeriod", "100"),
            text("IdleTime", "300"),
        };
        EXPECT_EQ(dump(apDefault()), expected) << bHt;
        for (const Value& v : expected)
        {
            auto copied = find(m_driverKey, v.name);
            ASSERT_TRUE(copied.has_value()) << v.name;
            EXPECT_EQ(copied->data, v.data) << v.name;
            EXPECT_EQ(copied->type, v.type) << v.name;
        }
    }
}

// A set the client wrote (or an older one) gains what the access point needs, and nothing of
// it is touched; a long list is copied whole, and so is every value after it.
TEST_F(CreateDefaultApSettingsTest, ExistingSetIsCompletedAndCopiedWhole)
{
    machine::registry::CreateKey(machine(), apDefault());
    setText(apDefault(), "SSID", "Lantern");
    setText(apDefault(), "CountryRegion", "5");
    setText(apDefault(), "FragThresh", "0");
    std::string list;
    for (int i = 0; i < 32; i++)
        list += std::string("0011223344") + static_cast<char>('A' + i % 6) + "0" + '\0';
    list += '\0';
    ASSERT_TRUE(machine::registry::SetValue(machine(), apDefault(), "AccessControlList",
                                            REG_MULTI_SZ, list));
    setText(apDefault(), "WdsEnable", "1");

    CHideDlg dlg;
    dlg.CreateDefaultApSettings();
    EXPECT_EQ(dump(apDefault()),
              (std::vector<Value>{
                  text("SSID", "Lantern"), text("CountryRegion", "5"), text("FragThresh", "0"),
                  Value{"AccessControlList", REG_MULTI_SZ, list}, text("WdsEnable", "1"),
                  text("AllowBW40Capability", "1"), text("CountryRegionABand", "0")}));
    for (const Value& v : dump(apDefault()))
    {
        auto copied = find(m_driverKey, v.name);
        ASSERT_TRUE(copied.has_value()) << v.name;
        EXPECT_EQ(copied->data, v.data) << v.name;
    }
}

} // namespace
