#pragma once
// The parts of the run-time folder, and which processes of the machine are running.
// Used by the desktop's own files only.

#include "machine/Machine.h"

#include <filesystem>
#include <string>

namespace machine::desktop::detail
{

std::filesystem::path ProcsDir(const Machine& machine);
std::filesystem::path WindowsDir(const Machine& machine);
std::filesystem::path SocketDir(const Machine& machine);
std::filesystem::path MutexDir(const Machine& machine);
// The notification-area icons and the automation sockets, one entry per process.
std::filesystem::path TrayDir(const Machine& machine);
std::filesystem::path UiSocketDir(const Machine& machine);
std::filesystem::path HandleCounterPath(const Machine& machine);

// Makes this process known on the machine, once per process: takes the lock on its alive file
// and removes what an earlier process with the same number left behind. Call it before this
// process first writes a file of its own to the folder; false when it cannot. The caller holds
// the machine lock.
bool RegisterThisProcess(const Machine& machine);

// True when pid is a registered process that is still running (always for this process).
// The caller holds the machine lock.
bool IsProcessRunning(const Machine& machine, int pid);

// Removes the files of every registered process that is gone. The caller holds the machine lock.
void SweepGoneProcesses(const Machine& machine);

// The pid a run-time file name begins with ("1234", "1234.alive", "1234.tmp1234.0"); 0 when
// the name does not begin with one.
int LeadingPid(const std::string& name);

} // namespace machine::desktop::detail
