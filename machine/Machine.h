#pragma once
// A simulated PC is a directory. Every process that runs on it opens the same one.
//
//   <root>/system.conf     operating system, user and locale of the machine
//   <root>/registry.reg    the registry, one text hive in the regedit export format
//   <root>/registry.journal  the registry's changes since registry.reg was written
//   <root>/drive/c/...     the C: drive
//   <root>/run/...         what running processes share (mutexes, windows, sockets)
//   <root>/.lock           serialises changes between processes

#include <filesystem>
#include <stdexcept>
#include <string>

namespace machine
{

class Machine
{
public:
    explicit Machine(std::filesystem::path root);

    const std::filesystem::path& root() const { return m_root; }
    std::filesystem::path systemConfPath() const { return m_root / "system.conf"; }
    std::filesystem::path hivePath() const { return m_root / "registry.reg"; }
    std::filesystem::path runtimeDir() const { return m_root / "run"; }
    std::filesystem::path lockPath() const { return m_root / ".lock"; }
    // The folder behind a drive letter ("C" -> <root>/drive/c).
    std::filesystem::path driveDir(char letter) const;

    // True once the machine's image has been written.
    bool exists() const;

private:
    std::filesystem::path m_root;
};

// $TESSARYN_MACHINE, else $XDG_DATA_HOME/tessaryn/machine, else ~/.local/share/tessaryn/machine.
std::filesystem::path DefaultMachineDirectory();

// The machine this process runs on. On first use it is opened from DefaultMachineDirectory();
// a machine that does not exist yet is created with the default image.
Machine& CurrentMachine();

// Whether CurrentMachine() and UseMachine() create the default image where no machine exists
// (the default). The machine tool turns it off, so that looking at a machine never makes one;
// opening a missing machine then throws NoMachine.
void SetCreateWhenMissing(bool create);

struct NoMachine : std::runtime_error
{
    explicit NoMachine(const std::filesystem::path& root)
        : std::runtime_error("no machine at " + root.string())
    {
    }
};

// Switches the process to another machine directory (tests, --machine). Creates the default
// image there when none exists.
void UseMachine(const std::filesystem::path& root);

} // namespace machine
