#pragma once
// The model of one adapter's radio and link, shared by its driver and the WLAN service and kept
// in <root>/miniport/{NetCfgInstanceId}/state.txt. Settings live in a store keyed by the
// object identifier that answers them; the typed views below name the ones the rest of the
// machine reads.

#include "machine/Machine.h"
#include "machine/radio/Network.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace machine::miniport
{

// Register spaces of the chip, as the register requests name them.
enum RegisterSpace : std::uint32_t
{
    kMacRegisters = 0,
    kBbpRegisters = 1,
    kRfRegisters = 2,
    kEeprom = 3,
};

// What a register of the space holds: BBP registers are 8 bits wide, EEPROM words 16, MAC and RF
// registers 32. A write keeps only those bits.
std::uint32_t RegisterWidthMask(std::uint32_t space);

// EEPROM word of the radio options (bits 8 and 9); 0xFFFF reads as not programmed.
inline constexpr std::uint32_t kEepromRadioOptions = 0x36;

// Store key, not a driver code: how many dB the driver's own signal reading lies above the
// radio's (signed; 0 when never set), for setups where the two differ.
inline constexpr std::uint32_t kDriverSignalOffset = 0x7F000010;

// Store key: the receive antennas of the adapter (1 to 3; 0 when never set reads as 3). The
// driver refuses the signal query of an antenna it does not have.
inline constexpr std::uint32_t kAntennas = 0x7F000011;

// Store key: codes (4 bytes each) whose stored answer is given as it is instead of following
// the link, for a test or a person who wants one fixed answer.
inline constexpr std::uint32_t kPinnedAnswers = 0x7F000012;

// A station joined to the access point, as the driver's station table lists it.
struct ApStation
{
    radio::Bssid mac{};
    std::uint8_t aid = 0; // association ID, 1 and up
    bool powerSave = false;

    bool operator==(const ApStation&) const = default;
};

struct AdapterState
{
    std::map<std::uint32_t, std::string> values;                                // exact bytes
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> registers; // (space, address)
    std::map<std::uint32_t, std::string> keys;                                  // by key index
    std::vector<std::string> events;   // 16-byte access-point event records not yet answered
    std::vector<ApStation> apStations; // joined to the running access point, in join order
    bool radioOn = true;
    bool associated = false;
    bool associateAny = false;   // the last SSID set had length 0
    bool apStarted = false;      // an SSID was set in access-point mode
    bool trafficKnown = false;   // trafficAt has been set
    std::uint64_t trafficAt = 0; // machine time up to which the traffic counters are grown

    bool operator==(const AdapterState&) const = default;

    // The stored bytes, cut or zero-padded to `size`.
    std::string bytes(std::uint32_t key, std::size_t size) const;
    void setBytes(std::uint32_t key, std::string data) { values[key] = std::move(data); }
    std::uint32_t u32(std::uint32_t key, std::size_t offset = 0) const;
    void setU32(std::uint32_t key, std::uint32_t value, std::size_t offset = 0);
    std::uint64_t u64(std::uint32_t key, std::size_t offset) const;
    void setU64(std::uint32_t key, std::uint64_t value, std::size_t offset);
    std::uint32_t reg(std::uint32_t space, std::uint32_t address) const;
};

// A freshly loaded driver on this adapter: defaults of every setting, its MAC address made
// from the NetCfgInstanceId.
AdapterState DefaultAdapterState(const std::string& netCfgInstanceId);

std::string FormatAdapterState(const AdapterState& state);
// Lines it does not understand are skipped.
AdapterState ParseAdapterState(const std::string& text);

// <root>/miniport/{NETCFGINSTANCEID} (upper case: the ID is compared without regard to case).
std::filesystem::path AdapterDirectory(const Machine& machine, const std::string& netCfgInstanceId);
// A file of that folder, its path made once for each thread (a request names three of them).
const std::filesystem::path& AdapterFile(const Machine& machine,
                                         const std::string& netCfgInstanceId, const char* name);

// The adapter's state now: as last written, its traffic counters grown to the machine's time
// (CatchUpTraffic), so that a reader need not write them back; the defaults when none has been
// kept yet.
AdapterState LoadAdapterState(const Machine& machine, const std::string& netCfgInstanceId);
// The state as last written (or the defaults), without a copy and without the traffic since:
// enough for an answer that neither follows the link nor grows with the traffic. Never null.
std::shared_ptr<const AdapterState> ShareAdapterState(const Machine& machine,
                                                      const std::string& netCfgInstanceId);
// Writes nothing when the file already gives this state.
bool SaveAdapterState(const Machine& machine, const std::string& netCfgInstanceId,
                      const AdapterState& state);
// Read, change and write back under the machine lock; a change that leaves the state as it
// was writes nothing.
bool ChangeAdapterState(const Machine& machine, const std::string& netCfgInstanceId,
                        const std::function<void(AdapterState&)>& change);

// Typed views.
int AntennaCount(const AdapterState& state); // 1 to 3
// Stores the answer of a query code and keeps it from following the link.
void PinAnswer(AdapterState& state, std::uint32_t code, std::string answer);
bool IsPinned(const AdapterState& state, std::uint32_t code);
// The code follows the link again, its stored answer dropped.
void UnpinAnswer(AdapterState& state, std::uint32_t code);
std::uint32_t OperationMode(const AdapterState& state); // 1 station, 2 access point
void SetOperationMode(AdapterState& state, std::uint32_t mode);
std::string AssociatedSsid(const AdapterState& state);
void SetAssociation(AdapterState& state, const std::string& ssid, const std::string& bssid);
std::string AdapterMacAddress(const AdapterState& state); // 6 bytes

// Traffic over time: `frames` frames each way (of `frameBytes` bytes). Byte counters of the
// link record are 32 bits and wrap.
void AdvanceCounters(AdapterState& state, std::uint64_t frames, std::uint32_t frameBytes = 1500);
void ResetCounters(AdapterState& state);
// While the link is up and the radio on, traffic flows at kFramesPerSecond each way: grows the
// counters for the time since trafficAt and moves it to `now` (keeping the part of a frame not
// yet due). In access-point mode the link is each joined station's: traffic flows at that rate
// for each while the access point runs. False when nothing changed.
inline constexpr std::uint64_t kFramesPerSecond = 50;
bool CatchUpTraffic(AdapterState& state, std::uint64_t now);
// The stored answers CatchUpTraffic changes.
bool GrowsWithTraffic(std::uint32_t key);

// Queues an access-point event record (FILETIME, MAC, code) for the next event query.
void QueueApEvent(AdapterState& state, std::uint64_t fileTime, const std::string& mac,
                  std::uint16_t code);

} // namespace machine::miniport
