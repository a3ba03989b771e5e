// The kept process ID follows a fork: a child that took its parent's ID would write its log lines
// through its parent's descriptors and take its parent's lock for its own.

#include "machine/ProcessId.h"
#include "tests/support/InOtherProcess.h"

#include <unistd.h>

#include <gtest/gtest.h>

namespace
{

TEST(ProcessId, IsThisProcessesOwnInParentChildAndGrandchild)
{
    EXPECT_EQ(machine::ThisProcessId(), ::getpid());
    const pid_t parent = machine::ThisProcessId();
    EXPECT_EQ(testing_support::InOtherProcess(
                  [&]
                  {
                      const pid_t child = machine::ThisProcessId();
                      return child == ::getpid() && child != parent &&
                             testing_support::InOtherProcess(
                                 [&] {
                                     return machine::ThisProcessId() == ::getpid() &&
                                            machine::ThisProcessId() != child;
                                 }) == 0;
                  }),
              0);
    EXPECT_EQ(machine::ThisProcessId(), parent);
}

} // namespace
