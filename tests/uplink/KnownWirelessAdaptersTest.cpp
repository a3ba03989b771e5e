#include "uplink/KnownWirelessAdapters.h"

#include "machine/devices/DeviceBuilders.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

static_assert(sizeof(KnownWirelessAdapters) == 130 * 256);

TEST(KnownWirelessAdaptersTest, RecognisesEverySimulatedTessarynAdapter)
{
    std::vector<machine::devices::NetDevice> devices = {machine::devices::DefaultAdapter()};
    for (int chip = 0; chip < 9; chip++)
    {
        devices.push_back(machine::devices::TessarynUsbAdapter(chip, 0, 0));
        devices.push_back(machine::devices::TessarynPciAdapter(chip, 0, 0));
        devices.push_back(machine::devices::TessarynUsbAdapter(chip, 2, 0));
    }
    for (const machine::devices::NetDevice& device : devices)
    {
        for (const std::string& text : {device.deviceDesc, device.friendlyName})
        {
            CString line = ("        Description . . . . . . . . . . . : " + text).c_str();
            EXPECT_GE(FindKnownWirelessAdapter(line), 0) << text;
        }
    }
}

TEST(KnownWirelessAdaptersTest, EmptySlotsAndOtherAdaptersNeverMatch)
{
    int filled = 0;
    for (int i = 0; i < KNOWN_WIRELESS_ADAPTER_SLOTS; i++)
    {
        size_t length = strnlen(KnownWirelessAdapters[i], KNOWN_WIRELESS_ADAPTER_SLOT_SIZE);
        ASSERT_LT(length, static_cast<size_t>(KNOWN_WIRELESS_ADAPTER_SLOT_SIZE)) << i;
        if (length > 0)
        {
            // Filled rows come first; the rest of the table is empty.
            EXPECT_EQ(filled, i);
            filled++;
        }
    }
    ASSERT_GT(filled, 0);
    ASSERT_LT(filled, KNOWN_WIRELESS_ADAPTER_SLOTS);

    const char* const others[] = {"", "        Description . . . . . . . . . . . : ",
                                  "        Description . . . . . . . . . . . : Brightwire Fast "
                                  "Ethernet Adapter",
                                  "        Description . . . . . . . . . . . : WAN (PPP/SLIP) "
                                  "Interface",
                                  "        Description . . . . . . . . . . . : Tessaryn"};
    for (const char* line : others)
        EXPECT_EQ(FindKnownWirelessAdapter(line), -1) << line;
    EXPECT_EQ(FindKnownWirelessAdapter(machine::devices::OtherMakerNic(0).deviceDesc.c_str()), -1);
}

TEST(KnownWirelessAdaptersTest, FirstEntryInTableOrderWins)
{
    // A line naming two products reports the earlier table row.
    CString line = CString(KnownWirelessAdapters[3]) + " / " + KnownWirelessAdapters[1];
    EXPECT_EQ(FindKnownWirelessAdapter(line), 1);
}

} // namespace
