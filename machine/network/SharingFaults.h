#pragma once
// What the home-networking sharing objects are to get wrong on this machine, and the record of
// the calls made to them. Both are machine files (<root>/network/sharing-faults.txt and
// <root>/network/sharing.log) so that a test or `vnmachine sharing` arranges and reads them for
// the programs' processes.

#include "machine/ErrorCodes.h"
#include "machine/Machine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace machine::network
{

// The calls a failure can be injected into.
enum class SharingCall
{
    Create,        // CoCreateInstance of the sharing manager
    Enumerate,     // INetSharingManager::get_EnumEveryConnection
    Props,         // INetSharingManager::get_NetConnectionProps
    Configuration, // INetSharingManager::get_INetSharingConfigurationForINetConnection
    Enable,        // INetSharingConfiguration::EnableSharing
    Disable,       // INetSharingConfiguration::DisableSharing
};
const char* SharingCallName(SharingCall call); // "create", "enum", "props", ...
std::optional<SharingCall> ParseSharingCall(const std::string& name);

struct SharingFailure
{
    SharingCall call = SharingCall::Create;
    int remaining = 1; // -1 always
    std::uint32_t result = kResultFail;
};

struct SharingFaults
{
    std::vector<SharingFailure> failures;
    // Positions (0-based) in the connection enumeration whose items come as VT_I4 values
    // instead of connections.
    std::vector<std::size_t> oddItems;
};

std::string FormatSharingFaults(const SharingFaults& faults);
SharingFaults ParseSharingFaults(const std::string& text);
SharingFaults LoadSharingFaults(const Machine& machine);
bool SaveSharingFaults(const Machine& machine, const SharingFaults& faults);

// `times` times (-1 always; 0 removes the failure). A later injection for the same call
// replaces the earlier one.
void InjectSharingFailure(const Machine& machine, SharingCall call, int times,
                          std::uint32_t result = kResultFail);
void InjectOddItem(const Machine& machine, std::size_t position);
void ClearSharingFaults(const Machine& machine);
// For the objects: the failure result of this call now (using up one count), or nullopt.
std::optional<std::uint32_t> TakeSharingFailure(const Machine& machine, SharingCall call);

void AppendSharingLog(const Machine& machine, const std::string& line);
std::vector<std::string> ReadSharingLog(const Machine& machine);
void ClearSharingLog(const Machine& machine);

} // namespace machine::network
