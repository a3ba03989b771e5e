// Test programs never touch the user's own machine: before any other static object is built
// (some open the machine while the program loads), point TESSARYN_MACHINE at a scratch
// directory of this process, removed again at exit. Tests switch to machines of their own.

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{

struct ScratchMachine
{
    std::filesystem::path dir;

    ScratchMachine()
    {
        dir = std::filesystem::temp_directory_path() /
              ("tessaryn-scratch-" + std::to_string(::getpid()));
        ::setenv("TESSARYN_MACHINE", dir.c_str(), 1);
    }
    ~ScratchMachine()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

__attribute__((init_priority(101))) ScratchMachine g_scratch;

} // namespace
