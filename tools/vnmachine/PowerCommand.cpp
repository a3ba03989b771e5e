#include "tools/vnmachine/PowerCommand.h"

#include "machine/Machine.h"
#include "machine/desktop/Desktop.h"

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <set>

namespace
{

constexpr std::uint32_t kPowerBroadcast = 0x0218;
constexpr std::uint32_t kSuspend = 4;            // PBT_APMSUSPEND
constexpr std::uint32_t kResumeSuspend = 7;      // PBT_APMRESUMESUSPEND
constexpr std::uint32_t kResumeAutomatic = 0x12; // PBT_APMRESUMEAUTOMATIC

int usage()
{
    std::cerr << "usage: vnmachine power suspend | resume\n";
    return 2;
}

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
    std::cout << name << " sent to " << windows << " window" << (windows == 1 ? "" : "s") << " of "
              << programs.size() << " program" << (programs.size() == 1 ? "" : "s") << "\n";
    return allTaken;
}

} // namespace

int RunPowerCommand(const std::vector<std::string>& args)
{
    if (args.size() != 1 || (args[0] != "suspend" && args[0] != "resume"))
        return usage();
    const machine::Machine& m = machine::CurrentMachine();
    bool ok = true;
    if (args[0] == "suspend")
        ok = broadcast(m, kSuspend, "PBT_APMSUSPEND");
    else
    {
        ok = broadcast(m, kResumeAutomatic, "PBT_APMRESUMEAUTOMATIC");
        ok = broadcast(m, kResumeSuspend, "PBT_APMRESUMESUSPEND") && ok;
    }
    return ok ? 0 : 1;
}
