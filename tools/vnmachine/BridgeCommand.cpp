#include "tools/vnmachine/BridgeCommand.h"

#include "machine/Machine.h"
#include "machine/bridge/BridgeLog.h"
#include "machine/bridge/BridgeState.h"
#include "tools/vnmachine/Arguments.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/MachineHandler.h"

#include <algorithm>
#include <iostream>

namespace bridge = machine::bridge;

namespace
{

void show(const machine::Machine& m)
{
    const bridge::BridgeState s = bridge::LoadBridge(m);
    std::cout << "bridge     " << (s.present ? "present" : "absent") << "\n"
              << "version    " << s.version << "\n"
              << "bridging   " << (s.bridging ? "on" : "off") << "\n"
              << "pending    ";
    if (s.pendingAll)
        std::cout << "every request";
    else if (s.pendingCodes.empty())
        std::cout << "none";
    for (std::size_t i = 0; !s.pendingAll && i < s.pendingCodes.size(); ++i)
        std::cout << (i == 0 ? "" : " ") << bridge::RequestName(s.pendingCodes[i]);
    std::cout << "\ndelete-on-close opens " << (s.refuseDeleteOnClose ? "refused" : "accepted")
              << "\n";
    const auto lines = bridge::ReadBridgeLog(m);
    std::cout << "log" << (lines.empty() ? "        (empty)" : ":") << "\n";
    for (const auto& line : lines)
        std::cout << "  " << line << "\n";
}

// A command of no words that changes the bridge.
Handler changing(void (*change)(bridge::BridgeState&))
{
    return WithoutWords([change](const machine::Machine& m) { bridge::ChangeBridge(m, change); });
}

// A command of one word that changes the bridge with what it reads.
template <typename Read, typename Change> Handler changingWith(Read read, Change change)
{
    return OnMachine(
        [read, change](const machine::Machine& m, const Words& args)
        {
            NeedWords(args, 1);
            const auto value = Needed(read(args[0]));
            bridge::ChangeBridge(m, [&](bridge::BridgeState& s) { change(s, value); });
            return 0;
        });
}

int pending(const machine::Machine& m, const Words& args)
{
    NeedWords(args, 1, 2);
    const bool on = Needed(ParseOnOff(args[0]));
    std::optional<std::uint32_t> code;
    if (args.size() == 2)
        code = Needed(bridge::ParseRequestName(args[1]));
    bridge::ChangeBridge(m,
                         [&](bridge::BridgeState& s)
                         {
                             if (!code)
                             {
                                 s.pendingAll = on;
                                 s.pendingCodes.clear();
                                 return;
                             }
                             std::erase(s.pendingCodes, *code);
                             if (on)
                                 s.pendingCodes.push_back(*code);
                         });
    return 0;
}

std::optional<std::uint32_t> version(const std::string& text)
{
    if (auto n = ParseNumber(text); n && *n >= 0 && *n <= 0xFFFFFFFFL)
        return static_cast<std::uint32_t>(*n);
    return std::nullopt;
}

} // namespace

int RunBridgeCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine bridge",
        .commands =
            {
                {"show", {}, "the bridge's state and its request log", WithoutWords(show)},
                {"present",
                 {},
                 "the machine has the bridge device",
                 changing([](bridge::BridgeState& s) { s.present = true; })},
                {"absent",
                 {},
                 "it has none: opening \\\\.\\NBRG fails",
                 changing([](bridge::BridgeState& s) { s.present = false; })},
                {"version",
                 {"N"},
                 "the interface version the driver answers (2 by default)",
                 changingWith(version,
                              [](bridge::BridgeState& s, std::uint32_t v) { s.version = v; })},
                {"state",
                 {"on|off"},
                 "bridging is on or off",
                 changingWith(ParseOnOff,
                              [](bridge::BridgeState& s, bool on) { s.bridging = on; })},
                {"pending",
                 {"on|off [REQUEST]"},
                 "requests on an overlapped handle are left unanswered",
                 OnMachine(pending),
                 "pending: REQUEST is VERSION, SWITCH, STATE or a control code in hex; without it\n"
                 "every request.\n"},
                {"refuse-delete-on-close",
                 {"on|off"},
                 "an open with FILE_FLAG_DELETE_ON_CLOSE fails (access denied)",
                 changingWith(ParseOnOff,
                              [](bridge::BridgeState& s, bool on) { s.refuseDeleteOnClose = on; })},
                {"log",
                 {},
                 "the opens, requests and closes the driver saw",
                 PrintingLog(bridge::ReadBridgeLog, [](const machine::Machine& m)
                             { return m.root() / "bridge" / "requests.log"; })},
                {"clear-log", {}, "forget them", WithoutWords(bridge::ClearBridgeLog)},
            },
        .fallback = "show",
    };
    return table.run(args);
}
