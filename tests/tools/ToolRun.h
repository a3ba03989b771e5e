#pragma once
// The machine tool run by a test with its standard output and error apart.

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support
{

struct ToolRun
{
    int status = -1;
    std::string out;
    std::string err;
};

// vnmachine on the machine at `machineDir` (which need not exist), reading `input`.
ToolRun RunVnmachineApart(const std::filesystem::path& machineDir,
                          const std::vector<std::string>& args, const std::string& input = {});

} // namespace testing_support
