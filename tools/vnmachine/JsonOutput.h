#pragma once
// --json: the listing and status commands print one JSON document instead of their text, for
// scripts. Field names are lower case with underscores and do not change once given; a field
// that has no value is left out rather than null. Texts that are bytes (SSIDs, titles) are given
// as the text output escapes them ("\xHH" for other bytes).

#include "tools/vnmachine/Command.h"

#include <nlohmann/json.hpp>

void SetJsonOutput(bool json);
bool JsonOutput();

// Whether the command the words name prints JSON with --json: ui list, wlan [status],
// networks [list], devices [list], log all.
bool JsonApplies(const Words& words);

// The document on standard output, indented, one line feed after it.
void PrintJson(const nlohmann::json& document);

// The fields as --help lists them.
extern const char* const kJsonHelp;
