#pragma once
// The registry of a machine on disk, shared by every process of the machine: <root>/registry.reg
// and, beside it, the journal of the changes made since it was written (HiveJournal.h). Reads and
// changes run under the machine lock. The parsed hive is kept per machine and reused while the
// files are unchanged (same inode, size and times), so a run of queries parses them once; a
// change made by another process is seen by the next call, and when only the journal grew, only
// what it gained is read.
//
// A change is appended to the journal, so that it costs in proportion to the change and not to
// the hive. When the journal has grown past a fraction of the hive, the hive is written whole
// (aside, then renamed over the old one) and the journal removed; a writer that dies at any
// point leaves files that load to the last change it completed. Every change is also logged
// (RegistryLog.h). Lines of the hive file it cannot read are kept in it and written back where
// they stood (see HiveText.h).

#include "machine/Machine.h"
#include "machine/registry/Hive.h"
#include "machine/registry/HiveEdit.h"

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
    WriteFailed, // the change could not be written; the files keep the previous state
};

// Runs `read` on the current hive.
StoreStatus ReadHive(const Machine& machine, const std::function<void(const Hive&)>& read);

// Runs `change` on the current hive. What it changed through the edit is stored; when it changed
// nothing but returns true, a hive not yet on disk is written.
StoreStatus ChangeHive(const Machine& machine, const std::function<bool(HiveEdit&)>& change);

// Writes the hive file whole, with the journal folded into it, and removes the journal.
StoreStatus FoldJournal(const Machine& machine);

// Lines of the files that could not be read when they were last parsed ("line N: why", and
// "registry.journal line N: why"), and why the hive was refused.
std::vector<std::string> HiveLoadWarnings(const Machine& machine);
std::string HiveLoadError(const Machine& machine);

// How many times this process has parsed a hive file.
std::uint64_t HiveParseCount();

} // namespace machine::registry
