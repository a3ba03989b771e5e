#pragma once
// Runs a body in a forked child, standing for another process of the machine.

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support
{

// The child's exit code: 0 when the body returned true, 1 when false, -1 when it died.
inline int InOtherProcess(const std::function<bool()>& body)
{
    pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body() ? 0 : 1);
    int status = -1;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace testing_support
