#pragma once
// vnmachine reg: shows and changes the machine's registry.
//   reg show [KEY]                  the key with everything below it (all keys without KEY),
//                                   in the hive file's text form
//   reg export [FILE]               the whole registry in the export format (stdout without
//                                   FILE)
//   reg import FILE                 merges an export-format file ("-" reads stdin), as the
//                                   registry editor imports one
//   reg set KEY NAME TYPE [DATA...] sets a value; see RunRegCommand's usage text for the types
//   reg delete KEY [NAME]           removes a value, or the key with everything below it
//   reg fault OP KEY ERROR [COUNT|always]   makes OP on KEY fail with ERROR (once by default)
//   reg fault list | reg fault clear
// KEY is "HKEY_LOCAL_MACHINE\..." or "HKLM\...", NAME "@" is the default value. Exit status 1
// when the command fails, 2 on a usage error.

#include <string>
#include <vector>

// The arguments after "reg".
int RunRegCommand(const std::vector<std::string>& args);
