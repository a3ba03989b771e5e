// vnmachine: creates a simulated machine, shows and changes its state.

#include "machine/Machine.h"
#include "machine/MachineImage.h"
#include "machine/MachineLock.h"
#include "machine/SystemInfo.h"
#include "platform/system/DebugOutput.h"
#include "tools/vnmachine/DesktopCommand.h"
#include "tools/vnmachine/DeviceCommand.h"
#include "tools/vnmachine/NetworkCommand.h"
#include "tools/vnmachine/NetworksCommand.h"
#include "tools/vnmachine/PowerCommand.h"
#include "tools/vnmachine/ProgramsCommand.h"
#include "tools/vnmachine/RegCommand.h"
#include "tools/vnmachine/ServicesCommand.h"
#include "tools/vnmachine/UiCommand.h"
#include "tools/vnmachine/WindowsCommand.h"
#include "tools/vnmachine/WlanCommand.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace
{

void usage()
{
    std::cerr
        << "usage: vnmachine [--machine DIR] COMMAND [ARGS...]\n"
           "\n"
           "commands:\n"
           "  init                    create the default machine when none exists\n"
           "  where                   print the machine directory\n"
           "  reg ...                 show, export, import and change the registry\n"
           "                          (vnmachine reg help)\n"
           "  windows                 list the top-level windows of running programs\n"
           "  ui ...                  see and drive the programs' windows, menus, message\n"
           "                          boxes and tray icons (vnmachine ui help)\n"
           "  desktop [--start PROGRAM [ARGS...]]\n"
           "                          the interactive desktop (commands on stdin), after\n"
           "                          starting the program\n"
           "  post TITLE MSG [WPARAM [LPARAM]]\n"
           "                          post a message to the window with that title\n"
           "  devices ...             list, add, remove, unplug and replug network devices\n"
           "                          (vnmachine devices help)\n"
           "  driver ...              an adapter's driver state, request log and faults\n"
           "                          (vnmachine driver help)\n"
           "  log                     print the programs' debug log\n"
           "  log programs            print the program starts (vnmachine programs log)\n"
           "  programs ...            program starts, their failures, the report stand-in\n"
           "                          (vnmachine programs help)\n"
           "  connections ...         list, add, remove and change network connections\n"
           "                          (vnmachine connections help)\n"
           "  sharing ...             Internet Connection Sharing, its call log and faults\n"
           "                          (vnmachine sharing help)\n"
           "  networks ...            list, add, remove and change the networks in radio\n"
           "                          range, load a set from a file (vnmachine networks help)\n"
           "  wlan ...                the WLAN service: interfaces, profiles, its log, faults,\n"
           "                          radio and notifications (vnmachine wlan help)\n"
           "  services [list|start NAME|stop NAME|start-type NAME auto|demand|disabled|log]\n"
           "                          the services (\"Wlansvc\", \"WZCSVC\") and their call log\n"
           "  power suspend|resume    send the power events to every program's windows\n"
           "\n"
           "The machine directory is DIR, else $TESSARYN_MACHINE, else\n"
           "$XDG_DATA_HOME/tessaryn/machine (~/.local/share/tessaryn/machine).\n";
}

int runInit()
{
    machine::Machine& m = machine::CurrentMachine(); // creates the image when missing
    std::cout << "machine at " << m.root().string() << "\n";
    return 0;
}

int runLog()
{
    std::ifstream in(platform::DebugLogPath());
    std::string line;
    while (std::getline(in, line))
        std::cout << line << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() >= 2 && args[0] == "--machine")
    {
        ::setenv("TESSARYN_MACHINE", args[1].c_str(), 1);
        args.erase(args.begin(), args.begin() + 2);
    }
    else if (!args.empty() && args[0].rfind("--machine=", 0) == 0)
    {
        ::setenv("TESSARYN_MACHINE", args[0].substr(10).c_str(), 1);
        args.erase(args.begin());
    }
    if (args.empty() || args[0] == "help" || args[0] == "--help" || args[0] == "-h")
    {
        usage();
        return args.empty() ? 2 : 0;
    }

    std::string command = args[0];
    std::vector<std::string> rest(args.begin() + 1, args.end());
    try
    {
        if (command == "init")
            return runInit();
        if (command == "where")
        {
            std::cout << machine::CurrentMachine().root().string() << "\n";
            return 0;
        }
        if (command == "reg")
            return RunRegCommand(rest);
        if (command == "windows")
            return RunWindowsCommand(rest);
        if (command == "ui")
            return RunUiCommand(rest);
        if (command == "desktop")
            return RunDesktopCommand(rest);
        if (command == "post")
            return RunPostCommand(rest);
        if (command == "devices")
            return RunDevicesCommand(rest);
        if (command == "driver")
            return RunDriverCommand(rest);
        if (command == "log" && rest.size() == 1 && rest[0] == "programs")
            return RunProgramsCommand({"log"});
        if (command == "log")
            return runLog();
        if (command == "programs")
            return RunProgramsCommand(rest);
        if (command == "connections")
            return RunConnectionsCommand(rest);
        if (command == "sharing")
            return RunSharingCommand(rest);
        if (command == "networks")
            return RunNetworksCommand(rest);
        if (command == "wlan")
            return RunWlanCommand(rest);
        if (command == "services")
            return RunServicesCommand(rest);
        if (command == "power")
            return RunPowerCommand(rest);
    }
    catch (const std::exception& e)
    {
        std::cerr << "vnmachine: " << e.what() << "\n";
        return 1;
    }
    std::cerr << "vnmachine: unknown command '" << command << "'\n";
    usage();
    return 2;
}
