#include "machine/radio/RadioStore.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/MachineLock.h"
#include "machine/ParsedFile.h"
#include "machine/radio/DefaultNetworks.h"

#include <charconv>
#include <cstdio>

namespace machine::radio
{
namespace
{

template <typename T>
std::optional<T> number(const std::string& text, T least, T most, int base = 10)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (base == 16 && text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        first += 2;
    long long v = 0;
    auto [end, ec] = std::from_chars(first, last, v, base);
    if (ec != std::errc() || end != last || first == last || v < least || v > most)
        return std::nullopt;
    return static_cast<T>(v);
}

std::optional<std::uint32_t> phyNumber(const std::string& v)
{
    if (v == "a" || v == "A")
        return kPhyOfdm;
    if (v == "b" || v == "B")
        return kPhyHrDsss;
    if (v == "g" || v == "G")
        return kPhyErp;
    if (v == "n" || v == "N")
        return kPhyHt;
    return number<std::uint32_t>(v, 0, 0xFFFFFFFFu);
}

} // namespace

std::string EscapeSsid(const std::string& ssid)
{
    std::string out;
    for (unsigned char c : ssid)
    {
        if (c >= 0x20 && c <= 0x7E && c != '\\')
            out += static_cast<char>(c);
        else
        {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\x%02X", c);
            out += esc;
        }
    }
    return out;
}

std::optional<std::string> UnescapeSsid(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] != '\\')
        {
            out += text[i];
        }
        else
        {
            if (i + 4 > text.size())
                return std::nullopt;
            if (text[i + 1] != 'x')
                return std::nullopt;
            auto byte = FromHex(text.substr(i + 2, 2));
            if (!byte)
                return std::nullopt;
            out += static_cast<char>((*byte)[0]);
            i += 3;
        }
        if (out.size() > kMaxSsid)
            return std::nullopt;
    }
    return out;
}

bool SetNetworkField(Network& n, const std::string& field, const std::string& value)
{
    if (field == "ssid")
    {
        auto s = UnescapeSsid(value);
        if (!s)
            return false;
        n.ssid = *s;
        return true;
    }
    if (field == "bssid")
    {
        auto b = ParseBssid(value);
        if (!b)
            return false;
        n.bssid = *b;
        return true;
    }
    if (field == "channel")
    {
        auto c = number<std::uint32_t>(value, 1, 255);
        auto f = c ? ChannelFrequencyKhz(*c) : std::nullopt;
        if (!f)
            return false;
        n.channel = *c;
        n.frequencyKhz = *f;
        return true;
    }
    if (field == "frequency")
    {
        auto f = number<std::uint32_t>(value, 0, 0xFFFFFFFFu);
        if (!f)
            return false;
        n.frequencyKhz = *f;
        return true;
    }
    if (field == "rssi")
    {
        auto r = number<std::int32_t>(value, -128, 0);
        if (!r)
            return false;
        n.rssi = *r;
        return true;
    }
    if (field == "quality")
    {
        auto q = number<std::uint32_t>(value, 0, 100);
        if (!q)
            return false;
        n.linkQuality = *q;
        return true;
    }
    if (field == "phy")
    {
        auto p = phyNumber(value);
        if (!p)
            return false;
        n.phyType = *p;
        return true;
    }
    if (field == "bss")
    {
        std::optional<std::uint32_t> b;
        if (value == "infrastructure")
            b = kInfrastructure;
        else if (value == "adhoc")
            b = kIndependent;
        else
            b = number<std::uint32_t>(value, 0, 0xFFFFFFFFu);
        if (!b)
            return false;
        n.bssType = *b;
        return true;
    }
    if (field == "privacy")
    {
        if (value != "on" && value != "off")
            return false;
        n.capability = static_cast<std::uint16_t>(value == "on" ? n.capability | kCapPrivacy
                                                                : n.capability & ~kCapPrivacy);
        return true;
    }
    if (field == "capability")
    {
        auto c = number<std::uint16_t>(value, 0, 0xFFFF, 16);
        if (!c)
            return false;
        n.capability = *c;
        return true;
    }
    if (field == "beacon")
    {
        auto b = number<std::uint16_t>(value, 0, 0xFFFF);
        if (!b)
            return false;
        n.beaconPeriod = *b;
        return true;
    }
    if (field == "elements")
    {
        if (value.size() > 2 * kMaxElementBytes)
            return false;
        auto e = FromHex(value);
        if (!e)
            return false;
        n.elements = std::move(*e);
        return true;
    }
    return false;
}

std::string FormatNetworks(const std::vector<Network>& list)
{
    std::string out;
    for (const auto& n : list)
    {
        char cap[8];
        std::snprintf(cap, sizeof cap, "0x%04X", n.capability);
        out += "[network]\n";
        out += "ssid=" + EscapeSsid(n.ssid) + "\n";
        out += "bssid=" + FormatBssid(n.bssid) + "\n";
        out += "channel=" + std::to_string(n.channel) + "\n";
        out += "frequency=" + std::to_string(n.frequencyKhz) + "\n";
        out += "rssi=" + std::to_string(n.rssi) + "\n";
        out += "quality=" + std::to_string(n.linkQuality) + "\n";
        out += "phy=" + std::to_string(n.phyType) + "\n";
        out += "bss=" + std::to_string(n.bssType) + "\n";
        out += "capability=" + std::string(cap) + "\n";
        out += "beacon=" + std::to_string(n.beaconPeriod) + "\n";
        out += "elements=" + ToHex(n.elements) + "\n\n";
    }
    return out;
}

std::vector<Network> ParseNetworks(const std::string& text, std::vector<LineProblem>* problems)
{
    std::vector<Network> list;
    bool inBlock = false;
    bool dropped = false;
    std::size_t pos = 0;
    std::size_t lineNumber = 0;
    auto problem = [&](std::string what)
    {
        if (problems != nullptr)
            problems->push_back({lineNumber, std::move(what)});
    };
    while (pos < text.size())
    {
        ++lineNumber;
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "[network]")
        {
            if (dropped)
                list.pop_back();
            list.emplace_back();
            inBlock = true;
            dropped = false;
            continue;
        }
        if (!line.empty() && line[0] == '[')
        {
            // A block of some other kind: its lines belong to nothing here.
            if (dropped)
                list.pop_back();
            inBlock = dropped = false;
            continue;
        }
        auto eq = line.find('=');
        if (!inBlock || eq == std::string::npos)
        {
            if (line.find_first_not_of(" \t") != std::string::npos && line[0] != '#')
                problem(inBlock ? "a line without \"=\"" : "a line outside of a [network] block");
            continue;
        }
        std::string field = line.substr(0, eq);
        if (field == "channel")
        {
            // The channel alone; the frequency line that follows says where it is.
            if (auto c = number<std::uint32_t>(line.substr(eq + 1), 0, 0xFFFFFFFFu))
                list.back().channel = *c;
            else
                problem("channel \"" + line.substr(eq + 1) + "\" is not a channel number");
            continue;
        }
        if (!SetNetworkField(list.back(), field, line.substr(eq + 1)))
        {
            problem("\"" + field + "\" does not take \"" + line.substr(eq + 1) + "\"");
            if (field == "ssid" || field == "bssid")
                dropped = true; // a network without its name or address is none
        }
    }
    if (dropped)
        list.pop_back();
    return list;
}

std::filesystem::path NetworksPath(const Machine& machine)
{
    return machine.root() / "radio" / "networks.txt";
}

std::vector<Network> LoadNetworks(const Machine& machine)
{
    static ParsedFile<std::vector<Network>> kept;
    auto list = kept.loadText(NetworksPath(machine),
                              [](const std::string& text) { return ParseNetworks(text); });
    return list ? std::move(*list) : DefaultNetworks();
}

bool SaveNetworks(const Machine& machine, const std::vector<Network>& list)
{
    std::error_code ec;
    machine::CreateFolders(NetworksPath(machine).parent_path(), ec);
    return WriteFileAtomically(NetworksPath(machine), FormatNetworks(list), FileAccess::Everyone);
}

bool ChangeNetworks(const Machine& machine,
                    const std::function<bool(std::vector<Network>&)>& change)
{
    MachineLock lock(machine);
    auto list = LoadNetworks(machine);
    if (!change(list))
        return false;
    return SaveNetworks(machine, list);
}

Network* FindNetwork(std::vector<Network>& list, const std::string& ssidOrBssid)
{
    if (auto b = ParseBssid(ssidOrBssid))
    {
        for (auto& n : list)
            if (n.bssid == *b)
                return &n;
    }
    for (auto& n : list)
        if (n.ssid == ssidOrBssid)
            return &n;
    return nullptr;
}

} // namespace machine::radio
