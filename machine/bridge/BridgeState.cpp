#include "machine/bridge/BridgeState.h"

#include "machine/AsciiCase.h"
#include "machine/SettingsFile.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace machine::bridge
{
namespace
{

const SettingsFile<BridgeState> kStateFile{"bridge/state.txt", FormatBridgeState, ParseBridgeState};

struct Named
{
    std::uint32_t code;
    const char* name;
};
constexpr Named kNames[] = {
    {kVersionRequest, "VERSION"},
    {kSwitchRequest, "SWITCH"},
    {kStateRequest, "STATE"},
};

bool readFlag(std::istream& words, bool& flag)
{
    int value = 0;
    if (!(words >> value) || (value != 0 && value != 1))
        return false;
    flag = value == 1;
    return true;
}

// A failed read leaves the number as it was.
void readNumber(std::istream& words, std::uint32_t& number)
{
    if (std::uint32_t value = 0; words >> value)
        number = value;
}

} // namespace

std::string RequestName(std::uint32_t code)
{
    for (const Named& n : kNames)
        if (n.code == code)
            return n.name;
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", code);
    return text;
}

std::optional<std::uint32_t> ParseRequestName(const std::string& text)
{
    for (const Named& n : kNames)
        if (EqualNoCase(text, n.name))
            return n.code;
    std::string digits =
        text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0 ? text.substr(2) : text;
    if (digits.empty() || digits.size() > 8 ||
        digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    return static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16));
}

bool AnswersPending(const BridgeState& state, std::uint32_t code)
{
    return state.pendingAll || std::find(state.pendingCodes.begin(), state.pendingCodes.end(),
                                         code) != state.pendingCodes.end();
}

std::string FormatBridgeState(const BridgeState& s)
{
    std::ostringstream out;
    out << "present " << s.present << "\nversion " << s.version << "\nbridging " << s.bridging
        << "\npending";
    if (s.pendingAll)
        out << " all";
    for (std::uint32_t code : s.pendingCodes)
        out << " " << RequestName(code);
    out << "\nrefuse-delete-on-close " << s.refuseDeleteOnClose << "\nopened " << s.opened << "\n";
    return out.str();
}

BridgeState ParseBridgeState(const std::string& text)
{
    BridgeState s;
    ForEachSetting(text,
                   [&](const std::string& keyword, std::istream& words)
                   {
                       if (keyword == "present")
                           readFlag(words, s.present);
                       else if (keyword == "version")
                           readNumber(words, s.version);
                       else if (keyword == "bridging")
                           readFlag(words, s.bridging);
                       else if (keyword == "refuse-delete-on-close")
                           readFlag(words, s.refuseDeleteOnClose);
                       else if (keyword == "opened")
                           readNumber(words, s.opened);
                       else if (keyword == "pending")
                           for (std::string word; words >> word;)
                           {
                               if (word == "all")
                                   s.pendingAll = true;
                               else if (auto code = ParseRequestName(word))
                                   s.pendingCodes.push_back(*code);
                           }
                   });
    return s;
}

BridgeState LoadBridge(const Machine& machine)
{
    MachineLock lock(machine);
    return kStateFile.Load(machine);
}

bool SaveBridge(const Machine& machine, const BridgeState& state)
{
    MachineLock lock(machine);
    return kStateFile.Save(machine, state);
}

void ChangeBridge(const Machine& machine, const std::function<void(BridgeState&)>& change)
{
    kStateFile.Change(machine, change);
}

} // namespace machine::bridge
