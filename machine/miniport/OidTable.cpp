#include "machine/miniport/OidTable.h"

#include <algorithm>

namespace machine::miniport
{
namespace
{

constexpr std::uint32_t kSetBit = 0x00800000u;

OidEntry both(std::uint32_t query, std::uint32_t size, OidKind kind = OidKind::Value)
{
    return {query, size, 0, {query | kSetBit}, size, query, kind};
}

OidEntry queryOnly(std::uint32_t query, std::uint32_t size, OidKind kind = OidKind::Value)
{
    return {query, size, 0, {}, 0, query, kind};
}

OidEntry setOnly(std::uint32_t wire, std::uint32_t size, OidKind kind = OidKind::Value)
{
    return {0, 0, 0, {wire}, size, wire, kind};
}

OidEntry alias(OidEntry e, std::uint32_t storeKey)
{
    e.storeKey = storeKey;
    return e;
}

std::vector<OidEntry> buildTable()
{
    using K = OidKind;
    std::vector<OidEntry> t = {
        // General and 802.3.
        queryOnly(0x00010110, 2),
        queryOnly(0x00010114, 4),
        queryOnly(oid::FramesReceived, 4),
        queryOnly(oid::ReceiveNoBuffer, 4),
        alias(queryOnly(oid::CurrentAddress, 6), oid::AdapterMac),
        // 802.11.
        both(oid::Bssid, 6),
        both(oid::Ssid, 36, K::Ssid),
        setOnly(0x0D810115, 0, K::Disassociate),
        setOnly(0x0D810118, 4),
        setOnly(0x0D81011B, 4),
        setOnly(0x0D81011D, 32, K::AddKey),
        setOnly(0x0D81011E, 16, K::RemoveKey),
        queryOnly(0x0D010203, 20, K::NetworkTypes),
        alias(queryOnly(0x0D010206, 4), oid::Rssi),
        both(0x0D010209, 4),
        both(0x0D01020A, 4),
        setOnly(0x0D810210, 8),
        both(oid::Configuration, 32),
        {oid::OperationMode,
         8,
         0,
         {0xFF810308, 0x0D810308},
         8,
         oid::OperationMode,
         K::OperationMode},
        {0, 0, 0, {0xFF81031A, 0x0D81031A}, 132, 0xFF81031A, K::Value},
        queryOnly(oid::AdapterMac, 6),
        {oid::Statistics, 200, 176, {}, 0, oid::Statistics, K::Statistics},
        // Private, 0x0D71xxxx.
        both(0x0D710101, 4),
        queryOnly(0x0D710102, 20),
        setOnly(0x0DF10103, 0, K::ResetCounters),
        alias(both(0x0D710105, 12, K::Register), 0),
        alias(both(0x0D710107, 4), oid::RegionWord),
        both(0x0D710109, 4),
        {oid::ApEvents, 168, 0, {}, 0, oid::ApEvents, K::Events},
        queryOnly(0x0D71010B, 324, K::StationTable),
        alias(setOnly(0x0DF1010C, 4), oid::WirelessMode),
        both(0x0D71010F, 32),
        setOnly(0x0DF10110, 264),
        both(oid::AdvancedBlock, 32),
        setOnly(0x0DF10112, 60),
        both(0x0D710113, 72),
        both(0x0D710114, 8),
        setOnly(0x0DF10115, 0, K::Accept),
        setOnly(0x0DF10118, 4),
        queryOnly(0x0D710118, 4),
        alias(queryOnly(0x0D710119, 4), oid::EepromVersion),
        queryOnly(0x0D71011A, 4),
        queryOnly(0x0D71011B, 4),
        queryOnly(0x0D71011C, 4),
        queryOnly(0x0D71011D, 4),
        setOnly(oid::Ccx2Control, 4),
        queryOnly(0x0D71011F, 4),
        {0, 0, 0, {0x0DF10120}, 20, 0x0DF10120, K::RfRegisters},
        setOnly(0x0DF10121, 4),
        queryOnly(0x0D710125, 4),
        both(oid::StartMarker, 4),
        setOnly(0x0DF10127, 26),
        alias(queryOnly(0x0D710129, 4), oid::FirmwareVersion),
        both(oid::ApsdWord, 4),
        setOnly(0x0DF1012D, 1),
        setOnly(0x0DF10131, 4),
        {0x0D710132, 48, 0, {0x0DF10132}, 12, 0x0D710132, K::DlsEntry},
        queryOnly(0x0D710134, 4),
        queryOnly(0x0D710135, 4),
        queryOnly(0x0D710136, 4),
        both(0x0D710137, 8),
        queryOnly(oid::ApBaSessions, 3076),
        {0, 0, 0, {0x0DF10138}, 14, oid::ApBaSessions, K::BaSessionAdd},
        {0, 0, 0, {0x0DF1013A}, 14, oid::ApBaSessions, K::BaSessionDelete},
        setOnly(0x0DF1013B, 12),
        // Private, 0xFF0C00xx.
        both(oid::WirelessMode, 4),
        both(oid::RegionWord, 4),
        queryOnly(oid::EepromVersion, 4),
        queryOnly(oid::FirmwareVersion, 4),
        queryOnly(oid::Channel, 4),
        both(oid::TxPower, 4),
        alias(both(0xFF0C0008, 12, K::Register), 0),
        {oid::LinkRecord, 20, 16, {}, 0, oid::LinkRecord, K::Value},
        queryOnly(0xFF0C000A, 4),
        setOnly(0xFF8C000C, 0, K::ResetCounters),
        queryOnly(0xFF0C000D, 4),
        queryOnly(0xFF0C000E, 4),
        queryOnly(oid::Rssi, 4),
        queryOnly(0xFF0C0021, 4),
        queryOnly(0xFF0C0022, 4),
        queryOnly(0xFF0C0023, 4),
        queryOnly(0xFF0C0024, 4),
        queryOnly(oid::BaSessions, 3076),
        {0, 0, 0, {0xFF8C0025}, 14, oid::BaSessions, K::BaSessionAdd},
        {0, 0, 0, {0xFF8C0027}, 14, oid::BaSessions, K::BaSessionDelete},
        both(0xFF0C0026, 8),
        both(oid::HtPhyMode, 12),
        queryOnly(oid::ConnectedBssids, 324),
    };
    return t;
}

} // namespace

const std::vector<OidEntry>& OidTable()
{
    static const std::vector<OidEntry> table = buildTable();
    return table;
}

const OidEntry* FindOid(std::uint32_t wireCode, bool* isSet)
{
    for (const auto& e : OidTable())
    {
        if (e.query != 0 && e.query == wireCode)
        {
            if (isSet)
                *isSet = false;
            return &e;
        }
        if (std::find(e.sets.begin(), e.sets.end(), wireCode) != e.sets.end())
        {
            if (isSet)
                *isSet = true;
            return &e;
        }
    }
    return nullptr;
}

bool IsSetForm(std::uint32_t wireCode)
{
    return (wireCode & kSetBit) != 0;
}

std::uint32_t QueryFormOf(std::uint32_t wireCode)
{
    if ((wireCode & 0xFFFF0000u) == 0xFF810000u)
        return 0x0D010000u | (wireCode & 0xFFFFu);
    return wireCode & ~kSetBit;
}

} // namespace machine::miniport
