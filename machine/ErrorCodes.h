#pragma once
// Every error number the machine answers with, as the platform numbers them (0 is success).
// The platform keeps its own names for these in its public headers; the machine does not include
// them, so it names the numbers it gives here, once.

#include <cstdint>

namespace machine
{

// System error numbers.
inline constexpr std::uint32_t kErrorInvalidFunction = 1; // a control code the driver does not know
inline constexpr std::uint32_t kErrorFileNotFound = 2;    // also a program start's "file not found"
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorWriteFault = 29; // a machine file could not be written
inline constexpr std::uint32_t kErrorGenFailure = 31; // the default of an injected failure
inline constexpr std::uint32_t kErrorNotSupported = 50;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorInsufficientBuffer = 122;
inline constexpr std::uint32_t kErrorModNotFound = 126; // a library the machine needs is missing
inline constexpr std::uint32_t kErrorAlreadyExists = 183;
inline constexpr std::uint32_t kErrorIoPending = 997; // an overlapped request left unanswered
inline constexpr std::uint32_t kErrorServiceAlreadyRunning = 1056;
inline constexpr std::uint32_t kErrorServiceDisabled = 1058;
inline constexpr std::uint32_t kErrorServiceDoesNotExist = 1060;
inline constexpr std::uint32_t kErrorServiceCannotAcceptControl = 1061;
inline constexpr std::uint32_t kErrorServiceNotActive = 1062;
inline constexpr std::uint32_t kErrorDeviceNotConnected = 1167;
inline constexpr std::uint32_t kErrorNotFound = 1168;
inline constexpr std::uint32_t kErrorBadProfile = 1206;
// The radio is off (the WLAN service's answer to a scan or a connect without it).
inline constexpr std::uint32_t kErrorDot11PowerStateInvalid = 0x80342002u;

// COM results.
inline constexpr std::uint32_t kResultFail = 0x80004005u; // unspecified failure

} // namespace machine
