#pragma once
// An adapter's driver made a running access point the way the access-point program makes it:
// the operation mode, then authentication, encryption and keys, then the SSID, which starts it.
// Every request goes to the simulated driver as it reaches it from the platform, so a test of
// the machine, or of anything above it, can have stations join without running the program.

#include "machine/Machine.h"
#include "machine/miniport/Miniport.h"
#include "tests/support/HexBytes.h"

#include <cstdint>
#include <map>
#include <string>

namespace testing_support
{

struct ApSecurity
{
    std::uint32_t authentication = 0; // 0 open, 1 shared, 4 WPA-PSK, 7 WPA2-PSK, 9 both PSK
    std::uint32_t encryption = 1;     // 0 WEP, 1 none, 4 TKIP, 6 AES, 8 both
    std::string pmk;                  // 32 bytes, added at index 0x80000000 when not empty
    std::map<std::uint32_t, std::string> wepKeys; // by index 0-3; the first is the transmit key
};

// An NDIS key-add record: length 39 + key bytes, index, key length, BSSID, zeros, the key at 32.
inline std::string KeyAddRecord(std::uint32_t index, const std::string& bssid,
                                const std::string& key)
{
    std::string record = le32(static_cast<std::uint32_t>(39 + key.size())) + le32(index) +
                         le32(static_cast<std::uint32_t>(key.size())) + bssid;
    record.resize(32, '\0');
    return record + key;
}

inline std::string SsidRecord(const std::string& ssid)
{
    std::string record = le32(static_cast<std::uint32_t>(ssid.size())) + ssid;
    record.resize(36, '\0');
    return record;
}

// False when the driver refused a request.
inline bool StartAccessPoint(const machine::Machine& m, const std::string& netCfgInstanceId,
                             const std::string& ssid, const ApSecurity& security = {})
{
    auto send = [&](std::uint32_t code, std::string data)
    { return machine::miniport::HandleRequest(m, netCfgInstanceId, code, data).ok; };
    bool ok = send(0xFF810308, le32(0) + le32(2)) &&
              send(0x0D810118, le32(security.authentication)) &&
              send(0x0D81011B, le32(security.encryption));
    if (!security.pmk.empty())
        ok = ok && send(0x0D81011D, KeyAddRecord(0x80000000u, std::string(6, '\0'), security.pmk));
    bool first = true;
    for (const auto& [index, key] : security.wepKeys)
    {
        ok = ok && send(0x0D81011D, KeyAddRecord(index | (first ? 0x80000000u : 0u),
                                                 std::string(6, '\xFF'), key));
        first = false;
    }
    return ok && send(0x0D810102, SsidRecord(ssid));
}

} // namespace testing_support
