#include "machine/MachineImage.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/SystemInfo.h"
#include "machine/bridge/BridgeState.h"
#include "machine/certs/DefaultCertificates.h"
#include "machine/devices/DeviceBuilders.h"
#include "machine/devices/DeviceTree.h"
#include "machine/network/Connections.h"
#include "machine/programs/ProgramFiles.h"
#include "machine/radio/DefaultNetworks.h"
#include "machine/registry/HiveStore.h"
#include "machine/registry/RegistryLog.h"

namespace machine
{
namespace
{

// The keys and values Windows has before the programs are installed. Values already in the
// hive (an image that was begun before) are kept.
void writeDefaultRegistry(const Machine& machine, const SystemInfo& info)
{
    namespace reg = machine::registry;
    struct Entry
    {
        reg::KeyPath key;
        const char* name; // null: the key alone
        std::string text; // a REG_SZ, stored with its terminator as Windows writes it
    };
    const std::string localAppData = "C:\\Users\\" + info.userName + "\\AppData\\Local";
    const reg::KeyPath currentVersion = {reg::kLocalMachine, "SOFTWARE", "Microsoft", "Windows NT",
                                         "CurrentVersion"};
    const Entry entries[] = {
        {{reg::kCurrentUser, "Volatile Environment"}, "LOCALAPPDATA", localAppData},
        {currentVersion, "ProductName", "Windows Vista (TM) Business"},
        {currentVersion, "CurrentVersion", "6.0"},
        {currentVersion, "CurrentBuildNumber", "6002"},
        // The network adapters' class; the adapters themselves are installed separately.
        {{reg::kLocalMachine, "SYSTEM", "CurrentControlSet", "Control", "Class",
          "{4D36E972-E325-11CE-BFC1-08002BE10318}"},
         nullptr,
         {}},
        {{reg::kLocalMachine, "SYSTEM", "CurrentControlSet", "Services", "Tcpip", "Parameters"},
         nullptr,
         {}},
    };
    reg::ChangeHive(machine,
                    [&](reg::HiveEdit& hive)
                    {
                        for (const auto& e : entries)
                        {
                            hive.create(e.key);
                            if (e.name != nullptr && hive.find(e.key)->findValue(e.name) == nullptr)
                                hive.setValue(e.key, e.name, reg::kTypeString,
                                              std::string(e.text.c_str(), e.text.size() + 1));
                        }
                        return true;
                    });
}

} // namespace

void CreateDefaultImage(const Machine& machine)
{
    namespace fs = std::filesystem;
    // What the image writes to the registry is no process's change: left out of its log.
    registry::UnloggedChanges setUp;
    machine::CreateFolders(machine.runtimeDir());
    fs::path c = machine.driveDir('C');
    machine::CreateFolders(c / "Program Files" / "Tessaryn");
    // The programs' files: what lies beside a program is how the programs know what is
    // installed. The files stand for the programs; starting one runs the build or a stand-in.
    programs::WriteDefaultPrograms(machine);
    machine::CreateFolders(c / "Windows" / "System32" / "drivers");
    machine::CreateFolders(c / "Users" / "Owner" / "AppData" / "Local");
    writeDefaultRegistry(machine, SystemInfo{});
    // The wireless adapter, plugged in with its driver installed.
    if (!devices::FindDevice(machine, devices::DefaultAdapter().instanceId))
        devices::InstallDevice(machine, devices::DefaultAdapter());
    registry::FoldJournal(machine); // a new machine's hive file holds all of it
    // The network connections, the wireless adapter's among them.
    if (!fs::exists(machine.root() / "network" / "connections.txt"))
        network::SaveConnections(machine, network::DefaultConnections());
    radio::WriteDefaultNetworks(machine);     // the networks in range of the wireless adapter
    certs::WriteDefaultCertificates(machine); // the user's and the root certificate stores
    // A network bridge set up between the wired and the wireless connection, bridging off
    // until the access point switches it on.
    if (!fs::exists(machine.root() / "bridge" / "state.txt"))
    {
        bridge::BridgeState bridgeState;
        bridgeState.present = true;
        bridge::SaveBridge(machine, bridgeState);
    }
    // system.conf last: its presence marks a complete image.
    SaveSystemInfo(machine, SystemInfo{});
}

} // namespace machine
