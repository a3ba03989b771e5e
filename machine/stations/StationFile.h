#pragma once
// The stations in range of one adapter, <root>/miniport/{ID}/stations.txt, a line a station:
//
//   station 02-5A-00-00-00-01 0 none 0 -
//   station 02-5A-00-00-00-02 1 passphrase 0 6F72636861726431      (the passphrase in hex)
//   station 02-5A-00-00-00-03 0 wep 1 0102030405
//
// MAC, power-save flag, key kind, WEP key index, key bytes in hex ("-" for none). One table of
// fields reads and writes it (FieldLines.h); a line that cannot be read is reported with its
// number and skipped.

#include "machine/FieldLines.h"
#include "machine/Machine.h"
#include "machine/stations/Station.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace machine::stations
{

struct StationFileContents
{
    std::vector<Station> stations;     // what could be read
    std::vector<LineProblem> problems; // the lines that could not, skipped
};

std::string FormatStations(const std::vector<Station>& stations);
StationFileContents ParseStations(std::string_view text);

std::filesystem::path StationFilePath(const Machine& machine, const std::string& netCfgInstanceId);
// "stations file <path>, line 3: station: the key kind "psk" is not none, passphrase or wep"
std::string DescribeProblem(const std::filesystem::path& file, const LineProblem& problem);

// None when there is no file. Under the machine lock.
StationFileContents LoadStations(const Machine& machine, const std::string& netCfgInstanceId);
bool SaveStations(const Machine& machine, const std::string& netCfgInstanceId,
                  const std::vector<Station>& stations);

} // namespace machine::stations
