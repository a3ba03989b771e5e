#pragma once
// The options every command of the machine tool takes, wherever they stand on the line.

#include <optional>
#include <string>
#include <vector>

struct ToolOptions
{
    std::optional<std::string> machine; // --machine DIR
    bool version = false;               // --version
    bool json = false;                  // --json
    std::vector<std::string> words;     // the command and its words, in their order
};

// Takes the tool-wide options out of the line. Everything after "--" is left as words, so that a
// value such as an SSID may read "--machine". Throws std::invalid_argument with the problem
// ("--machine needs a directory").
ToolOptions ReadToolOptions(const std::vector<std::string>& args);
