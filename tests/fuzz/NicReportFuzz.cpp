// Fuzz target for the NicReport.txt parser: any bytes must parse without a fault, list at most
// MAX_ADAPTER_RECORDS connections, and keep the names, the records and the count in step.

#include "uplink/AdapterRecords.h"
#include "uplink/NicReportParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{

bool HoldsLineEnd(const CString& str)
{
    return str.Find('\n') >= 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CStringArray names;
    int count = ParseNicReportText(reinterpret_cast<const char*>(data), size, names);
    if (count < 0 || count > MAX_ADAPTER_RECORDS || count != g_nAdapterCount ||
        names.GetSize() != count)
        std::abort();
    for (int i = 0; i < MAX_ADAPTER_RECORDS; i++)
    {
        const AdapterRecord& record = g_AdapterRecords[i];
        if (i < count && names[i] != record.Name)
            std::abort();
        if (i >= count && !(record.Name.IsEmpty() && record.Description.IsEmpty() &&
                            record.MAC.IsEmpty() && record.IP.IsEmpty()))
            std::abort();
        if (HoldsLineEnd(record.Name) || HoldsLineEnd(record.Description) ||
            HoldsLineEnd(record.MAC) || HoldsLineEnd(record.IP))
            std::abort();
    }
    if (HoldsLineEnd(g_strWirelessName))
        std::abort();
    return 0;
}
