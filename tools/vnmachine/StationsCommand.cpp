#include "tools/vnmachine/StationsCommand.h"

#include "machine/HexDigit.h"
#include "machine/Machine.h"
#include "machine/miniport/AdapterState.h"
#include "machine/stations/StationFile.h"
#include "machine/stations/Stations.h"
#include "tools/vnmachine/AdapterChoice.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/JsonOutput.h"

#include <algorithm>
#include <iostream>

namespace st = machine::stations;
namespace mp = machine::miniport;

namespace
{

bool running(const mp::AdapterState& s)
{
    return mp::OperationMode(s) == 2 && s.apStarted;
}

std::string describeKey(const st::Station& s)
{
    switch (s.key)
    {
    case st::StationKey::Passphrase:
        return "passphrase";
    case st::StationKey::Wep:
        return "WEP key " + std::to_string(s.wepIndex);
    case st::StationKey::None:
        break;
    }
    return "no key";
}

// The key as JSON names it: "passphrase", "wep", "none".
const char* keyField(st::StationKey key)
{
    switch (key)
    {
    case st::StationKey::Passphrase:
        return "passphrase";
    case st::StationKey::Wep:
        return "wep";
    case st::StationKey::None:
        break;
    }
    return "none";
}

void listJson(const mp::AdapterState& state, const std::vector<st::StationStatus>& stations)
{
    nlohmann::json accessPoint = {{"running", running(state)}};
    if (running(state))
        accessPoint["ssid"] = mp::AssociatedSsid(state);
    nlohmann::json list = nlohmann::json::array();
    for (const auto& s : stations)
    {
        nlohmann::json entry = {{"mac", machine::radio::FormatBssid(s.station.mac)},
                                {"joined", s.joined.has_value()},
                                {"key", keyField(s.station.key)},
                                {"power_save", s.station.powerSave}};
        if (s.joined)
            entry["aid"] = s.joined->aid;
        if (s.station.key == st::StationKey::Wep)
            entry["wep_index"] = s.station.wepIndex;
        list.push_back(std::move(entry));
    }
    PrintJson({{"access_point", accessPoint}, {"stations", list}});
}

int list(const machine::Machine& m, const std::string& id)
{
    const mp::AdapterState state = mp::LoadAdapterState(m, id);
    if (JsonOutput())
    {
        for (const auto& problem : st::LoadStations(m, id).problems)
            std::cerr << "vnmachine: " << st::DescribeProblem(st::StationFilePath(m, id), problem)
                      << "\n";
        listJson(state, st::ListStations(m, id));
        return 0;
    }
    std::cout << "access point  ";
    if (running(state))
        std::cout << "running, SSID \"" << mp::AssociatedSsid(state) << "\"\n";
    else
        std::cout << "not running\n";
    for (const auto& problem : st::LoadStations(m, id).problems)
        std::cerr << "vnmachine: " << st::DescribeProblem(st::StationFilePath(m, id), problem)
                  << "\n";
    const auto stations = st::ListStations(m, id);
    if (stations.empty())
        std::cout << "no stations in range\n";
    for (const auto& s : stations)
    {
        std::cout << machine::radio::FormatBssid(s.station.mac) << "  ";
        if (s.joined)
            std::cout << "joined, AID " << unsigned(s.joined->aid);
        else
            std::cout << "not joined";
        std::cout << "  " << describeKey(s.station) << (s.station.powerSave ? "  power save" : "")
                  << "\n";
    }
    return 0;
}

machine::radio::Bssid macArgument(const std::string& text)
{
    return Needed(machine::radio::ParseBssid(text));
}

bool allHex(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return machine::HexDigit(c) >= 0; });
}

// 10 or 26 hex digits, as a WEP key is typed.
std::string wepKeyArgument(const std::string& text)
{
    if ((text.size() != 10 && text.size() != 26) || !allHex(text))
        throw UsageError{};
    std::string key;
    for (std::size_t i = 0; i < text.size(); i += 2)
        key += static_cast<char>(machine::HexDigit(text[i]) * 16 + machine::HexDigit(text[i + 1]));
    return key;
}

int add(const machine::Machine& m, const std::string& id, const Words& args)
{
    NeedWords(args, 1, kAnyMoreWords);
    st::Station s;
    s.mac = macArgument(args[0]);
    for (std::size_t i = 1; i < args.size(); ++i)
    {
        const bool keyGiven = s.key != st::StationKey::None;
        if (args[i] == "--power-save")
            s.powerSave = true;
        else if (args[i] == "--passphrase" && i + 1 < args.size() && !keyGiven)
        {
            s.key = st::StationKey::Passphrase;
            s.passphrase = args[++i];
            // 8 to 63 characters, or the key itself in 64 hex digits.
            if (s.passphrase.size() < 8 || s.passphrase.size() > 64 ||
                (s.passphrase.size() == 64 && !allHex(s.passphrase)))
                throw UsageError{};
        }
        else if (args[i] == "--wep-key" && i + 2 < args.size() && !keyGiven)
        {
            auto index = ParseNumber(args[i + 1]);
            if (!index || *index < 0 || *index > 3)
                throw UsageError{};
            s.key = st::StationKey::Wep;
            s.wepIndex = static_cast<std::uint32_t>(*index);
            s.wepKey = wepKeyArgument(args[i + 2]);
            i += 2;
        }
        else
            throw UsageError{};
    }
    const std::string mac = machine::radio::FormatBssid(s.mac);
    if (!st::AddStation(m, id, s))
    {
        std::cerr << "vnmachine stations: " << mac << " is in range already\n";
        return 1;
    }
    const auto stations = st::ListStations(m, id);
    const auto it =
        std::find_if(stations.begin(), stations.end(),
                     [&](const st::StationStatus& x) { return x.station.mac == s.mac; });
    if (it != stations.end() && it->joined)
        std::cout << mac << " joined, AID " << unsigned(it->joined->aid) << "\n";
    else if (running(mp::LoadAdapterState(m, id)))
        std::cout << mac << " was turned away\n";
    else
        std::cout << mac << " waits for the access point\n";
    return 0;
}

int remove(const machine::Machine& m, const std::string& id, const Words& args)
{
    NeedWords(args, 1);
    const auto mac = macArgument(args[0]);
    if (st::RemoveStation(m, id, mac))
        return 0;
    std::cerr << "vnmachine stations: no station " << machine::radio::FormatBssid(mac)
              << " in range\n";
    return 1;
}

} // namespace

int RunStationsCommand(const Words& input)
{
    Words args = input;
    const std::string deviceId = TakeDeviceOption(args);
    // A command on the adapter --device chose (the first Tessaryn adapter by default).
    using Body = int (*)(const machine::Machine&, const std::string&, const Words&);
    auto onAdapter = [&deviceId](Body body) -> Handler
    {
        return [&deviceId, body](const Words& a)
        {
            auto d = AdapterNamed(deviceId);
            if (!d)
            {
                std::cerr << "vnmachine: no such adapter\n";
                return 1;
            }
            return body(machine::CurrentMachine(), d->netCfgInstanceId, a);
        };
    };
    const CommandTable table{
        .path = "vnmachine stations",
        .options = "[--device ID]",
        .commands =
            {
                {"list",
                 {},
                 "the stations in range, and which have joined the access point",
                 onAdapter(
                     [](const machine::Machine& m, const std::string& id, const Words& a)
                     {
                         NeedWords(a, 0);
                         return list(m, id);
                     })},
                {"add",
                 {"MAC [--power-save] [--passphrase TEXT | --wep-key INDEX HEX]"},
                 "a station comes in range and asks to join",
                 onAdapter(add),
                 "add: the station joins the running access point when its key matches what the\n"
                 "access point was given (any station joins an open one), else it is turned away;\n"
                 "it asks again each time the access point starts. TEXT: 8 to 63 characters, or\n"
                 "the key as 64 hex digits. INDEX: the driver's key index 0 to 3; HEX: 10 or 26\n"
                 "hex digits.\n"},
                {"remove", {"MAC"}, "the station leaves", onAdapter(remove)},
                {"clear",
                 {},
                 "every station leaves",
                 onAdapter(
                     [](const machine::Machine& m, const std::string& id, const Words& a)
                     {
                         NeedWords(a, 0);
                         st::ClearStations(m, id);
                         return 0;
                     })},
            },
        .fallback = "list",
        .notes = "MAC: six bytes in hex, \"02-5A-00-00-00-01\" (or with ':'). ID: the device's\n"
                 "number in `vnmachine devices`, its instance ID or its NetCfgInstanceId.\n",
    };
    return table.run(args);
}
