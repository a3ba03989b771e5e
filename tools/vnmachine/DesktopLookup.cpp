#include "tools/vnmachine/DesktopLookup.h"

#include "machine/Machine.h"
#include "platform/ui/automation/Remote.h"

#include <strings.h>

#include <fstream>

std::string ProgramName(int pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(in, name);
    return name.empty() ? "?" : name;
}

std::optional<machine::desktop::TopLevelWindow> FindWindow(const std::string& which)
{
    auto windows = machine::desktop::ListWindows(machine::CurrentMachine());
    if (auto handle = platform::automation::ParseHandle(which))
        for (const auto& w : windows)
            if (w.hwnd == *handle)
                return w;
    for (int pass = 0; pass < 4; ++pass)
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        {
            const bool visibleOnly = pass % 2 == 0;
            const bool exact = pass < 2;
            if (visibleOnly && !it->visible)
                continue;
            if (exact ? it->title == which : ::strcasecmp(it->title.c_str(), which.c_str()) == 0)
                return *it;
        }
    return std::nullopt;
}

std::optional<machine::desktop::TrayIcon> FindTrayIcon(const std::string& program,
                                                       std::optional<std::uint32_t> uid)
{
    const auto pid = platform::automation::ParseHandle(program);
    for (const auto& icon : machine::desktop::ListTrayIcons(machine::CurrentMachine()))
    {
        const std::string name = ProgramName(icon.pid);
        const bool matches = pid ? icon.pid == static_cast<int>(*pid)
                                 : ::strcasecmp(name.c_str(), program.c_str()) == 0 ||
                                       ::strcasecmp((name + ".exe").c_str(), program.c_str()) == 0;
        if (matches && (!uid || icon.uid == *uid))
            return icon;
    }
    return std::nullopt;
}
