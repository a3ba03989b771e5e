#include "machine/MachineImage.h"

#include "machine/SystemInfo.h"

namespace machine
{

void CreateDefaultImage(const Machine& machine)
{
    namespace fs = std::filesystem;
    fs::create_directories(machine.runtimeDir());
    fs::path c = machine.driveDir('C');
    fs::create_directories(c / "Program Files" / "Tessaryn");
    fs::create_directories(c / "Windows" / "System32" / "drivers");
    fs::create_directories(c / "Users" / "Owner" / "AppData" / "Local");
    // system.conf last: its presence marks a complete image.
    SaveSystemInfo(machine, SystemInfo{});
}

} // namespace machine
