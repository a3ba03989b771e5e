#include "machine/Machine.h"

#include "machine/MachineImage.h"
#include "machine/MachineLock.h"

#include <cctype>
#include <cstdlib>
#include <memory>
#include <mutex>

namespace machine
{

Machine::Machine(std::filesystem::path root) : m_root(std::move(root)) {}

std::filesystem::path Machine::driveDir(char letter) const
{
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return m_root / "drive" / std::string(1, lower);
}

bool Machine::exists() const { return std::filesystem::exists(systemConfPath()); }

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

std::mutex g_currentLock;
std::unique_ptr<Machine> g_current;

void openMachine(const std::filesystem::path& root)
{
    auto opened = std::make_unique<Machine>(std::filesystem::absolute(root));
    std::filesystem::create_directories(opened->root());
    {
        MachineLock lock(*opened);
        if (!opened->exists())
            CreateDefaultImage(*opened);
    }
    g_current = std::move(opened);
}

} // namespace

Machine& CurrentMachine()
{
    std::lock_guard guard(g_currentLock);
    if (!g_current)
        openMachine(DefaultMachineDirectory());
    return *g_current;
}

void UseMachine(const std::filesystem::path& root)
{
    std::lock_guard guard(g_currentLock);
    openMachine(root);
}

} // namespace machine
