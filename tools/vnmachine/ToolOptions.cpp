#include "tools/vnmachine/ToolOptions.h"

#include <CLI/CLI.hpp>

#include <stdexcept>

ToolOptions ReadToolOptions(const std::vector<std::string>& args)
{
    ToolOptions options;
    // Only the words before "--" are the parser's to look at.
    std::vector<std::string> mine;
    std::vector<std::string> rest;
    bool past = false;
    for (const auto& word : args)
        if (past)
            rest.push_back(word);
        else if (word == "--")
            past = true;
        else
            mine.push_back(word);

    CLI::App app;
    // Help belongs to each command's own table; every word the parser does not know stays, in
    // its place, for the command.
    app.set_help_flag();
    app.allow_extras();
    app.positionals_at_end(false);
    std::string machine;
    // The last one given wins, as a later setting overrides an earlier one.
    auto* option = app.add_option("--machine", machine)
                       ->expected(1)
                       ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_flag("--version", options.version);
    app.add_flag("--json", options.json);
    // CLI11 wants the words last first.
    std::vector<std::string> reversed(mine.rbegin(), mine.rend());
    try
    {
        app.parse(reversed);
    }
    catch (const CLI::ParseError& e)
    {
        throw std::invalid_argument(std::string(e.what()).find("machine") != std::string::npos
                                        ? "--machine needs a directory"
                                        : e.what());
    }
    if (option->count() > 0)
        options.machine = machine;
    options.words = app.remaining();
    if (past)
    {
        options.words.push_back("--");
        options.words.insert(options.words.end(), rest.begin(), rest.end());
    }
    return options;
}
