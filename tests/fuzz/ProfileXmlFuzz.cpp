// Fuzz target for the WLAN service's reading of profile documents: any text is refused or read
// without a fault, and a document that reads as a profile names itself and its network.

#include "machine/wlan/ProfileXml.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string xml(reinterpret_cast<const char*>(data), size);
    (void)machine::wlan::ParseXml(xml);
    machine::wlan::ProfileDocument doc;
    if (machine::wlan::CheckProfile(xml, doc) == 0 && doc.name.empty() && doc.ssid.empty())
        std::abort();
    return 0;
}
