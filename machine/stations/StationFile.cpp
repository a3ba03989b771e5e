#include "machine/stations/StationFile.h"

#include "machine/FileStore.h"
#include "machine/Folders.h"
#include "machine/MachineLock.h"
#include "machine/miniport/AdapterState.h"

#include <algorithm>

namespace machine::stations
{
namespace
{

constexpr const char* kKindNames[] = {"none", "passphrase", "wep"};

struct Stations
{
    std::vector<Station> list;
};

// The words of a station's line after its key, in order; the same code reads and writes them.
template <class Io, class S, class K, class B> void StationWords(Io& io, S& s, K& kind, B& bytes)
{
    io.bssid("the MAC address", s.mac);
    io.number("the power-save flag", s.powerSave);
    io.name("the key kind", kind);
    io.check(std::find(std::begin(kKindNames), std::end(kKindNames), kind) != std::end(kKindNames),
             "the key kind is not none, passphrase or wep");
    io.number("the key index", s.wepIndex);
    io.check(s.wepIndex <= 3, "the key index is above 3");
    io.text("the key", bytes);
    io.check(kind != "wep" || bytes.size() == 5 || bytes.size() == 13,
             "a WEP key is not 5 or 13 bytes");
    io.check(kind != "passphrase" || !bytes.empty(), "the passphrase is empty");
}

const std::vector<Field<Stations>>& StationFields()
{
    static const std::vector<Field<Stations>> fields = {
        MakeField<Stations, Station, std::string, std::string>(
            "station",
            [](const Stations& all, auto emit)
            {
                for (const Station& s : all.list)
                    emit(s, std::string(kKindNames[static_cast<int>(s.key)]),
                         s.key == StationKey::Passphrase ? s.passphrase
                         : s.key == StationKey::Wep      ? s.wepKey
                                                         : std::string());
            },
            [](auto& io, auto& s, auto& kind, auto& bytes) { StationWords(io, s, kind, bytes); },
            [](Stations& all, Station s, std::string kind, std::string bytes)
            {
                s.key = kind == "passphrase" ? StationKey::Passphrase
                        : kind == "wep"      ? StationKey::Wep
                                             : StationKey::None;
                if (s.key == StationKey::Passphrase)
                    s.passphrase = std::move(bytes);
                else if (s.key == StationKey::Wep)
                    s.wepKey = std::move(bytes);
                if (s.key != StationKey::Wep)
                    s.wepIndex = 0;
                all.list.push_back(std::move(s));
            }),
    };
    return fields;
}

} // namespace

std::string FormatStations(const std::vector<Station>& stations)
{
    return FormatFields(StationFields(), Stations{stations});
}

StationFileContents ParseStations(std::string_view text)
{
    Stations read;
    StationFileContents out;
    out.problems = ReadEachLine(
        text,
        [&](std::string_view line)
        {
            const std::size_t before = read.list.size();
            std::string problem = ReadFieldLine(StationFields(), line, read);
            // A station is in range once: a second line for its address is a mistake.
            if (problem.empty() && read.list.size() > before &&
                std::count_if(read.list.begin(), read.list.end(),
                              [&](const Station& s) { return s.mac == read.list.back().mac; }) > 1)
            {
                problem =
                    "station: " + radio::FormatBssid(read.list.back().mac) + " is listed before";
                read.list.pop_back();
            }
            return problem;
        });
    out.stations = std::move(read.list);
    return out;
}

std::filesystem::path StationFilePath(const Machine& machine, const std::string& netCfgInstanceId)
{
    return miniport::AdapterDirectory(machine, netCfgInstanceId) / "stations.txt";
}

std::string DescribeProblem(const std::filesystem::path& file, const LineProblem& problem)
{
    return DescribeLineProblem("stations file", file, problem);
}

StationFileContents LoadStations(const Machine& machine, const std::string& netCfgInstanceId)
{
    MachineLock lock(machine);
    auto text = ReadWholeFile(StationFilePath(machine, netCfgInstanceId));
    return text ? ParseStations(*text) : StationFileContents{};
}

bool SaveStations(const Machine& machine, const std::string& netCfgInstanceId,
                  const std::vector<Station>& stations)
{
    MachineLock lock(machine);
    const auto path = StationFilePath(machine, netCfgInstanceId);
    std::error_code ec;
    machine::CreateFolders(path.parent_path(), ec);
    // Passphrases and keys: owner only.
    return WriteFileAtomically(path, FormatStations(stations));
}

} // namespace machine::stations
