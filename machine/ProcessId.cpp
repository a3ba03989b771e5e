#include "machine/ProcessId.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>

namespace machine
{
namespace
{

std::atomic<pid_t> g_pid{0};

void noteChild()
{
    g_pid.store(::getpid(), std::memory_order_relaxed);
}

} // namespace

pid_t ThisProcessId()
{
    // Registered once; a forked child learns its own ID before any of its code runs.
    static const bool registered = []
    {
        ::pthread_atfork(nullptr, nullptr, noteChild);
        g_pid.store(::getpid(), std::memory_order_relaxed);
        return true;
    }();
    (void)registered;
    return g_pid.load(std::memory_order_relaxed);
}

} // namespace machine
