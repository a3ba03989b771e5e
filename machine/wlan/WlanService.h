#pragma once
// The machine's WLAN service: interfaces over the wireless adapters, scans, the networks in
// range grouped as the service lists them, the profile store, connections and the
// notifications journal. Its state lives in <root>/wlan/ so that every process on the machine
// sees one service. Results are the platform's error numbers (0 success); a call that changes
// the state fails with kErrorWriteFault when the state cannot be written.

#include "machine/Machine.h"
#include "machine/radio/Network.h"
#include "machine/wlan/NetworkSecurity.h"
#include "machine/wlan/WlanCodes.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace machine::wlan
{

struct InterfaceInfo
{
    std::string guid; // "{...}", the adapter's NetCfgInstanceId
    std::string description;
    std::uint32_t state = kInterfaceDisconnected;
    std::vector<std::uint32_t> phyTypes;
};

struct PhyRadio
{
    std::uint32_t software = kRadioOn; // or kRadioOff
    std::uint32_t hardware = kRadioOn;

    bool operator==(const PhyRadio&) const = default;
};

struct AvailableNetwork
{
    std::string ssid;
    std::uint32_t bssType = radio::kInfrastructure;
    bool securityEnabled = false;
    std::vector<radio::Network> bss;
    std::string profileName; // a stored profile for this SSID
    bool connected = false;
    Security security;
    std::uint32_t quality = 0;
};

struct Profile
{
    std::string name;
    std::string xml;
    bool user = false;
};

struct Connection
{
    std::uint32_t mode = kModeProfile;
    std::string profileName;
    std::string ssid;
    std::uint32_t bssType = radio::kInfrastructure;
    radio::Bssid bssid{};
    std::uint32_t phyType = 0;
    std::uint32_t phyIndex = 0;
    std::uint32_t quality = 0;
    std::uint32_t rateKbps = 54000;
    std::int32_t rssi = 0;
    Security security;

    bool operator==(const Connection&) const = default;
};

struct ConnectRequest
{
    std::uint32_t mode = kModeProfile; // or kModeDiscoverySecure, kModeDiscoveryUnsecure
    std::string profileName;
    std::optional<std::string> ssid;
    std::uint32_t bssType = radio::kInfrastructure; // or radio::kIndependent, kBssTypeAny
    std::vector<radio::Bssid> bssids;
};

struct Statistics
{
    std::vector<std::uint8_t> phyRecord; // 144 bytes: the driver's counters
    std::uint32_t phyIndex = 0;
    std::uint32_t phyCount = 2;
    std::uint64_t wepIcvErrors = 0;
};

struct Notification
{
    std::uint64_t seq = 0;
    std::uint64_t due = 0; // machine time
    std::uint32_t source = 0;
    std::uint32_t code = 0;
    std::string guid;
    std::vector<std::uint8_t> data;

    bool operator==(const Notification&) const = default;
};

// Logs the call and gives the error it fails with: the service stopped, or a fault injected.
std::uint32_t BeginCall(const Machine& machine, const std::string& call,
                        const std::string& detail = {});
void Log(const Machine& machine, const std::string& line);

std::vector<InterfaceInfo> ListInterfaces(const Machine& machine);
bool HasInterface(const Machine& machine, const std::string& guid);

std::uint32_t StartScan(const Machine& machine, const std::string& guid);
std::vector<AvailableNetwork> AvailableNetworks(const Machine& machine, const std::string& guid);
// The same list, kept while the radio environment, the device list and the service's state are
// unchanged and no connection is pending: a client that asks once per network does not have it
// made again each time.
std::shared_ptr<const std::vector<AvailableNetwork>> KeptAvailableNetworks(const Machine& machine,
                                                                           const std::string& guid);

// kErrorBadProfile with `reason` set for a document that does not read as a profile.
std::uint32_t SetProfile(const Machine& machine, const std::string& guid, const std::string& xml,
                         bool user, bool overwrite, std::uint32_t& reason);
std::optional<Profile> GetProfile(const Machine& machine, const std::string& guid,
                                  const std::string& name);
std::uint32_t DeleteProfile(const Machine& machine, const std::string& guid,
                            const std::string& name);
std::vector<Profile> ListProfiles(const Machine& machine, const std::string& guid);
// The user gave the 802.1X credentials of the profile (the credential editor's OK): a connect by
// an 802.1X profile succeeds only with them. kErrorNotFound when there is no such profile.
std::uint32_t SetProfileCredentials(const Machine& machine, const std::string& guid,
                                    const std::string& name);

std::uint32_t Connect(const Machine& machine, const std::string& guid,
                      const ConnectRequest& request);
std::uint32_t Disconnect(const Machine& machine, const std::string& guid);
std::optional<Connection> CurrentConnection(const Machine& machine, const std::string& guid);
std::vector<PhyRadio> RadioState(const Machine& machine, const std::string& guid);
std::uint32_t SetSoftwareRadioState(const Machine& machine, const std::string& guid,
                                    std::uint32_t phyIndex, std::uint32_t software);
std::optional<Statistics> LinkStatistics(const Machine& machine, const std::string& guid);

// Carries out what has fallen due (scan results, connect outcomes) by the machine clock, and
// journals adapters that arrived (ACM interface_arrival) or went (interface_removal). Returns the
// whole journal as it then stands.
std::vector<Notification> Pump(const Machine& machine);
// Changes whenever the service's state is written (empty before the first write): lets a reader
// skip a look when nothing has changed.
std::string StateStamp(const Machine& machine);
// Journal entries after `seq`; the last sequence number handed out.
std::vector<Notification> NotificationsAfter(const Machine& machine, std::uint64_t seq);
std::uint64_t LastNotificationSeq(const Machine& machine);

} // namespace machine::wlan
