#include "machine/stations/JoinCheck.h"

#include "machine/HexDigit.h"
#include "machine/LittleEndian.h"
#include "machine/certs/CryptoLibrary.h"

#include <algorithm>
#include <cstdint>

namespace machine::stations
{
namespace
{

// The wire codes whose last set the access point's security follows.
constexpr std::uint32_t kAuthentication = 0x0D810118;
constexpr std::uint32_t kEncryption = 0x0D81011B;
constexpr std::uint32_t kPskIndex = 0x80000000u; // the pairwise key's index in a key add
// The access-control record: u32 policy, u32 count, 32 slots of 6 address bytes and 2 zeros.
constexpr std::uint32_t kAccessControl = 0x0DF10110;
constexpr std::uint32_t kPolicyAllowListed = 1;
constexpr std::uint32_t kPolicyRejectListed = 2;
constexpr std::size_t kAccessControlSlots = 32;

// Authentication codes as the program sets them.
bool presharedKey(std::uint32_t auth)
{
    return auth == 4 || auth == 7 || auth == 9; // WPA-PSK, WPA2-PSK, both
}
bool radiusServer(std::uint32_t auth)
{
    return auth == 2 || auth == 3 || auth == 6 || auth == 8; // 802.1X, WPA, WPA2, both
}

std::uint32_t setOr(const miniport::AdapterState& s, std::uint32_t code, std::uint32_t fallback)
{
    return s.values.count(code) != 0 ? s.u32(code) : fallback;
}

// A key the access point was given (the key-add record as it came): its index word and bytes.
struct AddedKey
{
    std::uint32_t index = 0;
    std::string material;
};

std::optional<AddedKey> addedKey(const miniport::AdapterState& s, std::uint32_t slot)
{
    auto it = s.keys.find(slot);
    if (it == s.keys.end() || it->second.size() < 32)
        return std::nullopt;
    const std::uint32_t length = ReadLe32(it->second, 8);
    if (it->second.size() < 32 + static_cast<std::size_t>(length))
        return std::nullopt;
    return AddedKey{ReadLe32(it->second, 4), it->second.substr(32, length)};
}

bool allHex(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return HexDigit(c) >= 0; });
}

bool allowedByAccessControl(const miniport::AdapterState& s, const radio::Bssid& mac)
{
    auto it = s.values.find(kAccessControl);
    if (it == s.values.end() || it->second.size() < 8)
        return true;
    const std::string& record = it->second;
    const std::uint32_t policy = ReadLe32(record, 0);
    if (policy != kPolicyAllowListed && policy != kPolicyRejectListed)
        return true;
    const std::size_t count =
        std::min<std::size_t>({ReadLe32(record, 4), kAccessControlSlots, (record.size() - 8) / 8});
    bool listed = false;
    for (std::size_t i = 0; i < count && !listed; ++i)
        listed =
            std::equal(mac.begin(), mac.end(), record.begin() + 8 + 8 * i,
                       [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
    return policy == kPolicyAllowListed ? listed : !listed;
}

} // namespace

std::optional<std::string> StationPsk(const std::string& passphrase, const std::string& ssid)
{
    std::string psk(32, '\0');
    if (passphrase.size() == 64 && allHex(passphrase))
    {
        for (std::size_t i = 0; i < 32; ++i)
            psk[i] = static_cast<char>(HexDigit(passphrase[2 * i]) * 16 +
                                       HexDigit(passphrase[2 * i + 1]));
        return psk;
    }
    const certs::CryptoLibrary* crypto = certs::Crypto();
    if (crypto == nullptr ||
        crypto->PKCS5_PBKDF2_HMAC(passphrase.data(), static_cast<int>(passphrase.size()),
                                  reinterpret_cast<const unsigned char*>(ssid.data()),
                                  static_cast<int>(ssid.size()), 4096, crypto->EVP_sha1(),
                                  static_cast<int>(psk.size()),
                                  reinterpret_cast<unsigned char*>(psk.data())) != 1)
        return std::nullopt;
    return psk;
}

JoinCheck CheckJoin(const miniport::AdapterState& ap, const Station& station)
{
    if (!allowedByAccessControl(ap, station.mac))
        return JoinCheck::NotAllowed;
    const std::uint32_t auth = setOr(ap, kAuthentication, 0);
    const std::uint32_t encryption = setOr(ap, kEncryption, 1); // none until one is set
    if (presharedKey(auth))
    {
        if (station.key != StationKey::Passphrase)
            return JoinCheck::WrongKey;
        const auto key = addedKey(ap, kPskIndex & 0xFF);
        const auto psk = StationPsk(station.passphrase, miniport::AssociatedSsid(ap));
        return key && key->index == kPskIndex && psk && key->material == *psk ? JoinCheck::Joins
                                                                              : JoinCheck::WrongKey;
    }
    if (radiusServer(auth))
        return JoinCheck::NoAuthenticator;
    if (auth == 0 && encryption == 1)
        return JoinCheck::Joins; // open: any station
    // WEP, open or shared: the access point must hold the station's key at its index.
    if (station.key != StationKey::Wep)
        return JoinCheck::WrongKey;
    const auto key = addedKey(ap, station.wepIndex);
    return key && (key->index & 0xFF) == station.wepIndex && key->material == station.wepKey
               ? JoinCheck::Joins
               : JoinCheck::WrongKey;
}

} // namespace machine::stations
