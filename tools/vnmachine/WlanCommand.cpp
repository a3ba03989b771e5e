#include "tools/vnmachine/WlanCommand.h"

#include "machine/AsciiCase.h"
#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "machine/MachineClock.h"
#include "machine/radio/Network.h"
#include "machine/radio/RadioStore.h"
#include "machine/wlan/ServiceState.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/JsonOutput.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <iostream>
#include <map>
#include <optional>
#include <thread>

namespace wlan = machine::wlan;
namespace radio = machine::radio;

namespace
{

// The names a fault can be set on: the calls the service answers.
const char* const kCalls[] = {
    "WlanOpenHandle",
    "WlanCloseHandle",
    "WlanEnumInterfaces",
    "WlanScan",
    "WlanGetAvailableNetworkList",
    "WlanGetNetworkBssList",
    "WlanQueryInterface",
    "WlanSetInterface",
    "WlanGetInterfaceCapability",
    "WlanConnect",
    "WlanDisconnect",
    "WlanSetProfile",
    "WlanGetProfile",
    "WlanDeleteProfile",
    "WlanGetProfileList",
    "WlanRegisterNotification",
    "WlanUIEditProfile",
    "scan",
};

const std::map<std::string, std::uint32_t>& ErrorNames()
{
    static const std::map<std::string, std::uint32_t> names = {
        {"ERROR_ACCESS_DENIED", 5},
        {"ERROR_INVALID_HANDLE", 6},
        {"ERROR_NOT_ENOUGH_MEMORY", 8},
        {"ERROR_GEN_FAILURE", 31},
        {"ERROR_NOT_SUPPORTED", 50},
        {"ERROR_INVALID_PARAMETER", 87},
        {"ERROR_ALREADY_EXISTS", 183},
        {"ERROR_SERVICE_NOT_ACTIVE", 1062},
        {"ERROR_NOT_FOUND", 1168},
        {"ERROR_BAD_PROFILE", 1206},
        {"ERROR_NDIS_DOT11_POWER_STATE_INVALID", 0x80342002u},
        {"ERROR_INVALID_STATE", 5023},
    };
    return names;
}

// A whole number, decimal or with 0x in hexadecimal, within 32 bits.
std::optional<std::uint32_t> ParseValue(const std::string& text)
{
    if (text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0)
        return text.size() > 2 ? ParseCode(text) : std::nullopt;
    auto n = ParseNumber(text);
    if (!n || *n < 0 || *n > 0xFFFFFFFFl || text.empty() || text[0] == '+')
        return std::nullopt;
    return static_cast<std::uint32_t>(*n);
}

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in capitals; braces may be left out.
std::optional<std::string> ParseGuid(std::string text)
{
    if (text.size() == 36)
        text = "{" + text + "}";
    if (text.size() != 38 || text.front() != '{' || text.back() != '}')
        return std::nullopt;
    for (std::size_t i = 1; i < 37; ++i)
    {
        bool dash = i == 9 || i == 14 || i == 19 || i == 24;
        if (dash ? text[i] != '-' : !std::isxdigit(static_cast<unsigned char>(text[i])))
            return std::nullopt;
        text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    }
    return text;
}

const char* StateName(std::uint32_t state)
{
    static const char* const names[] = {"not ready",     "connected",     "ad hoc network formed",
                                        "disconnecting", "disconnected",  "associating",
                                        "discovering",   "authenticating"};
    return state < 8 ? names[state] : "unknown";
}

std::string PhyName(std::uint32_t phy)
{
    switch (phy)
    {
    case radio::kPhyOfdm:
        return "a";
    case radio::kPhyHrDsss:
        return "b";
    case radio::kPhyErp:
        return "g";
    case radio::kPhyHt:
        return "n";
    default:
        return "type " + std::to_string(phy);
    }
}

std::string RadioName(std::uint32_t state)
{
    return state == 1 ? "on" : state == 2 ? "off" : "unknown";
}

std::string SecurityText(const wlan::Security& s)
{
    static const std::map<std::uint32_t, std::string> auths = {
        {1, "open"},     {2, "shared"}, {3, "WPA"},     {4, "WPA-PSK"},
        {5, "WPA-None"}, {6, "WPA2"},   {7, "WPA2-PSK"}};
    static const std::map<std::uint32_t, std::string> ciphers = {
        {0, "none"}, {1, "WEP-40"}, {2, "TKIP"}, {4, "AES"}, {5, "WEP-104"}, {0x101, "WEP"}};
    auto a = auths.find(s.auth);
    auto c = ciphers.find(s.cipher);
    std::string text = (a != auths.end() ? a->second : "auth " + std::to_string(s.auth)) + " " +
                       (c != ciphers.end() ? c->second : "cipher " + std::to_string(s.cipher));
    if (s.oneX)
        text += " 802.1X";
    return text;
}

std::string Quoted(const std::string& ssid)
{
    return "\"" + radio::EscapeSsid(ssid) + "\"";
}

std::string FaultText(const wlan::ServiceSettings::Fault& f)
{
    return f.call + " -> " + std::to_string(f.error) + " (" +
           (f.times < 0 ? std::string("always") : std::to_string(f.times) + " more") + ")";
}

void PrintInterface(const machine::Machine& m, const wlan::InterfaceInfo& info)
{
    std::cout << "interface " << info.guid << "\n"
              << "  description  " << info.description << "\n"
              << "  state        " << StateName(info.state) << " (" << info.state << ")\n";
    auto radioState = wlan::RadioState(m, info.guid);
    for (std::size_t k = 0; k < radioState.size(); ++k)
        std::cout << (k == 0 ? "  radio        " : "               ") << "phy " << k << " "
                  << (k < info.phyTypes.size() ? PhyName(info.phyTypes[k]) : "?") << ": software "
                  << RadioName(radioState[k].software) << ", hardware "
                  << RadioName(radioState[k].hardware) << "\n";
    auto c = wlan::CurrentConnection(m, info.guid);
    if (!c)
    {
        std::cout << "  connection   none\n";
        return;
    }
    std::cout << "  connection   " << Quoted(c->ssid) << " " << radio::FormatBssid(c->bssid)
              << (c->bssType == radio::kIndependent ? " ad hoc" : "") << " phy "
              << PhyName(c->phyType) << " (index " << c->phyIndex << ")\n"
              << "               signal " << c->rssi << " dBm, quality " << c->quality << "%, rate "
              << c->rateKbps / 1000 << " Mbps\n"
              << "               security " << SecurityText(c->security) << "\n"
              << "               "
              << (c->mode == 0 ? "profile \"" + c->profileName + "\""
                               : "discovery (mode " + std::to_string(c->mode) + ")")
              << "\n";
}

struct Target
{
    std::string guid; // empty: every interface
};

// The interface --interface names, as the service lists it; nullopt when none matches.
std::optional<std::string> FindInterface(const machine::Machine& m, const std::string& text)
{
    auto guid = ParseGuid(text);
    if (!guid)
        return std::nullopt;
    for (const auto& g : wlan::InterfaceGuids(m))
        if (machine::EqualNoCase(g, *guid))
            return g;
    return std::nullopt;
}

std::vector<std::string> Interfaces(const machine::Machine& m, const Target& t)
{
    if (!t.guid.empty())
        return {t.guid};
    return wlan::InterfaceGuids(m);
}

int NoInterface()
{
    std::cerr << "vnmachine: the machine has no WLAN interface\n";
    return 1;
}

nlohmann::json StatusJson(const machine::Machine& m, const Target& t,
                          const wlan::ServiceSettings& s)
{
    nlohmann::json interfaces = nlohmann::json::array();
    for (const auto& info : wlan::ListInterfaces(m))
    {
        if (!t.guid.empty() && info.guid != t.guid)
            continue;
        nlohmann::json one = {{"guid", info.guid},
                              {"description", info.description},
                              {"state", StateName(info.state)},
                              {"state_code", info.state}};
        if (auto c = wlan::CurrentConnection(m, info.guid))
        {
            nlohmann::json link = {
                {"ssid", radio::EscapeSsid(c->ssid)},
                {"bssid", radio::FormatBssid(c->bssid)},
                {"bss_type", c->bssType == radio::kIndependent ? "ad hoc" : "infrastructure"},
                {"rssi", c->rssi},
                {"quality", c->quality},
                {"rate_kbps", c->rateKbps},
                {"security", SecurityText(c->security)},
                {"mode", c->mode}};
            if (c->mode == 0)
                link["profile"] = c->profileName;
            one["connection"] = std::move(link);
        }
        interfaces.push_back(std::move(one));
    }
    return {{"service_running", wlan::IsServiceRunning(m)},
            {"scan_delay_ms", s.scanDelay},
            {"connect_delay_ms", s.connectDelay},
            {"interfaces", interfaces}};
}

int Status(const machine::Machine& m, const Target& t, const Words& args)
{
    NeedWords(args, 0);
    wlan::ServiceSettings s = wlan::ReadServiceSettings(m);
    if (JsonOutput())
    {
        PrintJson(StatusJson(m, t, s));
        return 0;
    }
    std::cout << "service " << (wlan::IsServiceRunning(m) ? "running" : "stopped")
              << "\nscan delay " << s.scanDelay << " ms, connect delay " << s.connectDelay
              << " ms\n";
    for (const auto& f : s.faults)
        std::cout << "fault " << FaultText(f) << "\n";
    auto list = wlan::ListInterfaces(m);
    bool any = false;
    for (const auto& info : list)
        if (t.guid.empty() || info.guid == t.guid)
        {
            PrintInterface(m, info);
            any = true;
        }
    if (!any)
        std::cout << "no WLAN interfaces\n";
    return 0;
}

int Profiles(const machine::Machine& m, const Target& t, const Words& args)
{
    NeedWords(args, 0);
    auto guids = Interfaces(m, t);
    if (guids.empty())
        return NoInterface();
    for (const auto& g : guids)
    {
        std::cout << "interface " << g << "\n";
        auto list = wlan::ListProfiles(m, g);
        if (list.empty())
            std::cout << "  no profiles\n";
        for (const auto& p : list)
            std::cout << "  \"" << p.name << "\"  " << (p.user ? "per user" : "all users") << "\n";
    }
    return 0;
}

// Stores a profile document from a file on the first interface (or --interface's), replacing
// one of the same name, as an all-users profile.
int AddProfile(const machine::Machine& m, const Target& t, const std::string& file)
{
    auto xml = machine::ReadWholeFile(file);
    if (!xml)
    {
        std::cerr << "vnmachine: cannot read " << file << "\n";
        return 1;
    }
    auto interfaces = Interfaces(m, t);
    if (interfaces.empty())
        return NoInterface();
    std::uint32_t reason = 0;
    if (std::uint32_t error = wlan::SetProfile(m, interfaces.front(), *xml, false, true, reason))
    {
        std::cerr << "vnmachine: the profile was refused (error " << error << ", reason " << reason
                  << ")\n";
        return 1;
    }
    return 0;
}

// The stored document as it is, byte for byte, so that it can be saved to a file.
int ShowProfile(const machine::Machine& m, const Target& t, const Words& args)
{
    if (args.size() == 2 && args[0] == "add")
        return AddProfile(m, t, args[1]);
    NeedWords(args, 1);
    const std::string& name = args[0];
    for (const auto& g : Interfaces(m, t))
        if (auto p = wlan::GetProfile(m, g, name))
        {
            std::cout << p->xml;
            return 0;
        }
    std::cerr << "vnmachine: no profile \"" << name << "\"\n";
    return 1;
}

int Fail(const machine::Machine& m, const Target&, const Words& args)
{
    NeedWords(args, 1, kAnyMoreWords);
    const std::string& call = args[0];
    if (std::find(std::begin(kCalls), std::end(kCalls), call) == std::end(kCalls))
    {
        std::cerr << "vnmachine: no call '" << call << "'\n";
        throw UsageError{};
    }
    std::uint32_t error = 31;
    int times = -1;
    bool haveError = false;
    for (std::size_t i = 1; i < args.size(); ++i)
    {
        if (args[i] == "--times" && i + 1 < args.size())
        {
            auto n = ParseTimes(args[++i], 1, 999999);
            if (!n)
                throw UsageError{};
            times = *n;
        }
        else if (!haveError)
        {
            auto named = ErrorNames().find(args[i]);
            auto value =
                named != ErrorNames().end() ? std::optional(named->second) : ParseValue(args[i]);
            // A failure with code 0 would read as success.
            if (!value || *value == 0)
                throw UsageError{};
            error = *value;
            haveError = true;
        }
        else
            throw UsageError{};
    }
    wlan::InjectCallFailure(m, call, error, times);
    std::cout << call << " fails with " << error << ", "
              << (times < 0 ? std::string("always")
                            : std::to_string(times) + (times == 1 ? " time" : " times"))
              << "\n";
    return 0;
}

int HardwareRadio(const machine::Machine& m, const Target& t, const Words& args)
{
    NeedWords(args, 1);
    const bool on = Needed(ParseOnOff(args[0]));
    if (wlan::InterfaceGuids(m).empty())
        return NoInterface();
    wlan::SetHardwareRadio(m, t.guid, on);
    return 0;
}

int Radio(const machine::Machine& m, const Target& t, const Words& args)
{
    NeedWords(args, 1, 2);
    const bool on = Needed(ParseOnOff(args[0]));
    int phy = -1;
    if (args.size() == 2)
    {
        auto n = ParseNumber(args[1]);
        if (!n || *n < 0 || *n > 63)
            throw UsageError{};
        phy = static_cast<int>(*n);
    }
    if (wlan::InterfaceGuids(m).empty())
        return NoInterface();
    if (!wlan::SetSoftwareRadio(m, t.guid, phy, on))
    {
        std::cerr << "vnmachine: no PHY " << args[1] << "\n";
        return 1;
    }
    return 0;
}

int Notify(const machine::Machine& m, const Target& t, const Words& args)
{
    NeedWords(args, 2, kAnyMoreWords);
    static const std::map<std::string, std::uint32_t> sources = {{"none", 0},        {"onex", 0x04},
                                                                 {"acm", 0x08},      {"msm", 0x10},
                                                                 {"security", 0x20}, {"ihv", 0x40}};
    auto named = sources.find(args[0]);
    auto source = named != sources.end() ? std::optional(named->second) : ParseValue(args[0]);
    auto code = ParseValue(args[1]);
    if (!source || !code)
        throw UsageError{};
    std::string guid = t.guid;
    std::vector<std::uint8_t> data;
    for (std::size_t i = 2; i < args.size(); i += 2)
    {
        if (i + 1 >= args.size())
            throw UsageError{};
        if (args[i] == "--guid")
        {
            // Any GUID, so that a notification for another interface can be sent.
            auto g = ParseGuid(args[i + 1]);
            if (!g)
                throw UsageError{};
            guid = *g;
        }
        else if (args[i] == "--data")
        {
            auto bytes = radio::FromHex(args[i + 1]);
            if (!bytes)
                throw UsageError{};
            data = *bytes;
        }
        else
            throw UsageError{};
    }
    if (guid.empty())
    {
        auto guids = wlan::InterfaceGuids(m);
        if (guids.empty())
            return NoInterface();
        guid = guids.front();
    }
    wlan::RaiseNotification(m, *source, *code, guid, data);
    return 0;
}

// The outcome the service journaled for a connect on `guid` after `seq`: connection_complete or
// connection_attempt_fail, with the machine time it falls due; nullopt before there is one.
std::optional<wlan::Notification> ConnectOutcome(const machine::Machine& m, const std::string& guid,
                                                 std::uint64_t seq)
{
    for (const auto& n : wlan::NotificationsAfter(m, seq))
        if (n.guid == guid && n.source == wlan::kSourceAcm &&
            (n.code == wlan::kAcmConnectionComplete || n.code == wlan::kAcmConnectionAttemptFail))
            return n;
    return std::nullopt;
}

// Waits until the connect's outcome falls due, at most `timeoutMs`, and reports it.
int AwaitConnect(const machine::Machine& m, const std::string& guid, std::uint64_t seq,
                 std::uint64_t timeoutMs)
{
    auto outcome = ConnectOutcome(m, guid, seq);
    if (!outcome)
    {
        std::cerr << "vnmachine: the service gave no outcome for the connect\n";
        return 1;
    }
    // The outcome is journaled when the connect starts: sleep until it is due, no longer.
    const std::uint64_t now = machine::MachineNow();
    const std::uint64_t wait = outcome->due > now ? outcome->due - now : 0;
    if (wait > timeoutMs)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(timeoutMs));
        std::cerr << "vnmachine: no outcome within " << timeoutMs / 1000.0 << " s\n";
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    wlan::Pump(m);
    if (outcome->code != wlan::kAcmConnectionComplete)
    {
        std::cerr << "vnmachine: the connect failed: the network did not accept it\n";
        return 1;
    }
    auto c = wlan::CurrentConnection(m, guid);
    std::cout << "connected to " << Quoted(c ? c->ssid : std::string()) << "\n";
    return 0;
}

// A connection made from outside the programs, as the platform's own connection tools would:
// to a network by SSID (secured or not, as it offers), or by a stored profile. It waits for the
// outcome unless told not to.
int Connect(const machine::Machine& m, const Target& t, const Words& input)
{
    Words args;
    std::uint64_t timeoutMs = 10000;
    bool wait = true;
    for (std::size_t i = 0; i < input.size(); ++i)
        if (input[i] == "--timeout" && i + 1 < input.size())
            timeoutMs = static_cast<std::uint64_t>(
                NeedNumber(input[++i], 0, 86400, "--timeout SECONDS") * 1000);
        else if (input[i] == "--no-wait")
            wait = false;
        else
            args.push_back(input[i]);
    wlan::ConnectRequest request;
    request.bssType = 3;
    if (args.size() == 2 && args[0] == "--profile")
    {
        request.mode = 0;
        request.profileName = args[1];
    }
    else if (args.size() == 1)
    {
        auto ssid = radio::UnescapeSsid(args[0]);
        if (!ssid || ssid->empty())
        {
            std::cerr << "vnmachine: an SSID holds 1 to 32 bytes\n";
            return 1;
        }
        bool inRange = false;
        bool secured = false;
        for (const radio::Network& n : radio::LoadNetworks(m))
            if (n.ssid == *ssid)
            {
                inRange = true;
                secured = secured || (n.capability & radio::kCapPrivacy) != 0;
            }
        // Refused before the service is asked, so the link there is stays up.
        if (!inRange)
        {
            std::cerr << "vnmachine: no network " << Quoted(*ssid) << " in range\n";
            return 1;
        }
        request.mode = secured ? 2 : 3;
        request.ssid = *ssid;
    }
    else
        throw UsageError{args.empty() ? "missing SSID"
                                      : "unexpected argument '" + args.back() + "'"};
    auto interfaces = Interfaces(m, t);
    if (interfaces.empty())
        return NoInterface();
    const std::uint64_t seq = wlan::LastNotificationSeq(m);
    if (std::uint32_t error = wlan::Connect(m, interfaces.front(), request))
    {
        std::cerr << "vnmachine: the connect failed (" << error << ")\n";
        return 1;
    }
    return wait ? AwaitConnect(m, interfaces.front(), seq, timeoutMs) : 0;
}

int Secret(const machine::Machine& m, const Target&, const Words& args)
{
    NeedWords(args, 2);
    std::string key = args[0];
    // An SSID is written as the networks command writes it, \xHH for any byte.
    if (!radio::ParseBssid(key))
    {
        auto ssid = radio::UnescapeSsid(key);
        if (!ssid || ssid->empty())
        {
            std::cerr << "vnmachine: an SSID holds 1 to 32 bytes\n";
            return 1;
        }
        key = *ssid;
    }
    wlan::SetNetworkSecret(m, key, args[1]);
    return 0;
}

int Log(const machine::Machine& m, const Target&, const Words& args)
{
    NeedWords(args, 0);
    if (JsonOutput())
        PrintLogJson(m, {wlan::ServiceFolder(m) / "log.txt"});
    else
        std::cout << wlan::ReadLog(m);
    return 0;
}

// Up to a day of machine time.
std::uint64_t DelayArgument(const Words& args)
{
    NeedWords(args, 1);
    auto ms = ParseNumber(args[0]);
    if (!ms || *ms < 0 || *ms > 86400000)
        throw UsageError{};
    return static_cast<std::uint64_t>(*ms);
}

int ScanDelay(const machine::Machine& m, const Target&, const Words& args)
{
    wlan::SetScanDelay(m, DelayArgument(args));
    return 0;
}

int ConnectDelay(const machine::Machine& m, const Target&, const Words& args)
{
    wlan::SetConnectDelay(m, DelayArgument(args));
    return 0;
}

int ClearFaults(const machine::Machine& m, const Target&, const Words& args)
{
    NeedWords(args, 0);
    wlan::ClearCallFailures(m);
    return 0;
}

int Disconnect(const machine::Machine& m, const Target& t, const Words& args)
{
    NeedWords(args, 0);
    if (Interfaces(m, t).empty())
        return NoInterface();
    return wlan::DisconnectInterface(m, t.guid) ? 0 : 1;
}

int Roam(const machine::Machine& m, const Target& t, const Words& args)
{
    NeedWords(args, 0);
    if (Interfaces(m, t).empty())
        return NoInterface();
    wlan::Roam(m, t.guid);
    return 0;
}

using Body = int (*)(const machine::Machine&, const Target&, const Words&);

CommandTable WlanCommands(const Target& target)
{
    // The handlers see the interface --interface chose once the command runs.
    auto on = [&target](Body body) -> Handler {
        return [&target, body](const Words& a)
        { return body(machine::CurrentMachine(), target, a); };
    };
    return CommandTable{
        .path = "vnmachine wlan",
        .options = "[--interface GUID]",
        .commands =
            {
                {"status", {}, "the service, its delays and faults, every interface", on(Status)},
                {"profiles", {}, "the profiles of every interface", on(Profiles)},
                {"profile",
                 {"NAME", "add FILE"},
                 "the profile's document as stored (the first that holds it), or store one",
                 on(ShowProfile)},
                {"log", {}, "every call the service answered", on(Log)},
                {"scan-delay",
                 {"MS"},
                 "a scan completes after MS ms of machine time",
                 on(ScanDelay)},
                {"connect-delay", {"MS"}, "a connection completes after MS ms", on(ConnectDelay)},
                {"fail",
                 {"CALL [ERROR] [--times N|once|always]"},
                 "make a call fail",
                 on(Fail),
                 "CALL: a WLAN API function (WlanScan, WlanConnect, ...) or 'scan', the scan's\n"
                 "      own completion (it then ends in scan-fail).\n"
                 "ERROR: a number (0x for hex) or ERROR_ACCESS_DENIED, ERROR_INVALID_PARAMETER,\n"
                 "       ERROR_INVALID_HANDLE, ERROR_NOT_FOUND, ERROR_GEN_FAILURE, ...; default\n"
                 "       ERROR_GEN_FAILURE. --times defaults to always.\n"},
                {"clear-faults", {}, "no call fails any more", on(ClearFaults)},
                {"radio", {"on|off [PHY]"}, "switch the software radio (of one PHY)", on(Radio)},
                {"hardware-radio", {"on|off"}, "switch the hardware radio", on(HardwareRadio)},
                {"connect",
                 {"SSID [--timeout SECONDS] [--no-wait]",
                  "--profile NAME [--timeout SECONDS] [--no-wait]"},
                 "connect as the system's own tools would (the first interface)",
                 on(Connect),
                 "connect waits for the outcome (default 10 s) and exits 1 when the network does\n"
                 "        not accept the connect, or gives no outcome in time; an SSID not in\n"
                 "        range is refused, keeping the link there is.\n"},
                {"disconnect", {}, "end the connection", on(Disconnect)},
                {"roam", {}, "roam, staying on the network", on(Roam)},
                {"notify",
                 {"SOURCE CODE [--guid G] [--data HEX]"},
                 "send a notification (for the first interface)",
                 on(Notify),
                 "SOURCE: acm, msm, onex, security, ihv or a number. CODE: a number, e.g. acm 7\n"
                 "        scan complete, 8 scan fail, 10 connection complete, 13 interface\n"
                 "        arrival, 21 disconnected; msm 6 roaming end, 7 radio state change\n"
                 "        (data: PHY index, software and hardware state, 32 bits each,\n"
                 "        little-endian).\n"},
                {"secret", {"SSID|BSSID KEY"}, "set the key a secured network accepts", on(Secret)},
            },
        .fallback = "status",
        .notes = "Without --interface: every interface.\n",
    };
}

} // namespace

int RunWlanCommand(const Words& input)
{
    Words args = input;
    std::optional<std::string> chosen;
    if (args.size() >= 2 && args[0] == "--interface")
    {
        chosen = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    Target target;
    const CommandTable table = WlanCommands(target);
    // Help is given without looking at the machine.
    if (chosen && !table.asksForHelp(args))
    {
        auto guid = FindInterface(machine::CurrentMachine(), *chosen);
        if (!guid)
        {
            std::cerr << "vnmachine: no WLAN interface '" << *chosen << "'\n";
            if (ParseGuid(*chosen))
                return 1;
            table.printUsage(std::cerr);
            return 2;
        }
        target.guid = *guid;
    }
    return table.run(args);
}
