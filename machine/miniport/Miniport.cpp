#include "machine/miniport/Miniport.h"

#include "machine/AsciiCase.h"
#include "machine/LittleEndian.h"
#include "machine/MachineLock.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/BlockAckSessions.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/OidTable.h"
#include "machine/miniport/RequestLog.h"
#include "machine/network/Connections.h"
#include "machine/network/IpAdapters.h"
#include "machine/radio/RadioStore.h"
#include "machine/stations/Stations.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace machine::miniport
{
namespace
{

std::uint32_t readU32(const std::string& b, std::size_t offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[offset + i]);
    return v;
}

void writeU32(std::string& b, std::size_t offset, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[offset + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

RequestResult failed(std::uint32_t error)
{
    return {false, error, 0};
}

constexpr std::size_t kDlsEntry = 12, kDlsEntries = 4;

constexpr std::size_t kDlsStatus = 10;
constexpr char kDlsLinkUp = 2;

RequestResult setDlsEntry(AdapterState& state, std::uint32_t key, const std::string& entry)
{
    std::string table = state.bytes(key, kDlsEntry * kDlsEntries);
    const std::string mac = entry.substr(4, 6);
    bool valid = entry[11] != 0;
    std::size_t slot = kDlsEntries, free = kDlsEntries;
    for (std::size_t i = 0; i < kDlsEntries; ++i)
    {
        bool used = table[i * kDlsEntry + 11] != 0;
        if (used && table.compare(i * kDlsEntry + 4, 6, mac) == 0)
            slot = i;
        else if (!used && free == kDlsEntries)
            free = i;
    }
    if (!valid)
    {
        if (slot != kDlsEntries)
            std::fill_n(table.begin() + static_cast<long>(slot * kDlsEntry), kDlsEntry, '\0');
    }
    else
    {
        bool added = slot == kDlsEntries;
        if (added)
            slot = free;
        if (slot == kDlsEntries)
            return failed(kErrorInvalidParameter); // the table is full
        table.replace(slot * kDlsEntry, kDlsEntry, entry.substr(0, kDlsEntry));
        // The direct link comes up at once with a peer of the network the adapter is in.
        if (added && state.associated)
            table[slot * kDlsEntry + kDlsStatus] = kDlsLinkUp;
    }
    state.setBytes(key, table);
    return {true, 0, static_cast<std::uint32_t>(kDlsEntry)};
}

RequestResult applySet(const Machine& machine, const std::string& id, AdapterState& state,
                       const OidEntry& e, const std::string& buffer)
{
    if (buffer.size() < e.setSize)
        return failed(kErrorInsufficientBuffer);
    const std::string data = buffer.substr(0, e.setSize);
    const std::uint32_t consumed = e.setSize;
    switch (e.kind)
    {
    case OidKind::Value:
        state.setBytes(e.storeKey, data);
        break;
    case OidKind::Ssid:
    {
        std::uint32_t length = readU32(data, 0);
        if (length > 32)
            return failed(kErrorInvalidParameter);
        state.setBytes(e.storeKey, data);
        if (OperationMode(state) == 2)
        {
            // An access point associates with nobody: it starts, and stations may join it.
            state.associated = false;
            state.associateAny = false;
            stations::StartAccessPoint(machine, id, state);
            break;
        }
        // Length 0 asks to associate with any network in range. On this machine the WLAN service
        // makes every join, so the request is kept visible and the link left as it is: no open
        // network is joined behind the service's back.
        state.associateAny = length == 0;
        if (length != 0)
            state.associated = true;
        break;
    }
    case OidKind::OperationMode:
        state.setBytes(e.storeKey, data);
        if (OperationMode(state) != 2)
            stations::StopAccessPoint(state);
        break;
    case OidKind::Disassociate:
        state.associated = false;
        state.associateAny = false;
        break;
    case OidKind::ResetCounters:
        ResetCounters(state);
        break;
    case OidKind::Register:
    {
        std::uint32_t space = readU32(data, 0);
        if (space > kEeprom)
            return failed(kErrorInvalidParameter);
        state.registers[{space, readU32(data, 4)}] = readU32(data, 8) & RegisterWidthMask(space);
        break;
    }
    case OidKind::AddKey:
    {
        // Length = 39 + key length; the key material begins at 32.
        std::uint32_t keyLength = readU32(data, 8);
        if (32 + static_cast<std::size_t>(keyLength) > buffer.size())
            return failed(kErrorInvalidParameter);
        state.keys[readU32(data, 4) & 0xFF] = buffer.substr(0, 32 + keyLength);
        return {true, 0, static_cast<std::uint32_t>(32 + keyLength)};
    }
    case OidKind::RemoveKey:
        state.keys.erase(readU32(data, 4) & 0xFF);
        break;
    case OidKind::DlsEntry:
        return setDlsEntry(state, e.storeKey, data);
    case OidKind::BaSessionAdd:
    case OidKind::BaSessionDelete:
    {
        std::string table = state.bytes(e.storeKey, kBaTableSize);
        bool taken = e.kind == OidKind::BaSessionAdd ? AddBaSession(table, data)
                                                     : DeleteBaSession(table, data);
        if (!taken)
            return failed(kErrorInvalidParameter);
        state.setBytes(e.storeKey, table);
        break;
    }
    case OidKind::RfRegisters:
        state.setBytes(e.storeKey, data);
        for (std::uint32_t r = 1; r <= 4; ++r)
            state.registers[{kRfRegisters, r}] = readU32(data, 4 * (r - 1));
        break;
    case OidKind::Statistics:
    case OidKind::Events:
    case OidKind::StationTable:
    case OidKind::NetworkTypes:
    case OidKind::Accept:
        break;
    }
    return {true, 0, consumed};
}

// How much of the buffer a query's answer fills; nullopt when the buffer is too small for it.
std::optional<std::size_t> answerSize(const OidEntry& e, const std::string& buffer)
{
    std::uint32_t least = e.minQuery != 0 ? e.minQuery : e.querySize;
    if (buffer.size() < least)
        return std::nullopt;
    return std::min<std::size_t>(buffer.size(), e.querySize);
}

RequestResult answered(std::string& buffer, const std::string& answer)
{
    buffer.replace(0, answer.size(), answer);
    return {true, 0, static_cast<std::uint32_t>(answer.size())};
}

// Each event is answered once: those answered leave the queue.
RequestResult answerEvents(AdapterState& state, const OidEntry& e, std::string& buffer)
{
    const auto size = answerSize(e, buffer);
    if (!size)
        return failed(kErrorInsufficientBuffer);
    // A record stored as it is (a test's oversize count) is answered unchanged.
    if (state.values.count(e.storeKey))
        return answered(buffer, state.bytes(e.storeKey, *size));
    std::size_t count = std::min<std::size_t>(state.events.size(), 10);
    std::string answer(*size, '\0');
    writeU32(answer, 0, static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i)
        answer.replace(8 + 16 * i, 16, state.events[i].substr(0, 16));
    state.events.erase(state.events.begin(), state.events.begin() + static_cast<long>(count));
    return answered(buffer, answer);
}

// Any query but the event queue's: it reads the state only.
RequestResult answerQuery(const AdapterState& state, const OidEntry& e, std::string& buffer)
{
    const auto size = answerSize(e, buffer);
    if (!size)
        return failed(kErrorInsufficientBuffer);
    std::string answer;
    switch (e.kind)
    {
    case OidKind::Register:
    {
        std::uint32_t space = readU32(buffer, 0);
        if (space > kEeprom)
            return failed(kErrorInvalidParameter);
        answer = buffer.substr(0, *size);
        writeU32(answer, 8, state.reg(space, readU32(buffer, 4)));
        break;
    }
    case OidKind::StationTable:
        answer = state.values.count(e.storeKey)
                     ? state.bytes(e.storeKey, *size)
                     : stations::StationTableRecord(state).substr(0, *size);
        break;
    default:
        answer = state.bytes(e.storeKey, *size);
        break;
    }
    return answered(buffer, answer);
}

// Codes of the link's answers beyond the signal.
constexpr std::uint32_t kThirdRssi = 0xFF0C0022;
constexpr std::uint32_t kSnr0 = 0xFF0C0023;
constexpr std::uint32_t kSnr1 = 0xFF0C0024;
constexpr std::uint32_t kNoise = 0xFF0C000A;
constexpr std::uint32_t kLinkState = 0xFF0C000D;
constexpr std::uint32_t kRxRate = 0xFF0C000E;
constexpr std::uint32_t kTxRateWord = 0xFF0C0021;
constexpr std::uint32_t kIpAddress = 0x0D71011F;
constexpr std::size_t kConnectedBssidsSize = 324;
constexpr std::uint32_t kNoRssi = static_cast<std::uint32_t>(-200);
constexpr std::uint32_t kNoSnr = 44; // the driver's "no reading"

bool followsLink(std::uint32_t key)
{
    switch (key)
    {
    case oid::Rssi:
    case kThirdRssi:
    case kSnr0:
    case kSnr1:
    case kLinkState:
    case kRxRate:
    case kTxRateWord:
    case oid::LinkRecord:
    case kIpAddress:
    case oid::ConnectedBssids:
        return true;
    default:
        return false;
    }
}

// The network in range the adapter is associated with.
std::optional<radio::Network> associatedNetwork(const Machine& machine, const AdapterState& state)
{
    if (!state.associated || OperationMode(state) == 2)
        return std::nullopt;
    const std::string bssid = state.bytes(oid::Bssid, 6);
    for (const radio::Network& n : radio::LoadNetworks(machine))
    {
        if (std::equal(n.bssid.begin(), n.bssid.end(), bssid.begin(), bssid.end(),
                       [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }))
            return n;
    }
    return std::nullopt;
}

// The transmit-rate word of a link: the best rate of the network's PHY (HT: one MCS set per
// antenna up to two, short guard interval).
std::uint32_t rateWordFor(const radio::Network& n, int antennas)
{
    switch (n.phyType)
    {
    case radio::kPhyHrDsss:
        return 0x0003; // CCK, 11 Mbps
    case radio::kPhyHt:
        return 0x8000 | 0x0100 | (antennas >= 2 ? 15u : 7u);
    default:
        return 0x4007; // OFDM, 54 Mbps
    }
}

// Mbps of a rate word as the link record's first word counts it (500 kb/s units).
std::uint32_t halfMbpsFor(std::uint32_t word)
{
    switch (word >> 14)
    {
    case 0:
        return 22;
    case 1:
        return 108;
    default:
        return (word & 0x7F) >= 8 ? 289 : 144;
    }
}

std::uint32_t ipv4Of(const std::string& text)
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &extra) != 4 || a > 255 ||
        b > 255 || c > 255 || d > 255)
        return 0;
    return a | b << 8 | c << 16 | d << 24; // address order in memory
}

// What the driver reports of its link follows the associated network as the radio shows it now,
// so that the driver and the WLAN service agree when a network's signal changes. A pinned code
// keeps its stored answer. Returns an error for an antenna the adapter does not have.
std::optional<std::uint32_t> followLink(const Machine& machine, const std::string& id,
                                        AdapterState& state, std::uint32_t wireCode,
                                        std::uint32_t key)
{
    const int antennas = AntennaCount(state);
    if ((wireCode == oid::Rssi && antennas < 2) || (wireCode == kThirdRssi && antennas < 3))
        return kErrorNotSupported;
    if (IsPinned(state, key))
        return std::nullopt;
    const std::optional<radio::Network> n = associatedNetwork(machine, state);
    const auto offset = static_cast<std::int32_t>(state.u32(kDriverSignalOffset));
    const std::int32_t noise = static_cast<std::int32_t>(state.u32(kNoise)) - 143;
    auto snr = [&](std::int32_t rssi)
    { return static_cast<std::uint32_t>(std::max(0, rssi - noise)); };
    switch (key)
    {
    case oid::Rssi:
        if (n)
            state.setU32(key, static_cast<std::uint32_t>(n->rssi + offset));
        break;
    case kThirdRssi:
        state.setU32(key, n ? static_cast<std::uint32_t>(n->rssi + offset - 3) : kNoRssi);
        break;
    case kSnr0:
        state.setU32(key, n ? snr(n->rssi) : kNoSnr);
        break;
    case kSnr1:
        state.setU32(key, n && antennas >= 2 ? snr(n->rssi + offset) : kNoSnr);
        break;
    case kLinkState:
        state.setU32(key, !state.radioOn ? 3 : n ? 0 : 1); // software radio off, up, down
        break;
    case kTxRateWord:
        if (n)
            state.setU32(key, rateWordFor(*n, antennas));
        break;
    case kRxRate:
        if (n)
        {
            // Chips without 802.11n report the receive rate as a code of 0-11.
            auto device = devices::FindDeviceByNetCfgInstanceId(machine, id);
            bool ht = device && device->chipType >= 6;
            std::uint32_t word = rateWordFor(*n, antennas);
            state.setU32(key, ht ? word : (word >> 14) == 0 ? 3 : 11);
        }
        break;
    case oid::LinkRecord:
        if (n)
        {
            state.setU32(key, halfMbpsFor(rateWordFor(*n, antennas)), 0);
            // The page shows word 1 x 1.2 + 10 as the link quality.
            state.setU32(key, n->linkQuality > 10 ? (n->linkQuality - 10) * 5 / 6 : 0, 4);
            state.setU32(key, n->channel, 16);
        }
        else
            state.setU32(key, 0, 4);
        break;
    case oid::ConnectedBssids:
    {
        // The peers a block-ack session may be set up with: the access point of the link.
        std::string record = Le32(n ? 1 : 0);
        if (n)
            record += std::string(n->bssid.begin(), n->bssid.end());
        record.resize(kConnectedBssidsSize, '\0');
        state.setBytes(key, record);
        break;
    }
    case kIpAddress:
    {
        std::uint32_t ip = 0;
        if (n)
            for (const network::Connection& c : network::LoadConnections(machine))
                if (EqualNoCase(c.guid, id))
                {
                    if (auto addressing = network::AddressingOf(c, &state))
                        ip = ipv4Of(addressing->ip);
                    break;
                }
        state.setU32(key, ip);
        break;
    }
    default:
        break;
    }
    return std::nullopt;
}

// The network types the adapter's bands give (NDIS numbering: 1 DS, 3 OFDM at 2.4 GHz, 2 OFDM
// at 5 GHz): the dual-band chips (models 5 and up) add the 5 GHz type.
std::string networkTypes(const Machine& machine, const std::string& id)
{
    auto device = devices::FindDeviceByNetCfgInstanceId(machine, id);
    std::vector<std::uint32_t> types = {1, 3};
    if (device && device->chipType >= 5)
        types.push_back(2);
    std::string record = Le32(static_cast<std::uint32_t>(types.size()));
    for (std::uint32_t t : types)
        record += Le32(t);
    record.resize(20, '\0');
    return record;
}

// A query's answer into the caller's buffer; a short answer arranged for the code keeps only its
// first bytes, and fewer are reported.
void giveAnswer(const DriverFaults& faults, std::uint32_t wireCode, std::string& buffer,
                std::string& answer, RequestResult& result)
{
    if (auto cut = ShortAnswerFor(faults, wireCode))
    {
        std::size_t keep = std::min<std::size_t>(*cut, buffer.size());
        answer.replace(keep, std::string::npos, buffer.substr(keep));
        result.returned = static_cast<std::uint32_t>(keep);
    }
    buffer = answer;
}

} // namespace

RequestResult HandleRequest(const Machine& machine, const std::string& netCfgInstanceId,
                            std::uint32_t wireCode, std::string& buffer,
                            const RequestSource& source)
{
    bool isSet = false;
    const OidEntry* entry = FindOid(wireCode, &isSet);
    DriverFaults faults = LoadDriverFaults(machine, netCfgInstanceId);
    // A query changes nothing, unless a failure arranged for it is taken: it needs no lock. What
    // may change is done under the lock, on the files read again.
    std::optional<MachineLock> lock;
    if (DriverFaults peek = faults; isSet || (entry != nullptr && entry->kind == OidKind::Events) ||
                                    TakeRequestFault(peek, wireCode))
    {
        lock.emplace(machine);
        faults = LoadDriverFaults(machine, netCfgInstanceId);
    }
    LogEntry log;
    log.control = source.control;
    log.inLength = source.inLength;
    log.handle = source.handle;
    log.code = wireCode;
    log.length = static_cast<std::uint32_t>(buffer.size());
    log.bytesIn = buffer;

    RequestResult result;
    if (auto error = TakeRequestFault(faults, wireCode))
    {
        SaveDriverFaults(machine, netCfgInstanceId, faults);
        result = failed(*error);
    }
    else if (entry == nullptr)
        result = failed(kErrorNotSupported);
    else
    {
        const bool changes = isSet || entry->kind == OidKind::Events;
        std::string answer = buffer;
        if (!changes && !followsLink(entry->storeKey) && !GrowsWithTraffic(entry->storeKey) &&
            entry->kind != OidKind::NetworkTypes)
        {
            // A stored answer: read where it is kept, without a copy of the whole state.
            result = answerQuery(*ShareAdapterState(machine, netCfgInstanceId), *entry, answer);
            if (result.ok)
                giveAnswer(faults, wireCode, buffer, answer, result);
        }
        else
        {
            // The counters as they are now, derived from the clock: a query writes none back.
            AdapterState state = LoadAdapterState(machine, netCfgInstanceId);
            std::optional<AdapterState> before;
            if (changes)
                before = state;
            std::optional<std::uint32_t> refused;
            if (!isSet && followsLink(entry->storeKey))
                refused = followLink(machine, netCfgInstanceId, state, wireCode, entry->storeKey);
            if (!isSet && entry->kind == OidKind::NetworkTypes && !IsPinned(state, entry->storeKey))
                state.setBytes(entry->storeKey, networkTypes(machine, netCfgInstanceId));
            if (refused)
                result = failed(*refused);
            else if (isSet)
                result = applySet(machine, netCfgInstanceId, state, *entry, buffer);
            else if (entry->kind == OidKind::Events)
                result = answerEvents(state, *entry, answer);
            else
                result = answerQuery(state, *entry, answer);
            if (result.ok)
            {
                if (isSet)
                {
                    // A short answer of a set: fewer bytes are reported read.
                    if (auto cut = ShortAnswerFor(faults, wireCode))
                        result.returned =
                            static_cast<std::uint32_t>(std::min<std::size_t>(*cut, buffer.size()));
                    if (ScribblesOn(faults, wireCode))
                        for (char& c : buffer)
                            c = static_cast<char>(~c);
                }
                else
                    giveAnswer(faults, wireCode, buffer, answer, result);
                if (changes && state != *before)
                    SaveAdapterState(machine, netCfgInstanceId, state);
            }
        }
    }
    log.ok = result.ok;
    log.error = result.error;
    log.returned = result.returned;
    log.bytesOut = buffer;
    AppendRequestLog(machine, netCfgInstanceId, log);
    return result;
}

bool OpenIsRefused(const Machine& machine, const std::string& netCfgInstanceId)
{
    return LoadDriverFaults(machine, netCfgInstanceId).openFails;
}

} // namespace machine::miniport
