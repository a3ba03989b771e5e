#include "tools/vnmachine/VnmachineCommands.h"

#include "tools/vnmachine/BridgeCommand.h"
#include "tools/vnmachine/CertsCommand.h"
#include "tools/vnmachine/DesktopCommand.h"
#include "tools/vnmachine/DeviceCommand.h"
#include "tools/vnmachine/JsonOutput.h"
#include "tools/vnmachine/LogCommand.h"
#include "tools/vnmachine/MachineCommand.h"
#include "tools/vnmachine/NetworkCommand.h"
#include "tools/vnmachine/NetworksCommand.h"
#include "tools/vnmachine/PowerCommand.h"
#include "tools/vnmachine/ProgramsCommand.h"
#include "tools/vnmachine/RegCommand.h"
#include "tools/vnmachine/ServicesCommand.h"
#include "tools/vnmachine/StationsCommand.h"
#include "tools/vnmachine/SystemCommand.h"
#include "tools/vnmachine/UiCommand.h"
#include "tools/vnmachine/WindowsCommand.h"
#include "tools/vnmachine/WlanCommand.h"

namespace
{

// A command with commands of its own, which answer help themselves.
Command withCommands(std::string name, std::string forms, std::string description, Handler run)
{
    return {std::move(name), {std::move(forms)}, std::move(description), std::move(run), {}, true};
}

} // namespace

CommandTable VnmachineCommands()
{
    return CommandTable{
        .path = "vnmachine",
        .options = "[--machine DIR] [--json]",
        .commands =
            {
                {"init", {}, "create the default machine when none exists", RunInitCommand},
                {"where", {}, "print the machine directory", RunWhereCommand},
                withCommands("reg", "COMMAND ...", "show, export, import and change the registry",
                             RunRegCommand),
                {"windows",
                 {},
                 "list the top-level windows of running programs",
                 RunWindowsCommand},
                withCommands("ui", "COMMAND ...",
                             "see and drive the programs' windows, menus and tray icons",
                             RunUiCommand),
                {"desktop",
                 {"[--verbose] [--start PROGRAM [ARGS...]]"},
                 "the desktop a person drives, commands on stdin",
                 RunDesktopCommand,
                 "desktop --start starts the program first, as the desktop's start would;\n"
                 "--verbose draws the desktop after every command. At the prompt: the ui\n"
                 "commands without \"ui\", show, help and quit.\n"},
                {"post",
                 {"TITLE MSG [WPARAM [LPARAM]]"},
                 "post a message to the window with that title",
                 RunPostCommand,
                 "post: MSG, WPARAM and LPARAM are decimal (a leading '-' allowed) or 0x\n"
                 "hexadecimal.\n"},
                withCommands("devices", "[COMMAND ...]",
                             "list, add, remove, unplug and replug network devices",
                             RunDevicesCommand),
                withCommands("driver", "[--device ID] COMMAND ...",
                             "an adapter's driver: state, request log, faults, events",
                             RunDriverCommand),
                {"log",
                 {"[programs|registry|desktop]", "all [--since TIME] [--tail N] [--follow]"},
                 "print the debug log, program starts, registry or desktop events, or all merged",
                 RunLogCommand,
                 kLogAllHelp},
                withCommands("programs", "COMMAND ...",
                             "program starts, their failures, the report stand-in",
                             RunProgramsCommand),
                withCommands("connections", "[COMMAND ...]",
                             "list, add, remove and change network connections",
                             RunConnectionsCommand),
                withCommands("sharing", "[COMMAND ...]",
                             "Internet Connection Sharing, its call log and faults",
                             RunSharingCommand),
                withCommands("networks", "[COMMAND ...]",
                             "the networks in radio range: list, add, remove, change, load",
                             RunNetworksCommand),
                withCommands("wlan", "[--interface GUID] [COMMAND ...]",
                             "the WLAN service: interfaces, profiles, log, faults, radio",
                             RunWlanCommand),
                withCommands("stations", "[--device ID] [COMMAND ...]",
                             "stations that join the adapter's access point: list, add, remove",
                             RunStationsCommand),
                withCommands("bridge", "[COMMAND ...]",
                             "the Ethernet bridge device \"\\\\.\\NBRG\": state, pending, log",
                             RunBridgeCommand),
                withCommands("services", "[COMMAND ...]",
                             "the services (\"Wlansvc\", \"WZCSVC\") and their call log",
                             RunServicesCommand),
                withCommands("certs", "[COMMAND ...]",
                             "the certificate stores: list, import, remove, clear, fail",
                             RunCertsCommand),
                withCommands("system", "[COMMAND ...]",
                             "the operating system, language, administrator and WOW64",
                             RunSystemCommand),
                withCommands("power", "suspend|resume",
                             "send the power events to every program's windows", RunPowerCommand),
            },
        .notes = std::string("The machine directory is DIR, else $TESSARYN_MACHINE, else\n"
                             "$XDG_DATA_HOME/tessaryn/machine (~/.local/share/tessaryn/machine).\n"
                             "--version names the tool's version.\n") +
                 kJsonHelp,
        .helpAfterName = true,
    };
}
