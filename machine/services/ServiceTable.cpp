#include "machine/services/ServiceTable.h"

#include "machine/AsciiCase.h"
#include "machine/FileStore.h"
#include "machine/LineLog.h"
#include "machine/MachineClock.h"
#include "machine/MachineLock.h"
#include "machine/SettingsFile.h"
#include "machine/SystemInfo.h"
#include "machine/wlan/WlanControl.h"

#include <sstream>

namespace machine::services
{
namespace
{

constexpr const char* kWlanService = "Wlansvc";
constexpr const char* kZeroConfigService = "WZCSVC";

std::filesystem::path tablePath(const Machine& m)
{
    return m.root() / "services" / "table.txt";
}

std::filesystem::path logPath(const Machine& m)
{
    return m.root() / "services" / "log.txt";
}

bool isNt(const SystemInfo& info)
{
    return info.platformId == 2;
}

bool presentOn(const SystemInfo& info, const std::string& name)
{
    if (!isNt(info))
        return false;
    if (name == kWlanService)
        return info.majorVersion >= 6;
    if (name == kZeroConfigService)
        return info.majorVersion == 5 && (info.minorVersion == 1 || info.minorVersion == 2);
    return false;
}

bool isPending(std::uint32_t state)
{
    return state == kStartPending || state == kStopPending;
}

std::string format(const std::vector<Service>& table)
{
    std::ostringstream out;
    for (const auto& s : table)
        out << "service " << s.name << " state " << s.state << " start-type " << s.startType
            << " until " << s.pendingUntil << "\n";
    return out.str();
}

std::vector<Service> defaults()
{
    std::vector<Service> table;
    for (const char* name : {kWlanService, kZeroConfigService})
    {
        Service s;
        s.name = name;
        table.push_back(s);
    }
    return table;
}

std::vector<Service> parse(const std::string& text)
{
    std::vector<Service> table = defaults();
    ForEachSetting(
        text,
        [&](const std::string& keyword, std::istringstream& words)
        {
            if (keyword != "service")
                return;
            Service s;
            std::string word;
            words >> s.name;
            while (words >> word)
            {
                if (word == "state")
                    words >> s.state;
                else if (word == "start-type")
                    words >> s.startType;
                else if (word == "until")
                    words >> s.pendingUntil;
            }
            for (auto& known : table)
                if (EqualNoCase(known.name, s.name))
                    known = Service{known.name, false, s.state, s.startType, s.pendingUntil};
        });
    return table;
}

// A pending state settles once its time has come. A due time further off than a transition
// takes comes from another clock (a test's manual clock, a restarted host) and counts as due.
void settle(const Machine& m, Service& s, std::uint64_t now)
{
    if (isPending(s.state) && (now >= s.pendingUntil || s.pendingUntil > now + kTransitionMs))
    {
        s.state = s.state == kStartPending ? kRunning : kStopped;
        s.pendingUntil = 0;
    }
    if (s.name == kWlanService && !isPending(s.state))
        s.state = wlan::IsServiceRunning(m) ? kRunning : kStopped;
}

// Reads the table, settles it, lets `f` look or change, and writes it back when it changed.
template <class F> auto withTable(const Machine& m, F&& f)
{
    MachineLock lock(m);
    const std::string before = ReadWholeFile(tablePath(m)).value_or("");
    std::vector<Service> table = parse(before);
    const SystemInfo info = LoadSystemInfo(m);
    const std::uint64_t now = MachineNow();
    for (auto& s : table)
    {
        s.present = presentOn(info, s.name);
        settle(m, s, now);
    }
    auto result = f(table, now);
    const std::string after = format(table);
    if (after != before)
        WriteSettingsText(tablePath(m), after);
    return result;
}

Service* findIn(std::vector<Service>& table, const std::string& name)
{
    for (auto& s : table)
        if (s.present && EqualNoCase(s.name, name))
            return &s;
    return nullptr;
}

} // namespace

bool HasServiceManager(const Machine& machine)
{
    return isNt(LoadSystemInfo(machine));
}

std::vector<Service> ListServices(const Machine& machine)
{
    return withTable(machine, [](std::vector<Service>& table, std::uint64_t) { return table; });
}

std::optional<Service> FindService(const Machine& machine, const std::string& name)
{
    return withTable(machine,
                     [&](std::vector<Service>& table, std::uint64_t) -> std::optional<Service>
                     {
                         if (Service* s = findIn(table, name))
                             return *s;
                         return std::nullopt;
                     });
}

std::uint32_t StartService(const Machine& machine, const std::string& name)
{
    return withTable(machine,
                     [&](std::vector<Service>& table, std::uint64_t now) -> std::uint32_t
                     {
                         Service* s = findIn(table, name);
                         if (s == nullptr)
                             return kErrorServiceDoesNotExist;
                         if (s->startType == kDisabled)
                             return kErrorServiceDisabled;
                         if (s->state != kStopped)
                             return kErrorServiceAlreadyRunning;
                         s->state = kStartPending;
                         s->pendingUntil = now + kTransitionMs;
                         if (s->name == kWlanService)
                             wlan::SetServiceRunning(machine, true);
                         return 0;
                     });
}

std::uint32_t StopService(const Machine& machine, const std::string& name)
{
    return withTable(machine,
                     [&](std::vector<Service>& table, std::uint64_t now) -> std::uint32_t
                     {
                         Service* s = findIn(table, name);
                         if (s == nullptr)
                             return kErrorServiceDoesNotExist;
                         if (s->state == kStopped)
                             return kErrorServiceNotActive;
                         if (isPending(s->state))
                             return kErrorServiceCannotAcceptControl;
                         s->state = kStopPending;
                         s->pendingUntil = now + kTransitionMs;
                         if (s->name == kWlanService)
                             wlan::SetServiceRunning(machine, false);
                         return 0;
                     });
}

std::uint32_t SetStartType(const Machine& machine, const std::string& name, std::uint32_t startType)
{
    return withTable(machine,
                     [&](std::vector<Service>& table, std::uint64_t) -> std::uint32_t
                     {
                         Service* s = findIn(table, name);
                         if (s == nullptr)
                             return kErrorServiceDoesNotExist;
                         if (startType != kAutoStart && startType != kDemandStart &&
                             startType != kDisabled)
                             return kErrorInvalidParameter;
                         s->startType = startType;
                         return 0;
                     });
}

std::string StateName(std::uint32_t state)
{
    switch (state)
    {
    case kStopped:
        return "STOPPED";
    case kStartPending:
        return "START_PENDING";
    case kStopPending:
        return "STOP_PENDING";
    case kRunning:
        return "RUNNING";
    default:
        return "state " + std::to_string(state);
    }
}

std::string StartTypeName(std::uint32_t startType)
{
    switch (startType)
    {
    case 0:
        return "boot";
    case 1:
        return "system";
    case kAutoStart:
        return "auto";
    case kDemandStart:
        return "demand";
    case kDisabled:
        return "disabled";
    default:
        return "start type " + std::to_string(startType);
    }
}

void AppendServiceLog(const Machine& machine, const std::string& line)
{
    // Programs that check a service on every tick would grow it without end: the log's cap
    // bounds it.
    AppendLogLine(machine, logPath(machine), std::to_string(MachineNow()) + " " + line);
}

std::vector<std::string> ReadServiceLog(const Machine& machine)
{
    return ReadLogLines(machine, logPath(machine));
}

void ClearServiceLog(const Machine& machine)
{
    ClearLog(machine, logPath(machine));
}

} // namespace machine::services
