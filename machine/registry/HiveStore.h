#pragma once
// The registry of a machine on disk: <root>/registry.reg, shared by every process of the
// machine. Reads and changes run under the machine lock. The parsed hive is kept per machine
// and reused while the file is unchanged (same inode, size and times), so a run of queries
// parses the file once; a change made by another process is seen by the next call. Every change
// writes the whole file aside and renames it over the old one. Lines of the file the hive
// cannot read are kept in it and written back where they stood (see HiveText.h).

#include "machine/Machine.h"
#include "machine/registry/Hive.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace machine::registry
{

enum class StoreStatus
{
    Ok,
    Unreadable,  // the file exists but cannot be read
    Corrupt,     // the file is not a hive (its first line is wrong); it is left untouched
    WriteFailed, // the change could not be written; the file keeps the previous state
};

// Runs `read` on the current hive.
StoreStatus ReadHive(const Machine& machine, const std::function<void(const Hive&)>& read);

// Runs `change` on the current hive; when it returns true the hive is written back.
StoreStatus ChangeHive(const Machine& machine, const std::function<bool(Hive&)>& change);

// Replaces the whole hive.
StoreStatus SaveHive(const Machine& machine, const Hive& hive);

// Lines of the file that could not be read when it was last parsed ("line N: why"), and why the
// file was refused.
std::vector<std::string> HiveLoadWarnings(const Machine& machine);
std::string HiveLoadError(const Machine& machine);

// How many times this process has parsed a hive file.
std::uint64_t HiveParseCount();

} // namespace machine::registry
