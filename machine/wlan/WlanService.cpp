#include "machine/wlan/WlanService.h"

#include "machine/ErrorCodes.h"
#include "machine/FileStore.h"
#include "machine/MachineClock.h"
#include "machine/MachineLock.h"
#include "machine/SystemInfo.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/OidTable.h"
#include "machine/radio/RadioStore.h"
#include "machine/wlan/NetworkSecurity.h"
#include "machine/wlan/ProfileXml.h"
#include "machine/wlan/WlanCodes.h"
#include "machine/wlan/WlanControl.h"

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>

namespace machine::wlan
{
namespace
{

constexpr std::size_t kJournalLimit = 256;
// WEP with the wrong key: frames that fail their ICV check, per second of link.
constexpr std::uint64_t kIcvErrorsPerSecond = 5;

struct PendingConnect
{
    std::uint64_t due = 0;
    bool succeeds = false;
    bool wrongWepKey = false;
    Connection connection;
};

struct Iface
{
    std::vector<std::uint32_t> phyTypes; // empty: chosen from the chip
    std::vector<PhyRadio> radio;
    std::optional<Connection> connection;
    std::optional<PendingConnect> pending;
    bool wrongWepKey = false;
    std::uint64_t icvSince = 0;
};

struct Fault
{
    std::uint32_t error = 0;
    int times = -1;
};

struct State
{
    bool running = true;
    std::uint64_t scanDelay = 1500;
    std::uint64_t connectDelay = 500;
    std::map<std::string, Fault> faults;
    std::map<std::string, std::string> secrets;
    std::map<std::string, Iface> ifaces;
    // (guid, user, name) -> xml
    std::map<std::tuple<std::string, bool, std::string>, std::string> profiles;
    std::vector<Notification> journal;
    std::uint64_t nextSeq = 1;
    // The interfaces the service last saw present, to tell arrivals and removals.
    bool presentKnown = false;
    std::vector<std::string> present;
};

std::string Hex(const std::string& s)
{
    return radio::ToHex(std::vector<std::uint8_t>(s.begin(), s.end()));
}

std::string Unhex(const std::string& s)
{
    auto bytes = radio::FromHex(s);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::filesystem::path Dir(const Machine& m)
{
    return m.root() / "wlan";
}

std::string FormatConnection(const Connection& c)
{
    std::ostringstream o;
    o << c.mode << ' ' << (c.profileName.empty() ? "-" : Hex(c.profileName)) << ' '
      << (c.ssid.empty() ? "-" : Hex(c.ssid)) << ' ' << c.bssType << ' '
      << radio::FormatBssid(c.bssid) << ' ' << c.phyType << ' ' << c.phyIndex << ' ' << c.quality
      << ' ' << c.rateKbps << ' ' << c.rssi << ' ' << c.security.enabled << ' ' << c.security.oneX
      << ' ' << c.security.auth << ' ' << c.security.cipher;
    return o.str();
}

std::optional<Connection> ParseConnection(std::istringstream& in)
{
    Connection c;
    std::string name, ssid, bssid;
    in >> c.mode >> name >> ssid >> c.bssType >> bssid >> c.phyType >> c.phyIndex >> c.quality >>
        c.rateKbps >> c.rssi >> c.security.enabled >> c.security.oneX >> c.security.auth >>
        c.security.cipher;
    if (!in)
        return std::nullopt;
    c.profileName = name == "-" ? "" : Unhex(name);
    c.ssid = ssid == "-" ? "" : Unhex(ssid);
    c.bssid = radio::ParseBssid(bssid).value_or(radio::Bssid{});
    return c;
}

std::string FormatState(const State& s)
{
    std::ostringstream o;
    o << "running " << s.running << "\nscan-delay " << s.scanDelay << "\nconnect-delay "
      << s.connectDelay << "\nnext-seq " << s.nextSeq << '\n';
    if (s.presentKnown)
    {
        o << "present";
        for (const auto& guid : s.present)
            o << ' ' << guid;
        o << '\n';
    }
    for (const auto& [call, f] : s.faults)
        o << "fault " << Hex(call) << ' ' << f.error << ' ' << f.times << '\n';
    for (const auto& [key, value] : s.secrets)
        o << "secret " << Hex(key) << ' ' << (value.empty() ? "-" : Hex(value)) << '\n';
    for (const auto& [guid, i] : s.ifaces)
    {
        o << "iface " << guid << ' ' << i.wrongWepKey << ' ' << i.icvSince << " phys";
        for (auto p : i.phyTypes)
            o << ' ' << p;
        o << '\n';
        for (std::size_t k = 0; k < i.radio.size(); ++k)
            o << "radio " << guid << ' ' << k << ' ' << i.radio[k].software << ' '
              << i.radio[k].hardware << '\n';
        if (i.connection)
            o << "connection " << guid << ' ' << FormatConnection(*i.connection) << '\n';
        if (i.pending)
            o << "pending " << guid << ' ' << i.pending->due << ' ' << i.pending->succeeds << ' '
              << i.pending->wrongWepKey << ' ' << FormatConnection(i.pending->connection) << '\n';
    }
    for (const auto& [key, xml] : s.profiles)
        o << "profile " << std::get<0>(key) << ' ' << std::get<1>(key) << ' '
          << Hex(std::get<2>(key)) << ' ' << (xml.empty() ? "-" : Hex(xml)) << '\n';
    for (const auto& n : s.journal)
    {
        std::string data(n.data.begin(), n.data.end());
        o << "note " << n.seq << ' ' << n.due << ' ' << n.source << ' ' << n.code << ' '
          << (n.guid.empty() ? "-" : n.guid) << ' ' << (data.empty() ? "-" : Hex(data)) << '\n';
    }
    return o.str();
}

State ParseState(const std::string& text)
{
    State s;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
    {
        std::istringstream in(line);
        std::string kind;
        in >> kind;
        if (kind == "running")
            in >> s.running;
        else if (kind == "scan-delay")
            in >> s.scanDelay;
        else if (kind == "connect-delay")
            in >> s.connectDelay;
        else if (kind == "next-seq")
            in >> s.nextSeq;
        else if (kind == "present")
        {
            s.presentKnown = true;
            std::string guid;
            while (in >> guid)
                s.present.push_back(guid);
        }
        else if (kind == "fault")
        {
            std::string call;
            Fault f;
            if (in >> call >> f.error >> f.times)
                s.faults[Unhex(call)] = f;
        }
        else if (kind == "secret")
        {
            std::string key, value;
            if (in >> key >> value)
                s.secrets[Unhex(key)] = value == "-" ? "" : Unhex(value);
        }
        else if (kind == "iface")
        {
            std::string guid, word;
            Iface i;
            in >> guid >> i.wrongWepKey >> i.icvSince >> word;
            std::uint32_t p;
            while (in >> p)
                i.phyTypes.push_back(p);
            s.ifaces[guid] = i;
        }
        else if (kind == "radio")
        {
            std::string guid;
            std::size_t k = 0;
            PhyRadio r;
            if (in >> guid >> k >> r.software >> r.hardware && k < 64)
            {
                auto& radio = s.ifaces[guid].radio;
                if (radio.size() <= k)
                    radio.resize(k + 1);
                radio[k] = r;
            }
        }
        else if (kind == "connection")
        {
            std::string guid;
            in >> guid;
            if (auto c = ParseConnection(in))
                s.ifaces[guid].connection = *c;
        }
        else if (kind == "pending")
        {
            std::string guid;
            PendingConnect p;
            in >> guid >> p.due >> p.succeeds >> p.wrongWepKey;
            if (auto c = ParseConnection(in))
            {
                p.connection = *c;
                s.ifaces[guid].pending = p;
            }
        }
        else if (kind == "profile")
        {
            std::string guid, name, xml;
            bool user = false;
            if (in >> guid >> user >> name >> xml)
                s.profiles[{guid, user, Unhex(name)}] = xml == "-" ? "" : Unhex(xml);
        }
        else if (kind == "note")
        {
            Notification n;
            std::string guid, data;
            if (in >> n.seq >> n.due >> n.source >> n.code >> guid >> data)
            {
                n.guid = guid == "-" ? "" : guid;
                std::string bytes = data == "-" ? "" : Unhex(data);
                n.data.assign(bytes.begin(), bytes.end());
                s.journal.push_back(n);
            }
        }
    }
    return s;
}

State Load(const Machine& m)
{
    auto text = ReadWholeFile(Dir(m) / "state.txt");
    return text ? ParseState(*text) : State{};
}

void Save(const Machine& m, const State& s)
{
    std::filesystem::create_directories(Dir(m));
    WriteFileAtomically(Dir(m) / "state.txt", FormatState(s));
}

// The wireless adapters: Tessaryn chips in the device tree, present.
std::vector<devices::NetDevice> WirelessDevices(const Machine& m)
{
    std::vector<devices::NetDevice> list;
    for (auto& d : devices::ListDevices(m))
        if (d.present && d.chipType >= 0)
            list.push_back(d);
    return list;
}

std::vector<std::uint32_t> DefaultPhys(const devices::NetDevice& d)
{
    // The dual-band chips (models 5 and up) add the 5 GHz PHY.
    if (d.chipType >= 5)
        return {radio::kPhyOfdm, radio::kPhyHrDsss, radio::kPhyErp, radio::kPhyHt};
    return {radio::kPhyHrDsss, radio::kPhyErp};
}

Iface& IfaceOf(State& s, const devices::NetDevice& d)
{
    Iface& i = s.ifaces[Upper(d.netCfgInstanceId)];
    if (i.phyTypes.empty())
        i.phyTypes = DefaultPhys(d);
    if (i.radio.size() < i.phyTypes.size())
        i.radio.resize(i.phyTypes.size());
    return i;
}

std::optional<devices::NetDevice> DeviceOf(const Machine& m, const std::string& guid)
{
    for (auto& d : WirelessDevices(m))
        if (Upper(d.netCfgInstanceId) == Upper(guid))
            return d;
    return std::nullopt;
}

void Append(State& s, std::uint64_t due, std::uint32_t source, std::uint32_t code,
            const std::string& guid, std::vector<std::uint8_t> data = {})
{
    Notification n{s.nextSeq++, due, source, code, Upper(guid), std::move(data)};
    s.journal.push_back(std::move(n));
    if (s.journal.size() > kJournalLimit)
        s.journal.erase(s.journal.begin(),
                        s.journal.begin() + static_cast<long>(s.journal.size() - kJournalLimit));
}

std::vector<std::uint8_t> Le32(std::uint32_t value)
{
    std::vector<std::uint8_t> out(4);
    for (std::size_t k = 0; k < 4; ++k)
        out[k] = static_cast<std::uint8_t>(value >> (8 * k));
    return out;
}

// The PHY radio record of a radio_state_change: index, software state, hardware state.
std::vector<std::uint8_t> RadioRecord(std::uint32_t index, std::uint32_t sw, std::uint32_t hw)
{
    std::vector<std::uint8_t> out = Le32(index);
    for (std::uint32_t word : {sw, hw})
    {
        auto bytes = Le32(word);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

// The adapter model's radio is on while every PHY is on in software and hardware.
void SyncAdapterRadio(const Machine& m, const std::string& guid, const Iface& i)
{
    bool on = std::all_of(i.radio.begin(), i.radio.end(),
                          [](const PhyRadio& r)
                          { return r.software == kRadioOn && r.hardware == kRadioOn; });
    miniport::ChangeAdapterState(m, guid,
                                 [&](miniport::AdapterState& a)
                                 {
                                     a.radioOn = on;
                                     if (!on)
                                         a.associated = false;
                                 });
}

bool RadioOn(const Iface& i)
{
    return !i.radio.empty() &&
           std::all_of(i.radio.begin(), i.radio.end(),
                       [](const PhyRadio& r)
                       { return r.software == kRadioOn && r.hardware == kRadioOn; });
}

void LinkDown(const Machine& m, State& s, const std::string& guid, Iface& i, std::uint64_t now)
{
    bool was = i.connection.has_value() || i.pending.has_value();
    i.connection.reset();
    i.pending.reset();
    i.wrongWepKey = false;
    miniport::ChangeAdapterState(m, guid, [](miniport::AdapterState& a) { a.associated = false; });
    if (was)
        Append(s, now, kSourceAcm, kAcmDisconnected, guid);
}

// Compares the adapters present now with the last look: ACM interface_arrival for a new one,
// interface_removal (after its link went down) for one gone. The first look only records.
void NoteInterfaces(const Machine& m, State& s, const std::vector<devices::NetDevice>& list,
                    std::uint64_t now)
{
    std::vector<std::string> present;
    for (const auto& d : list)
        present.push_back(Upper(d.netCfgInstanceId));
    if (s.presentKnown)
    {
        for (const auto& guid : present)
            if (std::find(s.present.begin(), s.present.end(), guid) == s.present.end())
                Append(s, now, kSourceAcm, kAcmInterfaceArrival, guid);
        for (const auto& guid : s.present)
            if (std::find(present.begin(), present.end(), guid) == present.end())
            {
                if (auto it = s.ifaces.find(guid); it != s.ifaces.end())
                    LinkDown(m, s, guid, it->second, now);
                Append(s, now, kSourceAcm, kAcmInterfaceRemoval, guid);
            }
    }
    s.presentKnown = true;
    s.present = std::move(present);
}

// Applies connects that have fallen due.
void PumpState(const Machine& m, State& s, std::uint64_t now)
{
    for (auto& [guid, i] : s.ifaces)
    {
        if (!i.pending || i.pending->due > now)
            continue;
        PendingConnect p = *i.pending;
        i.pending.reset();
        if (!p.succeeds)
            continue; // its notifications were journalled with the request
        i.connection = p.connection;
        i.wrongWepKey = p.wrongWepKey;
        i.icvSince = p.due;
        std::string ssid = p.connection.ssid;
        std::string bssid(p.connection.bssid.begin(), p.connection.bssid.end());
        miniport::ChangeAdapterState(m, guid,
                                     [&](miniport::AdapterState& a)
                                     {
                                         miniport::CatchUpTraffic(a, p.due);
                                         miniport::SetAssociation(a, ssid, bssid);
                                         a.associated = true;
                                     });
    }
}

// Reads and changes the service's state under the machine lock, with what is due applied.
template <class F> auto WithState(const Machine& m, F&& f)
{
    MachineLock lock(m);
    State s = Load(m);
    std::string before = FormatState(s);
    PumpState(m, s, MachineNow());
    auto result = f(s);
    if (FormatState(s) != before)
        Save(m, s);
    return result;
}

// Where a connect request leads: the SSID and BSS type it looks for, and the profile it uses
// (for a discovery connect an open one, with no key).
struct ConnectTarget
{
    std::string ssid;
    std::uint32_t bssType = radio::kInfrastructure;
    ProfileDocument profile;
};

// The outcome a connect is to have once its delay is over.
struct Admission
{
    bool succeeds = false;
    bool wrongWepKey = false;
    std::uint32_t auth = kAuthOpen; // as the link will report it
    std::uint32_t cipher = kCipherNone;
};

const std::string* FindProfile(const State& s, const std::string& guid, const std::string& name)
{
    for (bool user : {true, false})
        if (auto it = s.profiles.find({Upper(guid), user, name}); it != s.profiles.end())
            return &it->second;
    return nullptr;
}

// A profile connect takes its stored profile (a per-user one first), a discovery connect the
// SSID it names; kErrorNotFound for a profile that is not there or does not read,
// kErrorInvalidParameter for a request of neither kind.
std::uint32_t FindTarget(const State& s, const std::string& guid, const ConnectRequest& r,
                         ConnectTarget& target)
{
    target.bssType = r.bssType;
    if (r.mode == kModeProfile)
    {
        const std::string* xml = FindProfile(s, guid, r.profileName);
        if (!xml || CheckProfile(*xml, target.profile) != 0)
            return kErrorNotFound;
        target.ssid = target.profile.ssid;
        if (target.profile.connectionType == "IBSS")
            target.bssType = radio::kIndependent;
        return 0;
    }
    if (r.mode != kModeDiscoverySecure && r.mode != kModeDiscoveryUnsecure)
        return kErrorInvalidParameter;
    if (!r.ssid)
        return kErrorInvalidParameter;
    target.ssid = *r.ssid;
    return 0;
}

// The strongest network in range with the target's SSID and BSS type, of the BSSIDs asked for
// when there are any; null when there is none.
const radio::Network* PickNetwork(const std::vector<radio::Network>& networks,
                                  const ConnectTarget& target,
                                  const std::vector<radio::Bssid>& bssids)
{
    const radio::Network* best = nullptr;
    for (const auto& n : networks)
    {
        if (n.ssid != target.ssid || (target.bssType != kBssTypeAny && n.bssType != target.bssType))
            continue;
        if (!bssids.empty() && std::find(bssids.begin(), bssids.end(), n.bssid) == bssids.end())
            continue;
        if (!best || n.rssi > best->rssi)
            best = &n;
    }
    return best;
}

// The key the network accepts: a BSSID entry, an SSID entry, the key of a network a new machine
// has in range, else "password".
std::string NetworkKey(const State& s, const radio::Network& n)
{
    if (auto it = s.secrets.find(radio::FormatBssid(n.bssid)); it != s.secrets.end())
        return it->second;
    if (auto it = s.secrets.find(n.ssid); it != s.secrets.end())
        return it->second;
    static const std::map<std::string, std::string> defaults = {
        {"Lantern WEP", "lantern1234"},     {"Millbrook TKIP", "millbrook-pass"},
        {"Orchard AES", "orchard-secret"},  {"Cobalt Mixed", "cobalt-mixed"},
        {"Nimbus Eleven", "nimbus-eleven"},
    };
    auto it = defaults.find(n.ssid);
    return it != defaults.end() ? it->second : std::string("password");
}

// A profile connect succeeds when the network offers the profile's security and, for WPA and
// WPA2 with a pre-shared key, the profile holds the network's key; WEP with a wrong key still
// links, its frames then fail. A secure discovery connect takes any network, an unsecure one
// only an open one, with the security the network offers.
Admission CheckSecurity(const State& s, const radio::Network* network, const ConnectTarget& target,
                        std::uint32_t mode)
{
    Admission a;
    a.auth = target.profile.authAlgorithm;
    a.cipher = target.profile.cipherAlgorithm;
    if (!network)
        return a;
    if (mode != kModeProfile)
    {
        const Security offered = NetworkSecurity(*network);
        a.auth = offered.auth;
        a.cipher = offered.cipher;
        a.succeeds = mode == kModeDiscoverySecure || !offered.enabled;
        return a;
    }
    if (!OffersSecurity(*network, a.auth, a.cipher))
        return a;
    const ProfileDocument& p = target.profile;
    const bool keyed = a.auth != kAuthOpen && a.auth != kAuthSharedKey;
    a.succeeds = !keyed || p.oneX || p.keyMaterial == NetworkKey(s, *network);
    a.wrongWepKey = a.cipher == kCipherWep && p.keyMaterial != NetworkKey(s, *network);
    return a;
}

std::uint32_t RateKbpsOf(std::uint32_t phyType)
{
    if (phyType == radio::kPhyHrDsss)
        return 11000;
    return phyType == radio::kPhyHt ? 130000 : 54000;
}

// The link the interface will have with the network.
Connection LinkTo(const radio::Network& n, const Iface& i, const ConnectRequest& r,
                  const ConnectTarget& target, const Admission& a)
{
    Connection c;
    c.mode = r.mode;
    c.profileName = r.mode == kModeProfile ? r.profileName : std::string();
    c.ssid = n.ssid;
    c.bssType = n.bssType;
    c.bssid = n.bssid;
    c.phyType = n.phyType;
    auto phy = std::find(i.phyTypes.begin(), i.phyTypes.end(), n.phyType);
    c.phyIndex = phy == i.phyTypes.end() ? 0 : static_cast<std::uint32_t>(phy - i.phyTypes.begin());
    c.quality = n.linkQuality;
    c.rssi = n.rssi;
    c.rateKbps = RateKbpsOf(n.phyType);
    c.security.enabled = (n.capability & radio::kCapPrivacy) != 0;
    c.security.oneX = target.profile.oneX;
    c.security.auth = a.auth;
    c.security.cipher = a.cipher;
    return c;
}

// The notifications of the connect's outcome, due when it is.
void JournalOutcome(State& s, const std::string& guid, std::uint64_t due, bool succeeds)
{
    if (succeeds)
    {
        Append(s, due, kSourceAcm, kAcmConnectionComplete, guid);
        return;
    }
    Append(s, due, kSourceAcm, kAcmConnectionAttemptFail, guid);
    Append(s, due, kSourceAcm, kAcmDisconnected, guid);
}

// Starts a connect: the link there was goes down, connection_start now, and the outcome follows
// after the service's connect delay. A request that cannot start changes nothing.
std::uint32_t StartConnect(const Machine& m, State& s, const devices::NetDevice& d,
                           const std::string& guid, const ConnectRequest& r,
                           const std::vector<radio::Network>& networks)
{
    Iface& i = IfaceOf(s, d);
    if (!RadioOn(i))
        return kErrorDot11PowerStateInvalid;
    ConnectTarget target;
    if (std::uint32_t error = FindTarget(s, guid, r, target))
        return error;
    const radio::Network* network = PickNetwork(networks, target, r.bssids);
    const std::uint64_t now = MachineNow();
    if (i.connection || i.pending)
        LinkDown(m, s, guid, i, now);
    Append(s, now, kSourceAcm, kAcmConnectionStart, guid);
    const Admission a = CheckSecurity(s, network, target, r.mode);
    PendingConnect p;
    p.due = now + s.connectDelay;
    p.succeeds = a.succeeds;
    p.wrongWepKey = a.wrongWepKey;
    if (network)
        p.connection = LinkTo(*network, i, r, target, a);
    i.pending = p;
    JournalOutcome(s, guid, p.due, p.succeeds);
    return 0;
}

} // namespace

void Log(const Machine& m, const std::string& line)
{
    MachineLock lock(m);
    std::filesystem::create_directories(Dir(m));
    std::string text = ReadWholeFile(Dir(m) / "log.txt").value_or("");
    text += std::to_string(MachineNow()) + " " + line + "\n";
    // Bounded: the older half goes once it grows past a megabyte.
    if (text.size() > (1u << 20))
        text.erase(0, text.find('\n', text.size() / 2) + 1);
    WriteFileAtomically(Dir(m) / "log.txt", text, FileAccess::OwnerOnly);
}

std::uint32_t BeginCall(const Machine& m, const std::string& call, const std::string& detail)
{
    std::uint32_t error = WithState(m,
                                    [&](State& s) -> std::uint32_t
                                    {
                                        if (!s.running)
                                            return kErrorServiceNotActive;
                                        auto it = s.faults.find(call);
                                        if (it == s.faults.end())
                                            return 0;
                                        std::uint32_t e = it->second.error;
                                        if (it->second.times > 0 && --it->second.times == 0)
                                            s.faults.erase(it);
                                        return e;
                                    });
    Log(m, call + (detail.empty() ? "" : " " + detail) +
               (error ? " -> error " + std::to_string(error) : ""));
    return error;
}

std::vector<InterfaceInfo> ListInterfaces(const Machine& m)
{
    auto devicesList = WirelessDevices(m);
    return WithState(m,
                     [&](State& s)
                     {
                         NoteInterfaces(m, s, devicesList, MachineNow());
                         std::vector<InterfaceInfo> out;
                         for (auto& d : devicesList)
                         {
                             Iface& i = IfaceOf(s, d);
                             InterfaceInfo info;
                             info.guid = d.netCfgInstanceId;
                             info.description =
                                 d.friendlyName.empty() ? d.deviceDesc : d.friendlyName;
                             info.state = i.connection ? kInterfaceConnected
                                          : i.pending  ? kInterfaceAssociating
                                                       : kInterfaceDisconnected;
                             info.phyTypes = i.phyTypes;
                             out.push_back(info);
                         }
                         return out;
                     });
}

bool HasInterface(const Machine& m, const std::string& guid)
{
    return DeviceOf(m, guid).has_value();
}

std::uint32_t StartScan(const Machine& m, const std::string& guid)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return kErrorNotFound;
    std::uint32_t result =
        WithState(m,
                  [&](State& s) -> std::uint32_t
                  {
                      Iface& i = IfaceOf(s, *d);
                      if (!RadioOn(i))
                          return kErrorDot11PowerStateInvalid;
                      bool fails = false;
                      if (auto it = s.faults.find("scan"); it != s.faults.end())
                      {
                          fails = true;
                          if (it->second.times > 0 && --it->second.times == 0)
                              s.faults.erase(it);
                      }
                      std::vector<std::uint8_t> reason;
                      if (fails)
                          reason = Le32(kReasonScanFailure);
                      Append(s, MachineNow() + s.scanDelay, kSourceAcm,
                             fails ? kAcmScanFail : kAcmScanComplete, guid, reason);
                      return 0;
                  });
    Log(m, "scan " + guid + (result ? " refused " + std::to_string(result) : " queued"));
    return result;
}

std::vector<AvailableNetwork> AvailableNetworks(const Machine& m, const std::string& guid)
{
    auto networks = radio::LoadNetworks(m);
    auto d = DeviceOf(m, guid);
    if (!d)
        return {};
    return WithState(
        m,
        [&](State& s)
        {
            std::vector<AvailableNetwork> out;
            Iface& i = IfaceOf(s, *d);
            if (!RadioOn(i))
                return out;
            for (auto& n : networks)
            {
                bool sec = (n.capability & radio::kCapPrivacy) != 0;
                auto it = std::find_if(out.begin(), out.end(),
                                       [&](const AvailableNetwork& a) {
                                           return a.ssid == n.ssid && a.bssType == n.bssType &&
                                                  a.securityEnabled == sec;
                                       });
                if (it == out.end())
                {
                    AvailableNetwork a;
                    a.ssid = n.ssid;
                    a.bssType = n.bssType;
                    a.securityEnabled = sec;
                    a.security = NetworkSecurity(n);
                    out.push_back(a);
                    it = out.end() - 1;
                }
                it->bss.push_back(n);
                it->quality = std::max(it->quality, n.linkQuality);
            }
            for (auto& a : out)
            {
                for (bool user : {true, false})
                    if (a.profileName.empty() && s.profiles.count({Upper(guid), user, a.ssid}) != 0)
                        a.profileName = a.ssid;
                a.connected = i.connection && i.connection->ssid == a.ssid &&
                              i.connection->bssType == a.bssType;
            }
            return out;
        });
}

std::uint32_t SetProfile(const Machine& m, const std::string& guid, const std::string& xml,
                         bool user, bool overwrite, std::uint32_t& reason)
{
    Log(m, std::string("set profile ") + (user ? "user" : "all-users") + " " + guid + "\n" + xml);
    if (!HasInterface(m, guid))
        return kErrorNotFound;
    ProfileDocument doc;
    reason = CheckProfile(xml, doc);
    if (reason != 0)
        return kErrorBadProfile;
    return WithState(m,
                     [&](State& s) -> std::uint32_t
                     {
                         auto key = std::make_tuple(Upper(guid), user, doc.name);
                         if (!overwrite && s.profiles.count(key))
                             return kErrorAlreadyExists;
                         s.profiles[key] = xml;
                         return 0;
                     });
}

std::optional<Profile> GetProfile(const Machine& m, const std::string& guid,
                                  const std::string& name)
{
    return WithState(
        m,
        [&](State& s) -> std::optional<Profile>
        {
            for (bool user : {true, false})
                if (auto it = s.profiles.find({Upper(guid), user, name}); it != s.profiles.end())
                    return Profile{name, it->second, user};
            return std::nullopt;
        });
}

std::uint32_t DeleteProfile(const Machine& m, const std::string& guid, const std::string& name)
{
    return WithState(m,
                     [&](State& s) -> std::uint32_t
                     {
                         bool any = s.profiles.erase({Upper(guid), true, name}) +
                                    s.profiles.erase({Upper(guid), false, name});
                         return any ? 0 : kErrorNotFound;
                     });
}

std::vector<Profile> ListProfiles(const Machine& m, const std::string& guid)
{
    return WithState(m,
                     [&](State& s)
                     {
                         std::vector<Profile> out;
                         for (bool user : {true, false})
                             for (auto& [key, xml] : s.profiles)
                                 if (std::get<0>(key) == Upper(guid) && std::get<1>(key) == user)
                                     out.push_back({std::get<2>(key), xml, user});
                         return out;
                     });
}

std::uint32_t Connect(const Machine& m, const std::string& guid, const ConnectRequest& r)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return kErrorNotFound;
    const auto networks = radio::LoadNetworks(m);
    const std::uint32_t result =
        WithState(m, [&](State& s) { return StartConnect(m, s, *d, guid, r, networks); });
    Log(m, "connect " + guid + " mode " + std::to_string(r.mode) + " profile \"" + r.profileName +
               "\"" + (result ? " -> " + std::to_string(result) : ""));
    return result;
}

std::uint32_t Disconnect(const Machine& m, const std::string& guid)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return kErrorNotFound;
    WithState(m,
              [&](State& s)
              {
                  Iface& i = IfaceOf(s, *d);
                  bool was = i.connection || i.pending;
                  LinkDown(m, s, guid, i, MachineNow());
                  if (!was)
                      Append(s, MachineNow(), kSourceAcm, kAcmDisconnected, guid);
                  return 0;
              });
    Log(m, "disconnect " + guid);
    return 0;
}

std::optional<Connection> CurrentConnection(const Machine& m, const std::string& guid)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return std::nullopt;
    auto c = WithState(m, [&](State& s) { return IfaceOf(s, *d).connection; });
    if (c)
    {
        // The signal as the radio shows it now.
        auto networks = radio::LoadNetworks(m);
        for (auto& n : networks)
            if (n.bssid == c->bssid && n.ssid == c->ssid)
            {
                c->rssi = n.rssi;
                c->quality = n.linkQuality;
            }
    }
    return c;
}

std::vector<PhyRadio> RadioState(const Machine& m, const std::string& guid)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return {};
    return WithState(m, [&](State& s) { return IfaceOf(s, *d).radio; });
}

std::uint32_t SetSoftwareRadioState(const Machine& m, const std::string& guid,
                                    std::uint32_t phyIndex, std::uint32_t software)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return kErrorNotFound;
    if (software != kRadioOn && software != kRadioOff)
        return kErrorInvalidParameter;
    std::uint32_t result =
        WithState(m,
                  [&](State& s) -> std::uint32_t
                  {
                      Iface& i = IfaceOf(s, *d);
                      if (phyIndex >= i.radio.size())
                          return kErrorInvalidParameter;
                      i.radio[phyIndex].software = software;
                      Append(s, MachineNow(), kSourceMsm, kMsmRadioStateChange, guid,
                             RadioRecord(phyIndex, software, i.radio[phyIndex].hardware));
                      if (!RadioOn(i))
                          LinkDown(m, s, guid, i, MachineNow());
                      SyncAdapterRadio(m, guid, i);
                      return 0;
                  });
    Log(m, "radio " + guid + " phy " + std::to_string(phyIndex) + " software " +
               std::to_string(software));
    return result;
}

namespace
{

// The service's per-PHY counters are the driver's statistics record, field by field: the
// driver keeps the 802.11 statistics layout, the service the PHY frame-statistics layout.
std::vector<std::uint8_t> PhyRecordFromDriver(const std::string& driver)
{
    auto at = [&](std::size_t offset)
    {
        std::uint64_t v = 0;
        for (int k = 7; k >= 0; --k)
            v = v << 8 | static_cast<std::uint8_t>(driver[offset + static_cast<std::size_t>(k)]);
        return v;
    };
    // PHY record fields in order, each the driver field it comes from (0: none).
    const std::size_t from[18] = {
        8,  // transmitted frames: the driver counts fragments
        16, // multicast transmitted
        24, // failed
        32, // retries
        40, // multiple retries
        0,  // transmit lifetime exceeded
        8,  // transmitted fragments
        48, // RTS success
        56, // RTS failure
        64, // ACK failure
        80, // received frames: the driver counts fragments
        88, // multicast received
        0,  // promiscuous received frames
        0,  // receive lifetime exceeded
        72, // duplicates
        80, // received fragments
        0,  // promiscuous received fragments
        96, // FCS errors
    };
    std::vector<std::uint8_t> out(144, 0);
    for (std::size_t f = 0; f < 18; ++f)
    {
        const std::uint64_t v = from[f] == 0 ? 0 : at(from[f]);
        for (std::size_t k = 0; k < 8; ++k)
            out[f * 8 + k] = static_cast<std::uint8_t>(v >> (8 * k));
    }
    return out;
}

} // namespace

std::optional<Statistics> LinkStatistics(const Machine& m, const std::string& guid)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return std::nullopt;
    return WithState(m,
                     [&](State& s) -> std::optional<Statistics>
                     {
                         Iface& i = IfaceOf(s, *d);
                         Statistics st;
                         st.phyCount = static_cast<std::uint32_t>(i.phyTypes.size());
                         std::uint64_t now = MachineNow();
                         std::string record;
                         miniport::ChangeAdapterState(m, guid,
                                                      [&](miniport::AdapterState& a)
                                                      {
                                                          miniport::CatchUpTraffic(a, now);
                                                          record = a.bytes(
                                                              miniport::oid::Statistics, 200);
                                                      });
                         st.phyRecord = PhyRecordFromDriver(record);
                         if (i.connection)
                         {
                             st.phyIndex = i.connection->phyIndex;
                             if (i.wrongWepKey && now > i.icvSince)
                                 st.wepIcvErrors = (now - i.icvSince) * kIcvErrorsPerSecond / 1000;
                         }
                         return st;
                     });
}

std::vector<Notification> Pump(const Machine& m)
{
    auto list = WirelessDevices(m);
    return WithState(m,
                     [&](State& s)
                     {
                         NoteInterfaces(m, s, list, MachineNow());
                         return s.journal;
                     });
}

std::string StateStamp(const Machine& m)
{
    std::error_code error;
    auto path = Dir(m) / "state.txt";
    auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return {};
    auto size = std::filesystem::file_size(path, error);
    return std::to_string(time.time_since_epoch().count()) + ":" + std::to_string(size);
}

std::vector<Notification> NotificationsAfter(const Machine& m, std::uint64_t seq)
{
    return WithState(m,
                     [&](State& s)
                     {
                         std::vector<Notification> out;
                         for (auto& n : s.journal)
                             if (n.seq > seq)
                                 out.push_back(n);
                         return out;
                     });
}

std::uint64_t LastNotificationSeq(const Machine& m)
{
    return WithState(m, [](State& s) { return s.nextSeq - 1; });
}

// --- Levers ------------------------------------------------------------------------------------

void SetScanDelay(const Machine& m, std::uint64_t ms)
{
    WithState(m, [&](State& s) { return s.scanDelay = ms; });
}

void SetConnectDelay(const Machine& m, std::uint64_t ms)
{
    WithState(m, [&](State& s) { return s.connectDelay = ms; });
}

ServiceSettings ReadServiceSettings(const Machine& m)
{
    return WithState(m,
                     [](State& s)
                     {
                         ServiceSettings out;
                         out.scanDelay = s.scanDelay;
                         out.connectDelay = s.connectDelay;
                         for (const auto& [call, f] : s.faults)
                             out.faults.push_back({call, f.error, f.times});
                         return out;
                     });
}

void InjectCallFailure(const Machine& m, const std::string& call, std::uint32_t error, int times)
{
    WithState(m,
              [&](State& s)
              {
                  s.faults[call] = Fault{error, times};
                  return 0;
              });
}

void ClearCallFailures(const Machine& m)
{
    WithState(m,
              [](State& s)
              {
                  s.faults.clear();
                  return 0;
              });
}

void SetNetworkSecret(const Machine& m, const std::string& key, const std::string& value)
{
    auto bssid = radio::ParseBssid(key);
    WithState(m,
              [&](State& s)
              {
                  s.secrets[bssid ? radio::FormatBssid(*bssid) : key] = value;
                  return 0;
              });
}

void SetHardwareRadio(const Machine& m, const std::string& guid, bool on)
{
    for (auto& d : WirelessDevices(m))
    {
        if (!guid.empty() && Upper(guid) != Upper(d.netCfgInstanceId))
            continue;
        WithState(m,
                  [&](State& s)
                  {
                      Iface& i = IfaceOf(s, d);
                      for (std::size_t k = 0; k < i.radio.size(); ++k)
                      {
                          i.radio[k].hardware = on ? kRadioOn : kRadioOff;
                          Append(s, MachineNow(), kSourceMsm, kMsmRadioStateChange,
                                 d.netCfgInstanceId,
                                 RadioRecord(static_cast<std::uint32_t>(k), i.radio[k].software,
                                             i.radio[k].hardware));
                      }
                      if (!RadioOn(i))
                          LinkDown(m, s, d.netCfgInstanceId, i, MachineNow());
                      SyncAdapterRadio(m, d.netCfgInstanceId, i);
                      return 0;
                  });
        Log(m, "hardware radio " + d.netCfgInstanceId + (on ? " on" : " off"));
    }
}

bool SetSoftwareRadio(const Machine& m, const std::string& guid, int phyIndex, bool on)
{
    bool ok = false;
    for (auto& d : WirelessDevices(m))
    {
        if (!guid.empty() && Upper(guid) != Upper(d.netCfgInstanceId))
            continue;
        std::size_t count = RadioState(m, d.netCfgInstanceId).size();
        for (std::size_t k = 0; k < count; ++k)
            if (phyIndex < 0 || static_cast<std::size_t>(phyIndex) == k)
                ok = SetSoftwareRadioState(m, d.netCfgInstanceId, static_cast<std::uint32_t>(k),
                                           on ? kRadioOn : kRadioOff) == 0 ||
                     ok;
    }
    return ok;
}

void SetInterfacePhyTypes(const Machine& m, const std::string& guid,
                          const std::vector<std::uint32_t>& phyTypes)
{
    WithState(m,
              [&](State& s)
              {
                  Iface& i = s.ifaces[Upper(guid)];
                  i.phyTypes = phyTypes;
                  i.radio.resize(phyTypes.size());
                  return 0;
              });
}

void RaiseNotification(const Machine& m, std::uint32_t source, std::uint32_t code,
                       const std::string& guid, const std::vector<std::uint8_t>& data)
{
    WithState(m,
              [&](State& s)
              {
                  Append(s, MachineNow(), source, code, guid, data);
                  return 0;
              });
    Log(m, "notify " + std::to_string(source) + " " + std::to_string(code) + " " + guid);
}

void RaiseRadioStateChange(const Machine& m, const std::string& guid, std::uint32_t phyIndex,
                           std::uint32_t software, std::uint32_t hardware)
{
    RaiseNotification(m, kSourceMsm, kMsmRadioStateChange, guid,
                      RadioRecord(phyIndex, software, hardware));
}

bool DisconnectInterface(const Machine& m, const std::string& guid)
{
    bool any = false;
    for (auto& d : WirelessDevices(m))
        if (guid.empty() || Upper(guid) == Upper(d.netCfgInstanceId))
            any = Disconnect(m, d.netCfgInstanceId) == 0 || any;
    return any;
}

void Roam(const Machine& m, const std::string& guid)
{
    for (auto& d : WirelessDevices(m))
        if (guid.empty() || Upper(guid) == Upper(d.netCfgInstanceId))
            RaiseNotification(m, kSourceMsm, kMsmRoamingEnd, d.netCfgInstanceId);
}

std::vector<std::string> InterfaceGuids(const Machine& m)
{
    std::vector<std::string> out;
    for (auto& d : WirelessDevices(m))
        out.push_back(d.netCfgInstanceId);
    return out;
}

std::string ReadLog(const Machine& m)
{
    return ReadWholeFile(Dir(m) / "log.txt").value_or("");
}

bool SetServiceRunning(const Machine& m, bool running)
{
    WithState(m, [&](State& s) { return s.running = running; });
    Log(m, running ? "service started" : "service stopped");
    return true;
}

bool IsServiceRunning(const Machine& m)
{
    return WithState(m, [](State& s) { return s.running; });
}

} // namespace machine::wlan
