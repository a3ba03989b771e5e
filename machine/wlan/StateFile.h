#pragma once
// The WLAN service's state file, <root>/wlan/state.txt: a line a record, led by its key ("running
// 1", "fault <call> <error> <times>", "radio <GUID> <PHY> <software> <hardware>", ...). Texts
// that may hold anything (names, SSIDs, keys, documents) are written in hex, "-" standing for an
// empty one. One table of fields reads and writes the file, so what is read is what is written.

#include "machine/FieldLines.h"
#include "machine/Machine.h"
#include "machine/wlan/ServiceState.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace machine::wlan
{

using StateFileProblem = LineProblem; // the line (1 the first; 0 the file as a whole) and why

struct StateFileContents
{
    ServiceState state;                     // what could be read; the defaults for the rest
    std::vector<StateFileProblem> problems; // the lines that could not be read, skipped
    bool readable = true; // false: a file is there but could not be read, so it must be kept
};

std::string FormatState(const ServiceState& state);
StateFileContents ParseState(std::string_view text);
// Every key the file's lines may lead with.
std::vector<std::string_view> StateFileKeys();

std::filesystem::path StateFilePath(const Machine& machine);
// "state file <path>, line 7: fault: the error "x" is not a number"
std::string DescribeProblem(const std::filesystem::path& file, const StateFileProblem& problem);

// The defaults when there is no file.
StateFileContents LoadState(const Machine& machine);
// False with `error` saying why when the state could not be written; the file is then as it was.
bool SaveState(const Machine& machine, const ServiceState& state, std::string& error);
// Changes whenever the file is written; empty while there is none.
std::string StateFileStamp(const Machine& machine);

} // namespace machine::wlan
