#pragma once
// A window's tree as its program describes it (the automation's "tree" request): one JSON
// document of the window and its controls, with the state of each (see
// platform/ui/automation/WindowJson.h for the fields), and what reading it takes.

#include <nlohmann/json.hpp>

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

// The tree of the window `which` (a handle or a title); nullopt with the reason on err when
// there is no such window or its program does not answer.
std::optional<nlohmann::json> AskWindowTree(const std::string& which, std::ostream& err);

// vnmachine ui show WIN --json: the tree on standard output; 1 when there is none.
int PrintWindowTree(const std::string& which, std::ostream& err);

// A node's fields, with what an absent or mistyped one reads as.
std::string TreeText(const nlohmann::json& node, const char* key);
long TreeNumber(const nlohmann::json& node, const char* key, long otherwise = 0);
bool TreeFlag(const nlohmann::json& node, const char* key);
std::uint32_t TreeStyle(const nlohmann::json& node);
// A list of texts (items, columns, pages, a row's cells).
std::vector<std::string> TreeTexts(const nlohmann::json& node, const char* key);
// The node's children, or an empty array.
const nlohmann::json& TreeChildren(const nlohmann::json& node);
