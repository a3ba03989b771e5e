#pragma once
// Where a key sits in the machine's registry: the name of its root ("HKEY_LOCAL_MACHINE", ...)
// followed by the names of the keys below it. Names compare without regard to case (ASCII),
// as the platform does, and keep the spelling they were created with.

#include "machine/AsciiCase.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace machine::registry
{

// Value types, with the platform's numbers.
inline constexpr std::uint32_t kTypeNone = 0;
inline constexpr std::uint32_t kTypeString = 1;
inline constexpr std::uint32_t kTypeExpandString = 2;
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeDword = 4;
inline constexpr std::uint32_t kTypeMultiString = 7;

// The roots of the registry, in the order the hive file lists them.
inline constexpr const char* kLocalMachine = "HKEY_LOCAL_MACHINE";
inline constexpr const char* kCurrentUser = "HKEY_CURRENT_USER";
inline constexpr const char* kClassesRoot = "HKEY_CLASSES_ROOT";
inline constexpr const char* kUsers = "HKEY_USERS";
inline constexpr const char* kRootNames[] = {kLocalMachine, kCurrentUser, kClassesRoot, kUsers};

// The longest key name the platform allows, and the deepest path.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;
inline constexpr std::size_t kMaxDepth = 512;

// Root name first, then one entry per key below it.
using KeyPath = std::vector<std::string>;

using machine::EqualNoCase;

// The full root name for "HKEY_LOCAL_MACHINE" or its short form "HKLM" (any case).
std::optional<std::string> CanonicalRootName(std::string_view name);

// "HKLM\SOFTWARE\X" or "HKEY_LOCAL_MACHINE\SOFTWARE\X\" -> {"HKEY_LOCAL_MACHINE", "SOFTWARE",
// "X"}. Empty parts are dropped. Nullopt for an unknown root or a name the registry cannot hold.
std::optional<KeyPath> ParseKeyPath(std::string_view text);

// The path as the hive file writes it: parts joined with "\".
std::string FormatKeyPath(const KeyPath& path);

bool SamePath(const KeyPath& a, const KeyPath& b);

// A key name holds no "\" and no line break, and is 1 to 255 characters long.
bool IsValidKeyName(std::string_view name);
// A value name holds no line break or NUL (the hive file could not carry it), up to 16383.
bool IsValidValueName(std::string_view name);

} // namespace machine::registry
