#pragma once
// The Ethernet bridge driver behind the device "\\.\NBRG", as a test or a person arranges it.
// Kept in <root>/bridge/state.txt, a line a setting, so that every process on the machine sees
// the same bridge:
//
//   present 1                  the device exists (the default image has one)
//   version 2                  the interface version the driver answers
//   bridging 0                 whether bridging is on
//   pending VERSION STATE      requests left unanswered on an overlapped handle ("all": every one)
//   refuse-delete-on-close 0   an open asking for FILE_FLAG_DELETE_ON_CLOSE is refused
//   opened 3                   handles opened so far, which number them in the request log
//
// Typical use in a test:
//
//   bridge::ChangeBridge(m, [](bridge::BridgeState& b) { b.present = true; });
//   ... run the program ...
//   EXPECT_EQ(bridge::ReadBridgeLog(m), (std::vector<std::string>{"open 1 ...", ...}));
//   EXPECT_TRUE(bridge::LoadBridge(m).bridging);

#include "machine/Machine.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace machine::bridge
{

// The driver's control codes: CTL_CODE(0x8000, function 0, 1, 2, METHOD_BUFFERED,
// FILE_ANY_ACCESS).
inline constexpr std::uint32_t kVersionRequest = 0x80000000u; // in u32 0xFFFFFFFF, out u32
inline constexpr std::uint32_t kSwitchRequest = 0x80000004u;  // in u32: nonzero switches on
inline constexpr std::uint32_t kStateRequest = 0x80000008u;   // out u32: nonzero while on

inline constexpr std::uint32_t kDefaultVersion = 2;

struct BridgeState
{
    bool present = false;
    std::uint32_t version = kDefaultVersion;
    bool bridging = false;
    bool pendingAll = false;                 // every request is left pending
    std::vector<std::uint32_t> pendingCodes; // else the requests of these codes
    bool refuseDeleteOnClose = false;        // such an open fails with kErrorAccessDenied
    std::uint32_t opened = 0;

    bool operator==(const BridgeState&) const = default;
};

// "VERSION", "SWITCH", "STATE"; any other code as "0x8000000C".
std::string RequestName(std::uint32_t code);
// The names above (any case) or a hexadecimal code; nullopt for anything else.
std::optional<std::uint32_t> ParseRequestName(const std::string& text);

// Whether a request of `code` is left pending.
bool AnswersPending(const BridgeState& state, std::uint32_t code);

std::string FormatBridgeState(const BridgeState& state);
// Lines it does not understand are skipped.
BridgeState ParseBridgeState(const std::string& text);

// The defaults (no bridge) when nothing has been arranged (a machine not made from the default
// image).
BridgeState LoadBridge(const Machine& machine);
bool SaveBridge(const Machine& machine, const BridgeState& state);
// Read, change and write back under the machine lock.
void ChangeBridge(const Machine& machine, const std::function<void(BridgeState&)>& change);

} // namespace machine::bridge
