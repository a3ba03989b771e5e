#include "tools/vnmachine/DesktopCommand.h"

#include "machine/Machine.h"
#include "machine/desktop/Desktop.h"
#include "platform/ui/automation/Remote.h"
#include "platform/ui/menus/Menus.h"
#include "tools/vnmachine/CommandTable.h"
#include "tools/vnmachine/UiCommand.h"

#include <strings.h>

#include <exception>
#include <iostream>
#include <optional>

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

void printDesktop(std::ostream& out)
{
    out << "---- programs\n";
    PrintProgramList(out);
    if (auto w = activeWindow())
    {
        out << "---- active window\n";
        auto r = platform::automation::AskProgram(
            w->pid, {"describe", platform::automation::HandleText(w->hwnd)});
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

int RunDesktop(std::istream& in, std::ostream& out, std::ostream& err)
{
    bool quit = false;
    const Handler leave = [&](const Words&)
    {
        quit = true;
        return 0;
    };
    CommandTable commands = UiCommands(out, err);
    commands.path.clear(); // typed at the prompt, without "vnmachine ui"
    commands.commands.push_back({"quit", {}, "leave the desktop", leave});
    commands.commands.push_back({"exit", {}, "leave the desktop", leave});

    printDesktop(out);
    std::string line;
    while (!quit)
    {
        out << "desktop> " << std::flush;
        if (!std::getline(in, line))
            break;
        auto words = SplitCommandWords(line);
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
        if (!quit && !commands.asksForHelp(words))
            printDesktop(out);
    }
    out << "\n";
    return 0;
}

int RunDesktopCommand(const Words& args)
{
    // "--start PROGRAM [ARGS...]" starts a program first, as the desktop's "start" would.
    if (!args.empty() && (args[0] != "--start" || args.size() < 2))
        throw UsageError{};
    if (!args.empty())
    {
        Words start(args.begin() + 1, args.end());
        start.insert(start.begin(), "start");
        if (RunUiCommand(start) != 0)
            return 1;
    }
    return RunDesktop(std::cin, std::cout, std::cerr);
}
