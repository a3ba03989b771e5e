#pragma once
// The folders of the run-time folder that hold one file per process, named by its pid
// (<run>/windows/<pid>, <run>/tray/<pid>): a process writes only its own file, rewritten whole on
// each change, and every process reads all of them. A file is a header line, then one record a
// line with its fields kept apart by tabs. Used by the desktop's own files only.

#include "machine/Machine.h"

#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace machine::desktop::detail
{

// The records this process has in its file, per machine, kept so that a change rewrites the
// file without reading it. What a child made by fork inherits is its parent's: the child starts
// with none. Used under the caller's own mutex.
template <class Record> class OwnRecords
{
public:
    std::vector<Record>& For(const Machine& machine)
    {
        Own& own = m_byMachine[machine.root().string()];
        if (own.pid != ::getpid())
            own = {::getpid(), {}};
        return own.records;
    }

private:
    struct Own
    {
        pid_t pid = 0;
        std::vector<Record> records;
    };
    std::map<std::string, Own> m_byMachine;
};

// What this process's file holds for these lines: the header, then each line with its line end.
std::string OwnFileText(std::string_view header, const std::vector<std::string>& lines);

// Writes this process's file in `dir` (made when missing): the header, then each line with its
// line end. No lines, no file. The caller holds the machine lock and has registered the process.
bool WriteOwnFile(const std::filesystem::path& dir, std::string_view header,
                  const std::vector<std::string>& lines);

struct ProcessFile
{
    int pid = 0;
    std::vector<std::string> lines; // the records, without their line ends
};

// The files in `dir` of the processes still running, in pid order, after sweeping away what gone
// ones left. A file without the header is passed over, and so is a last line without its end (it
// was never written whole). The caller holds the machine lock.
std::vector<ProcessFile> ReadProcessFiles(const Machine& machine, const std::filesystem::path& dir,
                                          std::string_view header);

// The `count` tab-separated fields of a line, the last one taking the rest of it; nullopt when
// the line has fewer.
std::optional<std::vector<std::string_view>> SplitFields(std::string_view line, std::size_t count);

// The text EscapeText wrote; nullopt for a malformed escape.
std::optional<std::string> UnescapeText(std::string_view text);

} // namespace machine::desktop::detail
