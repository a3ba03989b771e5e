// Fuzz target for the scan-list security parser: the input is one whole entry (fixed part and
// elements). Every output must be 0 or 1, and nothing past the entry's Length may be read or
// change the result.

#include "client/access/SecurityIes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace security_ies_fuzz
{

inline void Check(const BssSecurity& out)
{
    const int values[] = {out.bPrivacy, out.bTkip,     out.bWrap,    out.bCcmp,
                          out.bWpa,     out.bWpaPsk,   out.bWpaNone, out.bWpa2,
                          out.bWpa2Psk, out.bWpa2None, out.bHt};
    for (int value : values)
        if (value != 0 && value != 1)
            std::abort();
}

inline int RunOne(const std::uint8_t* data, std::size_t size)
{
    // The list walks hand over only entries whose Length holds the fixed part and lies inside
    // the list; make the input such an entry, padded to the fixed part.
    std::vector<std::uint8_t> entry(data, data + size);
    if (entry.size() < NDIS_WLAN_BSSID_EX_FIXED)
        entry.resize(NDIS_WLAN_BSSID_EX_FIXED, 0);
    ULONG length;
    std::memcpy(&length, entry.data(), sizeof(length));
    if (length < NDIS_WLAN_BSSID_EX_FIXED || length > entry.size())
        length = static_cast<ULONG>(entry.size());
    std::memcpy(entry.data(), &length, sizeof(length));

    BssSecurity first;
    ParseSecurityIes(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(entry.data()), &first);
    Check(first);

    // Exactly Length bytes on the heap: a read past them is caught, and the result is the same.
    std::vector<std::uint8_t> exact(entry.begin(), entry.begin() + length);
    BssSecurity second;
    ParseSecurityIes(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(exact.data()), &second);
    if (std::memcmp(&first, &second, sizeof(first)) != 0)
        std::abort();

    const auto* header = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(exact.data());
    if (first.bPrivacy != (header->Privacy == 1 ? 1 : 0))
        std::abort();
    ULONG ieLength = std::min<ULONG>(header->IELength, length - NDIS_WLAN_BSSID_EX_FIXED);
    if (ieLength <= 3)
    {
        BssSecurity none;
        std::memset(&none, 0, sizeof(none));
        none.bPrivacy = first.bPrivacy;
        if (std::memcmp(&first, &none, sizeof(none)) != 0)
            std::abort();
    }
    // The key management of an element depends on the network type only for PSK.
    if ((first.bWpaPsk && first.bWpaNone) || (first.bWpa2Psk && first.bWpa2None))
        std::abort();
    return 0;
}

} // namespace security_ies_fuzz

#ifndef SECURITY_IES_FUZZ_NO_ENTRY
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return security_ies_fuzz::RunOne(data, size);
}
#endif
