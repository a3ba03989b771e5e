#pragma once
// The certificates a new machine has: in "ROOT" a root authority, the same authority renewed
// (same subject, another key), and a root whose subject is empty; in "MY" a client certificate
// the first root issued. Fixed dates, noon UTC, so the dates shown do not depend on the day or
// the machine's time zone.

#include "machine/Machine.h"

namespace machine::certs
{

inline constexpr const char* kDefaultRootName = "Quarry Corp Root CA";
inline constexpr const char* kDefaultRootFriendlyName = "Quarry Corp Root";
inline constexpr const char* kDefaultEmptyRootFriendlyName = "Unnamed Root";
inline constexpr const char* kDefaultClientName = "Owner";
inline constexpr const char* kDefaultClientFriendlyName = "Quarry Corp Owner";
inline constexpr const char* kDefaultOrganization = "Quarry Corp";

// Writes the set unless the machine has its certificate stores already. The caller holds the
// machine lock.
void WriteDefaultCertificates(const Machine& machine);

} // namespace machine::certs
