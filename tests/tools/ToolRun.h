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

// The words as one line, a blank between them (for failure messages).
std::string Joined(const std::vector<std::string>& words);

} // namespace testing_support
