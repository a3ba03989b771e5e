#pragma once
// --json: the listing and status commands print one JSON document instead of their text, for
// scripts. Field names are lower case with underscores and do not change once given; a field
// that has no value is left out rather than null. Texts that are bytes (SSIDs, titles) are given
// as the text output escapes them ("\xHH" for other bytes).

#include "machine/LogJournal.h"
#include "machine/Machine.h"
#include "tools/vnmachine/Command.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <vector>

void SetJsonOutput(bool json);
bool JsonOutput();

// Whether the command the words name prints JSON with --json (see kJsonHelp).
bool JsonApplies(const Words& words);

// The document on standard output, indented, one line feed after it.
void PrintJson(const nlohmann::json& document);

// A journal line as --json gives it: {seq, time_ms, log, text}.
nlohmann::json JournalLineJson(const machine::JournalLine& line);
// The same on one line, for a stream of lines (log all --follow).
std::string JournalLineJsonText(const machine::JournalLine& line);

// {lines: [...]} of the lines of these logs (their paths), in the journal's order.
void PrintLogJson(const machine::Machine& machine, const std::vector<std::filesystem::path>& logs);

// The fields as --help lists them.
extern const char* const kJsonHelp;
