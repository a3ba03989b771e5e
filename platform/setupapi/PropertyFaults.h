#pragma once
// Failures to inject into the device properties this process reads: a property the device
// lacks, one far longer than the buffers the programs pass, or one in lower case. Kept per
// process, for tests.

#include "platform/base/WinTypes.h"

#include <optional>
#include <string>

namespace platform::setupapi
{

enum class PropertyFault
{
    Missing,   // read fails with ERROR_INVALID_DATA
    Oversize,  // the value is padded to kOversizeBytes bytes (the first string, for a list)
    LowerCase, // the value reads in lower case, as some bus drivers report IDs
};

inline constexpr DWORD kOversizeBytes = 1024;

// For the device with this instance ID (any case).
void InjectPropertyFault(const std::string& instanceId, DWORD property, PropertyFault fault);
void ClearPropertyFaults();
std::optional<PropertyFault> FindPropertyFault(const std::string& instanceId, DWORD property);

} // namespace platform::setupapi
