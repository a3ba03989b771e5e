#pragma once
// The object identifiers the adapter's driver answers: what a query returns and how large it
// is, and which wire codes set it. Sets carry bit 23 (0x00800000); the 0xFF81xxxx forms set the
// standard 0x0D01xxxx identifiers.

#include <cstdint>
#include <vector>

namespace machine::miniport
{

// What the driver does with a request beyond storing and answering bytes.
enum class OidKind
{
    Value,           // a stored setting: a set stores, a query answers the bytes stored
    Ssid,            // stored; a set associates (length 0: with any network) or starts the AP
    OperationMode,   // {0, mode}: stored; station mode (1) stops the access point
    Disassociate,    // drops the association
    ResetCounters,   // zeroes the statistics
    Register,        // {kind, address, value}: a query reads the addressed register into value
    Statistics,      // the 200-byte statistics record; 176 bytes answered with its first 176
    Events,          // the access point's event records, each answered once (a record
                     // stored under the code itself is answered as stored instead)
    AddKey,          // stores a key by its index
    RemoveKey,       // removes the key of an index
    DlsEntry,        // one entry of the DLS table: added, replaced, or removed when not valid
                     // (a new valid entry's link is up, status 2, while the adapter is associated)
    BaSessionAdd,    // a block-ack session request: the session enters the mode's session table
    BaSessionDelete, // a session, or a peer's every session, leaves the session table
    RfRegisters,     // R1-R4 into the RF registers 1-4; the record (with the tuning switch) kept
    StationTable,    // the access point's joined stations (a record stored under the code itself
                     // is answered as stored instead)
    NetworkTypes,    // the network types of the adapter's bands, unless an answer is pinned
    Accept,          // accepted and otherwise ignored
};

struct OidEntry
{
    std::uint32_t query = 0;         // the query code; 0 when the identifier is only set
    std::uint32_t querySize = 0;     // bytes of a query's answer
    std::uint32_t minQuery = 0;      // smallest query buffer answered (0: querySize)
    std::vector<std::uint32_t> sets; // wire codes that set it
    std::uint32_t setSize = 0;       // bytes a set reads (the smallest it accepts)
    std::uint32_t storeKey = 0;      // where the value lives in the adapter's store
    OidKind kind = OidKind::Value;
};

const std::vector<OidEntry>& OidTable();

// The entry a wire code names, and whether the code sets it; null for an unknown code.
const OidEntry* FindOid(std::uint32_t wireCode, bool* isSet);

// The query form of a wire code (0x0DF10111 -> 0x0D710111, 0xFF8C0003 -> 0xFF0C0003,
// 0xFF810308 -> 0x0D010308); a query code is its own.
std::uint32_t QueryFormOf(std::uint32_t wireCode);
bool IsSetForm(std::uint32_t wireCode);

// Codes the rest of the machine uses by name.
namespace oid
{
inline constexpr std::uint32_t DriverVersion = 0x00010110;
inline constexpr std::uint32_t FramesReceived = 0x00020102;
inline constexpr std::uint32_t ReceiveNoBuffer = 0x00020105;
inline constexpr std::uint32_t CurrentAddress = 0x01010102;
inline constexpr std::uint32_t Bssid = 0x0D010101;
inline constexpr std::uint32_t Ssid = 0x0D010102;
inline constexpr std::uint32_t Rssi = 0xFF0C0010;
inline constexpr std::uint32_t Configuration = 0x0D010211;
inline constexpr std::uint32_t OperationMode = 0x0D010308;
inline constexpr std::uint32_t AdapterMac = 0x0D010702;
inline constexpr std::uint32_t Statistics = 0x0D020212;
inline constexpr std::uint32_t StartMarker = 0x0D710126;
inline constexpr std::uint32_t AdvancedBlock = 0x0D710111;
inline constexpr std::uint32_t ApsdWord = 0x0D71012A;
inline constexpr std::uint32_t Ccx2Control = 0x0DF1011E;
inline constexpr std::uint32_t ApEvents = 0x0D71010A;
inline constexpr std::uint32_t WirelessMode = 0xFF0C0002;
inline constexpr std::uint32_t RegionWord = 0xFF0C0003;
inline constexpr std::uint32_t EepromVersion = 0xFF0C0004;
inline constexpr std::uint32_t FirmwareVersion = 0xFF0C0005;
inline constexpr std::uint32_t Channel = 0xFF0C0006;
inline constexpr std::uint32_t TxPower = 0xFF0C0007;
inline constexpr std::uint32_t LinkRecord = 0xFF0C0009;
inline constexpr std::uint32_t HtPhyMode = 0xFF0C0028;
inline constexpr std::uint32_t BaSessions = 0xFF0C0025;   // the station's session table
inline constexpr std::uint32_t ApBaSessions = 0x0D710138; // the access point's
inline constexpr std::uint32_t ConnectedBssids = 0xFF0C0029;
inline constexpr std::uint32_t Keys = 0x0D01011D; // store key of the key table (per index)
} // namespace oid

} // namespace machine::miniport
