#include "machine/bridge/BridgeDriver.h"

#include "machine/ErrorCodes.h"
#include "machine/LittleEndian.h"
#include "machine/MachineLock.h"
#include "machine/bridge/BridgeLog.h"
#include "machine/bridge/BridgeState.h"
#include "machine/radio/Network.h"

#include <cstdio>
#include <initializer_list>
#include <utility>
#include <vector>

namespace machine::bridge
{
namespace
{

constexpr std::size_t kWord = 4;

std::string hexOf(const std::string& bytes)
{
    return bytes.empty() ? "-"
                         : radio::ToHex(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::string hex8(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// Appended piece by piece: GCC 12 takes `"|" + std::string` for an overlapping copy.
void appendName(std::string& text, const std::string& name)
{
    if (!text.empty())
        text += '|';
    text += name;
}

// "READ|WRITE", "OVERLAPPED|DELETE_ON_CLOSE": the named bits, the rest in hex; "0" for none.
std::string bitNames(std::uint32_t bits,
                     std::initializer_list<std::pair<std::uint32_t, const char*>> names)
{
    std::string text;
    for (const auto& [bit, name] : names)
        if ((bits & bit) != 0)
        {
            appendName(text, name);
            bits &= ~bit;
        }
    if (bits != 0)
        appendName(text, hex8(bits));
    return text.empty() ? "0" : text;
}

std::string describeOpen(const OpenRequest& r)
{
    return "access=" + hex8(r.access) +
           " share=" + bitNames(r.share, {{1, "READ"}, {2, "WRITE"}, {4, "DELETE"}}) + " flags=" +
           bitNames(r.flags,
                    {{kFlagOverlapped, "OVERLAPPED"}, {kFlagDeleteOnClose, "DELETE_ON_CLOSE"}});
}

Answer failed(std::uint32_t error)
{
    return {Outcome::Failed, error, {}};
}

// The driver's answer to one request; changes the state as the request asks.
Answer answer(BridgeState& state, std::uint32_t code, const std::string& input,
              std::uint32_t outputSize)
{
    switch (code)
    {
    case kVersionRequest:
        // The caller's 0xFFFFFFFF comes in, the version goes back in the same buffer.
        if (input.size() < kWord)
            return failed(kErrorInvalidParameter);
        if (outputSize < kWord)
            return failed(kErrorInsufficientBuffer);
        return {Outcome::Answered, 0, Le32(state.version)};
    case kSwitchRequest:
        if (input.size() < kWord)
            return failed(kErrorInvalidParameter);
        state.bridging = ReadLe32(input) != 0;
        return {Outcome::Answered, 0, {}};
    case kStateRequest:
        if (outputSize < kWord)
            return failed(kErrorInsufficientBuffer);
        return {Outcome::Answered, 0, Le32(state.bridging ? 1 : 0)};
    default:
        return failed(kErrorInvalidFunction);
    }
}

} // namespace

OpenResult OpenBridge(const Machine& machine, const OpenRequest& request)
{
    MachineLock lock(machine);
    BridgeState state = LoadBridge(machine);
    OpenResult result;
    if (!state.present)
        result.error = kErrorFileNotFound;
    else if (state.refuseDeleteOnClose && (request.flags & kFlagDeleteOnClose) != 0)
        result.error = kErrorAccessDenied;
    else
    {
        result.handle = ++state.opened;
        SaveBridge(machine, state);
    }
    AppendBridgeLog(machine,
                    "open " + (result.handle != 0 ? std::to_string(result.handle) : "-") + " " +
                        describeOpen(request) +
                        (result.error != 0 ? " failed " + std::to_string(result.error) : ""));
    return result;
}

Answer HandleBridgeRequest(const Machine& machine, std::uint32_t handle, std::uint32_t code,
                           const std::string& input, std::uint32_t outputSize, bool mayPend)
{
    MachineLock lock(machine);
    BridgeState state = LoadBridge(machine);
    const BridgeState before = state;
    Answer a;
    if (!state.present)
        a = failed(kErrorDeviceNotConnected);
    else if (mayPend && AnswersPending(state, code))
        a.outcome = Outcome::Pending;
    else
        a = answer(state, code, input, outputSize);
    if (state != before)
        SaveBridge(machine, state);
    std::string line = "request " + std::to_string(handle) + " " + RequestName(code) +
                       " in=" + hexOf(input) + " out=" + std::to_string(outputSize);
    switch (a.outcome)
    {
    case Outcome::Answered:
        line += " answered " + hexOf(a.output);
        break;
    case Outcome::Pending:
        line += " pending";
        break;
    case Outcome::Failed:
        line += " failed " + std::to_string(a.error);
        break;
    }
    AppendBridgeLog(machine, line);
    return a;
}

void CloseBridge(const Machine& machine, std::uint32_t handle)
{
    AppendBridgeLog(machine, "close " + std::to_string(handle));
}

} // namespace machine::bridge
