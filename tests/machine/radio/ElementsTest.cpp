// The element builders give the bytes a beacon carries.

#include "machine/radio/Elements.h"

#include <gtest/gtest.h>

namespace
{

using namespace machine::radio;

TEST(Elements, BuildersGiveBeaconBytes)
{
    struct Case
    {
        const char* name;
        Bytes built;
        Bytes expected;
    } cases[] = {
        {"ssid", SsidElement("Ab"), {0, 2, 'A', 'b'}},
        {"hidden ssid", SsidElement(""), {0, 0}},
        {"ds", DsParameterElement(11), {3, 1, 11}},
        {"rates", RatesElements({0x82, 0x84}), {1, 2, 0x82, 0x84}},
        {"rates with extension",
         RatesElements({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}),
         {1, 8, 1, 2, 3, 4, 5, 6, 7, 8, 50, 2, 9, 10}},
        {"rsn",
         RsnElement(kRsnTkip, {kRsnCcmp, kRsnTkip}, {kRsnAkm8021x}, 0x000C),
         {48, 24,   1,    0,    0x00, 0x0F, 0xAC, 2,    2,    0,    0x00, 0x0F, 0xAC,
          4,  0x00, 0x0F, 0xAC, 2,    1,    0,    0x00, 0x0F, 0xAC, 1,    0x0C, 0x00}},
        {"wpa",
         WpaElement(kWpaTkip, {kWpaTkip}, {kWpaAkmPsk}),
         {221, 22, 0x00, 0x50, 0xF2, 1, 1, 0, 0x00, 0x50, 0xF2, 2,
          1,   0,  0x00, 0x50, 0xF2, 2, 1, 0, 0x00, 0x50, 0xF2, 2}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.built, c.expected) << c.name;
}

TEST(Elements, OverlongInputIsCutToWhatTheElementHolds)
{
    Bytes ssid = SsidElement(std::string(40, 'x'));
    ASSERT_EQ(ssid.size(), 34u);
    EXPECT_EQ(ssid[1], 32);
    Bytes big = Element(7, Bytes(300, 0xAB));
    ASSERT_EQ(big.size(), 257u);
    EXPECT_EQ(big[1], 255);
}

TEST(Elements, HtElementsHaveTheirFixedLengthsAndFields)
{
    Bytes cap = HtCapabilitiesElement(0x01EE, 2);
    ASSERT_EQ(cap.size(), 28u);
    EXPECT_EQ(cap[0], 45);
    EXPECT_EQ(cap[1], 26);
    EXPECT_EQ(cap[2], 0xEE); // capability info, little-endian
    EXPECT_EQ(cap[3], 0x01);
    EXPECT_EQ(cap[5], 0xFF); // MCS 0-7
    EXPECT_EQ(cap[6], 0xFF); // MCS 8-15
    EXPECT_EQ(cap[7], 0x00);

    Bytes op = HtOperationElement(44, 1);
    ASSERT_EQ(op.size(), 24u);
    EXPECT_EQ(op[0], 61);
    EXPECT_EQ(op[1], 22);
    EXPECT_EQ(op[2], 44);
    EXPECT_EQ(op[3], 0x05); // secondary above, 40 MHz allowed
    EXPECT_EQ(HtOperationElement(6, 0)[3], 0x00);

    // The pre-standard vendor forms: OUI 00-90-4C, type, then the same bodies.
    Bytes vcap = VendorHtCapabilitiesElement(0x01EE, 2);
    ASSERT_EQ(vcap.size(), 32u);
    EXPECT_EQ(Bytes(vcap.begin(), vcap.begin() + 6), (Bytes{221, 30, 0x00, 0x90, 0x4C, 51}));
    EXPECT_EQ(Bytes(vcap.begin() + 6, vcap.end()), Bytes(cap.begin() + 2, cap.end()));
    Bytes vinfo = VendorHtInformationElement(44, 1);
    ASSERT_EQ(vinfo.size(), 28u);
    EXPECT_EQ(Bytes(vinfo.begin(), vinfo.begin() + 6), (Bytes{221, 26, 0x00, 0x90, 0x4C, 52}));
    EXPECT_EQ(Bytes(vinfo.begin() + 6, vinfo.end()), Bytes(op.begin() + 2, op.end()));
}

} // namespace
