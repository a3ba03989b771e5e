#include "tests/support/TempMachine.h"

#include "machine/MachineImage.h"

#include <cstdlib>
#include <unistd.h>

namespace testing_support
{

TempMachine::TempMachine()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tessaryn-test-XXXXXX").string();
    char* made = ::mkdtemp(pattern.data());
    if (made == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_root = made;
    machine::UseMachine(m_root);
    if (MachineChangedHook() != nullptr)
        MachineChangedHook()();
}

TempMachine::~TempMachine()
{
    std::error_code ec;
    std::filesystem::remove_all(m_root, ec);
}

MachineChanged& MachineChangedHook()
{
    static MachineChanged hook = nullptr;
    return hook;
}

std::filesystem::path ProgramDirectory()
{
    const char* bin = std::getenv("TESSARYN_BIN");
    return bin != nullptr ? std::filesystem::path(bin) : std::filesystem::path("bin");
}

} // namespace testing_support
