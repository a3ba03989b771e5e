#include "machine/wmi/DriverEvents.h"

#include "machine/AsciiCase.h"
#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/LineLog.h"
#include "machine/MachineLock.h"
#include "machine/ParsedFile.h"
#include "machine/SettingsFile.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace machine::wmi
{
namespace
{

// Enough for every subscriber to catch up after a burst; older batches are dropped.
constexpr std::size_t kJournalLimit = 256;

constexpr WmiStep kSteps[] = {WmiStep::Initialize, WmiStep::Security, WmiStep::CreateLocator,
                              WmiStep::Connect, WmiStep::Subscribe};

struct Journal
{
    std::uint64_t next = 1;
    std::vector<EventBatch> batches;
};

std::filesystem::path journalPath(const Machine& machine)
{
    return machine.root() / "wmi" / "events" / kEventJournalName;
}

std::filesystem::path logPath(const Machine& machine)
{
    return machine.root() / "wmi" / "wmi.log";
}

// A class name is kept as the rest of its line: control bytes would break the line, so they
// are dropped.
std::string lineSafe(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x20)
            out += c;
    return out;
}

std::string formatJournal(const Journal& journal)
{
    std::ostringstream out;
    out << "next " << journal.next << "\n";
    for (const auto& b : journal.batches)
    {
        out << "batch " << b.seq << "\n";
        for (const auto& o : b.objects)
        {
            if (o.classReadable)
                out << "object " << lineSafe(o.className) << "\n";
            else
                out << "unreadable\n";
        }
    }
    return out.str();
}

Journal parseJournal(const std::string& text)
{
    Journal journal;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        if (line.rfind("next ", 0) == 0)
            journal.next = std::strtoull(line.c_str() + 5, nullptr, 10);
        else if (line.rfind("batch ", 0) == 0)
            journal.batches.push_back({std::strtoull(line.c_str() + 6, nullptr, 10), {}});
        else if (line.rfind("object ", 0) == 0 && !journal.batches.empty())
            journal.batches.back().objects.push_back({line.substr(7), true});
        else if (line == "unreadable" && !journal.batches.empty())
            journal.batches.back().objects.push_back({"", false});
    }
    if (journal.next == 0)
        journal.next = 1;
    return journal;
}

// Each subscriber looks at the journal whenever its folder changes: an unchanged journal is not
// parsed again.
Journal loadJournal(const Machine& machine)
{
    static ParsedFile<Journal> kept;
    return kept.loadText(journalPath(machine), parseJournal).value_or(Journal{});
}

const SettingsFile<WmiFaults> kFaultsFile{"wmi/faults.txt", FormatWmiFaults, ParseWmiFaults};

} // namespace

std::filesystem::path EventFolder(const Machine& machine)
{
    std::filesystem::path folder = machine.root() / "wmi" / "events";
    std::error_code ec;
    machine::CreateFolders(folder, ec);
    return folder;
}

std::uint64_t RaiseDriverEvents(const Machine& machine, const std::vector<EventObject>& objects)
{
    if (objects.empty())
        return 0;
    MachineLock lock(machine);
    Journal journal = loadJournal(machine);
    const std::uint64_t seq = journal.next++;
    journal.batches.push_back({seq, objects});
    if (journal.batches.size() > kJournalLimit)
        journal.batches.erase(journal.batches.begin(),
                              journal.batches.end() - static_cast<long>(kJournalLimit));
    EventFolder(machine);
    if (!WriteFileAtomically(journalPath(machine), formatJournal(journal), FileAccess::Everyone))
        return 0;
    return seq;
}

std::uint64_t RaiseDriverEvent(const Machine& machine, const std::string& className)
{
    return RaiseDriverEvents(machine, {EventObject{className, true}});
}

std::vector<EventBatch> EventBatchesAfter(const Machine& machine, std::uint64_t seq)
{
    Journal journal = loadJournal(machine);
    std::vector<EventBatch> out;
    for (auto& b : journal.batches)
        if (b.seq > seq)
            out.push_back(std::move(b));
    return out;
}

std::uint64_t LastEventSeq(const Machine& machine)
{
    return loadJournal(machine).next - 1;
}

namespace
{

// "ROOT\WMI", also with the local machine named in front ("\\.\ROOT\WMI") and with slashes.
std::string namespacePath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    if (path.rfind("\\\\.\\", 0) == 0)
        path.erase(0, 4);
    return path;
}

} // namespace

bool IsKnownNamespace(const std::string& path)
{
    return EqualNoCase(namespacePath(path), kDriverNamespace);
}

bool IsEventClass(const std::string& path, const std::string& className)
{
    return IsKnownNamespace(path) && EqualNoCase(className, kDriverEventClass);
}

const char* WmiStepName(WmiStep step)
{
    switch (step)
    {
    case WmiStep::Initialize:
        return "init";
    case WmiStep::Security:
        return "security";
    case WmiStep::CreateLocator:
        return "locator";
    case WmiStep::Connect:
        return "connect";
    case WmiStep::Subscribe:
        return "query";
    }
    return "?";
}

std::optional<WmiStep> ParseWmiStep(const std::string& name)
{
    for (WmiStep s : kSteps)
        if (name == WmiStepName(s))
            return s;
    return std::nullopt;
}

std::string FormatWmiFaults(const WmiFaults& faults)
{
    std::ostringstream out;
    for (const auto& f : faults.failures)
        out << "fail " << WmiStepName(f.step) << " " << f.remaining << " " << f.result << "\n";
    return out.str();
}

WmiFaults ParseWmiFaults(const std::string& text)
{
    WmiFaults faults;
    ForEachSetting(text,
                   [&](const std::string& keyword, std::istream& words)
                   {
                       if (keyword != "fail")
                           return;
                       std::string name;
                       WmiFailure f;
                       words >> name >> f.remaining >> f.result;
                       auto step = ParseWmiStep(name);
                       if (step && !words.fail())
                       {
                           f.step = *step;
                           faults.failures.push_back(f);
                       }
                   });
    return faults;
}

WmiFaults LoadWmiFaults(const Machine& machine)
{
    return kFaultsFile.Load(machine);
}

void InjectWmiFailure(const Machine& machine, WmiStep step, int times, std::uint32_t result)
{
    kFaultsFile.Change(machine,
                       [&](WmiFaults& f)
                       {
                           std::erase_if(f.failures,
                                         [&](const WmiFailure& x) { return x.step == step; });
                           if (times != 0)
                               f.failures.push_back({step, times, result});
                       });
}

void ClearWmiFaults(const Machine& machine)
{
    kFaultsFile.Change(machine, [](WmiFaults& f) { f = {}; });
}

std::optional<std::uint32_t> TakeWmiFailure(const Machine& machine, WmiStep step)
{
    // Most calls find no file: no lock is needed to see that.
    if (!std::filesystem::exists(kFaultsFile.Path(machine)))
        return std::nullopt;
    return kFaultsFile.TakeFailure(machine, &WmiFaults::failures,
                                   [&](const WmiFailure& f) { return f.step == step; });
}

void AppendWmiLog(const Machine& machine, const std::string& line)
{
    AppendLogLine(machine, logPath(machine), line);
}

std::vector<std::string> ReadWmiLog(const Machine& machine)
{
    return ReadLogLines(machine, logPath(machine));
}

void ClearWmiLog(const Machine& machine)
{
    ClearLog(machine, logPath(machine));
}

} // namespace machine::wmi
