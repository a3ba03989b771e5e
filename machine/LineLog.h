#pragma once
// A machine log of one line per record: appended whole under the machine lock, so a reader in
// another process sees complete lines only.

#include "machine/Machine.h"

#include <filesystem>
#include <string>
#include <vector>

namespace machine
{

// Makes the log's folder when missing.
void AppendLogLine(const Machine& machine, const std::filesystem::path& log,
                   const std::string& line);
// Every line, without its line end; none when there is no log.
std::vector<std::string> ReadLogLines(const Machine& machine, const std::filesystem::path& log);
void ClearLog(const Machine& machine, const std::filesystem::path& log);

} // namespace machine
