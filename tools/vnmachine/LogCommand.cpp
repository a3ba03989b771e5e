#include "tools/vnmachine/LogCommand.h"

#include "machine/ChangeWatch.h"
#include "machine/LineLog.h"
#include "machine/LogJournal.h"
#include "machine/MachineClock.h"
#include "machine/desktop/DesktopLog.h"
#include "machine/registry/RegistryLog.h"
#include "platform/system/DebugOutput.h"
#include "tools/vnmachine/JsonOutput.h"
#include "tools/vnmachine/ProgramsCommand.h"

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <csignal>
#include <iostream>
#include <optional>
#include <string>

namespace
{

constexpr std::uint64_t kMaxMs = 100ull * 365 * 86400 * 1000; // a century of machine time

// A duration of units that follow each other: "250ms", "90s", "1h30m", "2d".
std::optional<std::uint64_t> parseDuration(const std::string& text)
{
    std::uint64_t total = 0;
    std::size_t at = 0;
    while (at < text.size())
    {
        std::size_t digits = at;
        while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])))
            ++digits;
        if (digits == at || digits - at > 12)
            return std::nullopt;
        const std::uint64_t n = std::stoull(text.substr(at, digits - at));
        std::size_t end = digits;
        while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end])))
            ++end;
        const std::string unit = text.substr(digits, end - digits);
        std::uint64_t scale = 0;
        if (unit == "ms")
            scale = 1;
        else if (unit == "s")
            scale = 1000;
        else if (unit == "m")
            scale = 60'000;
        else if (unit == "h")
            scale = 3'600'000;
        else if (unit == "d")
            scale = 86'400'000;
        else
            return std::nullopt;
        total += n * scale;
        if (total > kMaxMs)
            return std::nullopt;
        at = end;
    }
    return at == 0 ? std::nullopt : std::optional<std::uint64_t>(total);
}

// --since: machine time in ms ("86400250"), the same with units ("1d250ms"), or a time before
// now ("-30s").
std::uint64_t sinceArgument(const std::string& text)
{
    const bool before = !text.empty() && text[0] == '-';
    const std::string rest = before ? text.substr(1) : text;
    std::optional<std::uint64_t> ms;
    if (!rest.empty() && rest.find_first_not_of("0123456789") == std::string::npos)
    {
        if (rest.size() <= 15)
            ms = std::stoull(rest);
    }
    else
        ms = parseDuration(rest);
    if (!ms)
        throw UsageError{"--since: '" + text +
                         "' is not a machine time (MS, or with units: 90s, 1h30m; -30s: before "
                         "now)"};
    if (!before)
        return *ms;
    const std::uint64_t now = machine::MachineNow();
    return now > *ms ? now - *ms : 0;
}

struct AllOptions
{
    machine::JournalFilter filter;
    bool follow = false;
};

AllOptions allOptions(const Words& args)
{
    AllOptions o;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        const std::string& a = args[i];
        if (a == "--follow" || a == "-f")
            o.follow = true;
        else if (a == "--since" || a == "--tail")
        {
            if (i + 1 == args.size())
                throw UsageError{a + " needs a value"};
            const std::string& value = args[++i];
            if (a == "--since")
                o.filter.since_ms = sinceArgument(value);
            else
                o.filter.tail =
                    static_cast<std::size_t>(NeedNumber(value, 1, 0x7FFFFFFF, "--tail N"));
        }
        else
            throw UsageError{"unexpected argument '" + a + "'"};
    }
    return o;
}

void printLine(const machine::JournalLine& line)
{
    if (JsonOutput())
        std::cout << JournalLineJsonText(line) << "\n";
    else
        std::cout << "#" << line.seq << " " << line.time_ms << " " << line.log << " " << line.text
                  << "\n";
}

// The watch a signal ends the following through (writing to its event is safe in a handler).
std::atomic<machine::ChangeWatch*> g_following{nullptr};
std::atomic<bool> g_stopped{false};

extern "C" void stopFollowing(int)
{
    g_stopped = true;
    if (machine::ChangeWatch* watch = g_following.load())
        watch->wake();
}

// The lock file's identity: a machine made anew in the same folder has another.
std::optional<std::pair<dev_t, ino_t>> lockIdentity(const machine::Machine& m)
{
    struct stat st
    {
    };
    if (::stat(m.lockPath().c_str(), &st) != 0)
        return std::nullopt;
    return std::make_pair(st.st_dev, st.st_ino);
}

// Watches the writes of every folder of the machine, where the logs are: a line appended is the
// notice. Folders made since the last call are watched from then on.
bool watchLogFolders(const machine::Machine& m, machine::ChangeWatch& watch)
{
    // The lock file's removal tells of the machine's: a folder holding a file kept open (this
    // process keeps the lock file open) is told of its own removal only once that is closed.
    bool ok = watch.watchFolderWrites(m.root()) && watch.watchRemoval(m.root()) &&
              watch.watchWrites(m.lockPath());
    std::error_code ec;
    for (std::filesystem::recursive_directory_iterator it(m.root(), ec), end; !ec && it != end;
         it.increment(ec))
        if (it->is_directory(ec))
            ok = watch.watchFolderWrites(it->path()) && ok;
    return ok;
}

// Prints the lines that come after `last` as they come (the watch was set before `last` was
// read, so nothing written between falls through). Ends on SIGINT or SIGTERM, or when the
// machine goes (its folder removed, or a new machine made in its place).
int follow(const machine::Machine& m, machine::ChangeWatch& watch, machine::JournalFilter filter,
           std::uint64_t last, bool notices)
{
    const auto followed = lockIdentity(m);
    // Without notices, a look every second.
    const auto period = notices ? std::chrono::milliseconds(-1) : std::chrono::seconds(1);
    g_following = &watch;
    struct sigaction action
    {
    };
    action.sa_handler = stopFollowing;
    action.sa_flags = SA_RESTART; // the printing goes on; the wait sees the wake-up
    sigemptyset(&action.sa_mask);
    struct sigaction oldInt
    {
    }, oldTerm{};
    ::sigaction(SIGINT, &action, &oldInt);
    ::sigaction(SIGTERM, &action, &oldTerm);
    filter.tail = 0;
    while (!g_stopped)
    {
        watch.wait(period);
        if (g_stopped)
            break;
        if (!m.exists() || lockIdentity(m) != followed)
        {
            std::cerr << "vnmachine: the machine at " << m.root().string() << " is gone\n";
            break;
        }
        if (notices)
            watchLogFolders(m, watch);
        filter.afterSeq = last;
        for (const auto& line : machine::ReadJournal(m, filter))
        {
            printLine(line);
            last = line.seq;
        }
        std::cout.flush();
    }
    ::sigaction(SIGINT, &oldInt, nullptr);
    ::sigaction(SIGTERM, &oldTerm, nullptr);
    g_following = nullptr;
    return 0;
}

int all(const Words& args)
{
    if (std::find_if(args.begin(), args.end(),
                     [](const std::string& a)
                     { return a == "--help" || a == "-h"; }) != args.end() ||
        (args.size() == 1 && args[0] == "help"))
    {
        std::cout << "usage: vnmachine [--machine DIR] [--json] log all [--since TIME] [--tail N] "
                     "[--follow]\n\n"
                  << kLogAllHelp;
        return 0;
    }
    const AllOptions o = allOptions(args);
    const machine::Machine& m = machine::CurrentMachine();
    machine::ChangeWatch watch;
    bool notices = false;
    if (o.follow)
    {
        // The lock file counts the lines: reading the journal makes it when missing.
        machine::ReadJournal(m, {.afterSeq = ~std::uint64_t{0}});
        notices = watchLogFolders(m, watch);
    }
    const auto lines = machine::ReadJournal(m, o.filter);
    if (JsonOutput() && !o.follow)
    {
        nlohmann::json list = nlohmann::json::array();
        for (const auto& line : lines)
            list.push_back(JournalLineJson(line));
        PrintJson({{"lines", list}});
        return 0;
    }
    std::uint64_t last = 0;
    for (const auto& line : lines)
    {
        printLine(line);
        last = line.seq;
    }
    std::cout.flush();
    return o.follow ? follow(m, watch, o.filter, last, notices) : 0;
}

} // namespace

const char* const kLogAllHelp =
    "log all: every line \"#SEQ TIME_MS LOG TEXT\", SEQ shared by all logs, TIME_MS\n"
    "the machine clock. --since TIME: lines from that machine time on (MS, or with\n"
    "units: 90s, 1h30m, 250ms; -30s: that long before now); --tail N: the last N;\n"
    "--follow (-f): then the lines as they come, until Ctrl-C or the machine goes.\n"
    "--json: {lines: [{seq, time_ms, log, text}]}; with --follow one object a line.\n";

int RunLogCommand(const Words& args)
{
    if (!args.empty() && args[0] == "all")
        return all(Words(args.begin() + 1, args.end()));
    NeedWords(args, 0, 1);
    if (args.size() == 1)
    {
        if (args[0] == "registry" || args[0] == "desktop")
        {
            const auto& m = machine::CurrentMachine();
            const auto path = args[0] == "registry" ? machine::registry::RegistryLogPath(m)
                                                    : machine::desktop::DesktopLogPath(m);
            if (JsonOutput())
            {
                PrintLogJson(m, {path});
                return 0;
            }
            for (const std::string& line : machine::ReadLogLines(m, path))
                std::cout << line << "\n";
            return 0;
        }
        if (args[0] != "programs")
            throw UsageError{"unknown log '" + args[0] + "'"};
        return RunProgramsCommand({"log"});
    }
    const machine::Machine& m = machine::CurrentMachine();
    if (JsonOutput())
    {
        PrintLogJson(m, {platform::DebugLogPath()});
        return 0;
    }
    for (const std::string& line : machine::ReadLogLines(m, platform::DebugLogPath()))
        std::cout << line << "\n";
    return 0;
}
