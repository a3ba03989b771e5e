#pragma once
// The machine's network connections, as the network connections folder lists them, in order:
// kept in <root>/network/connections.txt so that every process sees the same list. Sharing
// (Internet Connection Sharing) is a property of a connection: at most one connection shares
// publicly (the Internet side) and one privately (the home network side).

#include "machine/Machine.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace machine::network
{

enum class MediaType
{
    Ethernet,
    Ppp
};

enum class Sharing
{
    None,
    Public,
    Private
};

struct Connection
{
    std::string name{};        // UTF-8 ("Local Area Connection"); names may repeat
    std::string description{}; // the adapter's description
    std::string guid{};        // "{...}", the adapter's NetCfgInstanceId
    std::string mac{};         // "00-1A-2B-3C-4D-5E"
    std::string ip{};
    std::string mask{};
    std::string gateway{};
    bool dhcp = true;
    bool connected = true; // false: media disconnected
    MediaType type = MediaType::Ethernet;
    Sharing sharing = Sharing::None;

    bool operator==(const Connection&) const = default;
};

const char* SharingName(Sharing s); // "none", "public", "private"
std::optional<Sharing> ParseSharing(const std::string& text);

// The connections of a new machine: a wired card, the wireless adapter's connection and a
// disconnected second card.
std::vector<Connection> DefaultConnections();

std::string FormatConnections(const std::vector<Connection>& list);
std::vector<Connection> ParseConnections(const std::string& text);

// A machine without the file has the default connections; an empty file has none.
std::vector<Connection> LoadConnections(const Machine& machine);
bool SaveConnections(const Machine& machine, const std::vector<Connection>& list);
// Load, change, save under the machine lock; nothing is saved when `change` returns false.
bool ChangeConnections(const Machine& machine,
                       const std::function<bool(std::vector<Connection>&)>& change);

void AddConnection(const Machine& machine, const Connection& c);
// One field of a connection record (the fields of SetConnectionField; sharing without the
// one-of-each rule). False for an unknown field or value.
bool SetField(Connection& c, const std::string& field, const std::string& value);

// The first connection of that name; false when there is none.
bool RemoveConnection(const Machine& machine, const std::string& name);
// Sets one field of the first connection of that name: name, description, guid, mac, ip, mask,
// gateway, dhcp (yes/no), status (connected/disconnected), type (ethernet/ppp), sharing.
// False when there is no such connection, field or value.
bool SetConnectionField(const Machine& machine, const std::string& name, const std::string& field,
                        const std::string& value);

// Sharing of the connection at `index`. Enabling public (private) sharing turns it off on the
// connection that shared publicly (privately) before, as the platform allows one of each.
// False when the index is out of range.
bool SetSharing(const Machine& machine, std::size_t index, Sharing sharing);
// By name (the first of that name).
bool SetSharingByName(const Machine& machine, const std::string& name, Sharing sharing);
// The rule above, on a list.
void ApplySharing(std::vector<Connection>& list, std::size_t index, Sharing sharing);

} // namespace machine::network
