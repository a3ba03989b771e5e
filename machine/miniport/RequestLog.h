#pragma once
// The ordered log of one adapter's driver, appended to <root>/miniport/{ID}/requests.log: a line
// for each open of its device path, each request that reached it and each close.
//
//   open handle=1234.2c path=\\.\{ID}
//   open handle=- path=\\.\{ID} fail=2
//   ioctl=00170002 inlen=4 handle=1234.2c FF8C0007 len=4 ret=4 ok in=32000000 out=32000000
//   close handle=1234.2c
//
// A handle is named by the opening process and its handle value. In a request line the code
// after the control code and the input length is the object identifier the input carried, `len`
// the output buffer's length; bytes are hex, "-" for none.

#include "machine/Machine.h"

#include <cstdint>
#include <string>
#include <vector>

namespace machine::miniport
{

// The control code the driver takes its queries and sets through.
inline constexpr std::uint32_t kQueryGlobalStats = 0x00170002;

struct LogEntry
{
    std::uint32_t code = 0;     // the wire code as it reached the driver
    std::uint32_t length = 0;   // bytes of the caller's buffer
    std::string bytesIn;        // the buffer as it came (a set's data, a query's request)
    std::string bytesOut;       // the buffer as it went back
    std::uint32_t returned = 0; // bytes returned
    bool ok = false;
    std::uint32_t error = 0;                   // the error of a failed request
    std::uint32_t control = kQueryGlobalStats; // the control code of the request
    std::uint32_t inLength = 4;                // bytes of the input (the identifier)
    std::string handle = "-";                  // the handle it came through, "-" for none

    bool operator==(const LogEntry&) const = default;
};

std::string FormatLogEntry(const LogEntry& entry);
bool ParseLogEntry(const std::string& line, LogEntry& entry);

void AppendRequestLog(const Machine& machine, const std::string& netCfgInstanceId,
                      const LogEntry& entry);
// The requests only, in order.
std::vector<LogEntry> ReadRequestLog(const Machine& machine, const std::string& netCfgInstanceId);

// The opens and closes of the device path. `error` 0 for an open that succeeded.
void AppendOpenLog(const Machine& machine, const std::string& netCfgInstanceId,
                   const std::string& handle, const std::string& path, std::uint32_t error);
void AppendCloseLog(const Machine& machine, const std::string& netCfgInstanceId,
                    const std::string& handle);
// Every line's text in order: opens, requests and closes.
std::vector<std::string> ReadDriverLog(const Machine& machine, const std::string& netCfgInstanceId);
void ClearRequestLog(const Machine& machine, const std::string& netCfgInstanceId);

} // namespace machine::miniport
