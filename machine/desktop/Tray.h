#pragma once
// The notification area of the machine: the icons the running processes show, kept in the
// run-time folder like the window directory (one file per process, rewritten whole; the icons
// of a process that is gone do not appear), and refusals a person or a test can inject (the
// shell restarting refuses a change).
//
//   <run>/tray/<pid>     the icons of one process
//   <run>/tray-refusals  counts of commands still to refuse ("add N", "modify N", "delete N")

#include "machine/ChangeWatch.h"
#include "machine/Machine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::desktop
{

struct TrayIcon
{
    int pid = 0; // filled in with the calling process
    std::uint32_t hwnd = 0;
    std::uint32_t uid = 0;
    std::uint32_t callbackMessage = 0;
    std::uint32_t icon = 0;         // the icon handle of the process
    std::uint32_t iconResource = 0; // the icon's resource id, 0 when not known
    std::string tip;
};

enum class TrayCommand
{
    Add = 0,
    Modify = 1,
    Delete = 2,
};

enum class TrayOutcome
{
    Done,
    Refused,   // an injected refusal took this command
    Duplicate, // add of an icon that is there
    Missing,   // modify or delete of an icon that is not
    Failed,    // the run-time folder could not be written
};

// Which fields a modify changes (an add takes them all).
struct TrayFields
{
    bool message = true;
    bool icon = true;
    bool tip = true;
};

TrayOutcome ApplyTrayCommand(const Machine& machine, TrayCommand command, const TrayIcon& icon,
                             TrayFields fields = {});
// Every running process's icons, each process's in the order they were added.
std::vector<TrayIcon> ListTrayIcons(const Machine& machine);
std::optional<TrayIcon> FindTrayIcon(const Machine& machine, std::uint32_t hwnd, std::uint32_t uid);

// The next `count` commands of that kind (from any process) are refused. 0 clears.
void InjectTrayRefusal(const Machine& machine, TrayCommand command, int count);
int PendingTrayRefusals(const Machine& machine, TrayCommand command);

const char* TrayCommandName(TrayCommand command);

// Makes the watch wake when any process's icons change, so that a wait for an icon blocks
// instead of looking again and again. False when the system gave no watch.
bool WatchTrayIcons(ChangeWatch& watch, const Machine& machine);

} // namespace machine::desktop
