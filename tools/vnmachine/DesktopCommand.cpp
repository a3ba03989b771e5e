#include "tools/vnmachine/DesktopCommand.h"

#include "machine/Machine.h"
#include "machine/desktop/Desktop.h"
#include "platform/ui/automation/Remote.h"
#include "platform/ui/menus/Menus.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/DesktopLookup.h"
#include "tools/vnmachine/LineReader.h"
#include "tools/vnmachine/UiCommand.h"

#include <signal.h>
#include <strings.h>

#include <exception>
#include <iostream>
#include <optional>
#include <utility>
#include <vector>

namespace
{

// The window a person looks at: an open popup menu, else a message box or dialog that is up,
// else the latest visible window.
std::optional<machine::desktop::TopLevelWindow> activeWindow()
{
    auto windows = machine::desktop::ListWindows(machine::CurrentMachine());
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (it->visible && ::strcasecmp(it->className.c_str(), kPopupMenuClass) == 0)
            return *it;
    for (int pid :
         [&]
         {
             std::vector<int> pids;
             for (const auto& w : windows)
                 pids.push_back(w.pid);
             return pids;
         }())
    {
        auto boxes = platform::automation::AskProgram(pid, {"boxes"});
        if (boxes.ok && !boxes.body.empty())
            if (auto h =
                    platform::automation::ParseHandle(boxes.body.substr(0, boxes.body.find('\t'))))
                for (const auto& w : windows)
                    if (w.hwnd == *h)
                        return w;
    }
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if (it->visible)
            return *it;
    return std::nullopt;
}

void printDesktop(std::ostream& out, const std::vector<std::string>& options = {})
{
    out << "---- programs\n";
    PrintProgramList(out);
    if (auto w = activeWindow())
    {
        out << "---- active window\n";
        std::vector<std::string> fields = {"describe", platform::automation::HandleText(w->hwnd)};
        fields.insert(fields.end(), options.begin(), options.end());
        auto r = platform::automation::AskProgram(w->pid, fields);
        out << (r.ok ? r.body : "(" + r.message + ")\n");
    }
}

} // namespace

std::vector<std::string> SplitCommandWords(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    char quote = 0;
    for (std::size_t i = 0; i < line.size(); ++i)
    {
        const char c = line[i];
        if (c == '\\' && i + 1 < line.size() && quote != '\'')
        {
            word += line[++i];
            inWord = true;
        }
        else if (quote != 0)
        {
            if (c == quote)
                quote = 0;
            else
                word += c;
        }
        else if (c == '#' && !inWord)
            break; // the rest of the line is a comment
        else if (c == '"' || c == '\'')
        {
            quote = c;
            inWord = true;
        }
        else if (c == ' ' || c == '\t')
        {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        }
        else
        {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

namespace
{

// The processes with windows or tray icons on the machine, each once, with its name.
std::vector<std::pair<int, std::string>> runningPrograms()
{
    const machine::Machine& m = machine::CurrentMachine();
    std::vector<std::pair<int, std::string>> programs;
    auto add = [&](int pid)
    {
        for (const auto& p : programs)
            if (p.first == pid)
                return;
        programs.emplace_back(pid, ProgramName(pid));
    };
    for (const auto& w : machine::desktop::ListWindows(m))
        add(w.pid);
    for (const auto& i : machine::desktop::ListTrayIcons(m))
        add(i.pid);
    return programs;
}

// Leaving the desktop: the programs still running are named, and ended when asked.
void leave(bool end, LineReader& reader, std::ostream& out)
{
    const auto programs = runningPrograms();
    if (programs.empty())
        return;
    out << "still running:";
    for (const auto& [pid, name] : programs)
        out << " " << name << " (" << pid << ")";
    out << "\n";
    if (!end && reader.interactive())
    {
        auto answer = reader.read("end them? [y/N] ");
        end = answer && !answer->empty() && (answer->front() == 'y' || answer->front() == 'Y');
    }
    if (!end)
    {
        out << "they keep running ('quit --end' ends them)\n";
        return;
    }
    for (const auto& [pid, name] : programs)
        if (::kill(pid, SIGTERM) == 0)
            out << "ended " << name << " (" << pid << ")\n";
}

// What the first word and the later words of a line complete to: commands, window titles.
std::vector<std::string> completions(const CommandTable& commands, bool firstWord)
{
    std::vector<std::string> words;
    if (firstWord)
    {
        for (const auto& c : commands.commands)
            words.push_back(c.name);
        return words;
    }
    for (const auto& w : machine::desktop::ListWindows(machine::CurrentMachine()))
        if (w.visible && !w.title.empty())
            words.push_back(w.title);
    return words;
}

} // namespace

int RunDesktop(std::istream& in, std::ostream& out, std::ostream& err, bool verbose)
{
    bool quit = false;
    bool endPrograms = false;
    CommandTable commands = UiCommands(out, err);
    commands.path.clear(); // typed at the prompt, without "vnmachine ui"
    // "show" alone draws the whole desktop; with a window, that window.
    for (auto& c : commands.commands)
        if (c.name == "show")
        {
            Handler one = c.run;
            c.forms = {"[--all] [--rects]", "WIN [--all] [--rects]"};
            c.description = "the programs and the active window, or the window WIN, as text";
            c.run = [one, &out](const Words& a)
            {
                std::vector<std::string> options;
                for (const std::string& word : a)
                    if (word == "--all" || word == "--rects")
                        options.push_back(word.substr(2));
                if (options.size() != a.size())
                    return one(a);
                printDesktop(out, options);
                return 0;
            };
        }
    const Handler leaveDesktop = [&](const Words& a)
    {
        if (!a.empty() && a[0] != "--end")
            throw UsageError{"unexpected argument '" + a[0] + "'"};
        NeedWords(a, 0, 1);
        endPrograms = !a.empty();
        quit = true;
        return 0;
    };
    commands.commands.push_back({"quit",
                                 {"[--end]"},
                                 "leave the desktop, naming the programs that keep running",
                                 leaveDesktop,
                                 "quit --end ends them; at a terminal quit asks.\n"});
    commands.commands.push_back({"exit", {"[--end]"}, "the same as quit", leaveDesktop});

    LineReader reader(in, out, [&commands](bool first) { return completions(commands, first); });
    if (verbose)
        printDesktop(out);
    else
    {
        out << "---- programs\n";
        PrintProgramList(out);
        out << "('show' draws the desktop, 'help' lists the commands)\n";
    }
    while (!quit)
    {
        auto line = reader.read("desktop> ");
        if (!line)
            break;
        auto words = SplitCommandWords(*line);
        if (words.empty())
            continue;
        // A command that fails leaves the desktop running.
        try
        {
            commands.run(words, out, err);
        }
        catch (const std::exception& e)
        {
            err << "vnmachine: " << e.what() << "\n";
        }
        out << std::flush;
        err << std::flush;
        if (verbose && !quit && !commands.asksForHelp(words))
            printDesktop(out);
    }
    if (!quit)
        out << "\n";
    leave(endPrograms, reader, out);
    return 0;
}

int RunDesktopCommand(const Words& input)
{
    // "--verbose" draws the desktop after every command; "--start PROGRAM [ARGS...]" starts a
    // program first, as the desktop's "start" would.
    Words args = input;
    const bool verbose = !args.empty() && args[0] == "--verbose";
    if (verbose)
        args.erase(args.begin());
    if (!args.empty() && args[0] != "--start")
        throw UsageError{"unexpected argument '" + args[0] + "'"};
    if (!args.empty() && args.size() < 2)
        throw UsageError{"--start needs a PROGRAM"};
    if (!args.empty())
    {
        Words start(args.begin() + 1, args.end());
        start.insert(start.begin(), "start");
        if (RunUiCommand(start) != 0)
            return 1;
    }
    return RunDesktop(std::cin, std::cout, std::cerr, verbose);
}
