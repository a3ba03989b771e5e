#pragma once
// What the WLAN service keeps between calls: its timing, the failures injected into its calls,
// the keys the networks accept, each interface's radio, link and connect under way, the profiles
// and the notifications journal. It is kept in <root>/wlan/state.txt (machine/wlan/StateFile.h)
// and changed under the machine lock (machine/wlan/StateSession.h).

#include "machine/wlan/WlanService.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace machine::wlan
{

// <root>/wlan: the service's state file and its log.
inline std::filesystem::path ServiceFolder(const Machine& machine)
{
    return machine.root() / "wlan";
}

// A GUID as the state keys interfaces by it: upper case.
inline std::string GuidKey(std::string guid)
{
    for (char& c : guid)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return guid;
}

struct PendingConnect
{
    std::uint64_t due = 0; // machine time of the outcome
    bool succeeds = false;
    bool wrongWepKey = false; // the link comes up, but its frames fail their ICV check
    Connection connection;

    bool operator==(const PendingConnect&) const = default;
};

struct InterfaceState
{
    std::vector<std::uint32_t> phyTypes; // empty: chosen from the chip
    std::vector<PhyRadio> radio;         // one a PHY
    std::optional<Connection> connection;
    std::optional<PendingConnect> pending;
    bool wrongWepKey = false;
    std::uint64_t icvSince = 0; // machine time the link with the wrong WEP key came up

    bool operator==(const InterfaceState&) const = default;
};

struct CallFault
{
    std::uint32_t error = 0;
    int times = -1; // -1 always

    bool operator==(const CallFault&) const = default;
};

// (interface GUID, per-user, profile name)
using ProfileKey = std::tuple<std::string, bool, std::string>;

struct ServiceState
{
    bool running = true;
    std::uint64_t scanDelay = 1500;
    std::uint64_t connectDelay = 500;
    std::map<std::string, CallFault> faults;          // by call name
    std::map<std::string, std::string> secrets;       // by BSSID or SSID text
    std::map<std::string, InterfaceState> interfaces; // by upper-case GUID
    std::map<ProfileKey, std::string> profiles;       // the documents
    // The profiles whose 802.1X credentials the user gave in the credential editor; a profile
    // stored anew or deleted loses them.
    std::set<ProfileKey> credentials;
    std::vector<Notification> journal;
    std::uint64_t nextSeq = 1;
    // The interfaces the service last saw present, to tell arrivals and removals.
    bool presentKnown = false;
    std::vector<std::string> present;

    bool operator==(const ServiceState&) const = default;
};

} // namespace machine::wlan
