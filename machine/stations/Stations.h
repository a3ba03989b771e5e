#pragma once
// The simulated stations around an adapter and its access point.
//
// A station is in range (StationFile.h) until it is removed. While the adapter runs as an access
// point (operation mode 2, started by its SSID set), a station in range asks to join it: at
// once when it is added, and every time the access point starts again. It joins when the
// access-control list lets it in and its key matches (JoinCheck.h): it is then in the driver's
// station table with an association ID and the event "associated" (1) is queued; a key that
// does not match queues "associated with invalid PSK password" (5) and it stays out, and a
// station the list keeps out stays out without an event. A station that is removed leaves: out
// of the table with "left this BSS" (2). An access point that stops (the driver reloads, the
// mode goes back to station) drops its stations; they stay in range and ask again at its next
// start. While stations are joined the access point's traffic counters grow, as a station's
// link does.
//
// In a test, with the adapter made an access point the way the access-point program makes it
// (mode set through 0xFF810308, security 0x0D810118 / 0x0D81011B, keys 0x0D81011D, then the
// SSID 0x0D810102 through miniport::HandleRequest):
//
//   stations::Station s;
//   s.mac = {0x02, 0x5A, 0, 0, 0, 1};
//   s.key = stations::StationKey::Passphrase;
//   s.passphrase = "orchard-secret";
//   stations::AddStation(m, id, s);        // joins now, or at the next start
//   stations::ListStations(m, id)[0].joined   // its table entry, when joined
//   stations::RemoveStation(m, id, s.mac);    // leaves

#include "machine/Machine.h"
#include "machine/miniport/AdapterState.h"
#include "machine/stations/Station.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::stations
{

// Event codes of the access point's station events.
inline constexpr std::uint16_t kEventAssociated = 1;
inline constexpr std::uint16_t kEventLeft = 2;
inline constexpr std::uint16_t kEventInvalidPsk = 5;

// The driver's station table holds this many.
inline constexpr std::size_t kMaxJoined = 32;

struct StationStatus
{
    Station station;
    std::optional<miniport::ApStation> joined; // its entry in the station table
};

// In range, in the order they were added.
std::vector<StationStatus> ListStations(const Machine& machine,
                                        const std::string& netCfgInstanceId);

// False (and nothing changes) when a station of that address is in range already.
bool AddStation(const Machine& machine, const std::string& netCfgInstanceId,
                const Station& station);
// False when no station of that address is in range.
bool RemoveStation(const Machine& machine, const std::string& netCfgInstanceId,
                   const radio::Bssid& mac);
void ClearStations(const Machine& machine, const std::string& netCfgInstanceId);

// For the driver, under the machine lock, on the state it is answering from.
// The access point starts (again): its table is emptied and every station in range asks to join.
void StartAccessPoint(const Machine& machine, const std::string& netCfgInstanceId,
                      miniport::AdapterState& state);
// The access point stops: not started, no station joined.
void StopAccessPoint(miniport::AdapterState& state);
// The station table record: u32 count, then 32 entries of 10 bytes (MAC, AID, power-save flag,
// u16 transmit-rate word), zero-filled; 324 bytes.
std::string StationTableRecord(const miniport::AdapterState& state);

} // namespace machine::stations
