#include "platform/iphlp/IpHlpApi.h"

#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/network/Connections.h"
#include "machine/network/IpAdapters.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace
{

namespace net = machine::network;

// Both calls as the programs make them; the list's entries in order.
std::vector<IP_ADAPTER_INFO> readList(std::vector<unsigned char>& storage)
{
    ULONG size = 0;
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), ERROR_BUFFER_OVERFLOW);
    storage.assign(size, 0xCD);
    auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(storage.data());
    EXPECT_EQ(GetAdaptersInfo(first, &size), ERROR_SUCCESS);
    std::vector<IP_ADAPTER_INFO> list;
    for (IP_ADAPTER_INFO* a = first; a != nullptr && list.size() < 16; a = a->Next)
    {
        // Every link stays inside the caller's buffer.
        EXPECT_GE(reinterpret_cast<unsigned char*>(a), storage.data());
        EXPECT_LE(reinterpret_cast<unsigned char*>(a + 1), storage.data() + storage.size());
        list.push_back(*a);
    }
    return list;
}

net::Connection connection(const std::string& name, const std::string& mac, const std::string& ip,
                           const std::string& gateway = "192.168.7.1")
{
    net::Connection c;
    c.name = name;
    c.description = name + " adapter";
    c.guid = "{" + name + "}";
    c.mac = mac;
    c.ip = ip;
    c.mask = "255.255.255.0";
    c.gateway = gateway;
    return c;
}

TEST(GetAdaptersInfo, TwoCallsGiveTheListOfTheDefaultMachine)
{
    testing_support::TempMachine m;
    ULONG size = 0;
    ASSERT_EQ(GetAdaptersInfo(nullptr, &size), ERROR_BUFFER_OVERFLOW);
    // Only the wired card has media and an address on a new machine.
    EXPECT_EQ(size, sizeof(IP_ADAPTER_INFO));
    std::vector<unsigned char> tooSmall(size - 1, 0xCD);
    ULONG smaller = size - 1;
    EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(tooSmall.data()), &smaller),
              ERROR_BUFFER_OVERFLOW);
    EXPECT_EQ(smaller, size);
    EXPECT_EQ(tooSmall[0], 0xCD) << "nothing written on overflow";

    std::vector<unsigned char> storage;
    auto list = readList(storage);
    ASSERT_EQ(list.size(), 1u);
    const IP_ADAPTER_INFO& wired = list[0];
    EXPECT_EQ(wired.AddressLength, 6u);
    const BYTE mac[6] = {0x00, 0x1B, 0x77, 0x3A, 0x9C, 0x41};
    EXPECT_EQ(std::memcmp(wired.Address, mac, 6), 0);
    EXPECT_STREQ(wired.IpAddressList.IpAddress.String, "10.0.0.23");
    EXPECT_STREQ(wired.IpAddressList.IpMask.String, "255.255.255.0");
    EXPECT_STREQ(wired.GatewayList.IpAddress.String, "10.0.0.1");
    EXPECT_STREQ(wired.Description, "Norvast GigaLink PCI-E Ethernet Controller");
    EXPECT_EQ(wired.IpAddressList.Next, nullptr);
    EXPECT_EQ(wired.Type, MIB_IF_TYPE_ETHERNET);
}

TEST(GetAdaptersInfo, ListsEveryConnectionWithAnAddressInOrder)
{
    testing_support::TempMachine m;
    const auto adapter = machine::devices::ListDevices(m.machine()).front();
    const std::string driverMac = machine::miniport::AdapterMacAddress(
        machine::miniport::LoadAdapterState(m.machine(), adapter.netCfgInstanceId));
    ASSERT_EQ(driverMac.size(), 6u);
    char macText[18];
    std::snprintf(macText, sizeof(macText), "%02x-%02x-%02x-%02x-%02x-%02x", BYTE(driverMac[0]),
                  BYTE(driverMac[1]), BYTE(driverMac[2]), BYTE(driverMac[3]), BYTE(driverMac[4]),
                  BYTE(driverMac[5]));
    // The wireless entry reports the driver's address, not the one in the record.
    auto wireless = connection("wifi", "00-0C-E7-34-00-02", "192.168.7.20");
    wireless.guid = adapter.netCfgInstanceId;
    auto copy = connection("bridge", macText, "192.168.9.5", ""); // the same MAC
    auto oddMac = connection("odd", "00-0C-E7", "172.16.0.2");
    oddMac.description = std::string(300, 'd');
    auto noMedia = connection("down", "00-11-22-33-44-55", "10.1.1.1");
    noMedia.connected = false;
    auto noAddress = connection("dhcp", "00-11-22-33-44-56", "");
    ASSERT_TRUE(net::SaveConnections(m.machine(), {wireless, noMedia, copy, noAddress, oddMac}));

    std::vector<unsigned char> storage;
    auto list = readList(storage);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_STREQ(list[0].IpAddressList.IpAddress.String, "192.168.7.20");
    EXPECT_EQ(list[0].Type, IF_TYPE_IEEE80211);
    EXPECT_STREQ(list[0].AdapterName, adapter.netCfgInstanceId.c_str());
    ASSERT_EQ(list[0].AddressLength, 6u);
    EXPECT_EQ(std::memcmp(list[0].Address, driverMac.data(), 6), 0);
    // The duplicate MAC is listed with its own addresses; no gateway is the unspecified one.
    EXPECT_EQ(std::memcmp(list[1].Address, list[0].Address, 6), 0);
    EXPECT_STREQ(list[1].IpAddressList.IpAddress.String, "192.168.9.5");
    EXPECT_STREQ(list[1].GatewayList.IpAddress.String, "0.0.0.0");
    // A three-byte address is three bytes long; a long description is cut, not overrun.
    EXPECT_EQ(list[2].AddressLength, 3u);
    EXPECT_EQ(std::strlen(list[2].Description), std::size_t(MAX_ADAPTER_DESCRIPTION_LENGTH + 3));

    // An unplugged adapter has no IP configuration.
    ASSERT_TRUE(machine::devices::SetDevicePresent(m.machine(), adapter.instanceId, false));
    list = readList(storage);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_STREQ(list[0].IpAddressList.IpAddress.String, "192.168.9.5");
}

TEST(GetAdaptersInfo, EmptyTableAndInjectedErrors)
{
    testing_support::TempMachine m;
    EXPECT_EQ(GetAdaptersInfo(nullptr, nullptr), ERROR_INVALID_PARAMETER);

    // Fails the next call only; the buffer is left alone.
    net::InjectIpHelperFailure(m.machine(), 1, ERROR_NOT_SUPPORTED);
    ULONG size = 0;
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), ERROR_NOT_SUPPORTED);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), ERROR_BUFFER_OVERFLOW);
    // The second call of the pair fails while the first succeeded.
    std::vector<unsigned char> storage(size, 0xCD);
    net::InjectIpHelperFailure(m.machine(), 1);
    EXPECT_EQ(GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(storage.data()), &size),
              ERROR_GEN_FAILURE);
    EXPECT_EQ(storage[0], 0xCD);

    ASSERT_TRUE(net::SaveConnections(m.machine(), {}));
    size = 0;
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), ERROR_NO_DATA);
}

TEST(IpAdapters, MacTextParsing)
{
    struct Case
    {
        const char* text;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"00-0C-E7-34-00-02", {0x00, 0x0C, 0xE7, 0x34, 0x00, 0x02}},
        {"aa:bb:cc:dd:ee:ff", {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}},
        {"", {}},
        {"00-0C-", {}},
        {"0-0C", {}},
        {"00-0G", {}},
        {"01-02-03-04-05-06-07-08-09", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(net::ParseMacText(c.text), c.bytes) << c.text;
}

} // namespace

namespace
{

// The wireless adapter's connection without an address of its own: a lease while the driver
// is associated, nothing otherwise.
TEST(GetAdaptersInfo, TheWirelessConnectionTakesALeaseWhileAssociated)
{
    testing_support::TempMachine m;
    const auto adapter = machine::devices::ListDevices(m.machine()).front();
    auto wireless = connection("wifi", "00-0C-E7-34-00-02", "");
    wireless.guid = adapter.netCfgInstanceId;
    wireless.connected = false;
    ASSERT_TRUE(net::SaveConnections(m.machine(), {wireless}));
    ULONG size = 0;
    EXPECT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<DWORD>(ERROR_NO_DATA));

    machine::miniport::ChangeAdapterState(
        m.machine(), adapter.netCfgInstanceId,
        [](machine::miniport::AdapterState& a)
        { machine::miniport::SetAssociation(a, "Net", "\x02\x01\x02\x03\x04\x05"); });
    std::vector<unsigned char> storage;
    auto list = readList(storage);
    ASSERT_EQ(list.size(), 1u);
    const std::string mac = machine::miniport::AdapterMacAddress(
        machine::miniport::LoadAdapterState(m.machine(), adapter.netCfgInstanceId));
    EXPECT_EQ(std::string(list[0].IpAddressList.IpAddress.String),
              "192.168.10." + std::to_string(100 + static_cast<unsigned char>(mac[5]) % 100));
    EXPECT_STREQ(list[0].IpAddressList.IpMask.String, "255.255.255.0");
    EXPECT_STREQ(list[0].GatewayList.IpAddress.String, "192.168.10.1");
}

} // namespace
