#include "tools/vnmachine/PowerCommand.h"

#include "machine/Machine.h"
#include "machine/desktop/Desktop.h"
#include "machine/desktop/DesktopLog.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/MachineHandler.h"

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <set>
#include <string>

namespace
{

constexpr std::uint32_t kPowerBroadcast = 0x0218;
constexpr std::uint32_t kSuspend = 4;            // PBT_APMSUSPEND
constexpr std::uint32_t kResumeSuspend = 7;      // PBT_APMRESUMESUSPEND
constexpr std::uint32_t kResumeAutomatic = 0x12; // PBT_APMRESUMEAUTOMATIC

// Posts the event to every top-level window; false when some program did not take it.
bool broadcast(const machine::Machine& m, std::uint32_t event, const char* name)
{
    namespace desktop = machine::desktop;
    bool allTaken = true;
    std::size_t windows = 0;
    std::set<int> programs;
    for (const auto& w : desktop::ListWindows(m))
    {
        desktop::PostedMessage message;
        message.hwnd = w.hwnd;
        message.message = kPowerBroadcast;
        message.wParam = event;
        if (!desktop::PostToProcess(m, w.pid, message))
        {
            char hwnd[16];
            std::snprintf(hwnd, sizeof hwnd, "0x%08X", w.hwnd);
            std::cerr << "vnmachine power: the program of window " << hwnd << " (pid " << w.pid
                      << ") does not take posts\n";
            allTaken = false;
            continue;
        }
        ++windows;
        programs.insert(w.pid);
    }
    machine::desktop::AppendDesktopLog(m, std::string("power ") + name + " to " +
                                              std::to_string(windows) + " windows of " +
                                              std::to_string(programs.size()) + " programs");
    std::cout << name << " sent to " << windows << " window" << (windows == 1 ? "" : "s") << " of "
              << programs.size() << " program" << (programs.size() == 1 ? "" : "s") << "\n";
    return allTaken;
}

} // namespace

int RunPowerCommand(const Words& args)
{
    static const CommandTable table{
        .path = "vnmachine power",
        .commands =
            {
                {"suspend",
                 {},
                 "the machine goes to sleep (PBT_APMSUSPEND)",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 0);
                         return broadcast(m, kSuspend, "PBT_APMSUSPEND") ? 0 : 1;
                     })},
                {"resume",
                 {},
                 "it wakes up (PBT_APMRESUMEAUTOMATIC, then PBT_APMRESUMESUSPEND)",
                 OnMachine(
                     [](const machine::Machine& m, const Words& a)
                     {
                         NeedWords(a, 0);
                         bool ok = broadcast(m, kResumeAutomatic, "PBT_APMRESUMEAUTOMATIC");
                         return broadcast(m, kResumeSuspend, "PBT_APMRESUMESUSPEND") && ok ? 0 : 1;
                     })},
            },
        .notes = "Every top-level window of every program on the machine gets the events.\n",
    };
    return table.run(args);
}
