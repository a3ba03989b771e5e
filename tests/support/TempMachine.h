#pragma once
// A fresh machine in a temporary directory for one test; removed afterwards.

#include "machine/Machine.h"

#include <filesystem>
#include <string>

namespace testing_support
{

class TempMachine
{
public:
    TempMachine();
    ~TempMachine();
    TempMachine(const TempMachine&) = delete;
    TempMachine& operator=(const TempMachine&) = delete;

    const std::filesystem::path& root() const { return m_root; }
    machine::Machine& machine() const { return machine::CurrentMachine(); }
    // The host file behind a path of the C: drive ("Program Files\\x" or "C:\\...").
    std::filesystem::path cDrive() const { return machine().driveDir('C'); }

private:
    std::filesystem::path m_root;
};

// Run after a TempMachine has switched the process to its machine. Tests that link the platform
// set it (PlatformSupport.cpp), so that the process's current directory is the machine's
// program folder, as for a started program; the machine's own tests leave it unset.
using MachineChanged = void (*)();
MachineChanged& MachineChangedHook();

// Directory of the built programs (the test environment sets TESSARYN_BIN).
std::filesystem::path ProgramDirectory();

} // namespace testing_support
