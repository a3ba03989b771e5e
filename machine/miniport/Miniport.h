#pragma once
// The wireless adapter's driver: answers one request (a wire code and the caller's buffer) from
// the adapter's state, with the injected failures applied, and logs it.

#include "machine/ErrorCodes.h"
#include "machine/Machine.h"
#include "machine/miniport/RequestLog.h"

#include <cstdint>
#include <string>

namespace machine::miniport
{

struct RequestResult
{
    bool ok = false;
    // As the caller's last error: kErrorNotSupported for an unknown code, kErrorInsufficientBuffer
    // for a buffer smaller than the answer, kErrorInvalidParameter for contents the driver refuses,
    // or the injected failure's error.
    std::uint32_t error = 0;
    std::uint32_t returned = 0;
};

// How a request reached the driver, for its log line.
struct RequestSource
{
    std::uint32_t control = kQueryGlobalStats;
    std::uint32_t inLength = 4;
    std::string handle = "-";
};

// `buffer` is the caller's buffer (its size the caller's length): a set's data or a query's
// request on entry, the answer on return. Runs under the machine lock. A query writes nothing
// but its log line (an event query takes the events it answers from the queue).
RequestResult HandleRequest(const Machine& machine, const std::string& netCfgInstanceId,
                            std::uint32_t wireCode, std::string& buffer,
                            const RequestSource& source = {});

// An open of the adapter's device is refused by an injected failure.
bool OpenIsRefused(const Machine& machine, const std::string& netCfgInstanceId);

} // namespace machine::miniport
