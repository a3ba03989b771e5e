#include "tools/vnmachine/WlanCommand.h"

#include "machine/AsciiCase.h"
#include "machine/Machine.h"
#include "machine/radio/Network.h"
#include "machine/radio/RadioStore.h"
#include "machine/wlan/WlanControl.h"
#include "machine/wlan/WlanService.h"
#include "tools/vnmachine/Arguments.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <iostream>
#include <map>
#include <optional>

namespace wlan = machine::wlan;
namespace radio = machine::radio;

namespace
{

int usage()
{
    std::cerr
        << "usage: vnmachine wlan [--interface GUID] status\n"
           "       vnmachine wlan [--interface GUID] profiles | profile NAME\n"
           "       vnmachine wlan log\n"
           "       vnmachine wlan scan-delay MS | connect-delay MS\n"
           "       vnmachine wlan fail CALL [ERROR] [--times N|once|always] | clear-faults\n"
           "       vnmachine wlan [--interface GUID] radio on|off [PHY]\n"
           "       vnmachine wlan [--interface GUID] hardware-radio on|off\n"
           "       vnmachine wlan [--interface GUID] connect SSID | connect --profile NAME\n"
           "       vnmachine wlan [--interface GUID] disconnect | roam\n"
           "       vnmachine wlan [--interface GUID] notify SOURCE CODE [--guid G] [--data HEX]\n"
           "       vnmachine wlan secret SSID|BSSID KEY\n"
           "Without --interface: every interface (profile NAME: the first that holds it; notify:\n"
           "the first interface).\n"
           "CALL: a WLAN API function (WlanScan, WlanConnect, ...) or 'scan', the scan's own\n"
           "      completion (it then ends in scan-fail).\n"
           "ERROR: a number (0x for hex) or ERROR_ACCESS_DENIED, ERROR_INVALID_PARAMETER,\n"
           "       ERROR_INVALID_HANDLE, ERROR_NOT_FOUND, ERROR_GEN_FAILURE, ...; default\n"
           "       ERROR_GEN_FAILURE. --times defaults to always.\n"
           "SOURCE: acm, msm, onex, security, ihv or a number. CODE: a number, e.g. acm 7 scan\n"
           "        complete, 8 scan fail, 10 connection complete, 13 interface arrival,\n"
           "        21 disconnected; msm 6 roaming end, 7 radio state change (data: PHY index,\n"
           "        software and hardware state, 32 bits each, little-endian).\n";
    return 2;
}

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

int Status(const machine::Machine& m, const Target& t)
{
    wlan::ServiceSettings s = wlan::ReadServiceSettings(m);
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

int Profiles(const machine::Machine& m, const Target& t)
{
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

// The stored document as it is, byte for byte, so that it can be saved to a file.
int ShowProfile(const machine::Machine& m, const Target& t, const std::string& name)
{
    for (const auto& g : Interfaces(m, t))
        if (auto p = wlan::GetProfile(m, g, name))
        {
            std::cout << p->xml;
            return 0;
        }
    std::cerr << "vnmachine: no profile \"" << name << "\"\n";
    return 1;
}

int Fail(const machine::Machine& m, const std::vector<std::string>& args)
{
    if (args.size() < 2)
        return usage();
    const std::string& call = args[1];
    if (std::find(std::begin(kCalls), std::end(kCalls), call) == std::end(kCalls))
    {
        std::cerr << "vnmachine: no call '" << call << "'\n";
        return usage();
    }
    std::uint32_t error = 31;
    int times = -1;
    bool haveError = false;
    for (std::size_t i = 2; i < args.size(); ++i)
    {
        if (args[i] == "--times" && i + 1 < args.size())
        {
            auto n = ParseTimes(args[++i], 1, 999999);
            if (!n)
                return usage();
            times = *n;
        }
        else if (!haveError)
        {
            auto named = ErrorNames().find(args[i]);
            auto value =
                named != ErrorNames().end() ? std::optional(named->second) : ParseValue(args[i]);
            // A failure with code 0 would read as success.
            if (!value || *value == 0)
                return usage();
            error = *value;
            haveError = true;
        }
        else
            return usage();
    }
    wlan::InjectCallFailure(m, call, error, times);
    std::cout << call << " fails with " << error << ", "
              << (times < 0 ? std::string("always")
                            : std::to_string(times) + (times == 1 ? " time" : " times"))
              << "\n";
    return 0;
}

std::optional<bool> OnOff(const std::string& text)
{
    if (text == "on")
        return true;
    if (text == "off")
        return false;
    return std::nullopt;
}

int Radio(const machine::Machine& m, const Target& t, const std::vector<std::string>& args)
{
    if (args.size() < 2 || args.size() > 3)
        return usage();
    auto on = OnOff(args[1]);
    if (!on)
        return usage();
    if (wlan::InterfaceGuids(m).empty())
        return NoInterface();
    if (args[0] == "hardware-radio")
    {
        if (args.size() != 2)
            return usage();
        wlan::SetHardwareRadio(m, t.guid, *on);
        return 0;
    }
    int phy = -1;
    if (args.size() == 3)
    {
        auto n = ParseNumber(args[2]);
        if (!n || *n < 0 || *n > 63)
            return usage();
        phy = static_cast<int>(*n);
    }
    if (!wlan::SetSoftwareRadio(m, t.guid, phy, *on))
    {
        std::cerr << "vnmachine: no PHY " << args[2] << "\n";
        return 1;
    }
    return 0;
}

int Notify(const machine::Machine& m, const Target& t, const std::vector<std::string>& args)
{
    if (args.size() < 3)
        return usage();
    static const std::map<std::string, std::uint32_t> sources = {{"none", 0},        {"onex", 0x04},
                                                                 {"acm", 0x08},      {"msm", 0x10},
                                                                 {"security", 0x20}, {"ihv", 0x40}};
    auto named = sources.find(args[1]);
    auto source = named != sources.end() ? std::optional(named->second) : ParseValue(args[1]);
    auto code = ParseValue(args[2]);
    if (!source || !code)
        return usage();
    std::string guid = t.guid;
    std::vector<std::uint8_t> data;
    for (std::size_t i = 3; i < args.size(); i += 2)
    {
        if (i + 1 >= args.size())
            return usage();
        if (args[i] == "--guid")
        {
            // Any GUID, so that a notification for another interface can be sent.
            auto g = ParseGuid(args[i + 1]);
            if (!g)
                return usage();
            guid = *g;
        }
        else if (args[i] == "--data")
        {
            auto bytes = radio::FromHex(args[i + 1]);
            if (!bytes)
                return usage();
            data = *bytes;
        }
        else
            return usage();
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

// A connection made from outside the programs, as the platform's own connection tools would:
// to a network by SSID (secured or not, as it offers), or by a stored profile.
int Connect(const machine::Machine& m, const Target& t, const std::vector<std::string>& args)
{
    wlan::ConnectRequest request;
    request.bssType = 3;
    if (args.size() == 3 && args[1] == "--profile")
    {
        request.mode = 0;
        request.profileName = args[2];
    }
    else if (args.size() == 2)
    {
        auto ssid = radio::UnescapeSsid(args[1]);
        if (!ssid || ssid->empty())
        {
            std::cerr << "vnmachine: an SSID holds 1 to 32 bytes\n";
            return 1;
        }
        bool secured = false;
        for (const radio::Network& n : radio::LoadNetworks(m))
            if (n.ssid == *ssid)
                secured = secured || (n.capability & radio::kCapPrivacy) != 0;
        request.mode = secured ? 2 : 3;
        request.ssid = *ssid;
    }
    else
        return usage();
    auto interfaces = Interfaces(m, t);
    if (interfaces.empty())
        return NoInterface();
    if (std::uint32_t error = wlan::Connect(m, interfaces.front(), request))
    {
        std::cerr << "vnmachine: the connect failed (" << error << ")\n";
        return 1;
    }
    return 0;
}

int Secret(const machine::Machine& m, const std::vector<std::string>& args)
{
    if (args.size() != 3)
        return usage();
    std::string key = args[1];
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
    wlan::SetNetworkSecret(m, key, args[2]);
    return 0;
}

} // namespace

int RunWlanCommand(const std::vector<std::string>& input)
{
    std::vector<std::string> args = input;
    const machine::Machine& m = machine::CurrentMachine();
    Target target;
    if (args.size() >= 2 && args[0] == "--interface")
    {
        auto guid = FindInterface(m, args[1]);
        if (!guid)
        {
            std::cerr << "vnmachine: no WLAN interface '" << args[1] << "'\n";
            return ParseGuid(args[1]) ? 1 : usage();
        }
        target.guid = *guid;
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty())
        return Status(m, target);
    const std::string& verb = args[0];
    if (verb == "help" && args.size() == 1)
    {
        usage();
        return 0;
    }
    if (verb == "status" && args.size() == 1)
        return Status(m, target);
    if (verb == "profiles" && args.size() == 1)
        return Profiles(m, target);
    if (verb == "profile" && args.size() == 2)
        return ShowProfile(m, target, args[1]);
    if (verb == "log" && args.size() == 1)
    {
        std::cout << wlan::ReadLog(m);
        return 0;
    }
    if ((verb == "scan-delay" || verb == "connect-delay") && args.size() == 2)
    {
        // Up to a day of machine time.
        auto ms = ParseNumber(args[1]);
        if (!ms || *ms < 0 || *ms > 86400000)
            return usage();
        if (verb == "scan-delay")
            wlan::SetScanDelay(m, static_cast<std::uint64_t>(*ms));
        else
            wlan::SetConnectDelay(m, static_cast<std::uint64_t>(*ms));
        return 0;
    }
    if (verb == "fail")
        return Fail(m, args);
    if (verb == "clear-faults" && args.size() == 1)
    {
        wlan::ClearCallFailures(m);
        return 0;
    }
    if (verb == "radio" || verb == "hardware-radio")
        return Radio(m, target, args);
    if (verb == "connect")
        return Connect(m, target, args);
    if ((verb == "disconnect" || verb == "roam") && args.size() == 1)
    {
        if (Interfaces(m, target).empty())
            return NoInterface();
        if (verb == "roam")
            wlan::Roam(m, target.guid);
        else if (!wlan::DisconnectInterface(m, target.guid))
            return 1;
        return 0;
    }
    if (verb == "notify")
        return Notify(m, target, args);
    if (verb == "secret")
        return Secret(m, args);
    return usage();
}
