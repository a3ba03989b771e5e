#include "machine/radio/Elements.h"

#include "machine/radio/Network.h"

#include <algorithm>

namespace machine::radio
{
namespace
{

void putSuite(Bytes& out, std::uint32_t suite)
{
    out.push_back(static_cast<std::uint8_t>(suite >> 24));
    out.push_back(static_cast<std::uint8_t>(suite >> 16));
    out.push_back(static_cast<std::uint8_t>(suite >> 8));
    out.push_back(static_cast<std::uint8_t>(suite));
}

void putLe16(Bytes& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Version, group suite, pairwise list, key management list: the part RSN and WPA share.
void putSuites(Bytes& out, std::uint32_t group, const std::vector<std::uint32_t>& pairwise,
               const std::vector<std::uint32_t>& akm)
{
    putLe16(out, 1);
    putSuite(out, group);
    putLe16(out, static_cast<std::uint16_t>(pairwise.size()));
    for (auto s : pairwise)
        putSuite(out, s);
    putLe16(out, static_cast<std::uint16_t>(akm.size()));
    for (auto s : akm)
        putSuite(out, s);
}

Bytes vendor(std::uint8_t type, const Bytes& body)
{
    Bytes b = {0x00, 0x90, 0x4C, type};
    b.insert(b.end(), body.begin(), body.end());
    return Element(kElementVendor, b);
}

} // namespace

Bytes Element(std::uint8_t id, const Bytes& body)
{
    std::size_t n = body.size() > 255 ? 255 : body.size();
    // Sized first and filled in place: GCC 12 sees a copy out of bounds in growing a two-byte
    // vector by an insert.
    Bytes out(2 + n);
    out[0] = id;
    out[1] = static_cast<std::uint8_t>(n);
    std::copy_n(body.begin(), n, out.begin() + 2);
    return out;
}

Bytes SsidElement(const std::string& ssid)
{
    std::size_t n = ssid.size() > kMaxSsid ? kMaxSsid : ssid.size();
    return Element(kElementSsid,
                   Bytes(ssid.begin(), ssid.begin() + static_cast<std::ptrdiff_t>(n)));
}

Bytes RatesElements(const Bytes& rates)
{
    std::size_t first = rates.size() > 8 ? 8 : rates.size();
    Bytes out = Element(kElementRates,
                        Bytes(rates.begin(), rates.begin() + static_cast<std::ptrdiff_t>(first)));
    if (rates.size() > first)
    {
        Bytes more =
            Element(kElementExtendedRates,
                    Bytes(rates.begin() + static_cast<std::ptrdiff_t>(first), rates.end()));
        out.insert(out.end(), more.begin(), more.end());
    }
    return out;
}

Bytes DsParameterElement(std::uint8_t channel)
{
    return Element(kElementDsParameter, {channel});
}

Bytes RsnElement(std::uint32_t group, const std::vector<std::uint32_t>& pairwise,
                 const std::vector<std::uint32_t>& akm, std::uint16_t capabilities)
{
    Bytes body;
    putSuites(body, group, pairwise, akm);
    putLe16(body, capabilities);
    return Element(kElementRsn, body);
}

Bytes WpaElement(std::uint32_t group, const std::vector<std::uint32_t>& pairwise,
                 const std::vector<std::uint32_t>& akm)
{
    Bytes body;
    putSuite(body, kWpaElementTag);
    putSuites(body, group, pairwise, akm);
    return Element(kElementVendor, body);
}

Bytes HtCapabilitiesBody(std::uint16_t capabilityInfo, std::uint8_t streams)
{
    Bytes body;
    putLe16(body, capabilityInfo);
    body.push_back(0x17); // A-MPDU: 64 KB, 8 us spacing
    for (int i = 0; i < 16; ++i)
        body.push_back(i < streams && i < 4 ? 0xFF : 0x00);
    body.resize(26, 0x00);
    return body;
}

Bytes HtOperationBody(std::uint8_t primaryChannel, std::uint8_t secondaryOffset)
{
    Bytes body(22, 0x00);
    body[0] = primaryChannel;
    body[1] = static_cast<std::uint8_t>((secondaryOffset & 3) | (secondaryOffset != 0 ? 0x04 : 0));
    return body;
}

Bytes HtCapabilitiesElement(std::uint16_t capabilityInfo, std::uint8_t streams)
{
    return Element(kElementHtCapabilities, HtCapabilitiesBody(capabilityInfo, streams));
}

Bytes HtOperationElement(std::uint8_t primaryChannel, std::uint8_t secondaryOffset)
{
    return Element(kElementHtOperation, HtOperationBody(primaryChannel, secondaryOffset));
}

Bytes VendorHtCapabilitiesElement(std::uint16_t capabilityInfo, std::uint8_t streams)
{
    return vendor(kVendorHtCapabilitiesType, HtCapabilitiesBody(capabilityInfo, streams));
}

Bytes VendorHtInformationElement(std::uint8_t primaryChannel, std::uint8_t secondaryOffset)
{
    return vendor(kVendorHtInformationType, HtOperationBody(primaryChannel, secondaryOffset));
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

} // namespace machine::radio
