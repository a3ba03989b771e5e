#pragma once
// Failures to inject into the registry functions, per operation and key: fail once, N times or
// always with a given error. Kept in <root>/faults/registry so that they reach every process of
// the machine; one fault a line, "operation<TAB>key path<TAB>error<TAB>count", count -1 for
// always. A person may edit the file; lines that cannot be read are ignored.

#include "machine/Machine.h"
#include "machine/registry/KeyPath.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace machine::registry
{

enum class Operation
{
    Open,      // RegOpenKeyEx of the key
    Create,    // RegCreateKeyEx of the key
    Query,     // RegQueryValueEx and RegQueryInfoKey on the key
    Set,       // RegSetValueEx on the key
    Delete,    // RegDeleteValue on the key, RegDeleteKey of the key
    Enumerate, // RegEnumValue and RegEnumKeyEx on the key
};

inline constexpr int kAlways = -1;

struct Fault
{
    Operation operation = Operation::Open;
    KeyPath key;
    std::uint32_t error = 0;
    int remaining = kAlways; // how many more calls fail; kAlways never runs out
};

const char* OperationName(Operation operation);
std::optional<Operation> ParseOperation(std::string_view name);

std::filesystem::path FaultFilePath(const Machine& machine);

// Adds a fault (replacing one for the same operation and key). `times` is 1 for once, N, or
// kAlways. False when it could not be stored.
bool InjectFault(const Machine& machine, Operation operation, const KeyPath& key,
                 std::uint32_t error, int times);
bool ClearFaults(const Machine& machine);
std::vector<Fault> ListFaults(const Machine& machine);

// The error the next call of `operation` on `key` must fail with, if any; counts the call.
std::optional<std::uint32_t> TakeFault(const Machine& machine, Operation operation,
                                       const KeyPath& key);

} // namespace machine::registry
