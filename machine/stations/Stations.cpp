#include "machine/stations/Stations.h"

#include "machine/LittleEndian.h"
#include "machine/MachineClock.h"
#include "machine/MachineLock.h"
#include "machine/miniport/OidTable.h"
#include "machine/stations/JoinCheck.h"
#include "machine/stations/StationFile.h"

#include <algorithm>

namespace machine::stations
{
namespace
{

constexpr std::size_t kTableEntry = 10;

bool running(const miniport::AdapterState& s)
{
    return miniport::OperationMode(s) == 2 && s.apStarted;
}

void queueEvent(miniport::AdapterState& s, const radio::Bssid& mac, std::uint16_t code)
{
    miniport::QueueApEvent(s, MachineFileTime(), std::string(mac.begin(), mac.end()), code);
}

// The lowest association ID no joined station has.
std::uint8_t freeAid(const miniport::AdapterState& s)
{
    for (std::uint8_t aid = 1;; ++aid)
        if (std::none_of(s.apStations.begin(), s.apStations.end(),
                         [&](const miniport::ApStation& j) { return j.aid == aid; }))
            return aid;
}

// The station asks the running access point to join it.
void askToJoin(miniport::AdapterState& s, const Station& station)
{
    switch (CheckJoin(s, station))
    {
    case JoinCheck::Joins:
        if (s.apStations.size() >= kMaxJoined)
            return; // the access point is full and turns it away
        s.apStations.push_back({station.mac, freeAid(s), station.powerSave});
        queueEvent(s, station.mac, kEventAssociated);
        return;
    case JoinCheck::WrongKey:
        queueEvent(s, station.mac, kEventInvalidPsk);
        return;
    case JoinCheck::NoAuthenticator:
    case JoinCheck::NotAllowed:
        return;
    }
}

// The rate a joined station is sent at: the best of the access point's wireless mode (802.11b
// only: 11 Mbps CCK; modes with 802.11n: HT MCS 7; else 54 Mbps OFDM).
std::uint16_t rateWord(const miniport::AdapterState& s)
{
    switch (s.u32(miniport::oid::WirelessMode))
    {
    case 1:
        return 0x0003;
    case 5:
    case 6:
    case 8:
    case 9:
        return 0x8007;
    default:
        return 0x4007;
    }
}

// Runs `change` on the stations in range and the driver's state together, the traffic so far
// counted first, and writes both back.
template <class F> auto changeBoth(const Machine& machine, const std::string& id, F change)
{
    MachineLock lock(machine);
    std::vector<Station> list = LoadStations(machine, id).stations;
    miniport::AdapterState state = miniport::LoadAdapterState(machine, id);
    miniport::CatchUpTraffic(state, MachineNow());
    auto result = change(list, state);
    SaveStations(machine, id, list);
    miniport::SaveAdapterState(machine, id, state);
    return result;
}

} // namespace

std::vector<StationStatus> ListStations(const Machine& machine, const std::string& netCfgInstanceId)
{
    MachineLock lock(machine);
    const miniport::AdapterState state = miniport::LoadAdapterState(machine, netCfgInstanceId);
    std::vector<StationStatus> list;
    for (const Station& s : LoadStations(machine, netCfgInstanceId).stations)
    {
        StationStatus status{s, std::nullopt};
        for (const auto& j : state.apStations)
            if (j.mac == s.mac)
                status.joined = j;
        list.push_back(status);
    }
    return list;
}

bool AddStation(const Machine& machine, const std::string& netCfgInstanceId, const Station& station)
{
    return changeBoth(machine, netCfgInstanceId,
                      [&](std::vector<Station>& list, miniport::AdapterState& state)
                      {
                          if (std::any_of(list.begin(), list.end(),
                                          [&](const Station& s) { return s.mac == station.mac; }))
                              return false;
                          list.push_back(station);
                          if (running(state))
                              askToJoin(state, station);
                          return true;
                      });
}

bool RemoveStation(const Machine& machine, const std::string& netCfgInstanceId,
                   const radio::Bssid& mac)
{
    return changeBoth(machine, netCfgInstanceId,
                      [&](std::vector<Station>& list, miniport::AdapterState& state)
                      {
                          if (std::erase_if(list, [&](const Station& s) { return s.mac == mac; }) ==
                              0)
                              return false;
                          if (std::erase_if(state.apStations, [&](const miniport::ApStation& j)
                                            { return j.mac == mac; }) != 0)
                              queueEvent(state, mac, kEventLeft);
                          return true;
                      });
}

void ClearStations(const Machine& machine, const std::string& netCfgInstanceId)
{
    changeBoth(machine, netCfgInstanceId,
               [&](std::vector<Station>& list, miniport::AdapterState& state)
               {
                   for (const auto& j : state.apStations)
                       queueEvent(state, j.mac, kEventLeft);
                   state.apStations.clear();
                   list.clear();
                   return true;
               });
}

void StartAccessPoint(const Machine& machine, const std::string& netCfgInstanceId,
                      miniport::AdapterState& state)
{
    state.apStarted = true;
    state.apStations.clear();
    for (const Station& s : LoadStations(machine, netCfgInstanceId).stations)
        askToJoin(state, s);
}

void StopAccessPoint(miniport::AdapterState& state)
{
    state.apStarted = false;
    state.apStations.clear();
}

std::string StationTableRecord(const miniport::AdapterState& state)
{
    const std::size_t count = std::min(state.apStations.size(), kMaxJoined);
    std::string record = Le32(static_cast<std::uint32_t>(count));
    record.resize(4 + kMaxJoined * kTableEntry, '\0');
    const std::uint16_t rate = rateWord(state);
    for (std::size_t i = 0; i < count; ++i)
    {
        const miniport::ApStation& j = state.apStations[i];
        std::string entry(j.mac.begin(), j.mac.end());
        entry += static_cast<char>(j.aid);
        entry += static_cast<char>(j.powerSave ? 1 : 0);
        entry += static_cast<char>(rate & 0xFF);
        entry += static_cast<char>(rate >> 8);
        record.replace(4 + i * kTableEntry, kTableEntry, entry);
    }
    return record;
}

} // namespace machine::stations
