#pragma once
// The WLAN service's numbers, as the platform's WLAN interface numbers them: notification sources
// and codes, reason codes, authentication and cipher algorithms, interface and radio states and
// connection modes. The machine does not include the platform's WLAN header, so it names the
// numbers it uses here, once.

#include <cstdint>

namespace machine::wlan
{

// Notification sources.
inline constexpr std::uint32_t kSourceAcm = 0x08;
inline constexpr std::uint32_t kSourceMsm = 0x10;

// ACM notification codes.
inline constexpr std::uint32_t kAcmScanComplete = 7;
inline constexpr std::uint32_t kAcmScanFail = 8;
inline constexpr std::uint32_t kAcmConnectionStart = 9;
inline constexpr std::uint32_t kAcmConnectionComplete = 10;
inline constexpr std::uint32_t kAcmConnectionAttemptFail = 11;
inline constexpr std::uint32_t kAcmInterfaceArrival = 13;
inline constexpr std::uint32_t kAcmInterfaceRemoval = 14;
inline constexpr std::uint32_t kAcmDisconnected = 21;

// MSM notification codes.
inline constexpr std::uint32_t kMsmRoamingEnd = 6;
inline constexpr std::uint32_t kMsmRadioStateChange = 7; // data: the 12-byte PHY radio record

// Reason codes: of a profile document that is refused, and of a scan that failed.
inline constexpr std::uint32_t kReasonInvalidProfileSchema = 0x00080002;
inline constexpr std::uint32_t kReasonProfileMissing = 0x00080003;
inline constexpr std::uint32_t kReasonInvalidProfileName = 0x00080004;
inline constexpr std::uint32_t kReasonInvalidProfileType = 0x00080005;
inline constexpr std::uint32_t kReasonMsmSecurityMissing = 0x00080007;
inline constexpr std::uint32_t kReasonProfileSsidInvalid = 0x00080008;
inline constexpr std::uint32_t kReasonScanFailure = 0x00038001;

// Authentication algorithms.
inline constexpr std::uint32_t kAuthOpen = 1;
inline constexpr std::uint32_t kAuthSharedKey = 2;
inline constexpr std::uint32_t kAuthWpa = 3;
inline constexpr std::uint32_t kAuthWpaPsk = 4;
inline constexpr std::uint32_t kAuthRsna = 6; // WPA2
inline constexpr std::uint32_t kAuthRsnaPsk = 7;

// Cipher algorithms.
inline constexpr std::uint32_t kCipherNone = 0x00;
inline constexpr std::uint32_t kCipherTkip = 0x02;
inline constexpr std::uint32_t kCipherCcmp = 0x04; // AES
inline constexpr std::uint32_t kCipherWep = 0x101;

// Interface states.
inline constexpr std::uint32_t kInterfaceConnected = 1;
inline constexpr std::uint32_t kInterfaceDisconnected = 4;
inline constexpr std::uint32_t kInterfaceAssociating = 5;

// Radio states of a PHY, in software and in hardware.
inline constexpr std::uint32_t kRadioOn = 1;
inline constexpr std::uint32_t kRadioOff = 2;

// Connection modes.
inline constexpr std::uint32_t kModeProfile = 0;
inline constexpr std::uint32_t kModeDiscoverySecure = 2;
inline constexpr std::uint32_t kModeDiscoveryUnsecure = 3;

// The BSS type of a request that takes either kind (radio::kInfrastructure, radio::kIndependent).
inline constexpr std::uint32_t kBssTypeAny = 3;

} // namespace machine::wlan
