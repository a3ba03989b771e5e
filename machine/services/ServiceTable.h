#pragma once
// The machine's services, as the service manager of every process sees them:
// <root>/services/table.txt holds what has been asked of them (start type, a start or stop
// under way), <root>/services/log.txt one line per call made on them.
//
// Which services a machine has follows its system (machine/SystemInfo): "Wlansvc" on NT 6 and
// later, "WZCSVC" on NT 5.1 and 5.2, none on the 9x family, which has no service manager at all.
// A start or a stop is pending for kTransitionMs of machine time, then done. "Wlansvc" is the
// machine's WLAN service: the WLAN calls answer from the moment it is asked to start and fail
// from the moment it is asked to stop, and its settled state is whether the WLAN service runs.

#include "machine/ErrorCodes.h"
#include "machine/Machine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::services
{

// States and start types, numbered as the platform numbers them.
inline constexpr std::uint32_t kStopped = 1;
inline constexpr std::uint32_t kStartPending = 2;
inline constexpr std::uint32_t kStopPending = 3;
inline constexpr std::uint32_t kRunning = 4;
inline constexpr std::uint32_t kAutoStart = 2;
inline constexpr std::uint32_t kDemandStart = 3;
inline constexpr std::uint32_t kDisabled = 4;

// Results are 0 or the error numbers of machine/ErrorCodes.h.

// How long a start or a stop is pending, in machine milliseconds.
inline constexpr std::uint64_t kTransitionMs = 500;

struct Service
{
    std::string name;
    bool present = false; // the machine's system has it
    std::uint32_t state = kRunning;
    std::uint32_t startType = kAutoStart;
    std::uint64_t pendingUntil = 0; // machine time at which a pending state settles
};

// False on the 9x family: no service manager.
bool HasServiceManager(const Machine& machine);

// Every service the machine knows, present or not, as they are now.
std::vector<Service> ListServices(const Machine& machine);
// A present service by name (without regard to case); nullopt when the system has none.
std::optional<Service> FindService(const Machine& machine, const std::string& name);

// Requests. kErrorServiceDoesNotExist for a service the system lacks.
//   start: kErrorServiceDisabled, kErrorServiceAlreadyRunning unless stopped; then
//          start-pending.
//   stop:  kErrorServiceNotActive when stopped, kErrorServiceCannotAcceptControl while pending;
//          then stop-pending.
//   start type: kAutoStart, kDemandStart or kDisabled, else kErrorInvalidParameter.
std::uint32_t StartService(const Machine& machine, const std::string& name);
std::uint32_t StopService(const Machine& machine, const std::string& name);
std::uint32_t SetStartType(const Machine& machine, const std::string& name,
                           std::uint32_t startType);

// "STOPPED", "START_PENDING", ...; "auto", "demand", "disabled", ... .
std::string StateName(std::uint32_t state);
std::string StartTypeName(std::uint32_t startType);

// The call log: lines led by the machine time.
void AppendServiceLog(const Machine& machine, const std::string& line);
std::vector<std::string> ReadServiceLog(const Machine& machine);
void ClearServiceLog(const Machine& machine);

} // namespace machine::services
