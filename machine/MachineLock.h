#pragma once
// The machine-wide lock: every change to shared machine state is made while holding it,
// so processes see each other's changes whole. Re-entrant within a process.

#include "machine/Machine.h"

#include <cstdint>

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

// The next number of the sequence all of the machine's logs share, kept in the lock file itself
// and taken without the lock: one atomic add on the file's page, which every process maps.
std::uint64_t NextLogSequence(const Machine& machine);

} // namespace machine
