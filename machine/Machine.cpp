#include "machine/Machine.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/MachineImage.h"
#include "machine/MachineLock.h"
#include "machine/desktop/RuntimeFolder.h"

#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <system_error>
#include <vector>

namespace machine
{

Machine::Machine(std::filesystem::path root) : m_root(std::move(root)) {}

std::filesystem::path Machine::driveDir(char letter) const
{
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return m_root / "drive" / std::string(1, lower);
}

bool Machine::exists() const
{
    return std::filesystem::exists(systemConfPath());
}

std::filesystem::path DefaultMachineDirectory()
{
    if (const char* dir = std::getenv("TESSARYN_MACHINE"); dir != nullptr && *dir != '\0')
        return dir;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data != '\0')
        return std::filesystem::path(data) / "tessaryn" / "machine";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home != nullptr ? home : ".") / ".local" / "share" / "tessaryn" /
           "machine";
}

namespace
{

// Built on first use and never destroyed: programs open the machine while they load, and
// threads may still use it while the process ends.
struct Current
{
    std::mutex lock;
    std::unique_ptr<Machine> machine;
    bool createWhenMissing = true;
};

Current& current()
{
    static Current* c = new Current;
    return *c;
}

void openMachine(const std::filesystem::path& root)
{
    auto opened = std::make_unique<Machine>(std::filesystem::absolute(root));
    // An existing machine is opened without writing to it, so that a read-only one can be read.
    if (!opened->exists())
    {
        if (!current().createWhenMissing)
            throw NoMachine(opened->root());
        std::error_code ec;
        machine::CreateFolders(opened->root(), ec);
        if (ec)
            throw std::runtime_error("cannot create the machine folder " + opened->root().string() +
                                     ": " + ec.message());
        MachineLock lock(*opened);
        if (!opened->exists())
            CreateDefaultImage(*opened);
    }
    // What processes that died left behind (half-written files, run-folder entries), where the
    // machine may be written at all.
    if (::access(opened->root().c_str(), W_OK) == 0)
    {
        MachineLock lock(*opened);
        RemoveStaleTemporaries(opened->root());
        desktop::detail::SweepGoneProcesses(*opened);
    }
    // A replaced machine stays alive: references to it may still be held.
    static std::vector<std::unique_ptr<Machine>>* retired =
        new std::vector<std::unique_ptr<Machine>>;
    if (current().machine)
        retired->push_back(std::move(current().machine));
    current().machine = std::move(opened);
}

} // namespace

Machine& CurrentMachine()
{
    std::lock_guard guard(current().lock);
    if (!current().machine)
        openMachine(DefaultMachineDirectory());
    return *current().machine;
}

void SetCreateWhenMissing(bool create)
{
    std::lock_guard guard(current().lock);
    current().createWhenMissing = create;
}

void UseMachine(const std::filesystem::path& root)
{
    std::lock_guard guard(current().lock);
    openMachine(root);
}

} // namespace machine
