#include "machine/network/SharingFaults.h"

#include "machine/LineLog.h"
#include "machine/MachineLock.h"
#include "machine/SettingsFile.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace machine::network
{
namespace
{

constexpr SharingCall kCalls[] = {SharingCall::Create, SharingCall::Enumerate,
                                  SharingCall::Props,  SharingCall::Configuration,
                                  SharingCall::Enable, SharingCall::Disable};

std::filesystem::path logPath(const Machine& machine)
{
    return machine.root() / "network" / "sharing.log";
}

const SettingsFile<SharingFaults> kFaultsFile{"network/sharing-faults.txt", FormatSharingFaults,
                                              ParseSharingFaults};

} // namespace

const char* SharingCallName(SharingCall call)
{
    switch (call)
    {
    case SharingCall::Create:
        return "create";
    case SharingCall::Enumerate:
        return "enum";
    case SharingCall::Props:
        return "props";
    case SharingCall::Configuration:
        return "configuration";
    case SharingCall::Enable:
        return "enable";
    case SharingCall::Disable:
        return "disable";
    }
    return "?";
}

std::optional<SharingCall> ParseSharingCall(const std::string& name)
{
    for (SharingCall c : kCalls)
        if (name == SharingCallName(c))
            return c;
    return std::nullopt;
}

std::string FormatSharingFaults(const SharingFaults& faults)
{
    std::ostringstream out;
    for (const auto& f : faults.failures)
        out << "fail " << SharingCallName(f.call) << " " << f.remaining << " " << f.result << "\n";
    for (std::size_t p : faults.oddItems)
        out << "item " << p << "\n";
    return out.str();
}

SharingFaults ParseSharingFaults(const std::string& text)
{
    SharingFaults faults;
    ForEachSetting(text,
                   [&](const std::string& keyword, std::istream& words)
                   {
                       if (keyword == "fail")
                       {
                           std::string name;
                           SharingFailure f;
                           words >> name >> f.remaining >> f.result;
                           auto call = ParseSharingCall(name);
                           if (call && !words.fail())
                           {
                               f.call = *call;
                               faults.failures.push_back(f);
                           }
                       }
                       else if (keyword == "item")
                       {
                           std::size_t p = 0;
                           if (words >> p)
                               faults.oddItems.push_back(p);
                       }
                   });
    return faults;
}

SharingFaults LoadSharingFaults(const Machine& machine)
{
    return kFaultsFile.Load(machine);
}

bool SaveSharingFaults(const Machine& machine, const SharingFaults& faults)
{
    return kFaultsFile.Save(machine, faults);
}

void InjectSharingFailure(const Machine& machine, SharingCall call, int times, std::uint32_t result)
{
    kFaultsFile.Change(machine,
                       [&](SharingFaults& f)
                       {
                           std::erase_if(f.failures,
                                         [&](const SharingFailure& x) { return x.call == call; });
                           if (times != 0)
                               f.failures.push_back({call, times, result});
                       });
}

void InjectOddItem(const Machine& machine, std::size_t position)
{
    kFaultsFile.Change(machine,
                       [&](SharingFaults& f)
                       {
                           if (std::find(f.oddItems.begin(), f.oddItems.end(), position) ==
                               f.oddItems.end())
                               f.oddItems.push_back(position);
                       });
}

void ClearSharingFaults(const Machine& machine)
{
    kFaultsFile.Change(machine, [](SharingFaults& f) { f = {}; });
}

std::optional<std::uint32_t> TakeSharingFailure(const Machine& machine, SharingCall call)
{
    return kFaultsFile.TakeFailure(machine, &SharingFaults::failures,
                                   [&](const SharingFailure& f) { return f.call == call; });
}

void AppendSharingLog(const Machine& machine, const std::string& line)
{
    AppendLogLine(machine, logPath(machine), line);
}

std::vector<std::string> ReadSharingLog(const Machine& machine)
{
    return ReadLogLines(machine, logPath(machine));
}

void ClearSharingLog(const Machine& machine)
{
    ClearLog(machine, logPath(machine));
}

} // namespace machine::network
