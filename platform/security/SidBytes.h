#pragma once
// SIDs as bytes: how the security functions build, measure and compare them. Internal to
// platform/security.

#include "platform/security/Security.h"

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace platform::security
{

// The SID's bytes: revision 1, the count, the authority, the sub-authorities little-endian.
std::vector<BYTE> MakeSid(const SID_IDENTIFIER_AUTHORITY& authority,
                          std::initializer_list<DWORD> subAuthorities);
std::vector<BYTE> MakeSid(const SID_IDENTIFIER_AUTHORITY& authority,
                          const std::vector<DWORD>& subAuthorities);

// The length of a well-formed SID at `sid`, or 0 when it is not one.
DWORD ValidSidLength(const void* sid);

} // namespace platform::security
