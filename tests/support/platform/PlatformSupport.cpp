// What the tests that link the platform add to the machine's test support: a new test machine
// is also the platform's, with the program folder as the current directory.

#include "machine/MachineImage.h"
#include "platform/file/WinPath.h"
#include "tests/support/TempMachine.h"

namespace
{

void FollowMachine()
{
    platform::SetCurrentDirectoryPath(machine::kProgramFolder);
}

const bool g_installed = (testing_support::MachineChangedHook() = &FollowMachine, true);

} // namespace
