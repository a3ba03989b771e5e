#pragma once
// The hive's text form: the registry editor's export format, so a person can read, diff and
// edit it.
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Volatile Environment]
//   "LOCALAPPDATA"="C:\\Users\\Owner\\AppData\\Local"
//   @="the default value"
//   "Mode"=dword:00000001
//   "Macs"=hex(7):30,30,31,31,00,00
//   "Flag"=hex(1):31
//
// A quoted string is written only for a REG_SZ whose bytes are its characters plus exactly one
// terminating zero; anything else (a REG_SZ written without its terminator, an empty REG_SZ of
// no bytes, text with control characters) keeps its exact bytes as hex(1):. The bytes of
// hex(2): and hex(7): are the bytes the programs wrote (the machine's code page), not UTF-16.
// Long hex lines are continued with ",\" and an indented next line.
//
// Reading applies the text onto a hive the way the registry editor imports a file: keys are
// created, values set, "[-KEY]" removes a key and "name"=- a value. Lines that cannot be read
// are reported; a text without the editor's first line is refused as a whole. An import skips
// the lines it cannot read. The machine's own hive file keeps them, and comments, in the hive
// (see KeptText), so that they are written back where they stood: a typo in a hand-edited
// value, a cut-off last line or a block under a header naming no key of this registry survive
// every later write for a person to mend.

#include "machine/registry/Hive.h"
#include "machine/registry/HiveEdit.h"

#include <string>
#include <string_view>
#include <vector>

namespace machine::registry
{

inline constexpr const char* kHiveSignature = "Windows Registry Editor Version 5.00";

// The whole hive, signature first. Lines end in CRLF, as the editor writes them.
std::string FormatHive(const Hive& hive);

// The key at `path` and everything below it, without the signature line.
std::string FormatKeyTree(const Hive& hive, const KeyPath& path);

// A value's name as its line starts with it: "name", or @ for the key's default value.
std::string FormatValueName(std::string_view name);

// One value as its line (or lines, for long hex data), without the line end.
std::string FormatValue(const Value& value);

struct ParseReport
{
    bool ok = false;                   // false: the text was refused and nothing was applied
    std::string error;                 // why it was refused
    std::vector<std::string> warnings; // "line N: ..." for each line that could not be read
};

enum class UnreadableLines
{
    Skip, // an imported text
    Keep, // the hive's own file
};

// Applies the text onto the hive. When the text is refused, the hive is left as it was.
ParseReport ApplyHiveText(std::string_view text, Hive& hive,
                          UnreadableLines unreadable = UnreadableLines::Skip);
// Imports the text through the edit, which notes each change it makes.
ParseReport ApplyHiveText(std::string_view text, HiveEdit& edit);
// Applies lines of the format that follow the first line elsewhere (a change of the hive's
// journal), skipping those it cannot read; warnings count lines from `firstLine`.
ParseReport ApplyHiveLines(std::string_view lines, HiveEdit& edit, std::size_t firstLine);

} // namespace machine::registry
