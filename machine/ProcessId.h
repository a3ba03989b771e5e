#pragma once
// This process's ID without a system call: the C library asks the kernel on every getpid(), and
// a log line or a lock taken checks it to tell a forked child from its parent.

#include <sys/types.h>

namespace machine
{

pid_t ThisProcessId();

} // namespace machine
