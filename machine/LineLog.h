#pragma once
// A machine log of one line per record, appended whole with O_APPEND through a descriptor the
// process keeps open, so a reader in another process sees complete lines only and a line costs
// one write however long the log is; the machine lock is taken only near the cap. A log grows to
// kLogCapBytes; the next line first moves it to "<log>.1" (replacing the older generation), so a
// log never holds more than twice its cap on disk.
//
// Every line carries the machine clock's time and a number of the sequence all of the machine's
// logs share, ahead of its text:
//
//   #1041 86400250 WlanScan {GUID} ssid=- ie=-
//
// ReadLogLines gives the texts without them (both generations, older first);
// ReadJournal (machine/LogJournal.h) gives every log's lines merged in order.

#include "machine/FileStore.h"
#include "machine/Machine.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace machine
{

inline constexpr std::uintmax_t kLogCapBytes = 1u << 20;

// Makes the log's folder when missing. `access` applies to a new file.
void AppendLogLine(const Machine& machine, const std::filesystem::path& log,
                   const std::string& line, FileAccess access = FileAccess::Everyone);
// Every line's text, older generation first; none when there is no log.
std::vector<std::string> ReadLogLines(const Machine& machine, const std::filesystem::path& log);
// Removes both generations.
void ClearLog(const Machine& machine, const std::filesystem::path& log);

// The older generation beside a log.
std::filesystem::path OlderLogGeneration(const std::filesystem::path& log);

// One stored line split into its journal fields; nullopt for a line without them (written
// before logs carried them), whose whole text is then the line.
struct StoredLine
{
    std::uint64_t seq = 0;
    std::uint64_t time_ms = 0;
    std::string_view text;
};
std::optional<StoredLine> SplitStoredLine(std::string_view line);

} // namespace machine
