#pragma once
// The ordered log of one adapter's driver requests, appended to
// <root>/miniport/{ID}/requests.log, one line a request.

#include "machine/Machine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace machine::miniport
{

struct LogEntry
{
    std::uint32_t code = 0;     // the wire code as it reached the driver
    std::uint32_t length = 0;   // bytes of the caller's buffer
    std::string bytesIn;        // the buffer as it came (a set's data, a query's request)
    std::string bytesOut;       // the buffer as it went back
    std::uint32_t returned = 0; // bytes returned
    bool ok = false;
    std::uint32_t error = 0; // the error of a failed request

    bool operator==(const LogEntry&) const = default;
};

std::string FormatLogEntry(const LogEntry& entry);
bool ParseLogEntry(const std::string& line, LogEntry& entry);

void AppendRequestLog(const Machine& machine, const std::string& netCfgInstanceId,
                      const LogEntry& entry);
std::vector<LogEntry> ReadRequestLog(const Machine& machine, const std::string& netCfgInstanceId);
void ClearRequestLog(const Machine& machine, const std::string& netCfgInstanceId);

} // namespace machine::miniport
