#include "machine/miniport/AdapterState.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/HexDigit.h"
#include "machine/MachineClock.h"
#include "machine/MachineLock.h"
#include "machine/ParsedFile.h"
#include "machine/miniport/OidTable.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <sstream>

namespace machine::miniport
{
namespace
{

std::string toHex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (unsigned char c : bytes)
    {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

bool fromHex(const std::string& text, std::string& out)
{
    if (text == "-")
    {
        out.clear();
        return true;
    }
    if (text.size() % 2 != 0)
        return false;
    out.clear();
    for (std::size_t i = 0; i < text.size(); i += 2)
    {
        int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        out += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

bool parseNumber(const std::string& text, std::uint32_t& value)
{
    if (text.empty() || text.size() > 8)
        return false;
    std::uint32_t v = 0;
    for (char c : text)
    {
        int d = HexDigit(c);
        if (d < 0)
            return false;
        v = v * 16 + static_cast<std::uint32_t>(d);
    }
    value = v;
    return true;
}

std::string hex8(std::uint32_t v)
{
    char text[12];
    std::snprintf(text, sizeof text, "%08X", v);
    return text;
}

std::string le32(std::uint32_t v)
{
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

} // namespace

std::string AdapterState::bytes(std::uint32_t key, std::size_t size) const
{
    std::string out(size, '\0');
    auto it = values.find(key);
    if (it != values.end())
        std::copy_n(it->second.begin(), std::min(size, it->second.size()), out.begin());
    return out;
}

std::uint32_t AdapterState::u32(std::uint32_t key, std::size_t offset) const
{
    std::string b = bytes(key, offset + 4);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[offset + i]);
    return v;
}

void AdapterState::setU32(std::uint32_t key, std::uint32_t value, std::size_t offset)
{
    std::string& b = values[key];
    if (b.size() < offset + 4)
        b.resize(offset + 4, '\0');
    for (int i = 0; i < 4; ++i)
        b[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t AdapterState::u64(std::uint32_t key, std::size_t offset) const
{
    return u32(key, offset) | (static_cast<std::uint64_t>(u32(key, offset + 4)) << 32);
}

void AdapterState::setU64(std::uint32_t key, std::uint64_t value, std::size_t offset)
{
    setU32(key, static_cast<std::uint32_t>(value), offset);
    setU32(key, static_cast<std::uint32_t>(value >> 32), offset + 4);
}

std::uint32_t RegisterWidthMask(std::uint32_t space)
{
    switch (space)
    {
    case kBbpRegisters:
        return 0xFFu;
    case kEeprom:
        return 0xFFFFu;
    default:
        return 0xFFFFFFFFu;
    }
}

std::uint32_t AdapterState::reg(std::uint32_t space, std::uint32_t address) const
{
    auto it = registers.find({space, address});
    return it == registers.end() ? 0 : it->second;
}

AdapterState DefaultAdapterState(const std::string& netCfgInstanceId)
{
    AdapterState s;
    s.setBytes(oid::DriverVersion, std::string("\x01\x05", 2)); // 5.1
    // A locally administered address, the same for the same adapter on every machine.
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : netCfgInstanceId)
        hash = (hash ^ static_cast<unsigned char>(std::toupper(c))) * 16777619u;
    std::string mac = {'\x02',
                       '\xFA',
                       '\x11',
                       static_cast<char>(hash >> 16),
                       static_cast<char>(hash >> 8),
                       static_cast<char>(hash)};
    s.setBytes(oid::AdapterMac, mac);
    s.setBytes(0x0D010203, le32(3) + le32(1) + le32(3) + le32(2) + le32(0));
    s.setU32(oid::Rssi, static_cast<std::uint32_t>(-55));
    s.setU32(0x0D010209, 2346);
    s.setU32(0x0D01020A, 2347);
    s.setBytes(oid::Configuration,
               le32(0) + le32(100) + le32(0) + le32(2437000) + std::string(16, '\0'));
    s.setBytes(oid::OperationMode, le32(0) + le32(1));
    s.setU32(oid::Statistics, 200, 0);
    s.setU64(oid::Statistics, 0, 192);
    s.setU32(oid::WirelessMode, 5);
    s.setU32(oid::RegionWord, 0x0700); // 2.4 GHz region 0, 5 GHz region 7
    s.setBytes(oid::EepromVersion, std::string("\x01\x02\0\0", 4));
    s.setBytes(oid::FirmwareVersion, std::string("\x05\x01\0\0", 4));
    s.setU32(oid::Channel, 6);
    s.setU32(0x0D710118, 6);
    s.setU32(oid::TxPower, 100);
    s.setBytes(oid::LinkRecord, le32(108) + le32(0) + le32(0) + le32(0) + le32(6));
    s.setU32(0xFF0C000A, 48); // -95 dBm
    s.setU32(0xFF0C0022, static_cast<std::uint32_t>(-200));
    s.setU32(0xFF0C0023, 44);
    s.setU32(0xFF0C0024, 44);
    s.setU32(oid::StartMarker, 0);
    // The access point's own defaults: short slot time, a 300-second idle time-out, group keys
    // renewed every 60 units of 10 seconds.
    s.setBytes(0x0D71010F, std::string(32, '\0'));
    s.setU32(0x0D71010F, 1, 20);
    s.setU32(0x0D71010F, 300, 24); // a u16 at 24: the bytes after it stay 0
    s.setBytes(0x0D710114, le32(0) + le32(60));
    s.registers[{kEeprom, kEepromRadioOptions}] = 0x0000;
    return s;
}

std::string FormatAdapterState(const AdapterState& s)
{
    std::ostringstream out;
    out << "# Radio and link of one adapter.\n";
    out << "radioOn=" << s.radioOn << "\nassociated=" << s.associated
        << "\nassociateAny=" << s.associateAny << "\napStarted=" << s.apStarted << "\n";
    if (s.trafficKnown)
        out << "trafficAt=" << s.trafficAt << "\n";
    for (const auto& [key, data] : s.values)
        out << "value " << hex8(key) << " " << (data.empty() ? "-" : toHex(data)) << "\n";
    for (const auto& [where, value] : s.registers)
        // The space in hex, as it is read back (0 to 3 read the same either way).
        out << "reg " << std::hex << where.first << std::dec << " " << hex8(where.second) << " "
            << hex8(value) << "\n";
    for (const auto& [index, data] : s.keys)
        out << "key " << hex8(index) << " " << (data.empty() ? "-" : toHex(data)) << "\n";
    for (const auto& e : s.events)
        out << "event " << toHex(e) << "\n";
    for (const auto& st : s.apStations)
        out << "apstation " << toHex(std::string(st.mac.begin(), st.mac.end())) << " "
            << unsigned(st.aid) << " " << st.powerSave << "\n";
    return out.str();
}

AdapterState ParseAdapterState(const std::string& text)
{
    AdapterState s;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream fields(line);
        std::string word, a, b, c;
        fields >> word >> a >> b >> c;
        std::uint32_t n1 = 0, n2 = 0, n3 = 0;
        std::string data;
        if (word == "value" && parseNumber(a, n1) && fromHex(b, data))
            s.values[n1] = data;
        else if (word == "reg" && parseNumber(a, n1) && parseNumber(b, n2) && parseNumber(c, n3))
            s.registers[{n1, n2}] = n3;
        else if (word == "key" && parseNumber(a, n1) && fromHex(b, data))
            s.keys[n1] = data;
        else if (word == "event" && fromHex(a, data))
            s.events.push_back(data);
        else if (word == "apstation" && fromHex(a, data) && data.size() == 6)
        {
            ApStation st;
            std::copy(data.begin(), data.end(), st.mac.begin());
            st.aid = static_cast<std::uint8_t>(std::strtoul(b.c_str(), nullptr, 10));
            st.powerSave = c == "1";
            s.apStations.push_back(st);
        }
        else if (auto eq = line.find('='); eq != std::string::npos)
        {
            std::string name = line.substr(0, eq);
            if (name == "trafficAt")
            {
                s.trafficAt = std::strtoull(line.c_str() + eq + 1, nullptr, 10);
                s.trafficKnown = true;
                continue;
            }
            bool on = line.substr(eq + 1) == "1";
            if (name == "radioOn")
                s.radioOn = on;
            else if (name == "associated")
                s.associated = on;
            else if (name == "associateAny")
                s.associateAny = on;
            else if (name == "apStarted")
                s.apStarted = on;
        }
    }
    return s;
}

std::filesystem::path AdapterDirectory(const Machine& machine, const std::string& netCfgInstanceId)
{
    std::string name;
    for (unsigned char c : netCfgInstanceId)
        name += std::isalnum(c) || c == '{' || c == '}' || c == '-'
                    ? static_cast<char>(std::toupper(c))
                    : '_';
    return machine.root() / "miniport" / name;
}

const std::filesystem::path& AdapterFile(const Machine& machine,
                                         const std::string& netCfgInstanceId, const char* name)
{
    struct Made
    {
        std::string root, id, name;
        std::filesystem::path path;
    };
    // A deque: a path handed out stays where it is while others are made.
    thread_local std::deque<Made> made;
    // The latest first: a request asks for the same few files again and again.
    for (auto m = made.rbegin(); m != made.rend(); ++m)
        if (m->name == name && m->id == netCfgInstanceId && m->root == machine.root().native())
            return m->path;
    if (made.size() >= 16)
        made.pop_front();
    made.push_back({machine.root().native(), netCfgInstanceId, name,
                    AdapterDirectory(machine, netCfgInstanceId) / name});
    return made.back().path;
}

namespace
{

// The parse of each adapter's file, kept while the file stays the same.
ParsedFile<AdapterState>& keptStates()
{
    static ParsedFile<AdapterState> kept;
    return kept;
}

std::optional<AdapterState> storedState(const Machine& machine, const std::string& id)
{
    return keptStates().loadText(AdapterFile(machine, id, "state.txt"),
                                 [](const std::string& text) { return ParseAdapterState(text); });
}

} // namespace

std::shared_ptr<const AdapterState> ShareAdapterState(const Machine& machine,
                                                      const std::string& netCfgInstanceId)
{
    // No lock: the file is replaced whole; a change reads it again under the lock.
    auto stored =
        keptStates().shareText(AdapterFile(machine, netCfgInstanceId, "state.txt"),
                               [](const std::string& text) { return ParseAdapterState(text); });
    if (stored)
        return stored;
    // Made once for each adapter and thread: a new adapter answers every query from these.
    thread_local std::pair<std::string, std::shared_ptr<const AdapterState>> defaults;
    if (defaults.first != netCfgInstanceId || !defaults.second)
        defaults = {netCfgInstanceId,
                    std::make_shared<const AdapterState>(DefaultAdapterState(netCfgInstanceId))};
    return defaults.second;
}

AdapterState LoadAdapterState(const Machine& machine, const std::string& netCfgInstanceId)
{
    AdapterState state = *ShareAdapterState(machine, netCfgInstanceId);
    CatchUpTraffic(state, MachineNow());
    return state;
}

bool SaveAdapterState(const Machine& machine, const std::string& netCfgInstanceId,
                      const AdapterState& state)
{
    MachineLock lock(machine);
    if (auto stored = storedState(machine, netCfgInstanceId))
    {
        CatchUpTraffic(*stored, MachineNow());
        if (*stored == state)
            return true;
    }
    std::filesystem::path dir = AdapterDirectory(machine, netCfgInstanceId);
    std::error_code ec;
    machine::CreateFolders(dir, ec);
    // Keys are kept here: owner only.
    return WriteFileAtomically(dir / "state.txt", FormatAdapterState(state));
}

bool ChangeAdapterState(const Machine& machine, const std::string& netCfgInstanceId,
                        const std::function<void(AdapterState&)>& change)
{
    MachineLock lock(machine);
    AdapterState state = LoadAdapterState(machine, netCfgInstanceId);
    const AdapterState before = state;
    change(state);
    if (state == before)
        return true;
    return SaveAdapterState(machine, netCfgInstanceId, state);
}

int AntennaCount(const AdapterState& state)
{
    std::uint32_t n = state.u32(kAntennas);
    return n == 0 ? 3 : static_cast<int>(std::min<std::uint32_t>(n, 3));
}

void PinAnswer(AdapterState& state, std::uint32_t code, std::string answer)
{
    state.setBytes(code, std::move(answer));
    if (!IsPinned(state, code))
        state.values[kPinnedAnswers] += le32(code);
}

bool IsPinned(const AdapterState& state, std::uint32_t code)
{
    auto it = state.values.find(kPinnedAnswers);
    if (it == state.values.end())
        return false;
    for (std::size_t at = 0; at + 4 <= it->second.size(); at += 4)
        if (it->second.compare(at, 4, le32(code)) == 0)
            return true;
    return false;
}

void UnpinAnswer(AdapterState& state, std::uint32_t code)
{
    auto it = state.values.find(kPinnedAnswers);
    if (it == state.values.end())
        return;
    for (std::size_t at = 0; at + 4 <= it->second.size(); at += 4)
        if (it->second.compare(at, 4, le32(code)) == 0)
        {
            it->second.erase(at, 4);
            state.values.erase(code);
            return;
        }
}

std::uint32_t OperationMode(const AdapterState& state)
{
    return state.u32(oid::OperationMode, 4);
}

void SetOperationMode(AdapterState& state, std::uint32_t mode)
{
    state.setU32(oid::OperationMode, 0, 0);
    state.setU32(oid::OperationMode, mode, 4);
}

std::string AssociatedSsid(const AdapterState& state)
{
    std::string record = state.bytes(oid::Ssid, 36);
    std::uint32_t length = std::min<std::uint32_t>(state.u32(oid::Ssid), 32);
    return record.substr(4, length);
}

void SetAssociation(AdapterState& state, const std::string& ssid, const std::string& bssid)
{
    std::string record = le32(static_cast<std::uint32_t>(std::min<std::size_t>(ssid.size(), 32))) +
                         ssid.substr(0, 32);
    record.resize(36, '\0');
    state.setBytes(oid::Ssid, record);
    std::string b = bssid.substr(0, 6);
    b.resize(6, '\0');
    state.setBytes(oid::Bssid, b);
    state.associated = !ssid.empty();
    state.associateAny = false;
}

std::string AdapterMacAddress(const AdapterState& state)
{
    return state.bytes(oid::AdapterMac, 6);
}

void AdvanceCounters(AdapterState& state, std::uint64_t frames, std::uint32_t frameBytes)
{
    // Transmitted fragments (8), multicast tx (16), failed (24), retries (32), multiple
    // retries (40), RTS success (48) and failure (56), ACK failures (64), duplicates (72),
    // received fragments (80), multicast rx (88), FCS errors (96): the busy ones grow with the
    // traffic, the error counters by a small share of it.
    const std::pair<std::size_t, std::uint64_t> grow[] = {
        {8, frames},         {16, frames / 8},   {24, frames / 64},  {32, frames / 16},
        {40, frames / 32},   {48, frames / 128}, {56, frames / 512}, {64, frames / 256},
        {72, frames / 1000}, {80, frames},       {88, frames / 8},   {96, frames / 100},
    };
    for (const auto& [offset, by] : grow)
        state.setU64(oid::Statistics, state.u64(oid::Statistics, offset) + by, offset);
    state.setU32(oid::FramesReceived,
                 state.u32(oid::FramesReceived) + static_cast<std::uint32_t>(frames));
    std::uint32_t bytes = static_cast<std::uint32_t>(frames * frameBytes);
    state.setU32(oid::LinkRecord, state.u32(oid::LinkRecord, 8) + bytes, 8);
    state.setU32(oid::LinkRecord, state.u32(oid::LinkRecord, 12) + bytes, 12);
}

bool GrowsWithTraffic(std::uint32_t key)
{
    return key == oid::Statistics || key == oid::FramesReceived || key == oid::LinkRecord;
}

bool CatchUpTraffic(AdapterState& state, std::uint64_t now)
{
    const bool accessPoint = OperationMode(state) == 2;
    const std::uint64_t links =
        accessPoint ? (state.apStarted ? state.apStations.size() : 0) : (state.associated ? 1 : 0);
    if (links == 0 || !state.radioOn || !state.trafficKnown || now < state.trafficAt)
    {
        // No traffic until now (or a clock that went back: another process's, a reboot).
        bool changed = !state.trafficKnown || state.trafficAt != now;
        state.trafficKnown = true;
        state.trafficAt = now;
        return changed;
    }
    std::uint64_t frames = (now - state.trafficAt) * kFramesPerSecond / 1000;
    if (frames == 0)
        return false;
    AdvanceCounters(state, frames * links);
    state.trafficAt += frames * 1000 / kFramesPerSecond;
    return true;
}

void ResetCounters(AdapterState& state)
{
    std::string stats = state.bytes(oid::Statistics, 200);
    std::fill(stats.begin() + 8, stats.end(), '\0');
    state.setBytes(oid::Statistics, stats);
    state.setU32(oid::FramesReceived, 0);
    state.setU32(oid::ReceiveNoBuffer, 0);
    state.setU32(oid::LinkRecord, 0, 8);
    state.setU32(oid::LinkRecord, 0, 12);
}

void QueueApEvent(AdapterState& state, std::uint64_t fileTime, const std::string& mac,
                  std::uint16_t code)
{
    std::string record = le32(static_cast<std::uint32_t>(fileTime)) +
                         le32(static_cast<std::uint32_t>(fileTime >> 32)) + mac.substr(0, 6);
    record.resize(14, '\0');
    record += static_cast<char>(code & 0xFF);
    record += static_cast<char>(code >> 8);
    state.events.push_back(record);
}

} // namespace machine::miniport
