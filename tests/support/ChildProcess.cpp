#include "tests/support/ChildProcess.h"

#include "tests/support/TempMachine.h"

#include <array>
#include <csignal>
#include <cstdio>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testing_support
{

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args,
                           const std::filesystem::path& machineDir)
{
    std::filesystem::path exe = program.find('/') == std::string::npos
                                    ? ProgramDirectory() / program
                                    : std::filesystem::path(program);
    std::vector<std::string> argv{exe.string()};
    argv.insert(argv.end(), args.begin(), args.end());
    std::string env = "TESSARYN_MACHINE=" + machineDir.string();

    m_pid = ::fork();
    if (m_pid < 0)
        throw std::runtime_error("fork failed");
    if (m_pid == 0)
    {
        std::vector<char*> cargv;
        for (auto& a : argv)
            cargv.push_back(a.data());
        cargv.push_back(nullptr);
        ::putenv(env.data());
        ::execv(exe.c_str(), cargv.data());
        ::_exit(127);
    }
}

ChildProcess::~ChildProcess()
{
    if (running())
    {
        kill();
        waitForExit(std::chrono::seconds(5));
    }
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_status)
    {
        int status = 0;
        pid_t r = ::waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid)
        {
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return m_status;
}

bool ChildProcess::running()
{
    return !waitForExit(std::chrono::milliseconds(0));
}

void ChildProcess::kill()
{
    if (!m_status)
        ::kill(m_pid, SIGKILL);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition())
    {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

CommandRun RunShellCommand(const std::string& command)
{
    CommandRun run;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr)
        return run;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        run.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string ShellQuoted(const std::string& word)
{
    std::string q = "'";
    for (char ch : word)
        q += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return q + "'";
}

CommandRun RunVnmachine(const std::filesystem::path& machineDir,
                        const std::vector<std::string>& args)
{
    std::string command = ShellQuoted((ProgramDirectory() / "vnmachine").string()) + " --machine " +
                          ShellQuoted(machineDir.string());
    for (const auto& a : args)
        command += " " + ShellQuoted(a);
    command += " </dev/null 2>&1";
    return RunShellCommand(command);
}

} // namespace testing_support
