#pragma once
// The wireless adapter's driver: answers one request (a wire code and the caller's buffer) from
// the adapter's state, with the injected failures applied, and logs it.

#include "machine/Machine.h"

#include <cstdint>
#include <string>

namespace machine::miniport
{

// Error numbers of failed requests, as the caller's last error.
inline constexpr std::uint32_t kErrorNotSupported = 50;        // unknown code
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122; // buffer smaller than the answer
inline constexpr std::uint32_t kErrorInvalidParameter = 87;    // contents the driver refuses
inline constexpr std::uint32_t kErrorGenFailure = 31;          // the default injected failure

struct RequestResult
{
    bool ok = false;
    std::uint32_t error = 0;
    std::uint32_t returned = 0;
};

// `buffer` is the caller's buffer (its size the caller's length): a set's data or a query's
// request on entry, the answer on return. Runs under the machine lock.
RequestResult HandleRequest(const Machine& machine, const std::string& netCfgInstanceId,
                            std::uint32_t wireCode, std::string& buffer);

// An open of the adapter's device is refused by an injected failure.
bool OpenIsRefused(const Machine& machine, const std::string& netCfgInstanceId);

} // namespace machine::miniport
