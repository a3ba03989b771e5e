#pragma once
// Every log of a machine read as one journal: the lines of all logs (both generations of each)
// merged in the order of the sequence they share (machine/LineLog.h).
//
// A machine log is a file named "*.log" or "log.txt" anywhere below the machine's folder except
// the drives; its name in the journal is its path from the machine's folder ("wlan/log.txt",
// "miniport/{GUID}/requests.log"). Lines written before logs carried their sequence are left
// out.

#include "machine/Machine.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace machine
{

struct JournalLine
{
    std::uint64_t seq = 0;
    std::uint64_t time_ms = 0; // the machine clock when the line was written
    std::string log;           // "wlan/log.txt"
    std::string text;          // the line as the log's own reader gives it
};

struct JournalFilter
{
    std::uint64_t afterSeq = 0; // only lines numbered above it (to follow: the last one seen)
    std::uint64_t since_ms = 0; // only lines written at or after this machine time
    std::size_t tail = 0;       // only the last N lines that pass; 0: all
    std::vector<std::string> logs = {}; // only the lines of these logs (journal names); none: all
};

std::vector<JournalLine> ReadJournal(const Machine& machine, const JournalFilter& filter = {});

// The name a log has in the journal: its path from the machine's folder.
std::string JournalLogName(const Machine& machine, const std::filesystem::path& log);

} // namespace machine
