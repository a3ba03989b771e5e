#pragma once
// A program started by a system test on the test's machine.

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support
{

class ChildProcess
{
public:
    // Starts `program` (a file of ProgramDirectory() or a path) with the arguments, on the
    // machine at `machineDir`, its standard output and error going to the test's.
    ChildProcess(const std::string& program, const std::vector<std::string>& args,
                 const std::filesystem::path& machineDir);
    ~ChildProcess(); // kills a child that still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int pid() const { return m_pid; }
    // The exit code once the child has ended within the timeout, else nullopt.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    bool running();
    void kill();

private:
    int m_pid = -1;
    std::optional<int> m_status;
};

// A command line run through the shell: its exit status and what it wrote to standard output.
struct CommandRun
{
    int status = -1;
    std::string out;
};
CommandRun RunShellCommand(const std::string& command);

// A word for the shell, quoted as it is.
std::string ShellQuoted(const std::string& word);

// The machine tool on the machine at `machineDir`, with no input; its output and errors
// together.
CommandRun RunVnmachine(const std::filesystem::path& machineDir,
                        const std::vector<std::string>& args);

// Polls `condition` until it holds or the timeout passes.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

} // namespace testing_support
