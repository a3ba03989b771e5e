#include "tests/tools/ToolRun.h"

#include "tests/support/ChildProcess.h"
#include "tests/support/TempMachine.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace testing_support
{

namespace
{

// A new empty file of the temporary directory, removed with the object.
struct TempFile
{
    std::string path = (std::filesystem::temp_directory_path() / "vnmachine-run-XXXXXX").string();

    TempFile()
    {
        const int fd = ::mkstemp(path.data());
        if (fd < 0)
            throw std::runtime_error("mkstemp failed");
        ::close(fd);
    }
    ~TempFile() { std::filesystem::remove(path); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
};

} // namespace

ToolRun RunVnmachineApart(const std::filesystem::path& machineDir,
                          const std::vector<std::string>& args, const std::string& input)
{
    TempFile in, err;
    std::ofstream(in.path) << input;
    std::string command = ShellQuoted((ProgramDirectory() / "vnmachine").string()) + " --machine " +
                          ShellQuoted(machineDir.string());
    for (const auto& a : args)
        command += " " + ShellQuoted(a);
    command += " <" + ShellQuoted(in.path) + " 2>" + ShellQuoted(err.path);
    const CommandRun shell = RunShellCommand(command);
    ToolRun run;
    run.status = shell.status;
    run.out = shell.out;
    std::stringstream text;
    text << std::ifstream(err.path).rdbuf();
    run.err = text.str();
    return run;
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string line;
    for (const auto& w : words)
        line += (line.empty() ? "" : " ") + w;
    return line;
}

} // namespace testing_support
