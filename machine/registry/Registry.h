#pragma once
// Direct access to a machine's registry for tests and the machine tool: no handles, no access
// checks, no injected failures. Key paths are written as the hive file writes them
// ("HKEY_LOCAL_MACHINE\SOFTWARE\X"; "HKLM\..." also works).

#include "machine/Machine.h"
#include "machine/registry/Hive.h"
#include "machine/registry/HiveStore.h"
#include "machine/registry/HiveText.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace machine::registry
{

bool KeyExists(const Machine& machine, std::string_view key);

// The values of a key in order (name, type, exact bytes); nullopt when the key is missing.
std::optional<std::vector<Value>> DumpKey(const Machine& machine, std::string_view key);

// The names of the subkeys in order; nullopt when the key is missing.
std::optional<std::vector<std::string>> ListSubkeys(const Machine& machine, std::string_view key);

std::optional<Value> GetValue(const Machine& machine, std::string_view key, std::string_view name);

// Creates the key (and those above it) as needed.
bool CreateKey(const Machine& machine, std::string_view key);
bool SetValue(const Machine& machine, std::string_view key, std::string_view name,
              std::uint32_t type, std::string_view data);
// A REG_SZ with its terminator, as the platform's own tools write it.
bool SetString(const Machine& machine, std::string_view key, std::string_view name,
               std::string_view text);
bool SetDword(const Machine& machine, std::string_view key, std::string_view name,
              std::uint32_t value);

// False when the value (or key) was not there.
bool DeleteValue(const Machine& machine, std::string_view key, std::string_view name);
// Removes the key with everything below it.
bool DeleteKeyTree(const Machine& machine, std::string_view key);

// The whole registry in the text form, or one key with everything below it.
std::optional<std::string> ExportText(const Machine& machine);
std::optional<std::string> ExportKeyText(const Machine& machine, std::string_view key);

// Merges a text in the export format into the registry, as the registry editor imports a file.
ParseReport ImportText(const Machine& machine, std::string_view text);

} // namespace machine::registry
