#include "machine/miniport/Miniport.h"

#include "machine/MachineClock.h"

#include "machine/MachineLock.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/DriverFaults.h"
#include "machine/miniport/OidTable.h"
#include "machine/miniport/RequestLog.h"
#include "machine/radio/RadioStore.h"

#include <algorithm>

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
        if (slot == kDlsEntries)
            slot = free;
        if (slot == kDlsEntries)
            return failed(kErrorInvalidParameter); // the table is full
        table.replace(slot * kDlsEntry, kDlsEntry, entry.substr(0, kDlsEntry));
    }
    state.setBytes(key, table);
    return {true, 0, static_cast<std::uint32_t>(kDlsEntry)};
}

RequestResult applySet(AdapterState& state, const OidEntry& e, const std::string& buffer)
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
        // Length 0 asks to associate with any network in range: kept visible.
        state.associateAny = length == 0;
        state.associated = true;
        if (OperationMode(state) == 2)
            state.apStarted = true;
        break;
    }
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
        state.registers[{space, readU32(data, 4)}] = readU32(data, 8);
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
    case OidKind::Statistics:
    case OidKind::Events:
    case OidKind::Accept:
        break;
    }
    return {true, 0, consumed};
}

RequestResult answerQuery(AdapterState& state, const OidEntry& e, std::string& buffer)
{
    std::uint32_t least = e.minQuery != 0 ? e.minQuery : e.querySize;
    if (buffer.size() < least)
        return failed(kErrorInsufficientBuffer);
    const std::size_t size = std::min<std::size_t>(buffer.size(), e.querySize);
    std::string answer;
    switch (e.kind)
    {
    case OidKind::Register:
    {
        std::uint32_t space = readU32(buffer, 0);
        if (space > kEeprom)
            return failed(kErrorInvalidParameter);
        answer = buffer.substr(0, size);
        writeU32(answer, 8, state.reg(space, readU32(buffer, 4)));
        break;
    }
    case OidKind::Events:
    {
        // A record stored as it is (a test's oversize count) is answered unchanged.
        if (state.values.count(e.storeKey))
        {
            answer = state.bytes(e.storeKey, size);
            break;
        }
        // Each event is answered once: those answered leave the queue.
        std::size_t count = std::min<std::size_t>(state.events.size(), 10);
        answer.assign(size, '\0');
        writeU32(answer, 0, static_cast<std::uint32_t>(count));
        for (std::size_t i = 0; i < count; ++i)
            answer.replace(8 + 16 * i, 16, state.events[i].substr(0, 16));
        state.events.erase(state.events.begin(), state.events.begin() + static_cast<long>(count));
        break;
    }
    default:
        answer = state.bytes(e.storeKey, size);
        break;
    }
    buffer.replace(0, answer.size(), answer);
    return {true, 0, static_cast<std::uint32_t>(answer.size())};
}

// The signal the driver reports is the associated access point's as the radio shows it now, so
// that the driver and the WLAN service agree when a network's signal changes.
void followSignal(const Machine& machine, AdapterState& state)
{
    if (!state.associated)
        return;
    const std::string bssid = state.bytes(oid::Bssid, 6);
    for (const radio::Network& n : radio::LoadNetworks(machine))
    {
        if (std::equal(n.bssid.begin(), n.bssid.end(), bssid.begin(), bssid.end(),
                       [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }))
        {
            const auto offset = static_cast<std::int32_t>(state.u32(kDriverSignalOffset));
            state.setU32(oid::Rssi, static_cast<std::uint32_t>(n.rssi + offset));
            return;
        }
    }
}

} // namespace

RequestResult HandleRequest(const Machine& machine, const std::string& netCfgInstanceId,
                            std::uint32_t wireCode, std::string& buffer)
{
    MachineLock lock(machine);
    LogEntry log;
    log.code = wireCode;
    log.length = static_cast<std::uint32_t>(buffer.size());
    log.bytesIn = buffer;

    RequestResult result;
    DriverFaults faults = LoadDriverFaults(machine, netCfgInstanceId);
    bool isSet = false;
    const OidEntry* entry = FindOid(wireCode, &isSet);
    if (auto error = TakeRequestFault(faults, wireCode))
    {
        SaveDriverFaults(machine, netCfgInstanceId, faults);
        result = failed(*error);
    }
    else if (entry == nullptr)
        result = failed(kErrorNotSupported);
    else
    {
        AdapterState state = LoadAdapterState(machine, netCfgInstanceId);
        bool grew = CatchUpTraffic(state, MachineNow());
        if (!isSet && entry->storeKey == oid::Rssi)
            followSignal(machine, state);
        std::string answer = buffer;
        result = isSet ? applySet(state, *entry, buffer) : answerQuery(state, *entry, answer);
        if (result.ok)
        {
            if (auto cut = ShortAnswerFor(faults, wireCode))
            {
                // A short answer: only the first bytes arrive, and fewer are reported.
                std::size_t keep = std::min<std::size_t>(*cut, buffer.size());
                answer.replace(keep, std::string::npos, buffer.substr(keep));
                result.returned = static_cast<std::uint32_t>(keep);
            }
            if (!isSet)
                buffer = answer;
            else if (ScribblesOn(faults, wireCode))
                for (char& c : buffer)
                    c = static_cast<char>(~c);
            if (isSet || entry->kind == OidKind::Events)
                SaveAdapterState(machine, netCfgInstanceId, state);
        }
        if (grew && !(result.ok && (isSet || entry->kind == OidKind::Events)))
            SaveAdapterState(machine, netCfgInstanceId, state);
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
