#pragma once
// Command lines as the platform reads them. The program name is the first token: up to the
// closing quote when it starts with one, else up to the first blank or tab. What follows the
// name and the blanks after it is the command tail the framework hands to the program
// (CWinApp::m_lpCmdLine): `"UplinkPick.exe" ICS_DOWN` -> "ICS_DOWN", `UplinkPick.exe` -> "".

#include "platform/base/WinTypes.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform
{

struct ProgramToken
{
    std::string name;      // without its quotes
    std::string_view rest; // everything after the token (its closing quote included)
    bool quoted = false;
};

ProgramToken FirstToken(std::string_view commandLine);

// The text after the program name and its separating blanks and tabs.
std::string CommandTail(std::string_view commandLine);

// The arguments as the C run-time splits them for main (the program name first): blanks and
// tabs separate, quotes group, 2n backslashes before a quote give n and the quote groups,
// 2n+1 give n and a literal quote, "" inside a group is a literal quote.
std::vector<std::string> SplitArguments(std::string_view commandLine);

// The process's own command line: $TESSARYN_COMMAND_LINE when it was started through WinExec
// or ShellExecuteA, else one made from the host arguments with the program's file quoted
// ("\"C:\\Program Files\\Tessaryn\\TessarynUI.exe\" -s").
std::string ProcessCommandLine();

} // namespace platform

LPSTR GetCommandLineA();
