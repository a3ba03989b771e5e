#include "machine/miniport/DriverFaults.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/MachineLock.h"
#include "machine/ParsedFile.h"
#include "machine/miniport/AdapterState.h"
#include "machine/miniport/OidTable.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace machine::miniport
{
namespace
{

const char* directionName(Direction d)
{
    return d == Direction::Query ? "query" : d == Direction::Set ? "set" : "both";
}

Direction parseDirection(const std::string& s)
{
    return s == "query" ? Direction::Query : s == "set" ? Direction::Set : Direction::Both;
}

bool matches(std::uint32_t oid, Direction d, std::uint32_t wireCode)
{
    if (QueryFormOf(wireCode) != oid)
        return false;
    bool isSet = IsSetForm(wireCode);
    return d == Direction::Both || (d == Direction::Set) == isSet;
}

const std::filesystem::path& faultsPath(const Machine& machine, const std::string& id)
{
    return AdapterFile(machine, id, "faults.txt");
}

Direction directionFor(std::uint32_t code, Direction direction)
{
    if (direction == Direction::Both && IsSetForm(code))
        return Direction::Set;
    return direction;
}

template <class F> void changeFaults(const Machine& machine, const std::string& id, F change)
{
    MachineLock lock(machine);
    DriverFaults faults = LoadDriverFaults(machine, id);
    change(faults);
    SaveDriverFaults(machine, id, faults);
}

} // namespace

std::string FormatDriverFaults(const DriverFaults& faults)
{
    std::ostringstream out;
    char line[96];
    for (const auto& f : faults.failures)
    {
        std::snprintf(line, sizeof line, "fail %08X %s %d %u\n", f.oid, directionName(f.direction),
                      f.remaining, f.error);
        out << line;
    }
    for (const auto& s : faults.shortAnswers)
    {
        std::snprintf(line, sizeof line, "short %08X %s %u\n", s.oid, directionName(s.direction),
                      s.bytes);
        out << line;
    }
    for (std::uint32_t oid : faults.scribbles)
    {
        std::snprintf(line, sizeof line, "scribble %08X\n", oid);
        out << line;
    }
    if (faults.openFails)
        out << "open fails\n";
    return out.str();
}

DriverFaults ParseDriverFaults(const std::string& text)
{
    DriverFaults faults;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream fields(line);
        std::string word, code, direction;
        fields >> word >> code >> direction;
        try
        {
            if (word == "fail")
            {
                RequestFault f;
                f.oid = static_cast<std::uint32_t>(std::stoul(code, nullptr, 16));
                f.direction = parseDirection(direction);
                fields >> f.remaining >> f.error;
                if (f.remaining != 0)
                    faults.failures.push_back(f);
            }
            else if (word == "short")
            {
                ShortAnswer s;
                s.oid = static_cast<std::uint32_t>(std::stoul(code, nullptr, 16));
                s.direction = parseDirection(direction);
                fields >> s.bytes;
                faults.shortAnswers.push_back(s);
            }
            else if (word == "scribble")
                faults.scribbles.push_back(
                    static_cast<std::uint32_t>(std::stoul(code, nullptr, 16)));
            else if (word == "open")
                faults.openFails = true;
        }
        catch (const std::exception&)
        {
            // A line someone mistyped injects nothing.
        }
    }
    return faults;
}

DriverFaults LoadDriverFaults(const Machine& machine, const std::string& netCfgInstanceId)
{
    static ParsedFile<DriverFaults> kept;
    // Every request looks here, and most drivers have no failures arranged: the kept parse
    // answers for a missing file as for an unchanged one.
    return kept
        .loadText(faultsPath(machine, netCfgInstanceId),
                  [](const std::string& text) { return ParseDriverFaults(text); })
        .value_or(DriverFaults{});
}

bool SaveDriverFaults(const Machine& machine, const std::string& netCfgInstanceId,
                      const DriverFaults& faults)
{
    MachineLock lock(machine);
    std::error_code ec;
    machine::CreateFolders(AdapterDirectory(machine, netCfgInstanceId), ec);
    return WriteFileAtomically(faultsPath(machine, netCfgInstanceId), FormatDriverFaults(faults),
                               FileAccess::Everyone);
}

void InjectRequestFault(const Machine& machine, const std::string& netCfgInstanceId,
                        std::uint32_t code, int times, Direction direction, std::uint32_t error)
{
    if (times == 0)
        return;
    changeFaults(machine, netCfgInstanceId,
                 [&](DriverFaults& f)
                 {
                     f.failures.push_back({QueryFormOf(code), directionFor(code, direction),
                                           times < 0 ? -1 : times, error});
                 });
}

void InjectShortAnswer(const Machine& machine, const std::string& netCfgInstanceId,
                       std::uint32_t code, std::uint32_t bytes, Direction direction)
{
    changeFaults(
        machine, netCfgInstanceId,
        [&](DriverFaults& f) {
            f.shortAnswers.push_back({QueryFormOf(code), directionFor(code, direction), bytes});
        });
}

void InjectSetScribble(const Machine& machine, const std::string& netCfgInstanceId,
                       std::uint32_t code)
{
    changeFaults(machine, netCfgInstanceId,
                 [&](DriverFaults& f) { f.scribbles.push_back(QueryFormOf(code)); });
}

void InjectOpenFailure(const Machine& machine, const std::string& netCfgInstanceId, bool fails)
{
    changeFaults(machine, netCfgInstanceId, [&](DriverFaults& f) { f.openFails = fails; });
}

void ClearDriverFaults(const Machine& machine, const std::string& netCfgInstanceId)
{
    SaveDriverFaults(machine, netCfgInstanceId, {});
}

std::optional<std::uint32_t> TakeRequestFault(DriverFaults& faults, std::uint32_t wireCode)
{
    for (auto it = faults.failures.begin(); it != faults.failures.end(); ++it)
    {
        if (!matches(it->oid, it->direction, wireCode))
            continue;
        std::uint32_t error = it->error;
        if (it->remaining > 0 && --it->remaining == 0)
            faults.failures.erase(it);
        return error;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ShortAnswerFor(const DriverFaults& faults, std::uint32_t wireCode)
{
    for (const auto& s : faults.shortAnswers)
        if (matches(s.oid, s.direction, wireCode))
            return s.bytes;
    return std::nullopt;
}

} // namespace machine::miniport

namespace machine::miniport
{

bool ScribblesOn(const DriverFaults& faults, std::uint32_t wireCode)
{
    return IsSetForm(wireCode) && std::find(faults.scribbles.begin(), faults.scribbles.end(),
                                            QueryFormOf(wireCode)) != faults.scribbles.end();
}

} // namespace machine::miniport
