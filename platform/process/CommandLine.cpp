#include "platform/process/CommandLine.h"

#include "platform/file/ModuleFile.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>

namespace platform
{
namespace
{

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// An argument as the C run-time would read it back.
std::string quoteArgument(const std::string& arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos)
        return arg;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg)
    {
        if (c == '\\')
        {
            ++backslashes;
            continue;
        }
        if (c == '"')
            out.append(backslashes * 2 + 1, '\\');
        else
            out.append(backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + "\"";
}

std::string hostCommandLine()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::string> args;
    std::string current;
    for (char c : raw)
    {
        if (c == '\0')
        {
            args.push_back(current);
            current.clear();
        }
        else
            current += c;
    }
    std::string line = "\"" + ModuleFilePath() + "\"";
    for (std::size_t i = 1; i < args.size(); ++i)
        line += " " + quoteArgument(args[i]);
    return line;
}

} // namespace

ProgramToken FirstToken(std::string_view commandLine)
{
    ProgramToken token;
    if (!commandLine.empty() && commandLine[0] == '"')
    {
        token.quoted = true;
        std::size_t close = commandLine.find('"', 1);
        if (close == std::string_view::npos)
        {
            token.name = std::string(commandLine.substr(1));
            token.rest = commandLine.substr(commandLine.size());
        }
        else
        {
            token.name = std::string(commandLine.substr(1, close - 1));
            token.rest = commandLine.substr(close + 1);
        }
        return token;
    }
    std::size_t end = 0;
    while (end < commandLine.size() && !isBlank(commandLine[end]))
        ++end;
    token.name = std::string(commandLine.substr(0, end));
    token.rest = commandLine.substr(end);
    return token;
}

std::string CommandTail(std::string_view commandLine)
{
    std::string_view rest = FirstToken(commandLine).rest;
    while (!rest.empty() && isBlank(rest.front()))
        rest.remove_prefix(1);
    return std::string(rest);
}

std::vector<std::string> SplitArguments(std::string_view commandLine)
{
    std::vector<std::string> args;
    ProgramToken first = FirstToken(commandLine);
    args.push_back(first.name);
    std::string_view s = first.rest;
    std::size_t i = 0;
    for (;;)
    {
        while (i < s.size() && isBlank(s[i]))
            ++i;
        if (i >= s.size())
            break;
        std::string arg;
        bool inQuotes = false;
        while (i < s.size() && (inQuotes || !isBlank(s[i])))
        {
            if (s[i] == '\\')
            {
                std::size_t n = 0;
                while (i < s.size() && s[i] == '\\')
                {
                    ++n;
                    ++i;
                }
                if (i < s.size() && s[i] == '"')
                {
                    arg.append(n / 2, '\\');
                    if (n % 2 == 1)
                    {
                        arg += '"';
                        ++i;
                    }
                }
                else
                    arg.append(n, '\\');
                continue;
            }
            if (s[i] == '"')
            {
                if (inQuotes && i + 1 < s.size() && s[i + 1] == '"')
                {
                    arg += '"';
                    i += 2;
                    continue;
                }
                inQuotes = !inQuotes;
                ++i;
                continue;
            }
            arg += s[i++];
        }
        args.push_back(arg);
    }
    return args;
}

std::string ProcessCommandLine()
{
    if (const char* given = std::getenv("TESSARYN_COMMAND_LINE"))
        return given;
    return hostCommandLine();
}

} // namespace platform

LPSTR GetCommandLineA()
{
    // The platform hands out one buffer for the process's life.
    static std::once_flag once;
    static std::string line;
    std::call_once(once, [] { line = platform::ProcessCommandLine(); });
    return line.data();
}
