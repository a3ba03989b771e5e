#include "tools/vnmachine/CommandTable.h"

#include <algorithm>
#include <initializer_list>
#include <iostream>

namespace
{

// The widest "name form" that keeps its description on the same line.
constexpr std::size_t kWidestForm = 28;

bool isHelpFlag(const std::string& word)
{
    return word == "--help" || word == "-h";
}

// The parts that are not empty, a blank between them.
std::string joined(std::initializer_list<std::string> parts)
{
    std::string text;
    for (const auto& part : parts)
        if (!part.empty())
            text += (text.empty() ? "" : " ") + part;
    return text;
}

std::vector<std::string> formLines(const Command& command)
{
    if (command.forms.empty())
        return {command.name};
    std::vector<std::string> lines;
    for (const auto& form : command.forms)
        lines.push_back(joined({command.name, form}));
    return lines;
}

void printSection(std::ostream& out, const std::string& text)
{
    if (!text.empty())
        out << "\n" << text;
}

} // namespace

const Command* CommandTable::find(const std::string& name) const
{
    auto it = std::find_if(commands.begin(), commands.end(),
                           [&](const Command& c) { return c.name == name; });
    return it == commands.end() ? nullptr : &*it;
}

bool CommandTable::asksForHelp(const Words& args) const
{
    if (args.empty())
        return false;
    if (args[0] == "help" || isHelpFlag(args[0]))
        return true;
    const Command* command = find(args[0]);
    return command != nullptr && !command->subcommands && args.size() >= 2 &&
           (isHelpFlag(args[1]) || (helpAfterName && args.size() == 2 && args[1] == "help"));
}

int CommandTable::run(const Words& args) const
{
    return run(args, std::cout, std::cerr);
}

int CommandTable::run(const Words& args, std::ostream& out, std::ostream& err) const
{
    if (args.empty() && fallback.empty())
    {
        printUsage(err);
        return 2;
    }
    const std::string& name = args.empty() ? fallback : args[0];
    if (name == "help" && args.size() == 2 && find(args[1]) != nullptr)
        return run({args[1], "--help"}, out, err);
    if (name == "help" || isHelpFlag(name))
    {
        printUsage(out);
        return 0;
    }
    const Command* command = find(name);
    if (command == nullptr)
    {
        err << (path.empty() ? "" : path + ": ") << "unknown command '" << name << "'\n";
        printUsage(err);
        return 2;
    }
    if (asksForHelp(args))
    {
        printUsage(*command, out);
        return 0;
    }
    try
    {
        return command->run(Words(args.empty() ? args.end() : args.begin() + 1, args.end()));
    }
    catch (const UsageError& e)
    {
        err << joined({path, command->name}) << ": "
            << (e.problem.empty() ? "the arguments do not fit its usage" : e.problem) << "\n";
        printUsage(*command, err);
        return 2;
    }
}

void CommandTable::printUsage(std::ostream& out) const
{
    out << "usage: "
        << joined({path, options, fallback.empty() ? "COMMAND [ARGS...]" : "[COMMAND [ARGS...]]"})
        << "\n\ncommands:";
    std::size_t width = 0;
    for (const auto& command : commands)
        for (const auto& line : formLines(command))
            if (line.size() <= kWidestForm)
                width = std::max(width, line.size());
    for (const auto& command : commands)
    {
        // Every form on a line of its own; the description beside a single one that fits, else
        // below them all.
        const auto lines = formLines(command);
        for (const auto& line : lines)
            out << "\n  " << line;
        if (lines.size() > 1 || lines.back().size() > width)
            out << "\n" << std::string(width + 2, ' ');
        else
            out << std::string(width - lines.back().size(), ' ');
        out << "  " << command.description;
    }
    out << "\n";
    for (const auto& command : commands)
        printSection(out, command.details);
    printSection(out, notes);
    out << "\n";
    if (!fallback.empty())
        out << "Without a command: " << fallback << ".\n";
    out << "'" << joined({path, "COMMAND --help"}) << "' describes one command.\n";
}

void CommandTable::printUsage(const Command& command, std::ostream& out) const
{
    const std::string lead = joined({path, options});
    const char* prefix = "usage: ";
    for (const auto& line : formLines(command))
    {
        out << prefix << joined({lead, line}) << "\n";
        prefix = "       ";
    }
    out << "\n" << command.description << "\n";
    printSection(out, command.details);
    printSection(out, notes);
}
