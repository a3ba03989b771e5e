#pragma once
// The hive's journal: <root>/registry.journal, the changes made since registry.reg was last
// written, in the hive's own text form (HiveText.h), so that a person can read it and the
// registry editor's import takes it as it stands:
//
//   Windows Registry Editor Version 5.00
//   ; changes made after registry.reg, applied after it in order
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Tessaryn]
//   "OpMode"=dword:00000001
//   ; change 59
//   [-HKEY_CURRENT_USER\Old]
//   ; change 26
//
// Each change ends in a line that gives its length in bytes: a change is applied only when that
// line is there and counts exactly the bytes before it, so a change cut off by a writer that
// died is never half applied, and a change appended after it still is. When the journal is
// folded into the hive, the new hive file's identity is noted first ("; folded 1234 5678",
// inode and size): should the writer die between writing the hive and removing the journal,
// a journal whose last fold names the hive it stands beside is known to be in it already.

#include "machine/Machine.h"
#include "machine/registry/HiveEdit.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace machine::registry
{

std::filesystem::path JournalPath(const Machine& machine);

// What a new journal starts with.
std::string JournalHead();

// One change of the hive (the steps of one call, in order), with its closing line.
std::string FormatJournalChange(const std::vector<HiveChange>& steps);

struct FileIdentity
{
    std::uint64_t inode = 0;
    std::uint64_t size = 0;

    bool operator==(const FileIdentity&) const = default;
};

std::string FormatFoldMark(const FileIdentity& hive);

struct JournalScan
{
    struct Change
    {
        std::string_view text; // its lines, without the closing one
        std::size_t line = 0;  // the line it starts on, counted from the scan's first line
    };

    bool isJournal = true;              // false: the text does not start as a journal does
    std::vector<Change> changes;        // the complete ones, in order
    std::optional<FileIdentity> folded; // the last fold noted
    std::size_t end = 0;                // bytes up to the end of the last complete change or fold
    std::size_t lines = 0;              // lines in those bytes
    // Lines of text that stood outside every complete change (from a writer that died), where
    // they start: they are left out.
    std::vector<std::size_t> leftOut;
    // Where what follows `end` starts, when it holds anything but layout: a change not yet
    // complete.
    std::optional<std::size_t> unfinished;
};

// Reads journal text starting at a change's end (`fromStart`: the whole journal). Line numbers
// count from `firstLine`.
JournalScan ScanJournal(std::string_view text, bool fromStart, std::size_t firstLine);

// The journal is folded into the hive once it is larger than this, for a hive of that size: a
// fraction of the hive, so that a change costs the same at any size of the hive.
std::uint64_t JournalFoldThreshold(std::uint64_t hiveBytes);

// The registry is idle once no change has reached the journal for this long: the next process
// to read the registry's files then folds the journal into the hive, so that the processes after
// it read the hive alone. Nothing wakes for it: an idle machine costs nothing.
inline constexpr long kJournalQuietSeconds = 60;

} // namespace machine::registry
