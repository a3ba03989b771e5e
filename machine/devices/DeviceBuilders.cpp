#include "machine/devices/DeviceBuilders.h"

#include <array>
#include <cstdio>

namespace machine::devices
{
namespace
{

constexpr std::array<const char*, 9> kFamilies = {"KQ1400", "KQ14U98",  "KQ1600", "KQ16U98", "KQ21",
                                                  "KQ23",   "KQ3300_A", "KQ3300", "KQ3400"};

// The product code that stands for each chip type (USB rows use 1, 5 and 8, PCI rows 0, 4, 6
// and 7; the others get a code of their own so every type can be built).
constexpr std::array<std::uint16_t, 9> kProductIds = {0x1400, 0x1401, 0x1600, 0x1601, 0x2100,
                                                      0x2300, 0x3301, 0x3300, 0x3400};

std::string hex4(unsigned v)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04X", v & 0xFFFFu);
    return text;
}

// A fixed GUID per kind and index, so a machine built twice is the same machine.
std::string makeGuid(unsigned kind, unsigned index)
{
    char text[48];
    std::snprintf(text, sizeof text, "{7E1C%04X-5A2B-4C3D-9E8F-%04X%08X}", kind & 0xFFFFu,
                  index & 0xFFFFu, 0x0A11C0DEu + kind);
    return text;
}

std::string driverIndex(unsigned base, int index)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04u", (base + static_cast<unsigned>(index)) % 10000u);
    return text;
}

} // namespace

std::string ChipFamilyName(int chipType)
{
    if (chipType < 0 || chipType >= static_cast<int>(kFamilies.size()))
        return {};
    return kFamilies[static_cast<std::size_t>(chipType)];
}

NetDevice TessarynUsbAdapter(int chipType, int index, std::uint16_t productId)
{
    if (productId == 0 && chipType >= 0 && chipType < 9)
        productId = kProductIds[static_cast<std::size_t>(chipType)];
    NetDevice d;
    std::string base = "USB\\VID_" + hex4(kTessarynVendorId) + "&PID_" + hex4(productId);
    d.hardwareIds = {base + "&REV_0101", base};
    d.instanceId = base + "\\6&2F1A0C3B&0&" + std::to_string(2 + index);
    d.bus = Bus::Usb;
    d.chipType = chipType;
    d.manufacturer = "Tessaryn";
    d.deviceDesc = "Tessaryn " + ChipFamilyName(chipType) + " USB Wireless LAN Adapter";
    d.friendlyName = index == 0 ? d.deviceDesc : d.deviceDesc + " #" + std::to_string(index + 1);
    d.locationInfo = "Port_#000" + std::to_string(1 + index % 8) + ".Hub_#0004";
    d.driverKeyIndex = driverIndex(7, index);
    d.netCfgInstanceId = makeGuid(0x5500u + productId % 0x100u + (chipType << 8), index);
    return d;
}

NetDevice TessarynPciAdapter(int chipType, int index, std::uint16_t deviceId)
{
    if (deviceId == 0 && chipType >= 0 && chipType < 9)
        deviceId = kProductIds[static_cast<std::size_t>(chipType)];
    NetDevice d;
    std::string base = "PCI\\VEN_" + hex4(kTessarynVendorId) + "&DEV_" + hex4(deviceId);
    d.hardwareIds = {base + "&SUBSYS_" + hex4(deviceId) + hex4(0xFA12) + "&REV_01",
                     base + "&SUBSYS_" + hex4(deviceId) + hex4(0xFA12), base + "&CC_028000", base};
    d.instanceId = base + "&SUBSYS_" + hex4(deviceId) + hex4(0xFA12) + "&REV_01\\4&1B2C3D4E&0&" +
                   hex4(0x00E0 + 8 * static_cast<unsigned>(index)).substr(2);
    d.bus = Bus::Pci;
    d.chipType = chipType;
    d.manufacturer = "Tessaryn";
    d.deviceDesc = "Tessaryn " + ChipFamilyName(chipType) + " Wireless LAN Card";
    d.friendlyName = index == 0 ? d.deviceDesc : d.deviceDesc + " #" + std::to_string(index + 1);
    d.locationInfo = "PCI bus " + std::to_string(2 + index) + ", device 0, function 0";
    d.driverKeyIndex = driverIndex(12, index);
    d.netCfgInstanceId = makeGuid(0x9C00u + (chipType << 4), index);
    return d;
}

NetDevice OtherMakerNic(int index)
{
    NetDevice d;
    std::string base = "PCI\\VEN_FA1E&DEV_0100";
    d.hardwareIds = {base + "&SUBSYS_0100FA1E&REV_02", base + "&SUBSYS_0100FA1E", base};
    d.instanceId = base + "&SUBSYS_0100FA1E&REV_02\\4&3A4B5C6D&0&00" + std::to_string(10 + index);
    d.bus = Bus::Pci;
    d.chipType = -1;
    d.manufacturer = "Brightwire Systems";
    d.deviceDesc = "Brightwire Fast Ethernet Adapter";
    d.friendlyName = index == 0 ? d.deviceDesc : d.deviceDesc + " #" + std::to_string(index + 1);
    d.locationInfo = "PCI bus 1, device " + std::to_string(index) + ", function 0";
    d.driverKeyIndex = driverIndex(1, index);
    d.netCfgInstanceId = makeGuid(0xE7E0u, index);
    return d;
}

NetDevice DefaultAdapter()
{
    NetDevice d = TessarynUsbAdapter(8, 0, 0x3400);
    d.instanceId = "USB\\VID_FA11&PID_3400\\6&2F1A0C3B&0&2";
    d.deviceDesc = "Tessaryn KWF-9310USB Wireless LAN Adapter";
    d.friendlyName = d.deviceDesc;
    d.locationInfo = "Port_#0002.Hub_#0004";
    d.driverKeyIndex = "0007";
    d.netCfgInstanceId = "{5C0FFEE1-3400-4A11-8E1D-FA11C0DE3400}";
    return d;
}

std::vector<std::pair<std::string, std::string>> DriverParameters(const NetDevice& device)
{
    if (device.chipType < 0)
        return {{"DuplexMode", "0"}, {"NetworkAddress", ""}};
    // What the Tessaryn drivers read at load: region, band, mode and channel of a new install.
    bool ht = device.chipType == 8;
    return {
        {"CountryRegion", "0"},
        {"CountryRegionABand", "7"},
        {"WirelessMode", ht ? "5" : "0"},
        {"Channel", "6"},
        {"OpMode", "0"},
        {"TxPower", "100"},
        {"PSMode", "0"},
        {"TransmitSetting", ht ? "0x00014000" : "0"},
    };
}

} // namespace machine::devices
