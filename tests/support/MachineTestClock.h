#pragma once
// The machine's clock in the test's hand, for tests of the machine alone (tests that link the
// platform use its manual clock, which the machine follows).

#include "machine/MachineClock.h"

#include <atomic>
#include <cstdint>

namespace testing_support
{

class MachineTestClock
{
public:
    explicit MachineTestClock(std::uint64_t start_ms = 0)
    {
        now_ms().store(start_ms);
        machine::SetClockSource(&read);
    }
    ~MachineTestClock() { machine::SetClockSource(nullptr); }
    MachineTestClock(const MachineTestClock&) = delete;
    MachineTestClock& operator=(const MachineTestClock&) = delete;

    void advance(std::uint64_t ms) { now_ms().fetch_add(ms); }
    std::uint64_t now() const { return now_ms().load(); }

private:
    static std::atomic<std::uint64_t>& now_ms()
    {
        static std::atomic<std::uint64_t> value{0};
        return value;
    }
    static std::uint64_t read() { return now_ms().load(); }
};

} // namespace testing_support
