#pragma once
// Host processes for the project's programs: a started program runs on its own (nobody waits
// for it), on the same machine, in the Windows current directory it was given.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform
{

// The folder of the built programs: $TESSARYN_BIN, else the folder of the running executable.
std::filesystem::path BuiltProgramFolder();

struct SpawnRequest
{
    std::filesystem::path executable;
    std::vector<std::string> arguments;                           // argv[1..]
    std::vector<std::pair<std::string, std::string>> environment; // set on top of ours
    std::filesystem::path hostDirectory;
    std::filesystem::path outputFile; // standard output and error, appended
    // When nonzero, the program starts only once that process has ended (at most
    // kHandOverWait_ms later): a program that hands over to the next one. Its start is reported
    // at once; an executable that then fails to run goes unreported.
    int startAfterProcessEnds = 0;
};

inline constexpr int kHandOverWait_ms = 30000;

// The new process's id, or nullopt when it could not be started (errno-style code in *error).
std::optional<int> SpawnDetached(const SpawnRequest& request, int* error = nullptr);

} // namespace platform
