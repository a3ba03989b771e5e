#pragma once
// The machine-wide lock: every change to shared machine state is made while holding it,
// so processes see each other's changes whole. Re-entrant within a process.

#include "machine/Machine.h"

namespace machine
{

struct ProcessLock;

class MachineLock
{
public:
    explicit MachineLock(const Machine& machine);
    ~MachineLock();
    MachineLock(const MachineLock&) = delete;
    MachineLock& operator=(const MachineLock&) = delete;

private:
    ProcessLock* m_lock;
};

} // namespace machine
