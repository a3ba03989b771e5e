#pragma once
// What a test or a person has arranged for program starts on this machine, kept in
// <root>/programs/settings.txt so that every process sees it: starts that fail with a given
// result (once or always), and how the NicReport.bat stand-in behaves (how long it takes to
// write its report, or whether it writes nothing).

#include "machine/ErrorCodes.h"
#include "machine/Machine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::programs
{

struct StartFailure
{
    std::string program; // the file name with or without its extension ("NicReport.bat",
                         // "VnSwap"), matched without regard to case; "*" any program
    std::uint32_t result = kErrorFileNotFound;
    int remaining = 1; // -1 always
};

struct ProgramSettings
{
    std::vector<StartFailure> failures;
    // Project programs whose starts are only recorded ("UplinkPick ran [ICS_DOWN]"), not run:
    // a test of the program that starts them needs no second process.
    std::vector<std::string> recordOnly;
    std::uint32_t reportDelayMs = 0;
    bool reportWritesNothing = false;
};

std::string FormatProgramSettings(const ProgramSettings& settings);
ProgramSettings ParseProgramSettings(const std::string& text);
ProgramSettings LoadProgramSettings(const Machine& machine);
bool SaveProgramSettings(const Machine& machine, const ProgramSettings& settings);

// The next start of `program` fails with `result`, `times` times (-1 always). A later
// injection for the same program replaces the earlier one.
void InjectStartFailure(const Machine& machine, const std::string& program, std::uint32_t result,
                        int times);
void ClearStartFailures(const Machine& machine);
void SetRecordOnly(const Machine& machine, const std::string& program, bool recordOnly);
bool IsRecordOnly(const ProgramSettings& settings, const std::string& program);
void SetReportDelay(const Machine& machine, std::uint32_t ms);
void SetReportWritesNothing(const Machine& machine, bool writesNothing);

// For a start of the file `fileName` ("NicReport.bat"): the result it fails with, using up one
// count; nullopt when it is to start.
std::optional<std::uint32_t> TakeStartFailure(const Machine& machine, const std::string& fileName);

} // namespace machine::programs
