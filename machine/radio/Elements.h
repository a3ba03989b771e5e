#pragma once
// Builders of the information elements a beacon carries. Each returns one whole element:
// id, length, body.

#include <cstdint>
#include <string>
#include <vector>

namespace machine::radio
{

using Bytes = std::vector<std::uint8_t>;

// Cipher and key management suites, OUI in the top three bytes, type in the lowest.
constexpr std::uint32_t kRsnWep40 = 0x000FAC01;
constexpr std::uint32_t kRsnTkip = 0x000FAC02;
constexpr std::uint32_t kRsnCcmp = 0x000FAC04;
constexpr std::uint32_t kRsnWep104 = 0x000FAC05;
constexpr std::uint32_t kRsnAkm8021x = 0x000FAC01;
constexpr std::uint32_t kRsnAkmPsk = 0x000FAC02;
constexpr std::uint32_t kWpaTkip = 0x0050F202;
constexpr std::uint32_t kWpaCcmp = 0x0050F204;
constexpr std::uint32_t kWpaAkm8021x = 0x0050F201;
constexpr std::uint32_t kWpaAkmPsk = 0x0050F202;
// The first four body bytes of the vendor element that carries WPA: OUI 00-50-F2, type 1.
constexpr std::uint32_t kWpaElementTag = 0x0050F201;

constexpr std::uint8_t kElementSsid = 0;
constexpr std::uint8_t kElementRates = 1;
constexpr std::uint8_t kElementDsParameter = 3;
constexpr std::uint8_t kElementHtCapabilities = 45;
constexpr std::uint8_t kElementRsn = 48;
constexpr std::uint8_t kElementExtendedRates = 50;
constexpr std::uint8_t kElementHtOperation = 61;
constexpr std::uint8_t kElementVendor = 221;

// An element of any id; a body over 255 bytes is cut to 255.
Bytes Element(std::uint8_t id, const Bytes& body);

// The SSID, cut to 32 bytes; an empty one is the zero-length element of a hidden network.
Bytes SsidElement(const std::string& ssid);
// Rates in 500 kb/s units, the basic ones with bit 7 set. The first eight go in the supported
// rates element, the rest in an extended supported rates element after it.
Bytes RatesElements(const Bytes& rates);
Bytes DsParameterElement(std::uint8_t channel);

// Version 1, group suite, pairwise and key management suite lists, capabilities.
Bytes RsnElement(std::uint32_t group, const std::vector<std::uint32_t>& pairwise,
                 const std::vector<std::uint32_t>& akm, std::uint16_t capabilities = 0);
// The vendor element 00-50-F2 type 1, version 1, the same lists.
Bytes WpaElement(std::uint32_t group, const std::vector<std::uint32_t>& pairwise,
                 const std::vector<std::uint32_t>& akm);

// The 26-byte HT capabilities body: capability info, A-MPDU parameters, the MCS set with
// `streams` spatial streams (MCS 0-7 each), then zeroed extended, beamforming and ASEL fields.
Bytes HtCapabilitiesBody(std::uint16_t capabilityInfo, std::uint8_t streams);
// The 22-byte HT operation body: primary channel, the secondary channel offset (0 none,
// 1 above, 3 below) with the channel width bit set when there is one, zeroed MCS set.
Bytes HtOperationBody(std::uint8_t primaryChannel, std::uint8_t secondaryOffset);
Bytes HtCapabilitiesElement(std::uint16_t capabilityInfo, std::uint8_t streams);
Bytes HtOperationElement(std::uint8_t primaryChannel, std::uint8_t secondaryOffset);

// The pre-standard HT vendor elements: 00-90-4C, type 51 with the capabilities body (length
// 30) and type 52 with the operation body (length 26).
constexpr std::uint8_t kVendorHtCapabilitiesType = 51;
constexpr std::uint8_t kVendorHtInformationType = 52;
Bytes VendorHtCapabilitiesElement(std::uint16_t capabilityInfo, std::uint8_t streams);
Bytes VendorHtInformationElement(std::uint8_t primaryChannel, std::uint8_t secondaryOffset);

// Elements one after another.
Bytes Concat(std::initializer_list<Bytes> parts);

} // namespace machine::radio
