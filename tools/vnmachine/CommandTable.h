#pragma once
// A table of commands (see Command.h). The same table prints a command's usage and dispatches to
// it, so that the two never disagree and every command answers help alike:
//   help, --help, -h                      the table's usage (stdout, exit 0)
//   NAME --help, NAME -h                  that command's usage (stdout, exit 0)
//   help NAME                             the same
//   no command, an unknown one            the table's usage on stderr, exit 2
//   a handler's UsageError                that command's usage on stderr, exit 2

#include "tools/vnmachine/Command.h"

#include <iosfwd>
#include <string>
#include <vector>

struct CommandTable
{
    std::string path = {};    // the words that lead here ("vnmachine wlan"): usage and messages
    std::string options = {}; // what may come before the command ("[--interface GUID]")
    std::vector<Command> commands = {};
    std::string fallback = {}; // the command run when none is given; empty: a usage error
    std::string notes = {};    // after the list of commands, lines ending in '\n'
    // "NAME help" asks for NAME's usage too: only where no command takes "help" as its words.
    bool helpAfterName = false;

    int run(const Words& args) const;
    int run(const Words& args, std::ostream& out, std::ostream& err) const;
    // Whether run(args) would only print usage (nothing that opens the machine).
    bool asksForHelp(const Words& args) const;
    const Command* find(const std::string& name) const;
    void printUsage(std::ostream& out) const;
    void printUsage(const Command& command, std::ostream& out) const;
};
