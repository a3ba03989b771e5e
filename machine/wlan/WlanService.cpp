#include "machine/wlan/WlanService.h"

#include "machine/ErrorCodes.h"
#include "machine/FileStore.h"
#include "machine/KeptPath.h"
#include "machine/LineLog.h"
#include "machine/MachineClock.h"
#include "machine/MachineLock.h"
#include "machine/ParsedFile.h"
#include "machine/devices/DeviceTree.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/OidTable.h"
#include "machine/radio/RadioStore.h"
#include "machine/wlan/Interfaces.h"
#include "machine/wlan/Journal.h"
#include "machine/wlan/NetworkSecurity.h"
#include "machine/wlan/ProfileXml.h"
#include "machine/wlan/StateFile.h"
#include "machine/wlan/StateSession.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <optional>
#include <system_error>
#include <tuple>

namespace machine::wlan
{
namespace
{

// WEP with the wrong key: frames that fail their ICV check, per second of link.
constexpr std::uint64_t kIcvErrorsPerSecond = 5;

std::uint32_t InterfaceStateOf(const InterfaceState& i)
{
    if (i.connection)
        return kInterfaceConnected;
    return i.pending ? kInterfaceAssociating : kInterfaceDisconnected;
}

// Uses up one count of an injected failure; false when there was none.
bool TakeFault(ServiceState& s, const std::string& call, std::uint32_t& error)
{
    auto it = s.faults.find(call);
    if (it == s.faults.end())
        return false;
    error = it->second.error;
    if (it->second.times > 0 && --it->second.times == 0)
        s.faults.erase(it);
    return true;
}

// Where a connect request leads: the SSID and BSS type it looks for, and the profile it uses
// (for a discovery connect an open one, with no key).
struct ConnectTarget
{
    std::string ssid;
    std::uint32_t bssType = radio::kInfrastructure;
    ProfileDocument profile;
    bool credentials = false; // the user gave the profile's 802.1X credentials
};

// The outcome a connect is to have once its delay is over.
struct Admission
{
    bool succeeds = false;
    bool wrongWepKey = false;
    std::uint32_t auth = kAuthOpen; // as the link will report it
    std::uint32_t cipher = kCipherNone;
};

// The stored profile of that name, a per-user one first.
const std::pair<const ProfileKey, std::string>*
FindProfile(const ServiceState& s, const std::string& guid, const std::string& name)
{
    for (bool user : {true, false})
        if (auto it = s.profiles.find({GuidKey(guid), user, name}); it != s.profiles.end())
            return &*it;
    return nullptr;
}

// A profile connect takes its stored profile (a per-user one first), a discovery connect the
// SSID it names; kErrorNotFound for a profile that is not there or does not read,
// kErrorInvalidParameter for a request of neither kind.
std::uint32_t FindTarget(const ServiceState& s, const std::string& guid, const ConnectRequest& r,
                         ConnectTarget& target)
{
    target.bssType = r.bssType;
    if (r.mode == kModeProfile)
    {
        const auto* stored = FindProfile(s, guid, r.profileName);
        if (!stored || CheckProfile(stored->second, target.profile) != 0)
            return kErrorNotFound;
        target.credentials = s.credentials.count(stored->first) != 0;
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
std::string NetworkKey(const ServiceState& s, const radio::Network& n)
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
// WPA2 with a pre-shared key, the profile holds the network's key, for 802.1X the user gave the
// profile's credentials; WEP with a wrong key still links, its frames then fail. A secure discovery
// connect takes any network, an unsecure one only an open one, with the security the network
// offers.
Admission CheckSecurity(const ServiceState& s, const radio::Network* network,
                        const ConnectTarget& target, std::uint32_t mode)
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
    a.succeeds = p.oneX ? target.credentials : !keyed || p.keyMaterial == NetworkKey(s, *network);
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
Connection LinkTo(const radio::Network& n, const InterfaceState& i, const ConnectRequest& r,
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
void JournalOutcome(ServiceState& s, const std::string& guid, std::uint64_t due, bool succeeds)
{
    if (succeeds)
    {
        Journal(s, due, kSourceAcm, kAcmConnectionComplete, guid);
        return;
    }
    Journal(s, due, kSourceAcm, kAcmConnectionAttemptFail, guid);
    Journal(s, due, kSourceAcm, kAcmDisconnected, guid);
}

// Starts a connect: the link there was goes down, connection_start now, and the outcome follows
// after the service's connect delay. A request that cannot start changes nothing.
std::uint32_t StartConnect(const Machine& m, ServiceState& s, const devices::NetDevice& d,
                           const std::string& guid, const ConnectRequest& r,
                           const std::vector<radio::Network>& networks)
{
    InterfaceState& i = InterfaceOf(s, d);
    if (!RadioOn(i))
        return kErrorDot11PowerStateInvalid;
    ConnectTarget target;
    if (std::uint32_t error = FindTarget(s, guid, r, target))
        return error;
    const radio::Network* network = PickNetwork(networks, target, r.bssids);
    const std::uint64_t now = MachineNow();
    if (i.connection || i.pending)
        LinkDown(m, s, guid, i, now);
    Journal(s, now, kSourceAcm, kAcmConnectionStart, guid);
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

void Log(const Machine& m, const std::string& line)
{
    // Owner-only: the arguments of a profile call hold its keys.
    // Every call logs.
    const std::filesystem::path& log = KeptPath(m, [&] { return ServiceFolder(m) / "log.txt"; });
    std::string stamped = std::to_string(MachineNow());
    stamped += ' ';
    stamped += line;
    AppendLogLine(m, log, stamped, FileAccess::OwnerOnly);
}

std::uint32_t BeginCall(const Machine& m, const std::string& call, const std::string& detail)
{
    std::uint32_t error = LookAtState(m,
                                      [&](ServiceState& s) -> std::uint32_t
                                      {
                                          if (!s.running)
                                              return kErrorServiceNotActive;
                                          std::uint32_t injected = 0;
                                          TakeFault(s, call, injected);
                                          return injected;
                                      });
    Log(m, call + (detail.empty() ? "" : " " + detail) +
               (error ? " -> error " + std::to_string(error) : ""));
    return error;
}

std::vector<InterfaceInfo> ListInterfaces(const Machine& m)
{
    auto present = WirelessDevices(m);
    return LookAtState(m,
                       [&](ServiceState& s)
                       {
                           NoteInterfaces(m, s, present, MachineNow());
                           std::vector<InterfaceInfo> out;
                           for (auto& d : present)
                           {
                               InterfaceState& i = InterfaceOf(s, d);
                               InterfaceInfo info;
                               info.guid = d.netCfgInstanceId;
                               info.description =
                                   d.friendlyName.empty() ? d.deviceDesc : d.friendlyName;
                               info.state = InterfaceStateOf(i);
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
        ChangeState(m,
                    [&](ServiceState& s) -> std::uint32_t
                    {
                        if (!RadioOn(InterfaceOf(s, *d)))
                            return kErrorDot11PowerStateInvalid;
                        std::uint32_t ignored = 0;
                        const bool fails = TakeFault(s, "scan", ignored);
                        Journal(s, MachineNow() + s.scanDelay, kSourceAcm,
                                fails ? kAcmScanFail : kAcmScanComplete, guid,
                                fails ? Le32(kReasonScanFailure) : std::vector<std::uint8_t>{});
                        return 0;
                    });
    Log(m, "scan " + guid + (result ? " refused " + std::to_string(result) : " queued"));
    return result;
}

namespace
{

// The networks in range of the interface grouped as the service lists them; `pending` says
// whether a connection is still to fall due, which changes the list without a file changing.
std::vector<AvailableNetwork> BuildAvailableNetworks(const Machine& m, const std::string& guid,
                                                     bool& pending)
{
    auto networks = radio::LoadNetworks(m);
    auto d = DeviceOf(m, guid);
    if (!d)
        return {};
    return LookAtState(
        m,
        [&](ServiceState& s)
        {
            std::vector<AvailableNetwork> out;
            InterfaceState& i = InterfaceOf(s, *d);
            for (const auto& [key, other] : s.interfaces)
                pending = pending || other.pending.has_value();
            if (!RadioOn(i))
                return out;
            // Each network's place in `out`, by SSID, BSS type and security.
            std::map<std::tuple<std::string, std::uint32_t, bool>, std::size_t> at;
            for (auto& n : networks)
            {
                bool sec = (n.capability & radio::kCapPrivacy) != 0;
                auto [place, added] = at.try_emplace({n.ssid, n.bssType, sec}, out.size());
                if (added)
                {
                    AvailableNetwork a;
                    a.ssid = n.ssid;
                    a.bssType = n.bssType;
                    a.securityEnabled = sec;
                    a.security = NetworkSecurity(n);
                    out.push_back(a);
                }
                auto it = out.begin() + static_cast<std::ptrdiff_t>(place->second);
                it->bss.push_back(n);
                it->quality = std::max(it->quality, n.linkQuality);
            }
            for (auto& a : out)
            {
                for (bool user : {true, false})
                    if (a.profileName.empty() &&
                        s.profiles.count({GuidKey(guid), user, a.ssid}) != 0)
                        a.profileName = a.ssid;
                a.connected = i.connection && i.connection->ssid == a.ssid &&
                              i.connection->bssType == a.bssType;
            }
            return out;
        });
}

} // namespace

std::vector<AvailableNetwork> AvailableNetworks(const Machine& m, const std::string& guid)
{
    return *KeptAvailableNetworks(m, guid);
}

std::shared_ptr<const std::vector<AvailableNetwork>> KeptAvailableNetworks(const Machine& m,
                                                                           const std::string& guid)
{
    struct Kept
    {
        std::string root, guid;
        std::optional<FileVersion> networks, devices, state;
        std::shared_ptr<const std::vector<AvailableNetwork>> list;
    };
    static std::mutex keptLock;
    static Kept kept;
    Kept now{m.root().string(),
             guid,
             VersionOf(radio::NetworksPath(m)),
             VersionOf(devices::DeviceListPath(m)),
             VersionOf(StateFilePath(m)),
             nullptr};
    {
        std::lock_guard guard(keptLock);
        if (kept.list && now.root == kept.root && now.guid == kept.guid && now.networks &&
            now.networks == kept.networks && now.devices == kept.devices && now.state &&
            now.state == kept.state)
            return kept.list;
    }
    bool pending = false;
    auto list = std::make_shared<const std::vector<AvailableNetwork>>(
        BuildAvailableNetworks(m, guid, pending));
    // Reading may have changed the state (a connect that fell due): then it is built again.
    if (!pending && VersionOf(StateFilePath(m)) == now.state)
    {
        now.list = list;
        std::lock_guard guard(keptLock);
        kept = std::move(now);
    }
    return list;
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
    return ChangeState(m,
                       [&](ServiceState& s) -> std::uint32_t
                       {
                           ProfileKey key{GuidKey(guid), user, doc.name};
                           if (!overwrite && s.profiles.count(key))
                               return kErrorAlreadyExists;
                           s.profiles[key] = xml;
                           s.credentials.erase(key);
                           return 0;
                       });
}

std::optional<Profile> GetProfile(const Machine& m, const std::string& guid,
                                  const std::string& name)
{
    return WithState(
        m,
        [&](ServiceState& s) -> std::optional<Profile>
        {
            for (bool user : {true, false})
                if (auto it = s.profiles.find({GuidKey(guid), user, name}); it != s.profiles.end())
                    return Profile{name, it->second, user};
            return std::nullopt;
        });
}

std::uint32_t DeleteProfile(const Machine& m, const std::string& guid, const std::string& name)
{
    return ChangeState(m,
                       [&](ServiceState& s) -> std::uint32_t
                       {
                           bool any = s.profiles.erase({GuidKey(guid), true, name}) +
                                      s.profiles.erase({GuidKey(guid), false, name});
                           s.credentials.erase({GuidKey(guid), true, name});
                           s.credentials.erase({GuidKey(guid), false, name});
                           return any ? 0 : kErrorNotFound;
                       });
}

std::uint32_t SetProfileCredentials(const Machine& m, const std::string& guid,
                                    const std::string& name)
{
    Log(m, "credentials for profile \"" + name + "\" on " + guid);
    return ChangeState(m,
                       [&](ServiceState& s) -> std::uint32_t
                       {
                           const auto* stored = FindProfile(s, guid, name);
                           if (!stored)
                               return kErrorNotFound;
                           s.credentials.insert(stored->first);
                           return 0;
                       });
}

std::vector<Profile> ListProfiles(const Machine& m, const std::string& guid)
{
    return WithState(m,
                     [&](ServiceState& s)
                     {
                         std::vector<Profile> out;
                         for (bool user : {true, false})
                             for (auto& [key, xml] : s.profiles)
                                 if (std::get<0>(key) == GuidKey(guid) && std::get<1>(key) == user)
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
        ChangeState(m, [&](ServiceState& s) { return StartConnect(m, s, *d, guid, r, networks); });
    Log(m, "connect " + guid + " mode " + std::to_string(r.mode) + " profile \"" + r.profileName +
               "\"" + (result ? " -> " + std::to_string(result) : ""));
    return result;
}

std::uint32_t Disconnect(const Machine& m, const std::string& guid)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return kErrorNotFound;
    const std::uint32_t result =
        ChangeState(m,
                    [&](ServiceState& s) -> std::uint32_t
                    {
                        InterfaceState& i = InterfaceOf(s, *d);
                        const bool linked = i.connection || i.pending;
                        LinkDown(m, s, guid, i, MachineNow());
                        if (!linked)
                            Journal(s, MachineNow(), kSourceAcm, kAcmDisconnected, guid);
                        return 0;
                    });
    Log(m, "disconnect " + guid);
    return result;
}

std::optional<Connection> CurrentConnection(const Machine& m, const std::string& guid)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return std::nullopt;
    auto c = LookAtState(m, [&](ServiceState& s) { return InterfaceOf(s, *d).connection; });
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
    return LookAtState(m, [&](ServiceState& s) { return InterfaceOf(s, *d).radio; });
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
        ChangeState(m,
                    [&](ServiceState& s) -> std::uint32_t
                    {
                        InterfaceState& i = InterfaceOf(s, *d);
                        if (phyIndex >= i.radio.size())
                            return kErrorInvalidParameter;
                        i.radio[phyIndex].software = software;
                        Journal(s, MachineNow(), kSourceMsm, kMsmRadioStateChange, guid,
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

std::optional<Statistics> LinkStatistics(const Machine& m, const std::string& guid)
{
    auto d = DeviceOf(m, guid);
    if (!d)
        return std::nullopt;
    return LookAtState(
        m,
        [&](ServiceState& s) -> std::optional<Statistics>
        {
            InterfaceState& i = InterfaceOf(s, *d);
            Statistics st;
            st.phyCount = static_cast<std::uint32_t>(i.phyTypes.size());
            const std::uint64_t now = MachineNow();
            // The state as read comes with its counters caught up to the clock:
            // a look at them writes nothing.
            st.phyRecord = PhyRecordFromDriver(
                miniport::LoadAdapterState(m, guid).bytes(miniport::oid::Statistics, 200));
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
    auto present = WirelessDevices(m);
    return WithState(m,
                     [&](ServiceState& s)
                     {
                         NoteInterfaces(m, s, present, MachineNow());
                         return s.journal;
                     });
}

std::string StateStamp(const Machine& m)
{
    return StateFileStamp(m);
}

std::vector<Notification> NotificationsAfter(const Machine& m, std::uint64_t seq)
{
    return WithState(m,
                     [&](ServiceState& s)
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
    return WithState(m, [](ServiceState& s) { return s.nextSeq - 1; });
}

} // namespace machine::wlan
