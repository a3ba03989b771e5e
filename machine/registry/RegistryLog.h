#pragma once
// The log of every change made to the machine's registry, by any process: <root>/registry.log,
// one line a step, appended under the machine lock (machine/LineLog.h), so that the order of
// registry writes shows among every other log of the machine:
//
//   set [HKEY_LOCAL_MACHINE\SOFTWARE\Tessaryn] "OpMode" REG_DWORD 01000000
//   set [HKEY_CURRENT_USER\X] @ REG_SZ 6f6b00
//   delete-value [HKEY_CURRENT_USER\X] "Old"
//   create-key [HKEY_CURRENT_USER\X\New]
//   delete-key [HKEY_CURRENT_USER\X\New]
//
// A write shows its type and its exact bytes in hex ("-" for none).

#include "machine/Machine.h"
#include "machine/registry/HiveEdit.h"

#include <filesystem>
#include <string>
#include <vector>

namespace machine::registry
{

std::filesystem::path RegistryLogPath(const Machine& machine);

std::string FormatRegistryLogLine(const HiveChange& step);

// A line for each step, in order.
void AppendRegistryLog(const Machine& machine, const std::vector<HiveChange>& steps);

// While one lives, the changes this thread makes are not logged: the machine's own set-up,
// which no process of the machine made.
class UnloggedChanges
{
public:
    UnloggedChanges();
    ~UnloggedChanges();
    UnloggedChanges(const UnloggedChanges&) = delete;
    UnloggedChanges& operator=(const UnloggedChanges&) = delete;
};

} // namespace machine::registry
