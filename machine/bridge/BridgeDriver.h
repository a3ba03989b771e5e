#pragma once
// The bridge driver's answers to what the platform hands it: the opens of "\\.\NBRG", its
// control requests and the closes. Each is logged (BridgeLog.h) and works under the machine
// lock on the state a test or a person arranged (BridgeState.h).

#include "machine/Machine.h"

#include <cstdint>
#include <string>

namespace machine::bridge
{

// What CreateFile was given.
struct OpenRequest
{
    std::uint32_t access = 0;
    std::uint32_t share = 0;
    std::uint32_t flags = 0; // flags and attributes
};

inline constexpr std::uint32_t kFlagOverlapped = 0x40000000u;
inline constexpr std::uint32_t kFlagDeleteOnClose = 0x04000000u;

struct OpenResult
{
    std::uint32_t handle = 0; // the handle's number in the log; 0 when the open failed
    std::uint32_t error = 0;  // kErrorFileNotFound while there is no bridge
};

OpenResult OpenBridge(const Machine& machine, const OpenRequest& request);

enum class Outcome
{
    Answered,
    Failed,
    Pending // left unanswered: nothing changes and nothing is written
};

struct Answer
{
    Outcome outcome = Outcome::Failed;
    std::uint32_t error = 0; // of a failed request, as the caller's last error
    std::string output;      // the bytes written to the caller's output buffer (its returned count)
};

// A control request on handle `handle`: `input` the caller's input bytes, `outputSize` the size
// of its output buffer. Only a request that `mayPend` (one on an overlapped handle) is left
// pending; a request on a synchronous handle waits for its answer, which the driver gives.
// Sizes are checked as the driver checks them: an input shorter than the request's u32 fails
// with kErrorInvalidParameter, an output buffer too small for the answer with
// kErrorInsufficientBuffer, an unknown code with kErrorInvalidFunction; a bridge taken away
// while the handle is open answers kErrorDeviceNotConnected.
Answer HandleBridgeRequest(const Machine& machine, std::uint32_t handle, std::uint32_t code,
                           const std::string& input, std::uint32_t outputSize, bool mayPend);

void CloseBridge(const Machine& machine, std::uint32_t handle);

} // namespace machine::bridge
