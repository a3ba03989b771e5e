#pragma once
// Handlers that work on the current machine, opened only when the command runs: asking a
// command for help never creates a machine.

#include "machine/Machine.h"
#include "tools/vnmachine/Command.h"
#include "tools/vnmachine/JsonOutput.h"

#include <filesystem>

#include <iostream>
#include <string>
#include <vector>

// `body` takes the machine and the command's words, and returns the exit status.
template <typename Body> Handler OnMachine(Body body)
{
    return [body](const Words& args) { return body(machine::CurrentMachine(), args); };
}

// A command of no words: `body` takes the machine; exit status 0.
template <typename Body> Handler WithoutWords(Body body)
{
    return OnMachine(
        [body](const machine::Machine& m, const Words& args)
        {
            NeedWords(args, 0);
            body(m);
            return 0;
        });
}

// A command of no words that prints the lines `read` gives (a log).
inline Handler PrintingLines(std::vector<std::string> (*read)(const machine::Machine&))
{
    return WithoutWords(
        [read](const machine::Machine& m)
        {
            for (const auto& line : read(m))
                std::cout << line << "\n";
        });
}

// The same for a log at `path` in the machine: with --json its lines with their sequence and
// time, as `log all` gives them.
inline Handler PrintingLog(std::vector<std::string> (*read)(const machine::Machine&),
                           std::filesystem::path (*path)(const machine::Machine&))
{
    return WithoutWords(
        [read, path](const machine::Machine& m)
        {
            if (JsonOutput())
                PrintLogJson(m, {path(m)});
            else
                for (const auto& line : read(m))
                    std::cout << line << "\n";
        });
}
